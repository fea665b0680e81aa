#include <QFile>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

#include "app/classINI_File.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {
QString ReadText(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
  return QString::fromUtf8(f.readAll());
}

// A store on a file of the test's home, written first with the given text when there is one.
classINI_File StoreOn(const QString& name, const QByteArray* text = nullptr) {
  const QString path = text ? Fixture::WriteFile(name, *text) : Fixture::Home() + QLatin1Char('/') + name;
  return classINI_File(Platform::FolderItem::FromPath(path));
}
}  // namespace

class IniFileTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Reading a file and writing it back shows what the reader kept, in the writer's sorted form.
  void loadRules_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("saved");
    QTest::newRow("lines before any section are ignored") << QByteArray("a=1\nb=2\n") << "";
    QTest::newRow("blanks around names, values and =")
        << QByteArray("  [Grid]  \n   Color1 =   &hC0C0C0   \n") << "\n[GRID]\ncolor1=&hC0C0C0\n";
    QTest::newRow("keys differing in case are one entry, the later wins")
        << QByteArray("[Options]\nShowColors=True\nSHOWCOLORS=False\n") << "\n[OPTIONS]\nshowcolors=False\n";
    QTest::newRow("=, leading or trailing =, no = and ; lines are ignored")
        << QByteArray("[S]\n=x\nx=\nnoequals\n;comment\nk=v\n") << "\n[S]\nk=v\n";
    QTest::newRow("one letter and two =") << QByteArray("[S]\na==\n") << "\n[S]\na==\n";
    QTest::newRow("only the first = splits") << QByteArray("[S]\nk = a=b\n") << "\n[S]\nk=a=b\n";
    QTest::newRow("a blank section stops entries until the next named one")
        << QByteArray("[A]\nx=1\n[   ]\ny=2\n[]\nz=3\n[B]\nw=4\n") << "\n[A]\nx=1\n\n[B]\nw=4\n";
    QTest::newRow("sections of one name merge")
        << QByteArray("[Grid]\nColor1=1\n[Other]\nk=v\n[GRID]\nColor2=2\n")
        << "\n[GRID]\ncolor1=1\ncolor2=2\n\n[OTHER]\nk=v\n";
    QTest::newRow("windows line ends") << QByteArray("[S]\r\nk=v\r\n") << "\n[S]\nk=v\n";
    QTest::newRow("sections and keys sorted")
        << QByteArray("[Zeta]\nb=2\na=1\n[alpha]\nz=26\n") << "\n[ALPHA]\nz=26\n\n[ZETA]\na=1\nb=2\n";
    QTest::newRow("a bracket alone is no section") << QByteArray("[\nk=v\n]\n") << "";
    QTest::newRow("a line longer than 64 K characters is skipped")
        << (QByteArray("[S]\nlong=") + QByteArray(70000, 'x') + "\nk=v\n") << "\n[S]\nk=v\n";
    QTest::newRow("a long line within the bound is read")
        << (QByteArray("[S]\nlong=") + QByteArray(60000, 'x') + "\n")
        << (QStringLiteral("\n[S]\nlong=") + QString(60000, QLatin1Char('x')) + QStringLiteral("\n"));
    QTest::newRow("a / in section and key names")
        << QByteArray("[Mru/Files]\nPath/One=a\n[Mru]\nFiles/Path/One=b\n")
        << "\n[MRU]\nfiles/path/one=b\n\n[MRU/FILES]\npath/one=a\n";
  }
  void loadRules() {
    QFETCH(QByteArray, file);
    QFETCH(QString, saved);
    classINI_File ini = StoreOn(QStringLiteral("Config.INI"), &file);
    ini.Load();
    QVERIFY(ini.Save());
    QCOMPARE(ReadText(Fixture::Home() + QStringLiteral("/Config.INI")), saved);
    // What was written reads back to the same entries.
    ini.Load();
    QVERIFY(ini.Save());
    QCOMPARE(ReadText(Fixture::Home() + QStringLiteral("/Config.INI")), saved);
  }

  void typedReading_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("boolean");
    QTest::addColumn<uint>("colour");
    QTest::addColumn<int>("whole");
    QTest::newRow("TRUE") << "TRUE" << true << 0x000000u << 0;
    QTest::newRow("mixed case true") << "tRuE" << true << 0x000000u << 0;
    QTest::newRow("digit") << "1" << false << 0x000000u << 1;
    QTest::newRow("empty") << "" << false << 0x000000u << 0;
    QTest::newRow("grey") << "&h808080" << false << 0x808080u << 0x808080;
    QTest::newRow("digits before the last six") << "&h00808080" << false << 0x808080u << 0x808080;
    QTest::newRow("orange") << "&h00FF8000" << false << 0xFF8000u << 0xFF8000;
    QTest::newRow("short hex is blue") << "&hFF" << false << 0x0000FFu << 255;
    QTest::newRow("lower-case digits") << "&hc0c0c0" << false << 0xC0C0C0u << 0xC0C0C0;
    QTest::newRow("pairs stop at a non-digit") << "&h1G2HZZ" << false << 0x010200u << 1;
    QTest::newRow("negative") << "-7" << false << 0x000007u << -7;
    QTest::newRow("fraction truncates") << "3.9" << false << 0x000000u << 3;
    QTest::newRow("above Int32 saturates") << "99999999999" << false << 0x999999u << 2147483647;
    QTest::newRow("below Int32 saturates") << "-99999999999" << false << 0x999999u << int(-2147483648LL);
    QTest::newRow("no number") << "abc" << false << 0x0000BCu << 0;
  }
  void typedReading() {
    QFETCH(QString, stored);
    QFETCH(bool, boolean);
    QFETCH(uint, colour);
    QFETCH(int, whole);
    classINI_File ini = StoreOn(QStringLiteral("x.ini"));
    ini.Put(QStringLiteral("S"), QStringLiteral("k"), stored);
    QCOMPARE(ini.Get(QStringLiteral("s"), QStringLiteral(" K "), false), boolean);
    QCOMPARE(ini.GetColor(QStringLiteral("S"), QStringLiteral("k"), 0xFFFFFF), Platform::Color(colour));
    QCOMPARE(ini.Get(QStringLiteral("S"), QStringLiteral("k"), int32_t(5)), int32_t(whole));
    // Reading never changes the stored text.
    QCOMPARE(ini.Get(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("other")), stored);
  }

  void getStoresItsDefault() {
    classINI_File ini = StoreOn(QStringLiteral("x.ini"));
    QCOMPARE(ini.Get(QStringLiteral("Options"), QStringLiteral("Absent"), true), true);
    QCOMPARE(ini.Get(QStringLiteral("OPTIONS"), QStringLiteral("absent"), QString()), QStringLiteral("True"));
    QCOMPARE(ini.GetColor(QStringLiteral("Grid"), QStringLiteral("Color1"), 0x808080), Platform::Color(0x808080));
    QCOMPARE(ini.Get(QStringLiteral("Grid"), QStringLiteral("Color1"), QString()), QStringLiteral("&h808080"));
    QCOMPARE(ini.Get(QStringLiteral("N"), QStringLiteral("k"), int32_t(-12)), int32_t(-12));
    QCOMPARE(ini.Get(QStringLiteral("N"), QStringLiteral("k"), QString()), QStringLiteral("-12"));
    // An empty text default leaves the key absent; a text default is stored trimmed and returned as given.
    QCOMPARE(ini.Get(QStringLiteral("MRU_FILES"), QStringLiteral("MRU3"), QString()), QString());
    QVERIFY(!ini.Has(QStringLiteral("MRU_FILES"), QStringLiteral("MRU3")));
    QCOMPARE(ini.Get(QStringLiteral("T"), QStringLiteral("k"), QStringLiteral("  x ")), QStringLiteral("  x "));
    QCOMPARE(ini.Get(QStringLiteral("T"), QStringLiteral("k"), QString()), QStringLiteral("x"));
    // Reals come back through the number reader.
    ini.Put(QStringLiteral("R"), QStringLiteral("d"), 0.000012345);
    QCOMPARE(ini.Get(QStringLiteral("R"), QStringLiteral("d"), 1.0), 0.000012345);
    ini.Put(QStringLiteral("R"), QStringLiteral("f"), -2.5f);
    QCOMPARE(ini.Get(QStringLiteral("R"), QStringLiteral("f"), 1.0f), -2.5f);
  }

  void savedForm() {
    classINI_File ini = StoreOn(QStringLiteral("x.ini"));
    ini.Put(QStringLiteral("Options"), QStringLiteral("ShowColors"), true);
    ini.PutColor(QStringLiteral("Grid"), QStringLiteral("Color1"), 0xC0C0C0);
    ini.Put(QStringLiteral("Grid"), QStringLiteral("Padded"), QStringLiteral("  spaced  "));
    ini.Put(QString(), QStringLiteral("lost"), QStringLiteral("1"));
    QVERIFY(ini.Save());
    QCOMPARE(ReadText(Fixture::Home() + QStringLiteral("/x.ini")),
             QStringLiteral("\n[]\nlost=1\n\n[GRID]\ncolor1=&hC0C0C0\npadded=  spaced  \n\n[OPTIONS]\nshowcolors=True\n"));
    ini.Load();
    QCOMPARE(ini.Get(QStringLiteral("Grid"), QStringLiteral("Padded"), QString()), QStringLiteral("spaced"));
    QVERIFY(!ini.Has(QString(), QStringLiteral("lost")));
  }

  void emptyStoreSavesAnEmptyFile() {
    const QByteArray old("[S]\nk=v\n");
    classINI_File ini = StoreOn(QStringLiteral("x.ini"), &old);
    QVERIFY(ini.Save());
    QCOMPARE(ReadText(Fixture::Home() + QStringLiteral("/x.ini")), QString());
  }

  void removeSectionTakesOnlyThatSection() {
    classINI_File ini = StoreOn(QStringLiteral("x.ini"));
    ini.Put(QStringLiteral("Options"), QStringLiteral("a"), QStringLiteral("1"));
    ini.Put(QStringLiteral("option"), QStringLiteral("b"), QStringLiteral("2"));
    ini.Put(QStringLiteral("Option"), QStringLiteral("c"), QStringLiteral("3"));
    ini.Remove_Section(QStringLiteral(" option "));
    QVERIFY(ini.Has(QStringLiteral("Options"), QStringLiteral("a")));
    QVERIFY(!ini.Has(QStringLiteral("option"), QStringLiteral("b")));
    QVERIFY(!ini.Has(QStringLiteral("OPTION"), QStringLiteral("c")));
    ini.Remove(QStringLiteral("OPTIONS"), QStringLiteral("A"));
    QVERIFY(!ini.Has(QStringLiteral("Options"), QStringLiteral("a")));
  }

  // A value with a line break (a recent file's path may hold one) would write a line of its own that
  // reads back as another entry; it is left out.
  void lineBreaksNeverMakeLinesOfTheirOwn() {
    classINI_File ini = StoreOn(QStringLiteral("x.ini"));
    ini.Put(QStringLiteral("MRU_FILES"), QStringLiteral("MRU0"), QStringLiteral("/tmp/a\n[Options]\nShowColors=False"));
    ini.Put(QStringLiteral("MRU_FILES"), QStringLiteral("MRU1"), QStringLiteral("/tmp/b\rc.png"));
    ini.Put(QStringLiteral("MRU_FILES"), QStringLiteral("MRU2"), QStringLiteral("/tmp/ok.png"));
    ini.Put(QStringLiteral("Options"), QStringLiteral("ShowColors"), true);
    QVERIFY(ini.Save());
    ini.Load();
    QVERIFY(!ini.Has(QStringLiteral("MRU_FILES"), QStringLiteral("MRU0")));
    QVERIFY(!ini.Has(QStringLiteral("MRU_FILES"), QStringLiteral("MRU1")));
    QCOMPARE(ini.Get(QStringLiteral("MRU_FILES"), QStringLiteral("MRU2"), QString()), QStringLiteral("/tmp/ok.png"));
    QCOMPARE(ini.Get(QStringLiteral("Options"), QStringLiteral("ShowColors"), false), true);
    QCOMPARE(ini.Section_Keys(QStringLiteral("Options")), QStringList{QStringLiteral("showcolors")});
  }

  // The file is written beside the old one and renamed over it only when the whole write succeeded.
  void failedWriteKeepsTheOldFile() {
    QByteArray old("\n[OPTIONS]\nshowcolors=True\n");
    classINI_File ini = StoreOn(QStringLiteral("Config.INI"), &old);
    ini.Load();
    for (int i = 0; i < 200; ++i) ini.Put(QStringLiteral("Shapes"), QStringLiteral("Shape%1").arg(i), QString(100, 'x'));
    // Files may not grow beyond 1 KB for the moment of the save.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = ini.Save();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(!written);
    QCOMPARE(ReadText(Fixture::Home() + QStringLiteral("/Config.INI")), QString::fromUtf8(old));
    QCOMPARE(QDir(Fixture::Home()).entryList(QStringList{QStringLiteral("Config.INI*")}, QDir::Files),
             QStringList{QStringLiteral("Config.INI")});
  }

  void missingOrFolderFileGivesAnEmptyStore() {
    classINI_File missing = StoreOn(QStringLiteral("none.ini"));
    missing.Load();
    QVERIFY(missing.Section_Keys(QStringLiteral("S")).isEmpty());
    QDir().mkpath(Fixture::Home() + QStringLiteral("/folder.ini"));
    classINI_File folder = StoreOn(QStringLiteral("folder.ini"));
    folder.Load();
    folder.Put(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("v"));
    QVERIFY(!folder.Save());
  }
};

PIXMURA_TEST_CLASS(IniFileTests)
#include "IniFileTests.moc"
