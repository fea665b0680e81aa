// Random input for the readers of files that the user or another program may change: the settings
// file, the shapes, the gradient files and the fill-pattern sheet. Each test runs for
// PIXMURA_FUZZ_SECONDS seconds (1 by default) with a seed from PIXMURA_FUZZ_SEED (or the clock), and
// prints the seed so that a failure can be run again.
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QTest>
#include <functional>
#include <random>

#include "app/classINI_File.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/PatternFills.h"
#include "gradients/modGRADIENT.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classPATTERNS.h"
#include "palettes/modBRUSHES.h"
#include "palettes/modSHAPES.h"
#include "platform/Picture.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {
double Seconds() {
  bool ok = false;
  const double s = qEnvironmentVariable("PIXMURA_FUZZ_SECONDS").toDouble(&ok);
  return ok && s > 0 ? s : 1.0;
}

uint32_t Seed() {
  bool ok = false;
  const uint32_t s = qEnvironmentVariable("PIXMURA_FUZZ_SEED").toUInt(&ok);
  return ok ? s : uint32_t(QDateTime::currentMSecsSinceEpoch());
}

// Text built from the pieces the readers care about, with now and then a raw byte.
class Noise {
 public:
  explicit Noise(uint32_t seed) : engine_(seed) {}
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
  // Text of the settings file's pieces, or of those given.
  QByteArray Text(int pieces) {
    static const std::vector<const char*> kPieces = {
        "[", "]", "=", ";", ",", ".", "-", "+", "&h", "&H", " ", "\t", "\n", "\r\n", "\r", "0", "1", "9", "FF",
        "99999999999", "2147483648", "-2147483649", "1e308", "Options", "Shapes", "Count", "Shape", "Shape1",
        "CustomColors", "Color", "Canvas", "Width", "Height", "Window", "MRU_FILES", "MRU0", "/", "True", "TRUE",
        "Transparent", "Brush", "Opacity", "DefaultType", "gif", "\xC3\xA9", "\xFF\xFE", "x", "Z"};
    return Text(pieces, kPieces);
  }
  QByteArray Text(int pieces, const std::vector<const char*>& from) {
    QByteArray out;
    for (int i = 0; i < pieces; ++i) {
      if (Below(10) == 0) out += char(Below(256));
      else if (Below(40) == 0) out += QByteArray(Below(3000), char('0' + Below(10)));
      else out += from[size_t(Below(int(from.size())))];
    }
    return out;
  }
  // One of the values.
  template <typename T>
  T Of(std::initializer_list<T> values) {
    return values.begin()[Below(int(values.size()))];
  }

 private:
  std::mt19937 engine_;
};

// Runs step with fresh noise until the time is up or a check failed, and says how often it ran.
void Repeat(const char* what, const std::function<void(Noise&)>& step) {
  const uint32_t seed = Seed();
  qInfo("%s: seed %u", what, seed);
  Noise noise(seed);
  QElapsedTimer clock;
  clock.start();
  long runs = 0;
  while (clock.elapsed() < Seconds() * 1000 && !QTest::currentTestFailed()) {
    step(noise);
    ++runs;
  }
  qInfo("%s: %ld runs", what, runs);
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The current gradient as text, to compare two readings.
QString GradientText() {
  QString out = QStringLiteral("%1,%2,%3").arg(modGRADIENT::Gradient_style).arg(modGRADIENT::gradient_cx).arg(modGRADIENT::gradient_cy);
  for (const auto& stop : modGRADIENT::Gradient) out += QStringLiteral(" %1:%2").arg(stop->Position).arg(stop->gColor, 0, 16);
  return out;
}

quint32 Crc(const QByteArray& data) {
  quint32 c = 0xFFFFFFFFu;
  for (uchar b : data) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
  }
  return ~c;
}

void PutBigEndian(QByteArray& bytes, qsizetype at, quint32 v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = char(v >> (24 - 8 * i));
}

// A PNG's chunks: type and body.
using Chunks = std::vector<std::pair<QByteArray, QByteArray>>;

Chunks ChunksOf(const QByteArray& png) {
  Chunks out;
  for (qsizetype at = 8; at + 12 <= png.size();) {
    const quint32 n = (quint32(uchar(png[at])) << 24) | (quint32(uchar(png[at + 1])) << 16) |
                      (quint32(uchar(png[at + 2])) << 8) | quint32(uchar(png[at + 3]));
    if (n > quint32(png.size() - at - 12)) break;
    out.emplace_back(png.mid(at + 4, 4), png.mid(at + 8, n));
    at += 12 + n;
  }
  return out;
}

QByteArray PngOf(const Chunks& chunks) {
  QByteArray out("\x89PNG\r\n\x1a\n", 8);
  for (const auto& [type, body] : chunks) {
    QByteArray chunk(4, 0);
    PutBigEndian(chunk, 0, quint32(body.size()));
    chunk += type + body;
    QByteArray crc(4, 0);
    PutBigEndian(crc, 0, Crc(type + body));
    out += chunk + crc;
  }
  return out;
}

// A damaged sheet made from a whole one: its header's fields changed (with checksums that still fit,
// so that the decoder reads on), its data cut or flipped, or bytes of another format.
QByteArray DamagedSheet(Noise& noise, const QByteArray& whole) {
  switch (noise.Below(6)) {
    case 0: {
      QByteArray raw = whole;
      for (int i = noise.Below(8); i >= 0 && !raw.isEmpty(); --i) raw[noise.Below(int(raw.size()))] = char(noise.Below(256));
      return raw;
    }
    case 1:
      return whole.left(noise.Below(int(whole.size())));
    case 2:
      return noise.Of<const char*>({"BM", "GIF89a", "\xFF\xD8\xFF", "\x89PNG\r\n\x1a\n", "II*\0"}) +
             noise.Text(noise.Below(200), {"\0", "\x01", "\xFF", "A", "\x10\x27", "\x7F\xFF\xFF\xFF"});
    default: {
      Chunks chunks = ChunksOf(whole);
      for (auto& [type, body] : chunks) {
        if (type == "IHDR" && body.size() == 13) {
          // Sizes whose products are small or far over what the program holds.
          const quint32 sizes[] = {0, 1, 2, 7, 31, 100, 265, 300, 1000, 2147483647u, 4294967295u};
          if (noise.Below(2)) PutBigEndian(body, 0, sizes[noise.Below(11)]);
          if (noise.Below(2)) PutBigEndian(body, 4, sizes[noise.Below(11)]);
          if (noise.Below(2)) body[8] = char(noise.Of<int>({1, 2, 4, 8, 16, noise.Below(256)}));
          if (noise.Below(2)) body[9] = char(noise.Of<int>({0, 2, 3, 4, 6, noise.Below(256)}));
          if (noise.Below(4) == 0) body[12] = char(noise.Below(3));
        } else if (type == "IDAT" && noise.Below(2)) {
          if (noise.Below(2)) body = body.left(noise.Below(int(body.size()) + 1));
          else if (!body.isEmpty()) body[noise.Below(int(body.size()))] = char(noise.Below(256));
        }
      }
      if (noise.Below(4) == 0 && chunks.size() > 2) chunks.erase(chunks.begin() + 1 + noise.Below(int(chunks.size()) - 2));
      if (noise.Below(4) == 0) chunks.insert(chunks.begin() + 1, {QByteArray("PLTE"), noise.Text(noise.Below(20), {"\0", "\xFF", "x"})});
      return PngOf(chunks);
    }
  }
}
}  // namespace

class FuzzTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Whatever the file holds, reading it and every typed read succeed, and the written form is stable:
  // what is saved reads back to the same saved text.
  void settingsFileReader() {
    const QString path = Fixture::Home() + QStringLiteral("/fuzz.ini");
    Repeat("settings-file reader", [&](Noise& noise) {
      Fixture::WriteFile(QStringLiteral("fuzz.ini"), noise.Text(1 + noise.Below(300)));
      classINI_File ini(Platform::FolderItem::FromPath(path));
      ini.Load();
      for (const QString& section : {QStringLiteral("Options"), QStringLiteral("Shapes"), QStringLiteral("x")}) {
        for (const QString& key : ini.Section_Keys(section)) {
          ini.Get(section, key, false);
          ini.GetColor(section, key, 0);
          ini.Get(section, key, int32_t(0));
          ini.Get(section, key, 0.0f);
          ini.Get(section, key, 0.0);
        }
      }
      ini.Save();
      const QByteArray once = ReadAll(path);
      ini.Load();
      ini.Save();
      QCOMPARE(ReadAll(path), once);
    });
  }

  // The whole loading of the settings, on damaged files: the program starts with usable values.
  void settingsLoading() {
    Repeat("settings loading", [](Noise& noise) {
      QByteArray text = noise.Text(1 + noise.Below(200));
      if (noise.Below(2)) text.prepend("[Shapes]\nCount=99999999\n");
      Fixture::WriteFile(QStringLiteral("data/pixmura/Config.INI"), text);
      Fixture::StartProgram();
      QVERIFY(modMAIN::work_area);
      QVERIFY(modOptions::option_Draw_Opaque == 0 || modOptions::option_Draw_Opaque == 1);
      QVERIFY(modOptions::option_BrushOpacity >= 0 && modOptions::option_BrushOpacity <= 255);
      QVERIFY(modSHAPES::Shape_List.size() >= 20);
      modOptions::Options_Save();
    });
  }

  // Whatever a gradient file holds, it reads, draws in every style and sorts; and what is written of
  // it reads back to the same gradient.
  void gradientFileReader() {
    const QString path = Fixture::SettingsFolder() + QStringLiteral("/Fuzz.Gradient");
    const auto picture = Platform::Picture::Create(23, 11, 32);
    Repeat("gradient-file reader", [&](Noise& noise) {
      QByteArray text = noise.Text(1 + noise.Below(40), {",", ":", "&h", "&H", "-", "+", " ", "\n", "\r\n", "\r", "0",
                                                         "1", "2", "50", "100", "101", "-1", "FF", "ff", "12", "zz",
                                                         "2147483647", "-2147483648", "99999999999", ".5", "\xC3\xA9"});
      if (noise.Below(2)) text.prepend(noise.Of<const char*>({"0,50,50\n", "1,0,0\n", "2,100,100\n", "2,-7,300\n"}));
      Fixture::WriteFile(QStringLiteral("data/pixmura/Fuzz.Gradient"), text);
      modGRADIENT::Get_Gradient_Path(QStringLiteral("Fuzz"));
      QVERIFY(modGRADIENT::Load_Gradient(false));
      const QString read = GradientText();
      for (bool horizontalOnly : {true, false}) modGRADIENT::Draw_Gradient(*picture, horizontalOnly);
      modGRADIENT::Save_Gradient(false, QStringLiteral("Fuzz"));
      QVERIFY(modGRADIENT::Load_Gradient(false));
      QCOMPARE(GradientText(), read);
      modGRADIENT::Sort_Gradient();
      for (int i = 1; i <= modGRADIENT::Gradient.Ubound(); ++i)
        QVERIFY(modGRADIENT::Gradient[i - 1]->Position <= modGRADIENT::Gradient[i]->Position);
      for (int32_t style : {0, 1, 2}) {
        modGRADIENT::Gradient_style = style;
        modGRADIENT::Draw_Gradient(*picture, false);
      }
    });
    QFile::remove(path);
  }

  // Whatever the pattern sheet holds, the start has a sheet, and every pattern is made of the
  // foreground's and the background's channels: each channel of 0 in the sheet's cell takes the
  // foreground's, 255 (and what lies outside the sheet) the background's, any other value 0. A sheet
  // with transparency is blended onto white first, so there only the three values are checked.
  void patternSheet() {
    const QString path = modOptions::Get_Folder_Brushes()->ShellPath();
    const QByteArray whole = ReadAll(path);
    QVERIFY(whole.startsWith("\x89PNG"));
    const Platform::Color fg = 0x123456, bg = 0xABCDEF;
    // The decoders' complaints about each damaged file are expected here.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    const auto quiet = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
    Repeat("pattern sheet", [&](Noise& noise) {
      Fixture::WriteFile(QStringLiteral("data/pixmura/User_Brushes.png"), DamagedSheet(noise, whole));
      modBRUSHES::Manage_User_Brushes();
      QVERIFY(modMAIN::user_brushes);
      const Platform::PicturePtr& sheet = modMAIN::user_brushes;
      const bool opaque = !sheet->HasMask() && sheet->Transparent == 0;
      const auto channel = [](int sheetValue, int f, int b) { return sheetValue == 0 ? f : sheetValue == 255 ? b : 0; };
      for (int n = 1; n <= 16; ++n) {
        const PatternFills::Tile tile = PatternFills::PatternTile(sheet, n, fg, bg);
        const QPoint cell = PatternFills::SheetCell(n);
        for (int y = 0; y < PatternFills::kTileSize; ++y)
          for (int x = 0; x < PatternFills::kTileSize; ++x) {
            const QRgb c = tile[size_t(y * PatternFills::kTileSize + x)];
            const int sx = cell.x() + x, sy = cell.y() + y;
            const Platform::Color s =
                sx < sheet->Width() && sy < sheet->Height() ? sheet->Pixel(sx, sy) & 0xFFFFFF : 0xFFFFFF;
            const bool right =
                opaque ? qRgb(channel(Platform::Red(s), 0x12, 0xAB), channel(Platform::Green(s), 0x34, 0xCD),
                              channel(Platform::Blue(s), 0x56, 0xEF)) == c
                       : (qRed(c) == 0x12 || qRed(c) == 0xAB || qRed(c) == 0) &&
                             (qGreen(c) == 0x34 || qGreen(c) == 0xCD || qGreen(c) == 0) &&
                             (qBlue(c) == 0x56 || qBlue(c) == 0xEF || qBlue(c) == 0);
            if (!right)
              QFAIL(qPrintable(QStringLiteral("pattern %1 (%2, %3): %4 for %5")
                                   .arg(n).arg(x).arg(y).arg(c & 0xFFFFFF, 6, 16).arg(s, 6, 16)));
          }
      }
      if (classPATTERNS* palette = winMAIN::instance()->classPATTERNS1) palette->Reset();
    });
  }

  // Any definition reads to one vertex per field after the name and places in any box.
  void shapeReader() {
    Repeat("shape reader", [](Noise& noise) {
      const QString definition = QString::fromUtf8(noise.Text(1 + noise.Below(60)));
      QCOMPARE(qsizetype(modSHAPES::Read_Shape(definition).size()), definition.count(QLatin1Char(';')));
      modSHAPES::Shape_List = {definition};
      modSHAPES::Shape_Index = -1;
      classRECTANGLE box;
      const auto corner = [&] {
        // Corners as far apart as a rectangle can measure.
        static const int32_t kEdges[] = {0, 1, -1, 7, 1000, -1000, 1 << 29, -(1 << 29)};
        return kEdges[noise.Below(8)];
      };
      box.set_Top_Left(modMAIN::Point_of(corner(), corner()));
      box.set_Bot_Right(modMAIN::Point_of(corner(), corner()));
      modSHAPES::Get_Shape(0, box);
      QCOMPARE(qsizetype(modSHAPES::Shape_Point.size()), 2 * definition.count(QLatin1Char(';')) + 1);
    });
  }
};

PIXMURA_TEST_CLASS(FuzzTests)
#include "FuzzTests.moc"
