#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkProxy>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/ProgramIdentity.h"
#include "app/UpdateCheck.h"
#include "app/modOptions.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "LoopbackServer.h"

using Platform::Environment;

namespace {

const QString kVersionPath = QStringLiteral("/pixmura/pixmura.ver");
const QStringList kUpdateButtons{QStringLiteral("Skip it for now"), QStringLiteral("View Release Notes"),
                                 QStringLiteral("Download version 2.6")};
const QString kErrorExplanation =
    QStringLiteral("Make sure any previously downloaded images for this application have been ejected.");

QString Desktop() { return Platform::FolderItem::Desktop()->ShellPath(); }

QStringList DesktopEntries() {
  return QDir(Desktop()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

}  // namespace

class UpdateCheckTests : public FixtureTest {
  Q_OBJECT

  std::unique_ptr<LoopbackServer> server;
  QStringList opened;

  // A web site on the loopback address whose version file holds the answer.
  void Site(const QByteArray& versionFile, int status = 200) {
    opened.clear();
    Platform::HTTPSocket::SetDownloadIdleTimeout(30000);
    server = std::make_unique<LoopbackServer>();
    server->Serve(kVersionPath, versionFile, status);
    modOptions::option_Website = server->Host();
    PGM_Name = QStringLiteral("Pixmura");
    PGM_Version = QStringLiteral("2.5");
    Environment::OverrideMountedVolumes(QStringList{QStringLiteral("/")});
    Environment::OverrideOpenDocument([this](const QString& path) {
      opened << path;
      return true;
    });
  }

  QString VersionAddress() const {
    return QStringLiteral("HTTP://") + server->Host() + QStringLiteral("/Pixmura/Pixmura.ver");
  }

 private slots:
  void webAddresses_data() {
    QTest::addColumn<QString>("website");
    QTest::addColumn<QString>("root");
    QTest::newRow("bare host") << "www.pixmura.example" << "HTTP://www.pixmura.example/";
    QTest::newRow("closing slash") << "www.pixmura.example/" << "HTTP://www.pixmura.example/";
    QTest::newRow("scheme in other case") << "hTtP://www.pixmura.example" << "hTtP://www.pixmura.example/";
    QTest::newRow("other scheme") << "https://www.pixmura.example/" << "HTTP://https://www.pixmura.example/";
    QTest::newRow("empty setting: the update site") << "" << "http://127.0.0.1:9/";
  }
  void webAddresses() {
    QFETCH(QString, website);
    QFETCH(QString, root);
    Environment::SetUpdateSiteRoot(QStringLiteral("http://127.0.0.1:9"));
    modOptions::option_Website = website;
    QCOMPARE(modMAIN::web_Main_Root(), root);
    QCOMPARE(modMAIN::web_PGM_Root(), root + PGM_Name + QLatin1Char('/'));
    QCOMPARE(modMAIN::web_Download_Site(), modMAIN::web_PGM_Root());
  }

  // Every outcome as the user meets it. An empty message: nothing is shown. "%VER%" stands for the address
  // of the version file as the check builds it.
  void outcomes_data() {
    QTest::addColumn<QByteArray>("versionFile");
    QTest::addColumn<QString>("programVersion");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("explanation");
    QTest::addColumn<QStringList>("buttons");
    const QString upToDate = QStringLiteral("You are up to date...");
    const QString latest = QStringLiteral("Pixmura v2.5 is currently the latest version available.");
    const QString update = QStringLiteral("An update to Pixmura is available");
    const QString noConnection = QStringLiteral("Unable to connect to remote server");
    const QString noConnectionWhy = QStringLiteral("In order to obtain current version information\n%VER%");
    const QStringList ok{QStringLiteral("Ok")};

    QTest::newRow("same version, manual") << QByteArray("2.5 20091231") << "2.5" << true << upToDate << latest << ok;
    QTest::newRow("same version, automatic") << QByteArray("2.5 20091231") << "2.5" << false << "" << "" << QStringList();
    QTest::newRow("2.50 is 2.5") << QByteArray("2.50 20091231") << "2.5" << true << upToDate << latest << ok;
    QTest::newRow("newer, manual")
        << QByteArray("2.6 20091231") << "2.5" << true << update
        << "You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload file is in DMG format."
        << kUpdateButtons;
    QTest::newRow("newer, automatic too")
        << QByteArray("2.60 20091231") << "2.5" << false << update
        << "You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload file is in DMG format."
        << kUpdateButtons;
    QTest::newRow("newer, zip, fields after the third ignored")
        << QByteArray("2.6 20091231 zip more") << "2.5" << true << update
        << "You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload file is in zip format."
        << kUpdateButtons;
    QTest::newRow("format trimmed") << QByteArray("2.6 20091231 ZIP\n") << "2.5" << true << update
                                    << "You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload "
                                       "file is in ZIP format."
                                    << kUpdateButtons;
    QTest::newRow("format with a path falls back")
        << QByteArray("2.6 20091231 ../../.bashrc") << "2.5" << true << update
        << "You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload file is in DMG format."
        << kUpdateButtons;
    QTest::newRow("format too long falls back")
        << QByteArray("2.6 20091231 abcdefghijk") << "2.5" << true << update
        << "You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload file is in DMG format."
        << kUpdateButtons;
    QTest::newRow("program version without a number")
        << QByteArray("0.1 20091231") << "beta" << false << update
        << "You currently have beta and 0.1 was made\navailable on 20091231\nDownload file is in DMG format."
        << QStringList{QStringLiteral("Skip it for now"), QStringLiteral("View Release Notes"),
                       QStringLiteral("Download version 0.1")};
    QTest::newRow("older, manual") << QByteArray("2.4 20091231") << "2.5" << true
                                   << QStringLiteral("Somebody screwed up....")
                                   << "You currently have 2.5, but the Server has version 2.4 made on 20091231"
                                   << QStringList{QStringLiteral("Oops")};
    QTest::newRow("decimal, not dotted: 2.10 < 2.9")
        << QByteArray("2.10 20091231") << "2.9" << true << QStringLiteral("Somebody screwed up....")
        << "You currently have 2.9, but the Server has version 2.1 made on 20091231" << QStringList{QStringLiteral("Oops")};
    QTest::newRow("older, automatic") << QByteArray("2.4 20091231") << "2.5" << false << "" << "" << QStringList();
    QTest::newRow("error page of two words") << QByteArray("Not Found") << "2.5" << true << noConnection
                                             << noConnectionWhy << ok;
    QTest::newRow("error page, automatic") << QByteArray("<html>Server error</html>") << "2.5" << false
                                           << noConnection << noConnectionWhy << ok;
    QTest::newRow("version without its date") << QByteArray("2.6") << "2.5" << true << noConnection
                                              << noConnectionWhy << ok;
    QTest::newRow("zero version") << QByteArray("0 20091231") << "2.5" << true << noConnection << noConnectionWhy << ok;
    QTest::newRow("empty answer, automatic") << QByteArray() << "2.5" << false << noConnection << noConnectionWhy << ok;
  }
  void outcomes() {
    QFETCH(QByteArray, versionFile);
    QFETCH(QString, programVersion);
    QFETCH(bool, manual);
    QFETCH(QString, message);
    QFETCH(QString, explanation);
    QFETCH(QStringList, buttons);
    Site(versionFile);
    PGM_Version = programVersion;
    explanation.replace(QStringLiteral("%VER%"), VersionAddress());
    if (!message.isEmpty()) Fixture::ExpectAlert(message, explanation, buttons.first(), buttons);
    Check_for_Update(manual);
    // The address is lower-cased whole; the first button ends the check without a download.
    QCOMPARE(server->Requests(), QStringList{kVersionPath});
    QCOMPARE(Platform::ModalHost::History().size(), size_t(message.isEmpty() ? 0 : 1));
    if (!message.isEmpty()) {
      const Platform::ModalRequest& r = Platform::ModalHost::History().front();
      QVERIFY(r.sheet);
      QCOMPARE(r.parent, static_cast<QWidget*>(winMAIN::existing()));
      QCOMPARE(r.icon, QString(message == QStringLiteral("Unable to connect to remote server") ? "caution" : "note"));
    }
    QVERIFY(DesktopEntries().isEmpty());
  }

  // An error page is no version file, even when it starts with a number.
  void errorStatusIsNoAnswer_data() {
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("404 page not found") << 404 << QByteArray("404 page not found");
    QTest::newRow("503 Service Unavailable") << 503 << QByteArray("503 Service Unavailable");
    QTest::newRow("500 with a version's text") << 500 << QByteArray("2.6 20091231");
  }
  void errorStatusIsNoAnswer() {
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    Site(body, status);
    Fixture::ExpectAlert(QStringLiteral("Unable to connect to remote server"),
                         QStringLiteral("In order to obtain current version information\n") + VersionAddress(),
                         QStringLiteral("Ok"), {QStringLiteral("Ok")});
    Check_for_Update(false);
    QCOMPARE(server->Requests(), QStringList{kVersionPath});
    QVERIFY(DesktopEntries().isEmpty());
  }

  void releaseNotesButtonOnlyCloses() {
    Site("2.6 20091231");
    Fixture::ExpectAlert(QStringLiteral("An update to Pixmura is available"),
                         QStringLiteral("You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload "
                                        "file is in DMG format."),
                         QStringLiteral("View Release Notes"), kUpdateButtons);
    Check_for_Update(true);
    QTest::qWait(200);
    QCOMPARE(server->Requests(), QStringList{kVersionPath});
    QVERIFY(DesktopEntries().isEmpty());
    QVERIFY(winMAIN::existing()->isVisible());
  }

  void mountedOldCopyOffersNoDownload() {
    Site("2.6 20091231 zip");
    Environment::OverrideMountedVolumes(QStringList{QStringLiteral("/"), QStringLiteral("PIXMURA")});
    Fixture::ExpectAlert(QStringLiteral("An update to Pixmura is available"),
                         QStringLiteral("You currently have 2.5 and 2.6 was made\navailable on 20091231\n\n'Pixmura' "
                                        "is already mounted on your desktop, please\neject this file and try "
                                        "again.\nDownload file is in zip format."),
                         QStringLiteral("Ok"), {QStringLiteral("Ok")});
    Check_for_Update(false);
  }

  void refusedConnection_data() {
    QTest::addColumn<bool>("manual");
    QTest::newRow("manual") << true;
    QTest::newRow("automatic") << false;
  }
  void refusedConnection() {
    QFETCH(bool, manual);
    Site("2.5 20091231");
    server->Refuse();
    Fixture::ExpectAlert(QStringLiteral("Unable to connect to remote server"),
                         QStringLiteral("In order to obtain current version information\n") + VersionAddress(),
                         QStringLiteral("Ok"), {QStringLiteral("Ok")});
    Check_for_Update(manual);
  }

  // A site that never answers: the check gives up after 4 seconds; the program goes on handling events
  // meanwhile, and a check asked for while it waits does nothing.
  void silentSiteTimesOutAndCannotBeReentered() {
    Site("2.6 20091231");
    LoopbackServer::Answer silent;
    silent.silent = true;
    server->Serve(kVersionPath, silent);
    Fixture::ExpectAlert(QStringLiteral("Unable to connect to remote server"),
                         QStringLiteral("In order to obtain current version information\n") + VersionAddress(),
                         QStringLiteral("Ok"));
    bool nestedReturned = false;
    qint64 nestedTook = -1;
    QTimer::singleShot(300, [&] {
      QElapsedTimer t;
      t.start();
      Check_for_Update(true);
      nestedTook = t.elapsed();
      nestedReturned = true;
    });
    QElapsedTimer clock;
    clock.start();
    Check_for_Update(true);
    const qint64 took = clock.elapsed();
    QVERIFY2(took >= 3800 && took < 8000, qPrintable(QString::number(took)));
    QVERIFY(nestedReturned);
    QVERIFY(nestedTook < 500);
    QCOMPARE(server->Requests(), QStringList{kVersionPath});
  }

  void noSheetWithoutMainWindow() {
    Site("2.5 20091231");
    winMAIN::existing()->hide();
    Check_for_Update(true);
    QCOMPARE(Platform::ModalHost::History().size(), size_t(0));
  }

  // The download replaces a file of the same name on the desktop only once it has arrived whole; then the
  // file is opened and the main window closes. The server's format names the file, and only a plain
  // extension is taken.
  void downloadOpensTheFileAndClosesTheWindow_data() {
    QTest::addColumn<QByteArray>("versionFile");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("zip") << QByteArray("2.6 20091231 zip") << "zip" << "pixmura.zip";
    QTest::newRow("upper case") << QByteArray("2.6 20091231 ZIP") << "ZIP" << "pixmura.zip";
    QTest::newRow("default") << QByteArray("2.6 20091231") << "DMG" << "pixmura.dmg";
    QTest::newRow("hostile") << QByteArray("2.6 20091231 /../../../tmp/x") << "DMG" << "pixmura.dmg";
  }
  void downloadOpensTheFileAndClosesTheWindow() {
    QFETCH(QByteArray, versionFile);
    QFETCH(QString, format);
    QFETCH(QString, fileName);
    Site(versionFile);
    server->Serve(QStringLiteral("/pixmura/") + fileName, QByteArray("new version"));
    const QString target = Desktop() + QLatin1Char('/') + fileName;
    Fixture::WriteFile(QStringLiteral("Desktop/") + fileName, "old version");
    Fixture::ExpectAlert(QStringLiteral("An update to Pixmura is available"),
                         QStringLiteral("You currently have 2.5 and 2.6 was made\navailable on 20091231\nDownload "
                                        "file is in ") + format + QStringLiteral(" format."),
                         QStringLiteral("Download version 2.6"), kUpdateButtons);
    Check_for_Update(true);
    QCOMPARE(Fixture::ReadFile(target), QByteArray("old version"));
    QTRY_COMPARE(opened, QStringList{target});
    QCOMPARE(Fixture::ReadFile(target), QByteArray("new version"));
    QCOMPARE(DesktopEntries(), QStringList{fileName});
    QCOMPARE(server->Requests(), (QStringList{kVersionPath, QStringLiteral("/pixmura/") + fileName}));
    QVERIFY(!winMAIN::existing()->isVisible());
  }

  void failedDownload_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("code");
    QTest::newRow("not found") << "404" << "404";
    QTest::newRow("server error") << "500" << "500";
    QTest::newRow("empty body") << "empty" << "299";
    QTest::newRow("connection refused") << "refused" << "001";
    QTest::newRow("stalls halfway") << "stall" << "004";
    QTest::newRow("a folder stands where the file goes") << "folder" << "202";
  }
  void failedDownload() {
    QFETCH(QString, failure);
    QFETCH(QString, code);
    Site("2.6 20091231");
    const QString path = QStringLiteral("/pixmura/pixmura.dmg");
    LoopbackServer::Answer answer;
    answer.body = QByteArray(4000, 'x');
    if (failure == QLatin1String("404")) answer.status = 404;
    if (failure == QLatin1String("500")) answer.status = 500;
    if (failure == QLatin1String("empty")) answer.body.clear();
    if (failure == QLatin1String("stall")) {
      answer.stall = true;
      Platform::HTTPSocket::SetDownloadIdleTimeout(500);
    }
    server->Serve(path, answer);
    const QString target = Desktop() + QStringLiteral("/pixmura.dmg");
    if (failure == QLatin1String("folder")) QDir().mkpath(target + QStringLiteral("/inside"));
    else Fixture::WriteFile(QStringLiteral("Desktop/pixmura.dmg"), "old version");
    const QStringList before = DesktopEntries();

    Platform::ModalHost::Enqueue([&](Platform::ModalRequest&) -> QVariant {
      if (failure == QLatin1String("refused")) server->Refuse();
      return QStringLiteral("Download version 2.6");
    });
    Fixture::ExpectAlert(QStringLiteral("An Error occurred [#") + code + QLatin1Char(']'), kErrorExplanation,
                         QStringLiteral("OK"), {QStringLiteral("OK")});
    Check_for_Update(true);
    QTRY_COMPARE(Platform::ModalHost::Pending(), 0);
    QCOMPARE(Platform::ModalHost::History().back().icon, QStringLiteral("caution"));
    QVERIFY(Platform::ModalHost::History().back().sheet);
    QCOMPARE(DesktopEntries(), before);
    if (failure != QLatin1String("folder")) QCOMPARE(Fixture::ReadFile(target), QByteArray("old version"));
    QVERIFY(opened.isEmpty());
    QVERIFY(winMAIN::existing()->isVisible());
  }

  // A server that announces 1 MB and closes the connection after 300 KB: the partial file never
  // replaces the old one, in any of 20 runs, and the user is told each time.
  void cutShortDownloadKeepsTheOldFile() {
    Site("2.6 20091231");
    LoopbackServer::Answer answer;
    answer.body = QByteArray(1000 * 1000, 'n');
    answer.cutAfter = 300 * 1000;
    server->Serve(QStringLiteral("/pixmura/pixmura.dmg"), answer);
    Fixture::WriteFile(QStringLiteral("Desktop/pixmura.dmg"), "old version");
    const QStringList before = DesktopEntries();
    for (int run = 0; run < 20; ++run) {
      Platform::ModalHost::Enqueue([](Platform::ModalRequest&) -> QVariant { return QStringLiteral("Download version 2.6"); });
      QString error;
      Fixture::ExpectAny([&](Platform::ModalRequest& r) -> QVariant {
        error = r.message;
        return QStringLiteral("OK");
      });
      Check_for_Update(true);
      QTRY_COMPARE(Platform::ModalHost::Pending(), 0);
      QVERIFY2(error.startsWith(QLatin1String("An Error occurred [#")), qPrintable(error));
      QCOMPARE(DesktopEntries(), before);
      QCOMPARE(Fixture::ReadFile(Desktop() + QStringLiteral("/pixmura.dmg")), QByteArray("old version"));
      QVERIFY(opened.isEmpty());
    }
    // The whole body is taken.
    answer.cutAfter = -1;
    server->Serve(QStringLiteral("/pixmura/pixmura.dmg"), answer);
    Platform::ModalHost::Enqueue([](Platform::ModalRequest&) -> QVariant { return QStringLiteral("Download version 2.6"); });
    Check_for_Update(true);
    QTRY_COMPARE(opened.size(), 1);
    QCOMPARE(Fixture::ReadFile(Desktop() + QStringLiteral("/pixmura.dmg")), answer.body);
  }

  // The automatic check at start follows the settings file: only when it is switched on and its time has
  // come, and it never moves its own schedule.
  void automaticCheckAtStart_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("checks");
    const QString next = QStringLiteral("200912310000");
    const QDateTime due(QDate(2009, 12, 31), QTime(0, 0));
    QTest::newRow("on, time has come") << "True" << next << due << true;
    QTest::newRow("on, later") << "True" << next << QDateTime(QDate(2013, 2, 1), QTime(9, 5)) << true;
    QTest::newRow("on, a minute early") << "True" << next << QDateTime(QDate(2009, 12, 30), QTime(23, 59)) << false;
    QTest::newRow("off") << "False" << next << due << false;
  }
  void automaticCheckAtStart() {
    QFETCH(QString, setting);
    QFETCH(QString, next);
    QFETCH(QDateTime, now);
    QFETCH(bool, checks);
    Site("99 20091231");
    Fixture::WriteFile(QStringLiteral("data/pixmura/Config.INI"),
                       QStringLiteral("[Options]\nAutoCheckUpdates=%1\nAutoCheckNext=%2\nWebsite=%3\n")
                           .arg(setting, next, server->Host())
                           .toUtf8());
    Environment::OverrideLocalNow(now);
    if (checks)
      Fixture::ExpectAlert(QStringLiteral("An update to Pixmura is available"),
                           QStringLiteral("You currently have ") + Cut_Version(Long_Version_Text()) +
                               QStringLiteral(" and 99 was made\navailable on 20091231\nDownload file is in DMG format."),
                           QStringLiteral("Skip it for now"));
    Fixture::StartProgram();
    QCOMPARE(server->Requests().size(), checks ? 1 : 0);
    QCOMPARE(modOptions::option_Autocheck_Next, next);
  }

  // The placeholder address of the default settings can never answer: a start asks nobody and shows
  // nothing, and Check for Updates still asks and reports that it could not.
  void placeholderSiteIsNotAskedAtStart() {
    // Every request goes to a proxy on the loopback address: none leaves this machine.
    LoopbackServer proxy;
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), proxy.Port()));
    const auto direct = qScopeGuard([] { QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy)); });
    Environment::OverrideLocalNow(QDateTime(QDate(2013, 2, 1), QTime(9, 5)));
    Fixture::StartProgram();
    QCOMPARE(modOptions::option_Website, QStringLiteral("www.pixmura.example"));
    QVERIFY(App::Update_Check_Due(Environment::LocalNow()));
    QCOMPARE(proxy.Requests(), QStringList());
    QCOMPARE(Platform::ModalHost::History().size(), size_t(0));

    Fixture::ExpectAlert(QStringLiteral("Unable to connect to remote server"),
                         QStringLiteral("In order to obtain current version information\n"
                                        "HTTP://www.pixmura.example/Pixmura/Pixmura.ver"),
                         QStringLiteral("Ok"), {QStringLiteral("Ok")});
    MenuBar1::instance()->Item(QStringLiteral("menu_Updates"))->trigger();
    QCOMPARE(proxy.Requests(), QStringList{QStringLiteral("http://www.pixmura.example/pixmura/pixmura.ver")});
  }

  void checkForUpdatesItem() {
    Site("2.5 20091231");
    Fixture::ExpectAlert(QStringLiteral("You are up to date..."),
                         QStringLiteral("Pixmura v2.5 is currently the latest version available."), QStringLiteral("Ok"));
    QAction* item = MenuBar1::instance()->Item(QStringLiteral("menu_Updates"));
    QVERIFY(item);
    item->trigger();
    QCOMPARE(server->Requests(), QStringList{kVersionPath});
  }
};

PIXMURA_TEST_CLASS(UpdateCheckTests)
#include "UpdateCheckTests.moc"
