// Random input for the settings-file reader and the shape reader. Each test runs for
// PIXMURA_FUZZ_SECONDS seconds (1 by default) with a seed from PIXMURA_FUZZ_SEED (or the clock), and
// prints the seed so that a failure can be run again.
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <functional>
#include <random>

#include "app/classINI_File.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/modSHAPES.h"
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
  QByteArray Text(int pieces) {
    static const char* const kPieces[] = {
        "[", "]", "=", ";", ",", ".", "-", "+", "&h", "&H", " ", "\t", "\n", "\r\n", "\r", "0", "1", "9", "FF",
        "99999999999", "2147483648", "-2147483649", "1e308", "Options", "Shapes", "Count", "Shape", "Shape1",
        "CustomColors", "Color", "Canvas", "Width", "Height", "Window", "MRU_FILES", "MRU0", "/", "True", "TRUE",
        "Transparent", "Brush", "Opacity", "DefaultType", "gif", "\xC3\xA9", "\xFF\xFE", "x", "Z"};
    QByteArray out;
    for (int i = 0; i < pieces; ++i) {
      if (Below(10) == 0) out += char(Below(256));
      else if (Below(40) == 0) out += QByteArray(Below(3000), char('0' + Below(10)));
      else out += kPieces[Below(int(std::size(kPieces)))];
    }
    return out;
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
