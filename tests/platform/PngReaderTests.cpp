// The program's reader of plain PNG files (8-bit RGB and RGBA, not interlaced, no other chunks) against
// Qt's reader of the same bytes: files made here with every filter type on the rows, and the files the
// reader leaves to Qt (other chunks, interlacing, a damaged checksum, missing data), which must open as
// they did.
#include <zlib.h>

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

#include "platform/PictureIO.h"
#include "support/TestMain.h"

using namespace Platform;

namespace {

void Put32(QByteArray& out, quint32 v) {
  for (int shift : {24, 16, 8, 0}) out.append(char(uchar(v >> shift)));
}

QByteArray Chunk(const char* type, const QByteArray& body) {
  QByteArray out;
  Put32(out, quint32(body.size()));
  const QByteArray typed = QByteArray(type, 4) + body;
  out.append(typed);
  Put32(out, quint32(crc32(0, reinterpret_cast<const Bytef*>(typed.constData()), uInt(typed.size()))));
  return out;
}

int PaethOf(int a, int b, int c) {
  const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
  return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// The rows of raw bytes (bpp bytes a pixel) filtered, row y by filters[y % size], each led by its byte.
QByteArray Filtered(const std::vector<QByteArray>& rows, int bpp, const QList<int>& filters) {
  QByteArray out;
  QByteArray prev(rows[0].size(), 0);
  for (size_t y = 0; y < rows.size(); ++y) {
    const QByteArray& cur = rows[y];
    const int f = filters[qsizetype(y) % filters.size()];
    out.append(char(f));
    for (qsizetype i = 0; i < cur.size(); ++i) {
      const int x = uchar(cur[i]), a = i >= bpp ? uchar(cur[i - bpp]) : 0, b = uchar(prev[i]),
                c = i >= bpp ? uchar(prev[i - bpp]) : 0;
      const int pred = f == 0 ? 0 : f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : PaethOf(a, b, c);
      out.append(char(uchar(x - pred)));
    }
    prev = cur;
  }
  return out;
}

// A PNG file of w x h pixels of varied bytes, RGB (bpp 3) or RGBA (bpp 4), with the rows' filters, the
// zlib stream split over several IDAT chunks, and the extra chunk (if any) before the first of them.
// Noise (every byte drawn at random) meets every case of the filters' choices, ties among them too.
QByteArray Png(int w, int h, int bpp, const QList<int>& filters, const QByteArray& extra = {}, int interlace = 0,
               bool noise = false) {
  std::vector<QByteArray> rows;
  uint32_t seed = uint32_t(w * 977 + h * 13 + bpp);
  for (int y = 0; y < h; ++y) {
    QByteArray row;
    for (int i = 0; i < w * bpp; ++i) {
      seed = seed * 1664525u + 1013904223u;
      // Smooth runs with noise, and alpha that takes 0, 255 and values between.
      const int channel = i % bpp;
      row.append(char(uchar(noise          ? int(seed >> 24)
                            : channel == 3 ? (i / 4 % 3 == 0 ? 0 : i / 4 % 3 == 1 ? 255 : int(seed >> 24))
                                           : (i * 5 + y * 3) % 256 + int(seed >> 30))));
    }
    rows.push_back(row);
  }
  const QByteArray data = Filtered(rows, bpp, filters);
  uLongf packedSize = compressBound(uLong(data.size()));
  QByteArray packed(qsizetype(packedSize), 0);
  compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(data.constData()),
            uLong(data.size()), 6);
  packed.truncate(qsizetype(packedSize));

  QByteArray file("\x89PNG\r\n\x1A\n", 8);
  QByteArray ihdr;
  Put32(ihdr, quint32(w));
  Put32(ihdr, quint32(h));
  ihdr.append(char(8)).append(char(bpp == 3 ? 2 : 6)).append(char(0)).append(char(0)).append(char(interlace));
  file.append(Chunk("IHDR", ihdr));
  file.append(extra);
  const qsizetype half = packed.size() / 2;
  file.append(Chunk("IDAT", packed.left(half)));
  file.append(Chunk("IDAT", packed.mid(half)));
  file.append(Chunk("IEND", {}));
  return file;
}

}  // namespace

class PngReaderTests : public QObject {
  Q_OBJECT
 private slots:
  void readsAsQtReads_data() {
    QTest::addColumn<QByteArray>("file");
    for (int bpp : {3, 4}) {
      const QString kind = bpp == 3 ? QStringLiteral("RGB") : QStringLiteral("RGBA");
      const char* names[] = {"none", "sub", "up", "average", "paeth"};
      for (int f = 0; f < 5; ++f)
        QTest::newRow(qPrintable(kind + QStringLiteral(", ") + QLatin1String(names[f]))) << Png(37, 9, bpp, {f});
      QTest::newRow(qPrintable(kind + QStringLiteral(", every filter in turn"))) << Png(33, 23, bpp, {4, 3, 1, 0, 2, 4, 1});
      QTest::newRow(qPrintable(kind + QStringLiteral(", noise, every filter in turn")))
          << Png(61, 40, bpp, {4, 3, 1, 0, 2}, {}, 0, true);
      QTest::newRow(qPrintable(kind + QStringLiteral(", one pixel wide"))) << Png(1, 12, bpp, {4, 3, 1, 0, 2});
      QTest::newRow(qPrintable(kind + QStringLiteral(", one row"))) << Png(50, 1, bpp, {4});
      // Left to Qt's reader: a text chunk, interlacing, a damaged checksum, the data cut short.
      QTest::newRow(qPrintable(kind + QStringLiteral(", text chunk")))
          << Png(20, 6, bpp, {4}, Chunk("tEXt", QByteArray("Comment\0made here", 17)));
      QTest::newRow(qPrintable(kind + QStringLiteral(", interlaced"))) << Png(20, 6, bpp, {0}, {}, 1);
      QByteArray damaged = Png(20, 6, bpp, {1});
      damaged[damaged.size() - 14] = char(damaged[damaged.size() - 14] ^ 0x40);  // in the last IDAT's data
      QTest::newRow(qPrintable(kind + QStringLiteral(", damaged checksum"))) << damaged;
      const QByteArray whole = Png(20, 6, bpp, {2});
      QTest::newRow(qPrintable(kind + QStringLiteral(", cut short"))) << whole.left(whole.size() - 30);
    }
  }
  // The picture the program makes of the file is the one it makes of Qt's decoding of the same bytes.
  void readsAsQtReads() {
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.png"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(file);
    out.close();

    const DecodedPicture ours = PictureIO::Read(path, QStringLiteral("png"));
    QImageReader reader(path);
    QImage qt;
    const bool qtRead = reader.read(&qt);
    QCOMPARE(bool(ours.picture), qtRead && !qt.isNull());
    if (!ours.picture) return;
    QCOMPARE(ours.picture->Width(), qt.width());
    QCOMPARE(ours.picture->Height(), qt.height());
    const bool alpha = qt.hasAlphaChannel();
    QCOMPARE(ours.fileDepth, alpha ? 32 : 24);
    QCOMPARE(ours.picture->HasMask(), alpha);
    const QImage argb = qt.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < qt.height(); ++y)
      for (int x = 0; x < qt.width(); ++x) {
        const QRgb want = argb.pixel(x, y);
        const Color colour = ours.picture->Pixel(x, y);
        if (colour != FromQRgb(want))
          QFAIL(qPrintable(QStringLiteral("colour at %1,%2: %3, Qt %4").arg(x).arg(y).arg(colour, 6, 16).arg(FromQRgb(want), 6, 16)));
        const int level = 255 - qAlpha(want);
        if (alpha && ours.picture->MaskIfAny()->Pixel(x, y) != FromQRgb(qRgb(level, level, level)))
          QFAIL(qPrintable(QStringLiteral("mask at %1,%2").arg(x).arg(y)));
      }
  }
};
PIXMURA_TEST_CLASS(PngReaderTests)

#include "PngReaderTests.moc"
