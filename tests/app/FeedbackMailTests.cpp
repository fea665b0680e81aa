#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include "app/FeedbackMail.h"
#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "mainwindow/winMAIN.h"
#include "platform/Shell.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Environment;

namespace {

const QString kBorder = QStringLiteral("+----------------------+");  // 22 hyphens for "Pixmura v2.5"

// A stand-in for xdg-email that records its arguments (one per NUL) and then runs the given shell lines.
QString RecordingMailer(const QString& then = QStringLiteral("exit 0")) {
  const QString record = Fixture::Home() + QStringLiteral("/mailer-arguments");
  Fixture::StandInTool(QStringLiteral("xdg-email"),
                       QStringLiteral("for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '") + record +
                           QStringLiteral("'\n") + then);
  return record;
}

// Shell lines for the stand-in that keep what the mail program could see of the script while it ran: the
// script file (in script-seen) and the permissions of its folder (in script-folder).
QString KeepTheScript() {
  const QString tmp = Platform::FolderItem::Temporary()->ShellPath(), home = Fixture::Home();
  return QStringLiteral("cp '%1'/pixmura-*/ical_applescript.txt '%2/script-seen'\n"
                        "stat -c %a '%1'/pixmura-* > '%2/script-folder'\nexit 0")
      .arg(tmp, home);
}

// What is in the temporary folder, links and hidden entries included.
QStringList TemporaryEntries() {
  return QDir(Platform::FolderItem::Temporary()->ShellPath())
      .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList RecordedArguments(const QString& record) {
  QByteArray bytes = Fixture::ReadFile(record);
  if (bytes.endsWith('\0')) bytes.chop(1);
  QStringList args;
  for (const QByteArray& a : bytes.split('\0')) args << QString::fromUtf8(a);
  return args;
}

}  // namespace

class FeedbackMailTests : public FixtureTest {
  Q_OBJECT

  void Identity() {
    PGM_Name = QStringLiteral("Pixmura");
    PGM_Version = QStringLiteral("2.5");
  }

 private slots:
  void framedBox() {
    Identity();
    QCOMPARE(modOptions::Feedback_Box(),
             QStringLiteral("\r\r\r") + kBorder + QStringLiteral("\r|    App : Pixmura v2.5|\r") + kBorder);
  }

  void escape_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("plain") << "Pixmura v2.5" << "Pixmura v2.5";
    QTest::newRow("quote") << "say \"hi\"" << "say \\\"hi\\\"";
    QTest::newRow("backslash doubled once") << "a\\b" << "a\\\\b";
    QTest::newRow("backslash before quote") << "a\\\"" << "a\\\\\\\"";
    QTest::newRow("CR LF is one line end") << "a\r\nb" << "a\\nb";
    QTest::newRow("LF CR is one line end") << "a\n\rb" << "a\\nb";
    QTest::newRow("lone ends") << "a\rb\nc" << "a\\nb\\nc";
    QTest::newRow("CR CR LF") << "\r\r\n" << "\\n\\n";
    QTest::newRow("placeholder character") << QString(QChar(0xFF)) << "\\\\";
  }
  void escape() {
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(modOptions::Escape(text), escaped);
  }

  void addScriptTurnsApostrophePairsIntoQuotes() {
    modOptions::Apple_Script = QStringLiteral("first\r");
    modOptions::Add_Script(QStringLiteral("tell ''Mail'' it's '''"));
    QCOMPARE(modOptions::Apple_Script, QStringLiteral("first\rtell \"Mail\" it's \"'\r"));
  }

  // The feedback command composes the script, writes it while the mail program runs and hands the message
  // the script describes to the mail program: recipient, subject and the box as the body.
  void sendEmailHandsOnTheComposedMessage() {
    Identity();
    const QString record = RecordingMailer(KeepTheScript());
    modOptions::Send_Email();

    const QString content = QStringLiteral("\\n\\n\\n") + kBorder + QStringLiteral("\\n|    App : Pixmura v2.5|\\n") + kBorder;
    const QString script =
        QStringLiteral("tell application \"Mail\"\r"
                       "set accountAddresses to (email addresses of first account)\r"
                       "set fromAddress to first item of accountAddresses\r"
                       "set theMessage to make new outgoing message\r"
                       "tell theMessage\r"
                       "make new to recipient at end of to recipients with properties {address:\"feedback@pixmura.example\"}\r"
                       "end tell\r"
                       "set visible of theMessage to true\r"
                       "set subject of theMessage to \"Feedback concerning Pixmura\"\r"
                       "set content of theMessage to \"") +
        content +
        QStringLiteral("\"\r"
                       "set font of content of theMessage to \"Courier\"\r"
                       "set size of content of theMessage to 18\r"
                       "activate\r"
                       "end tell\r");
    QCOMPARE(modOptions::Apple_Script, script);
    QCOMPARE(Fixture::ReadFile(Fixture::Home() + QStringLiteral("/script-seen")), script.toUtf8());
    QCOMPARE(RecordedArguments(record),
             (QStringList{QStringLiteral("--utf8"), QStringLiteral("--subject"),
                          QStringLiteral("Feedback concerning Pixmura"), QStringLiteral("--body"),
                          QStringLiteral("\n\n\n") + kBorder + QStringLiteral("\n|    App : Pixmura v2.5|\n") + kBorder,
                          QStringLiteral("feedback@pixmura.example")}));
    QVERIFY(!Environment::BusyCursor());
  }

  void mainWindowCommandOpensTheMail() {
    Identity();
    const QString record = RecordingMailer();
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_EMAIL"), 0));
    QCOMPARE(RecordedArguments(record).value(2), QStringLiteral("Feedback concerning Pixmura"));
  }

  void quotesInTheIdentityAreEscapedInTheContentOnly() {
    PGM_Name = QStringLiteral("Pix\"mura");
    PGM_Version = QStringLiteral("2\\5");
    const QString record = RecordingMailer();
    modOptions::Send_Email();
    const QStringList lines = modOptions::Apple_Script.split(QLatin1Char('\r'));
    QCOMPARE(lines[8], QStringLiteral("set subject of theMessage to \"Feedback concerning Pix\"mura\""));
    QVERIFY2(lines[9].contains(QStringLiteral("|    App : Pix\\\"mura v2\\\\5|")), qPrintable(lines[9]));
    QCOMPARE(RecordedArguments(record)[2], QStringLiteral("Feedback concerning Pix\"mura"));
  }

  // What the composer reports decides: a launcher that fails or cannot start is shown in the message box
  // with the script, broken into lines of about 40 characters; anything else counts as success.
  void composerReport_data() {
    QTest::addColumn<QString>("mailer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("result");
    QTest::newRow("fails with a reason")
        << "echo no mail program; exit 3"
        << "MAIL COMPOSER ERROR: NO MAIL PROGRAM \n(EXIT CODE 3)\nSCRIPT WAS\ntell app\r" << "ERROR";
    QTest::newRow("fails silently") << "exit 1"
                                    << "MAIL COMPOSER ERROR: XDG-EMAIL FAILED \n(EXIT CODE 1)\nSCRIPT WAS\ntell app\r"
                                    << "ERROR";
    QTest::newRow("cannot start") << ""
                                  << "MAIL COMPOSER ERROR: XDG-EMAIL COULD \nNOT BE STARTED\nSCRIPT WAS\ntell app\r"
                                  << "ERROR";
    QTest::newRow("talks but succeeds") << "echo 'gio: failed to load a module'; exit 0" << "" << "";
    QTest::newRow("says what looks like placeholders")
        << "echo 'bad %20 %1 thing'; exit 3"
        << "MAIL COMPOSER ERROR: BAD %20 %1 THING \n(EXIT CODE 3)\nSCRIPT WAS\ntell app\r" << "ERROR";
  }
  void composerReport() {
    QFETCH(QString, mailer);
    QFETCH(QString, message);
    QFETCH(QString, result);
    if (mailer.isEmpty())
      Environment::OverrideToolPath(QStringLiteral("xdg-email"), Fixture::Home() + QStringLiteral("/no/such/xdg-email"));
    else RecordingMailer(mailer);
    modOptions::Apple_Script = QStringLiteral("tell app\r");
    if (!message.isEmpty()) Fixture::ExpectMessageBox(message, QStringLiteral("Ok"));
    QCOMPARE(Execute_Script(Platform::MailMessage{QStringLiteral("a@b.example"), QStringLiteral("s"), QStringLiteral("b")}),
             result);
    QVERIFY(!Environment::BusyCursor());
  }

  void longReportIsBrokenAfterTheLastSeparatorWithin40() {
    RecordingMailer(QStringLiteral("echo 'could not open mailto:feedback@pixmura.example?subject=Feedback' >&2; exit 4"));
    modOptions::Apple_Script = QStringLiteral("x\r");
    Fixture::ExpectMessageBox(QStringLiteral("MAIL COMPOSER ERROR: COULD NOT OPEN \nMAILTO:FEEDBACK@PIXMURA.\n"
                                             "EXAMPLE?SUBJECT=FEEDBACK (EXIT CODE 4)\nSCRIPT WAS\nx\r"),
                              QStringLiteral("Ok"));
    QCOMPARE(Execute_Script(Platform::MailMessage{}), QStringLiteral("ERROR"));
  }

  // The shared temporary folder may hold anything under the script's name, another user's folder or
  // link among them: the script goes into a folder of the program's own, which only this user can
  // enter and which is gone afterwards.
  void theScriptIsWrittenInAPrivateFolder_data() {
    QTest::addColumn<QString>("planted");
    QTest::newRow("a folder") << "folder";
    QTest::newRow("a link to a file of the user's") << "link";
  }
  void theScriptIsWrittenInAPrivateFolder() {
    QFETCH(QString, planted);
    Identity();
    const QString tmp = Platform::FolderItem::Temporary()->ShellPath();
    const QString fixed = tmp + QStringLiteral("/ical_applescript.txt");
    const QString victim = Fixture::WriteFile(QStringLiteral("victim.txt"), "keep me");
    if (planted == QLatin1String("folder")) QDir().mkpath(fixed + QStringLiteral("/inside"));
    else QVERIFY(QFile::link(victim, fixed));
    const QStringList before = TemporaryEntries();
    const QString record = RecordingMailer(KeepTheScript());
    modOptions::Send_Email();
    QCOMPARE(RecordedArguments(record).value(2), QStringLiteral("Feedback concerning Pixmura"));
    QCOMPARE(Fixture::ReadFile(Fixture::Home() + QStringLiteral("/script-seen")), modOptions::Apple_Script.toUtf8());
    QCOMPARE(Fixture::ReadFile(Fixture::Home() + QStringLiteral("/script-folder")).trimmed(), QByteArray("700"));
    QCOMPARE(TemporaryEntries(), before);
    QCOMPARE(Fixture::ReadFile(victim), QByteArray("keep me"));
    QVERIFY(planted == QLatin1String("folder") ? QFileInfo(fixed).isDir() : QFileInfo(fixed).isSymLink());
  }

  void scriptFileThatCannotBeMadeRunsNothing() {
    const QString record = RecordingMailer();
    // The temporary folder lies behind a regular file: no folder can be made in it.
    const QString blocked = Fixture::WriteFile(QStringLiteral("not-a-folder"), "x") + QStringLiteral("/tmp");
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", blocked.toLocal8Bit());
    modOptions::Apple_Script = QStringLiteral("x\r");
    const QString result = Execute_Script(Platform::MailMessage{});
    qputenv("TMPDIR", tmp);
    QCOMPARE(result, QString());
    QVERIFY(!QFile::exists(record));
  }

  // A mail program still starting after the wait is left to run: it is not killed.
  void launchLeavesASlowProgramRunning() {
    const QString marker = Fixture::Home() + QStringLiteral("/finished");
    const QString path = Fixture::StandInTool(QStringLiteral("slow"), QStringLiteral("sleep 1\ntouch '%1'").arg(marker));
    QElapsedTimer clock;
    clock.start();
    const Platform::ShellResult r = Platform::Shell::Launch(path, {}, 200);
    QVERIFY(clock.elapsed() < 900);
    QVERIFY(r.started);
    QVERIFY(r.timedOut);
    QVERIFY(!QFile::exists(marker));
    QTRY_VERIFY(QFile::exists(marker));
  }
};

PIXMURA_TEST_CLASS(FeedbackMailTests)
#include "FeedbackMailTests.moc"
