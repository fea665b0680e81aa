#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSlider>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QElapsedTimer>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/classINI_File.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLOR.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/modSHAPES.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modOptions;

namespace {
// The bounds the window takes for the bounds asked: it cannot be made smaller than its minimum, 940 x 480
// below the menu bar.
QSize Held(QSize asked) {
  winMAIN* w = winMAIN::instance();
  return asked.expandedTo(QSize(940, 480 + w->height() - w->centralWidget()->height()));
}
QRect Held(int x, int y, int width, int height) { return QRect(QPoint(x, y), Held(QSize(width, height))); }

QString ConfigPath() { return Fixture::SettingsFolder() + QStringLiteral("/Config.INI"); }

QString ReadConfig() {
  QFile f(ConfigPath());
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  return QString::fromUtf8(f.readAll());
}

// Starts the program on a settings file of this text.
void StartWith(const QString& config) {
  QFile f(ConfigPath());
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(config.toUtf8());
  f.close();
  Fixture::StartProgram();
}

// Quits through the menu, as the user does.
void Quit() {
  MenuBar1::instance()->Item(QStringLiteral("FileQuit"))->trigger();
  QVERIFY(!winMAIN::instance()->isVisible());
}

QString Existing(const QString& name) { return Fixture::WriteFile(name, "x"); }
}  // namespace

class SettingsTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Settings that cannot be written at quit are reported once, with the file and the reason, and the
  // old file stays whole: a full disk (files may not grow beyond 1 KB for the moment), or a folder
  // standing where the file should be.
  void settingsThatCannotBeWrittenAreReported_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("disk full") << "full";
    QTest::newRow("a folder in the way") << "folder";
  }
  void settingsThatCannotBeWrittenAreReported() {
    QFETCH(QString, how);
    const QString old = QStringLiteral("\n[Options]\nShowColors=False\n");
    StartWith(old);
    if (how == QLatin1String("folder")) {
      QVERIFY(QFile::remove(ConfigPath()));
      QVERIFY(QDir().mkpath(ConfigPath() + QStringLiteral("/inside")));
    }
    QString shown;
    Fixture::ExpectAny([&](Platform::ModalRequest& r) -> QVariant {
      shown = r.message;
      if (r.kind != Platform::ModalKind::MessageBox || r.title != QLatin1String("ERROR") || r.icon != QLatin1String("stop"))
        Platform::ModalHost::RecordFailure(QStringLiteral("not the error box: ") + Platform::ModalHost::Describe(r));
      return QStringLiteral("Ok");
    });
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (how == QLatin1String("full")) {
      rlimit small = saved;
      small.rlim_cur = 1024;
      setrlimit(RLIMIT_FSIZE, &small);
    }
    Quit();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    const QString start = QStringLiteral("ERROR^The settings could not be saved.^") + ConfigPath() + QStringLiteral(": ");
    QVERIFY2(shown.startsWith(start) && shown.size() > start.size(), qPrintable(shown));
    if (how == QLatin1String("full")) QCOMPARE(ReadConfig(), old);
    else QVERIFY(QFileInfo(ConfigPath()).isDir());
    QCOMPARE(QDir(Fixture::SettingsFolder()).entryList(QStringList{QStringLiteral("Config.INI*")},
                                                        QDir::AllEntries | QDir::Hidden),
             QStringList{QStringLiteral("Config.INI")});
  }

  void firstStartThenQuitWritesEveryDefault() {
    QVERIFY(!QFile::exists(ConfigPath()));
    Quit();
    const QRect bounds = winMAIN::instance()->geometry();
    QString shapes;
    // Keys sort as text: shape1, shape10 ... shape19, shape2, shape20, shape3 ...
    QStringList keys;
    for (int k = 1; k <= 20; ++k) keys << QStringLiteral("shape%1").arg(k);
    keys.sort();
    for (const QString& k : keys) shapes += k + QLatin1Char('=') + modSHAPES::Shape_List[k.mid(5).toInt() - 1] + QLatin1Char('\n');
    const QString expected = QStringLiteral(
        "\n[ARROWHEAD]\nconcavity=0\nlength=5\nstyle=0\nwidth=5\n"
        "\n[BRUSH]\nopacity=128\nrandom=True\n"
        "\n[CANVAS]\nheight=480\nwidth=640\n"
        "\n[COLORMETER]\nleft=50\nmode=0\ntop=50\n"
        "\n[CUSTOMCOLORS]\ncount=0\nmode=0\npalette=0\n"
        "\n[GRID]\ncolor1=&hC0C0C0\ncolor2=&hA0A0A0\n"
        "\n[OPTIONS]\nantialias=False\nautochecknext=200912310000\nautocheckupdates=True\nbackgroundcolor=&h808080\n"
        "colorpicker=False\ncrosshair=False\ndefaulttype=png\nhandlecolor=&h000000\nhelptags=True\noldtextmode=False\n"
        "ruler_bcolor=&hE0E0E0\nruler_fcolor=&h000000\nrulerpixel=True\nshowcolors=True\nshowpattern=True\n"
        "showruler=False\nshowstatus=True\nshowtools=True\ntransparent=0\nwebsite=www.pixmura.example\n"
        "\n[PRINTER]\ncenter_h=False\ncenter_v=False\nfitpage=False\nlandscape=False\nmetric=False\n"
        "\n[SHAPES]\ncount=20\n%1"
        "\n[THUMBNAIL]\nheight=200\nleft=60\ntop=60\nwidth=200\n"
        "\n[TRANSPARENT]\ncolor1=&hDBDBDB\ncolor2=&hFFFFFF\nsize=L\n"
        "\n[WINDOW]\nheight=%2\nleft=%3\nscrollbar=False\ntop=%4\nwidth=%5\n")
                                 .arg(shapes)
                                 .arg(bounds.height())
                                 .arg(bounds.x())
                                 .arg(bounds.y())
                                 .arg(bounds.width());
    QCOMPARE(ReadConfig(), expected);
    QCOMPARE(bounds.size(), Held(QSize(800, 600)));
  }

  void defaultWindowIsCentredOnTheScreen() {
    Platform::Environment::OverrideScreenSize(QSize(1281, 1025));
    Fixture::StartProgram();
    QCOMPARE(win_left, 240);
    QCOMPARE(win_top, 212);
    QCOMPARE(winMAIN::instance()->geometry(), Held(240, 212, 800, 600));
  }

  void savedValuesComeBack() {
    StartWith(QStringLiteral("[Options]\nShowColors=False\nRuler_BColor=&h123456\nAutoCheckNext=202501010000\n"
                             "[Window]\nLeft=30\nTop=40\nWidth=700\nHeight=500\n[Canvas]\nWidth=320\nHeight=200\n"
                             "[ThumbNail]\nWidth=150\n[Unknown]\nKeep=me\n"));
    QCOMPARE(option_ShowColors, false);
    QCOMPARE(option_Ruler_Bcolor, Platform::Color(0x123456));
    QCOMPARE(option_Autocheck_Next, QStringLiteral("202501010000"));
    QCOMPARE(option_Thumbnail_Width, 150);
    QCOMPARE(winMAIN::instance()->geometry(), Held(30, 40, 700, 500));
    QCOMPARE(modMAIN::work_area->Width(), 320);
    QCOMPARE(modMAIN::work_area->Height(), 200);
    Quit();
    const QString saved = ReadConfig();
    QVERIFY(saved.contains(QStringLiteral("\n[UNKNOWN]\nkeep=me\n")));
    QVERIFY(saved.contains(QStringLiteral("ruler_bcolor=&h123456\n")));
    QVERIFY(saved.contains(QStringLiteral("\n[CANVAS]\nheight=200\nwidth=320\n")));
  }

  void drawOpaqueIsZeroOrOne_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("loaded");
    QTest::newRow("5") << "5" << 1;
    QTest::newRow("-1") << "-1" << 1;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("text") << "yes" << 0;
  }
  void drawOpaqueIsZeroOrOne() {
    QFETCH(QString, stored);
    QFETCH(int, loaded);
    StartWith(QStringLiteral("[Options]\nTransparent=%1\n").arg(stored));
    QCOMPARE(option_Draw_Opaque, loaded);
    option_Draw_Opaque = 7;
    Quit();
    QVERIFY(ReadConfig().contains(QStringLiteral("\ntransparent=1\n")));
  }

  void defaultTypeMustBeSupported_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("loaded");
    QTest::newRow("bmp") << "bmp" << "bmp";
    QTest::newRow("JPEG always") << "JPEG" << "JPEG";
    QTest::newRow("gif without converter") << "gif" << "png";
    QTest::newRow("unknown") << "xcf" << "png";
  }
  void defaultTypeMustBeSupported() {
    QFETCH(QString, stored);
    QFETCH(QString, loaded);
    Platform::Environment::OverrideToolPath(QStringLiteral("convert"), Fixture::Home() + QStringLiteral("/no-convert"));
    StartWith(QStringLiteral("[Options]\nDefaultType=%1\n").arg(stored));
    QCOMPARE(supported_types, QStringLiteral("png,jpg,bmp,pict"));
    QCOMPARE(option_SaveAs, loaded);
  }

  // Values from a damaged or hand-edited file stay within what the program can use.
  void damagedValuesAreBounded_data() {
    QTest::addColumn<QString>("config");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<int>("opacity");
    QTest::newRow("canvas 0") << "[Canvas]\nWidth=0\nHeight=300\n" << QSize(640, 480) << QSize(800, 600) << 128;
    QTest::newRow("canvas negative") << "[Canvas]\nWidth=300\nHeight=-5\n" << QSize(640, 480) << QSize(800, 600) << 128;
    QTest::newRow("canvas absurd") << "[Canvas]\nWidth=2000000\nHeight=2000000\n" << QSize(640, 480) << QSize(800, 600) << 128;
    QTest::newRow("canvas beyond Int32") << "[Canvas]\nWidth=99999999999\nHeight=10\n" << QSize(640, 480) << QSize(800, 600) << 128;
    QTest::newRow("canvas fine") << "[Canvas]\nWidth=33\nHeight=44\n" << QSize(33, 44) << QSize(800, 600) << 128;
    QTest::newRow("window 0") << "[Window]\nWidth=0\nHeight=0\n" << QSize(640, 480) << QSize(800, 600) << 128;
    // The test screen is 1000 x 700: a larger window is bounded by it.
    QTest::newRow("window huge") << "[Window]\nWidth=90000\nHeight=500\n" << QSize(640, 480) << QSize(1000, 500) << 128;
    QTest::newRow("window past the checkerboard limit")
        << "[Window]\nWidth=20001\nHeight=20000\n" << QSize(640, 480) << QSize(1000, 700) << 128;
    QTest::newRow("window a pixel too tall") << "[Window]\nWidth=1000\nHeight=701\n" << QSize(640, 480) << QSize(1000, 700) << 128;
    QTest::newRow("window as large as the screen")
        << "[Window]\nWidth=1000\nHeight=700\n" << QSize(640, 480) << QSize(1000, 700) << 128;
    QTest::newRow("window fine") << "[Window]\nWidth=640\nHeight=400\n" << QSize(640, 480) << QSize(640, 400) << 128;
    QTest::newRow("opacity high") << "[Brush]\nOpacity=100000\n" << QSize(640, 480) << QSize(800, 600) << 255;
    QTest::newRow("opacity negative") << "[Brush]\nOpacity=-3\n" << QSize(640, 480) << QSize(800, 600) << 0;
  }
  void damagedValuesAreBounded() {
    QFETCH(QString, config);
    QFETCH(QSize, canvas);
    QFETCH(QSize, window);
    QFETCH(int, opacity);
    Platform::Environment::OverrideScreenSize(QSize(1000, 700));
    StartWith(config);
    QCOMPARE(QSize(modMAIN::work_area->Width(), modMAIN::work_area->Height()), canvas);
    QCOMPARE(winMAIN::instance()->size(), Held(window));
    QCOMPARE(option_BrushOpacity, opacity);
  }

  void windowOffTheScreenStaysThere() {
    StartWith(QStringLiteral("[Window]\nLeft=5000\nTop=-3000\nWidth=700\nHeight=500\n"));
    QCOMPARE(winMAIN::instance()->geometry(), Held(5000, -3000, 700, 500));
  }

  void recentFiles() {
    QStringList paths;
    for (int i = 0; i < 8; ++i) paths << Existing(QStringLiteral("pics/p%1.png").arg(i));
    QDir().mkpath(Fixture::Home() + QStringLiteral("/pics/folder.png"));
    QString config = QStringLiteral("[MRU_FILES]\n");
    for (int i = 0; i < 8; ++i) {
      QString path = paths[i];
      if (i == 2) path = Fixture::Home() + QStringLiteral("/pics/gone.png");
      if (i == 5) path = Fixture::Home() + QStringLiteral("/pics/folder.png");
      config += QStringLiteral("MRU%1=%2\n").arg(i).arg(path);
    }
    config += QStringLiteral("MRU8=%1\n").arg(Existing(QStringLiteral("pics/ninth.png")));
    StartWith(config);
    QCOMPARE(modMAIN::MRU_Files, (QStringList{paths[0], paths[1], paths[3], paths[4], paths[6], paths[7]}));
    // Every entry is written back, renumbered from MRU0; more than eight are kept in the file.
    modMAIN::MRU_Files << Existing(QStringLiteral("pics/a.png")) << Existing(QStringLiteral("pics/b.png"))
                       << Existing(QStringLiteral("pics/c.png")) << QStringLiteral("  ");
    Quit();
    classINI_File ini(Platform::FolderItem::FromPath(ConfigPath()));
    ini.Load();
    QCOMPARE(ini.Section_Keys(QStringLiteral("MRU_FILES")).size(), 9);
    QCOMPARE(ini.Get(QStringLiteral("MRU_FILES"), QStringLiteral("MRU2"), QString()), paths[3]);
    QCOMPARE(ini.Get(QStringLiteral("MRU_FILES"), QStringLiteral("MRU8"), QString()), Fixture::Home() + QStringLiteral("/pics/c.png"));
    Fixture::StartProgram();
    QCOMPARE(modMAIN::MRU_Files.size(), 8);
    QCOMPARE(modMAIN::MRU_Files.last(), Fixture::Home() + QStringLiteral("/pics/b.png"));
  }

  void recentFileTwiceInTheFileIsListedOnce() {
    const QString a = Existing(QStringLiteral("a.png")), b = Existing(QStringLiteral("b.png"));
    StartWith(QStringLiteral("[MRU_FILES]\nMRU0=%1\nMRU1=%2\nMRU2=%1\n").arg(a, b));
    QCOMPARE(modMAIN::MRU_Files, (QStringList{a, b}));
  }

  void shapesFromTheFile() {
    StartWith(QStringLiteral("[Shapes]\nCount=5\nShape1=diamond;0,0;1,1;0,1\nShape2=Heart;0,1;1,0\nShape3=no semicolon\n"
                             "Shape4=\nShape5=Heart;0,0;2,2\nShape6=Late;0,0\n"));
    QCOMPARE(modSHAPES::Shape_List.size(), size_t(21));
    QCOMPARE(modSHAPES::Shape_List[0], QStringLiteral("diamond;0,0;1,1;0,1"));
    QCOMPARE(modSHAPES::Shape_List[1].left(9), QStringLiteral("Pentagon;"));
    QCOMPARE(modSHAPES::Shape_List[20], QStringLiteral("Heart;0,0;2,2"));
    Quit();
    classINI_File ini(Platform::FolderItem::FromPath(ConfigPath()));
    ini.Load();
    QCOMPARE(ini.Get(QStringLiteral("Shapes"), QStringLiteral("Count"), int32_t(0)), 21);
    QCOMPARE(ini.Get(QStringLiteral("Shapes"), QStringLiteral("Shape21"), QString()), QStringLiteral("Heart;0,0;2,2"));
  }

  // The shapes are read from the keys the file holds: a huge count costs nothing.
  void hugeShapeCountDoesNotLoop() {
    QElapsedTimer t;
    t.start();
    StartWith(QStringLiteral("[Shapes]\nCount=2147483647\nShape2147483647=Far;1,1\nShape0=Zero;0,0\nShape01=Padded;0,0\n"));
    QVERIFY(t.elapsed() < 5000);
    QCOMPARE(modSHAPES::Shape_List.size(), size_t(21));
    QCOMPARE(modSHAPES::Shape_List[20], QStringLiteral("Far;1,1"));
    StartWith(QStringLiteral("[Shapes]\nCount=-4\nShape1=Neg;0,0\n"));
    QCOMPARE(modSHAPES::Shape_List.size(), size_t(20));
  }

  // A settings file that is no file of settings: the program starts with the defaults, at once. Each
  // would hold ShowRuler=True at its start if it were read.
  void hostileSettingsFileGivesTheDefaults_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("3 GB sparse file of zero bytes") << "sparse";
    QTest::newRow("file over 8 MB") << "large";
    QTest::newRow("FIFO") << "fifo";
    QTest::newRow("link to /dev/zero") << "/dev/zero";
    QTest::newRow("link to /dev/urandom") << "/dev/urandom";
  }
  void hostileSettingsFileGivesTheDefaults() {
    QFETCH(QString, kind);
    const QByteArray head("[Options]\nShowRuler=True\n");
    const QByteArray path = QFile::encodeName(ConfigPath());
    if (kind == QLatin1String("sparse") || kind == QLatin1String("large")) {
      QFile f(ConfigPath());
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(head);
      if (kind == QLatin1String("large")) {
        // Well-formed lines all the way: only the size makes it damage.
        const QByteArray line("[Other]\nkey=value value value value value value value\n");
        while (f.size() <= classINI_File::kMaxFileBytes) f.write(line);
      } else {
        QVERIFY(f.resize(3LL * 1024 * 1024 * 1024));
      }
      f.close();
    } else if (kind == QLatin1String("fifo")) {
      QVERIFY(::mkfifo(path.constData(), 0600) == 0);
    } else {
      QVERIFY(::symlink(kind.toLocal8Bit().constData(), path.constData()) == 0);
    }
    QElapsedTimer t;
    t.start();
    Fixture::StartProgram();
    QVERIFY2(t.elapsed() < 10000, qPrintable(QString::number(t.elapsed())));
    QVERIFY(modMAIN::work_area);
    QCOMPARE(QSize(modMAIN::work_area->Width(), modMAIN::work_area->Height()), QSize(640, 480));
    QVERIFY(!option_ShowRuler);
    QVERIFY(option_ShowTools);
    QCOMPARE(modSHAPES::Shape_List.size(), size_t(20));
    // The settings that are in use are all there in the store, as on a first start.
    QVERIFY(modMAIN::INI_File->Has(QStringLiteral("Options"), QStringLiteral("ShowRuler")));
    QCOMPARE(modMAIN::INI_File->Get(QStringLiteral("Options"), QStringLiteral("ShowRuler"), QString()),
             QStringLiteral("False"));
  }

  // Shapes from the file merge by name whatever their number: the start grows with the number of
  // shapes, not with its square (a list searched from its front for each shape would make 100,000 take a
  // hundred times as long as 10,000; here it is about ten times, in this checked build a few seconds),
  // and the merge is the same.
  void manyShapesStartQuickly() {
    const auto config = [](int n) {
      QString text = QStringLiteral("[Shapes]\nCount=%1\n").arg(n + 3);
      for (int i = 1; i <= n; ++i) text += QStringLiteral("Shape%1=S%1;0,-1;1,1;-1,1;0,-1\n").arg(i);
      // A built-in name in another case replaces the built-in shape in place; a name met twice keeps
      // its first place and its later definition.
      text += QStringLiteral("Shape%1=HEXAGON;0,0;1,1\n").arg(n + 1);
      text += QStringLiteral("Shape%1=s1;9,9\n").arg(n + 2);
      text += QStringLiteral("Shape%1=Last;1,1\n").arg(n + 3);
      return text;
    };
    StartWith(config(1000));
    QElapsedTimer t;
    t.start();
    StartWith(config(10000));
    const qint64 few = t.restart();
    StartWith(config(100000));
    const qint64 many = t.elapsed();
    // Linear is about 10 times, a merge that looks through the list for every shape about 100 times; the
    // margin lets a busy machine pass without letting the quadratic merge through.
    QVERIFY2(many < 40 * few + 5000,
             qPrintable(QStringLiteral("10,000 shapes: %1 ms, 100,000 shapes: %2 ms").arg(few).arg(many)));
    // 20 built in, 100,000 new, one replaced in place, one repeated, one more.
    QCOMPARE(modSHAPES::Shape_List.size(), size_t(20 + 100000 + 1));
    QCOMPARE(modSHAPES::Shape_List[2], QStringLiteral("HEXAGON;0,0;1,1"));
    QCOMPARE(modSHAPES::Shape_List[20], QStringLiteral("s1;9,9"));
    QCOMPARE(modSHAPES::Shape_List[21], QStringLiteral("S2;0,-1;1,1;-1,1;0,-1"));
    QCOMPARE(modSHAPES::Shape_List[20 + 99999], QStringLiteral("S100000;0,-1;1,1;-1,1;0,-1"));
    QCOMPARE(modSHAPES::Shape_List[20 + 100000], QStringLiteral("Last;1,1"));
  }

  void customColours() {
    QString config = QStringLiteral("[CustomColors]\nPalette=1\nMode=2\nCount=20\n");
    for (int i = 1; i <= 20; ++i) config += QStringLiteral("Color%1=&h0000%2\n").arg(i).arg(i, 2, 16, QLatin1Char('0'));
    StartWith(config);
    classCOLORS* palette = winMAIN::instance()->classCOLORS1;
    QCOMPARE(palette->Palette(), 1);
    QCOMPARE(option_Color_Picker_Mode, 2);
    QCOMPARE(palette->CustomColor_Count(), 15);
    QCOMPARE(palette->CustomColor_GET(15), Platform::Color(0x00000F));
    // A custom colour that repeats a built-in or an earlier custom colour is not written again.
    palette->Add_Color(0xDCDCDC);  // built into the Enhanced palette
    palette->Add_Color(0x000003);
    Quit();
    classINI_File ini(Platform::FolderItem::FromPath(ConfigPath()));
    ini.Load();
    QCOMPARE(ini.Get(QStringLiteral("CustomColors"), QStringLiteral("Count"), int32_t(0)), 15);
    QVERIFY(!ini.Has(QStringLiteral("CustomColors"), QStringLiteral("Color16")));
    QCOMPARE(ini.Get(QStringLiteral("CustomColors"), QStringLiteral("Palette"), int32_t(0)), 1);
    QCOMPARE(ini.Get(QStringLiteral("CustomColors"), QStringLiteral("Mode"), int32_t(0)), 2);
  }

  void paletteNumberSurvivesWithoutCustomColours() {
    StartWith(QStringLiteral("[CustomColors]\nPalette=2\n"));
    QCOMPARE(winMAIN::instance()->classCOLORS1->CustomColor_Count(), 0);
    QCOMPARE(winMAIN::instance()->classCOLORS1->Colors()[2], Platform::Color(0xFFD4BF));
    Quit();
    Fixture::StartProgram();
    QCOMPARE(winMAIN::instance()->classCOLORS1->Palette(), 2);
  }

  void selectAColorWithTheProgramsWindow_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<uint>("result");
    QTest::addColumn<bool>("cancelled");
    QTest::newRow("OK") << "OK" << 0x80FF10u << false;
    QTest::newRow("Cancel") << "Cancel" << 0x123456u << true;
    QTest::newRow("close box") << "close" << 0x123456u << true;
  }
  void selectAColorWithTheProgramsWindow() {
    QFETCH(QString, how);
    QFETCH(uint, result);
    QFETCH(bool, cancelled);
    option_ColorPicker = false;
    modMAIN::Dialog_Cancel = !cancelled;
    Fixture::ExpectDialog(QStringLiteral("winCOLOR"), [how](QDialog* d) {
      auto* w = static_cast<winCOLOR*>(d);
      QCOMPARE(w->windowTitle(), QStringLiteral("Select Color"));
      QCOMPARE(w->Working_Color(), Platform::Color(0x123456));
      w->findChild<QSlider*>(QStringLiteral("SliderRGB0"))->setValue(-0x80);
      w->findChild<QSlider*>(QStringLiteral("SliderRGB1"))->setValue(-0xFF);
      w->findChild<QSlider*>(QStringLiteral("SliderRGB2"))->setValue(-0x10);
      if (how == QLatin1String("close")) w->close();
    }, how == QLatin1String("close") ? QString() : how);
    QCOMPARE(Select_A_Color(0x123456), Platform::Color(result));
    QCOMPARE(modMAIN::Dialog_Cancel, cancelled);
    // Whichever way it closed, the window leaves the colour on show.
    QCOMPARE(modMAIN::Dialog_Color, Platform::Color(0x80FF10));
  }

  void selectAColorWithTheSystemPicker() {
    option_ColorPicker = true;
    Fixture::ExpectColorPicker(QColor(0x11, 0x22, 0x33), QColor(0xAB, 0xCD, 0xEF));
    QCOMPARE(Select_A_Color(0xABCDEF), Platform::Color(0x112233));
    QVERIFY(!modMAIN::Dialog_Cancel);
    Fixture::ExpectColorPicker(QColor());
    QCOMPARE(Select_A_Color(0xABCDEF), Platform::Color(0xABCDEF));
    QVERIFY(modMAIN::Dialog_Cancel);
  }

  void supportedTypes() {
    supported_types = QStringLiteral("png,jpg,bmp,pict");
    QVERIFY(Is_Supported_Type(QStringLiteral("PNG")));
    QVERIFY(Is_Supported_Type(QStringLiteral("jpeg")));
    QVERIFY(!Is_Supported_Type(QString()));
    QVERIFY(!Is_Supported_Type(QStringLiteral("gif")));
  }
};

PIXMURA_TEST_CLASS(SettingsTests)
#include "SettingsTests.moc"
