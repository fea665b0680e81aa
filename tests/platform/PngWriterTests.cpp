// The program's PNG writer: every depth the colour-depth dialog offers and the transparency of saving,
// read back by Qt and by ImageMagick's convert, the colour type and bit depth that Qt's writer gives the
// same image, and failed writes that leave the old file whole.
#include <signal.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include "platform/PictureIO.h"
#include "platform/PngExportDialog.h"
#include "platform/PngWriter.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace Platform;

Q_DECLARE_METATYPE(Platform::PngDepth)

namespace {

// A picture of varied colours: gradients, pure white squares (transparent when white is), and greys.
PicturePtr Sample(int w, int h, bool masked) {
  auto pic = Picture::Create(w, h, 32);
  uint32_t seed = uint32_t(w * 31 + h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      Color c;
      if ((x / 5 + y / 3) % 4 == 0) c = 0xFFFFFF;
      else if ((x + y) % 7 == 0) c = RGB(x * 3, x * 3, x * 3);
      else c = RGB(x * 255 / std::max(1, w - 1), y * 90, int(seed >> 24));
      pic->SetPixel(x, y, c);
    }
  if (masked)
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) pic->Mask()->SetPixel(x, y, pic->Pixel(x, y) == 0xFFFFFF ? 0xFFFFFF : 0);
  return pic;
}

// Colour type and bit depth from a PNG file's header.
QPair<int, int> Header(const QByteArray& png) {
  if (png.size() < 33 || png.mid(12, 4) != "IHDR") return {-1, -1};
  return {uchar(png[25]), uchar(png[24])};
}

QByteArray WrittenByQt(const QImage& image) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  writer.write(image);
  return buffer.data();
}

// The pixels as non-premultiplied RGBA bytes, row after row.
QByteArray Rgba(const QImage& image) {
  const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
  QByteArray out;
  for (int y = 0; y < rgba.height(); ++y)
    out.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), rgba.width() * 4);
  return out;
}

QString Convert() { return QStandardPaths::findExecutable(QStringLiteral("convert")); }

// The rows of a picture of that format and width that the writer compresses together: about 1 MB of
// filtered bytes (each row led by its filter byte), at least one row.
int RowsPerBand(QImage::Format format, int w) {
  const int rowBytes = format == QImage::Format_Mono ? (w + 7) / 8
                       : format == QImage::Format_RGB888 || format == QImage::Format_RGB32 ? 3 * w
                       : format == QImage::Format_ARGB32 ? 4 * w
                                                        : w;
  return std::max(1, (1 << 20) / (rowBytes + 1));
}

// An image of the format filled byte by byte: rows of a gradient with noise shared by the channels
// (which Sub filtering suits) alternate with rows of flat runs and dark strokes (which Paeth suits), so
// that both filters are chosen; a flat picture has only the latter (and compresses so well that the
// writer takes its higher level). Palettes: translucent entries; the grey ramp is written as grey.
QImage Banded(QImage::Format format, int w, int h, bool greyRamp = false, bool allFlat = false) {
  QImage image(w, h, format);
  if (format == QImage::Format_Mono) image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  if (format == QImage::Format_Indexed8) {
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i) table.append(greyRamp ? qRgb(i, i, i) : qRgba(i, 255 - i, (i * 7) & 255, i % 3 ? 255 : i));
    image.setColorTable(table);
  }
  const int bytes = format == QImage::Format_Mono ? (w + 7) / 8 : w * image.depth() / 8;
  uint32_t seed = uint32_t(w) * 131u + uint32_t(h);
  for (int y = 0; y < h; ++y) {
    uchar* row = image.scanLine(y);
    const bool flat = allFlat || (y / 7) % 2 == 1;
    for (int i = 0; i < bytes; ++i) {
      seed = seed * 1664525u + 1013904223u;
      const int pixel = i * 8 / std::max(1, image.depth());
      row[i] = flat ? uchar((pixel / 40) % 5 == 0 && seed >> 30 == 0 ? 30 : 220) : uchar(pixel / 13 + y + (seed >> 29));
    }
  }
  return image;
}

}  // namespace

class PngWriterTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void everyDepthReadsBackAsWritten_data() {
    QTest::addColumn<PngDepth>("depth");
    QTest::addColumn<bool>("masked");
    QTest::addColumn<int>("width");
    const QStringList names = PngExportDialog::DepthNames();
    for (int w : {1, 3, 4097}) {
      for (int d = 0; d < names.size(); ++d)
        QTest::newRow(qPrintable(QStringLiteral("%1, width %2").arg(names[d]).arg(w))) << PngDepth(d) << false << w;
      QTest::newRow(qPrintable(QStringLiteral("transparency from the mask, width %1").arg(w)))
          << PngDepth::MillionsPlus << true << w;
    }
  }
  void everyDepthReadsBackAsWritten() {
    QFETCH(PngDepth, depth);
    QFETCH(bool, masked);
    QFETCH(int, width);
    const PicturePtr pic = Sample(width, 5, masked);
    const QImage image = masked ? PictureIO::ImageToWrite(*pic, pic->MaskIfAny().get()) : ReduceToDepth(*pic, depth);
    QVERIFY(PngWriter::Handles(image));
    const QString path = Fixture::Home() + QStringLiteral("/out.png");
    const WriteResult written = PictureIO::Write(image, path, "png");
    QVERIFY2(written.ok, qPrintable(written.error));
    const QByteArray file = Fixture::ReadFile(path);

    // The colour type and bit depth that Qt's own writer chooses for the image.
    QCOMPARE(Header(file), Header(WrittenByQt(image)));

    const QByteArray expected = Rgba(image);
    const QImage byQt(path);
    QVERIFY(!byQt.isNull());
    QCOMPARE(byQt.size(), image.size());
    QVERIFY(Rgba(byQt) == expected);

    if (Convert().isEmpty()) QSKIP("ImageMagick's convert is not installed");
    QProcess convert;
    convert.start(Convert(), {QStringLiteral("png:") + path, QStringLiteral("-depth"), QStringLiteral("8"),
                              QStringLiteral("rgba:-")});
    QVERIFY(convert.waitForFinished(60000));
    QCOMPARE(convert.exitCode(), 0);
    QVERIFY(convert.readAllStandardOutput() == expected);
  }

  // A 24-bit plane, a grey plane and a palette with translucent entries are written as Qt writes them.
  void otherFormatsMatchQtsChoice_data() {
    QTest::addColumn<QImage>("image");
    QImage rgb888(9, 4, QImage::Format_RGB888);
    QImage grey(9, 4, QImage::Format_Grayscale8);
    QImage indexed(9, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgba(255, 0, 0, 255), qRgba(0, 0, 255, 128), qRgba(0, 0, 0, 0)});
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 9; ++x) {
        rgb888.setPixel(x, y, qRgb(x * 20, y * 60, 7));
        grey.scanLine(y)[x] = uchar(x * 25 + y);
        indexed.setPixel(x, y, uint((x + y) % 3));
      }
    QTest::newRow("24-bit") << rgb888;
    QTest::newRow("grey") << grey;
    QTest::newRow("palette with alpha") << indexed;
  }
  void otherFormatsMatchQtsChoice() {
    QFETCH(QImage, image);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QCOMPARE(PngWriter::Write(image, buffer), QString());
    QCOMPARE(Header(buffer.data()), Header(WrittenByQt(image)));
    QImage back;
    QVERIFY(back.loadFromData(buffer.data(), "png"));
    QVERIFY(Rgba(back) == Rgba(image));
  }

  // Pictures of several bands of rows, compressed on several processors and joined into one stream,
  // read back by Qt's reader and by the program's opening pixel for pixel at every format the writer
  // takes: bands of whole rows
  // throughout and a last band shorter than the others. The mono picture is wide: about 8 million
  // pixels fill one of its bands.
  void severalBandsReadBackExactly_data() {
    QTest::addColumn<QImage>("image");
    struct Case {
      const char* name;
      QImage::Format format;
      int width;
      bool greyRamp;
    };
    const Case cases[] = {{"black and white", QImage::Format_Mono, 32000, false},
                          {"palette", QImage::Format_Indexed8, 1500, false},
                          {"grey ramp palette", QImage::Format_Indexed8, 1500, true},
                          {"grey", QImage::Format_Grayscale8, 1500, false},
                          {"24-bit", QImage::Format_RGB888, 700, false},
                          {"32-bit", QImage::Format_RGB32, 700, false},
                          {"32-bit with alpha", QImage::Format_ARGB32, 500, false}};
    for (const Case& c : cases) {
      const int band = RowsPerBand(c.format, c.width);
      QTest::newRow(qPrintable(QStringLiteral("%1, two whole bands").arg(QLatin1String(c.name))))
          << Banded(c.format, c.width, 2 * band, c.greyRamp);
      QTest::newRow(qPrintable(QStringLiteral("%1, short last band").arg(QLatin1String(c.name))))
          << Banded(c.format, c.width, 2 * band + band / 3 + 1, c.greyRamp);
    }
    const int band = RowsPerBand(QImage::Format_RGB32, 700);
    QTest::newRow("flat 32-bit, short last band") << Banded(QImage::Format_RGB32, 700, 2 * band + 5, false, true);
  }
  void severalBandsReadBackExactly() {
    QFETCH(QImage, image);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QCOMPARE(PngWriter::Write(image, buffer), QString());
    QCOMPARE(Header(buffer.data()), Header(WrittenByQt(image)));
    QBuffer file(&buffer.buffer());
    file.open(QIODevice::ReadOnly);
    QImageReader reader(&file, "png");
    QImage back;
    QVERIFY2(reader.read(&back), qPrintable(reader.errorString()));
    QCOMPARE(back.width(), image.width());
    QCOMPARE(back.height(), image.height());
    const QByteArray want = Rgba(image), got = Rgba(back);
    // The first and the last row each on their own, then every pixel.
    const qsizetype row = qsizetype(image.width()) * 4;
    QVERIFY(got.left(row) == want.left(row));
    QVERIFY(got.right(row) == want.right(row));
    QVERIFY(got == want);

    // The program's own opening of the file: colours, and transparency as the mask.
    const QString path = Fixture::Home() + QStringLiteral("/bands.png");
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::WriteOnly));
    saved.write(buffer.data());
    saved.close();
    const DecodedPicture opened = PictureIO::Read(path, QStringLiteral("png"));
    QVERIFY(opened.picture);
    const QByteArray ours = Rgba(PictureIO::ImageToWrite(*opened.picture, opened.picture->MaskIfAny().get()));
    QVERIFY(ours.left(row) == want.left(row));
    QVERIFY(ours.right(row) == want.right(row));
    QVERIFY(ours == want);
  }

  void aFolderInTheWayLeavesItWhole() {
    const QString path = Fixture::Home() + QStringLiteral("/taken.png");
    QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    const WriteResult r = PictureIO::Write(PictureIO::ImageToWrite(*Sample(20, 20, false)), path, "png");
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(QFileInfo(path + QStringLiteral("/inside")).isDir());
  }

  // No room for the new file: the write fails and the old file keeps every byte; no temporary file stays.
  void noRoomLeavesTheOldFileWhole() {
    const QString folder = Fixture::Home() + QStringLiteral("/full");
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/picture.png");
    const QByteArray old = QByteArray("the old picture ") + QByteArray(100, 'x');
    Fixture::WriteFile(QStringLiteral("full/picture.png"), old);

    // Files may not grow beyond 4 KB for a moment: the writer runs out of room half way.
    struct rlimit was;
    getrlimit(RLIMIT_FSIZE, &was);
    struct rlimit small = was;
    small.rlim_cur = 4096;
    auto previous = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const WriteResult r = PictureIO::Write(PictureIO::ImageToWrite(*Sample(300, 200, false)), path, "png");
    setrlimit(RLIMIT_FSIZE, &was);
    signal(SIGXFSZ, previous);

    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(Fixture::ReadFile(path), old);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("picture.png")});
  }
};
PIXMURA_TEST_CLASS(PngWriterTests)

#include "PngWriterTests.moc"
