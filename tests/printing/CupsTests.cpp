#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "printing/PrinterProbe.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "PrintHelpers.h"

using namespace modMAIN;
using namespace PrintChecks;

// The printing system for real: a CUPS scheduler of the test's own, with a PDF queue whose device is a
// file, and a dot-matrix queue. The print library reads the scheduler's address once per process, so
// the program runs in a child process of this test that has it from its start.
namespace {

const char* const kChildFolder = "PIXMURA_CUPS_TEST_FOLDER";
const char* const kChildScheduler = "PIXMURA_CUPS_TEST_SCHEDULER";

QString Write(const QString& path, const QString& text) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(text.toUtf8()) < 0) return QStringLiteral("cannot write ") + path;
  return QString();
}

// Runs a tool of the printing system; its output, or what went wrong.
QString Tool(const QString& program, const QStringList& args, int* code = nullptr) {
  QProcess p;
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(program, args);
  const bool finished = p.waitForFinished(60000);
  if (code) *code = finished && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return QString::fromLocal8Bit(p.readAll());
}

bool Wait_For(const std::function<bool()>& ready, int ms) {
  QElapsedTimer t;
  t.start();
  while (!ready()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(200);
  }
  return true;
}

// The scheduler, stopped by its process id when the test ends however it ends.
struct Scheduler {
  QProcess process;
  ~Scheduler() {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(10000)) process.kill();
    process.waitForFinished(5000);
  }
};

}  // namespace

class CupsTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void probeAndPrintThroughCups() {
    if (qEnvironmentVariableIsSet(kChildFolder)) {
      In_The_Program(qEnvironmentVariable(kChildFolder));
      return;
    }
    for (const char* tool : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"})
      QVERIFY2(QFile::exists(QLatin1String(tool)), "the printing system is not installed: run ./test, which installs it");

    // Every folder of the scheduler in one place that its filters (run as the user lp) can reach.
    QTemporaryDir dir(QStringLiteral("/tmp/pixmura-cups-XXXXXX"));
    QVERIFY(dir.isValid());
    const QString root = dir.path();
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    for (const char* sub : {"spool", "cache", "state", "log", "tmp", "out"}) QVERIFY(QDir(root).mkpath(QLatin1String(sub)));
    for (const char* sub : {"/tmp", "/out"}) QFile::setPermissions(root + QLatin1String(sub), QFileDevice::Permissions(0x7777));

    int port = 0;
    {
      QTcpServer probe;
      QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
      port = probe.serverPort();
    }
    QCOMPARE(Write(root + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("Listen 127.0.0.1:%1\nServerName 127.0.0.1\nLogLevel warn\nBrowsing No\n"
                                  "DefaultAuthType None\nDefaultPolicy open\n"
                                  "<Policy open>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n</Policy>\n"
                                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                       .arg(port)),
             QString());
    QCOMPARE(Write(root + QStringLiteral("/cups-files.conf"),
                   QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                                  "TempDir %1/tmp\nAccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                  "PageLog %1/log/page_log\nFileDevice Yes\n")
                       .arg(root)),
             QString());

    const QString server = QStringLiteral("127.0.0.1:%1").arg(port);
    const Server_Address address(server);
    Scheduler cupsd;
    cupsd.process.setProcessChannelMode(QProcess::MergedChannels);
    cupsd.process.start(QStringLiteral("/usr/sbin/cupsd"),
                        {QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                         root + QStringLiteral("/cups-files.conf")});
    const bool running = Wait_For(
        [] { return Tool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QLatin1String("scheduler is running")); },
        20000);
    QVERIFY2(running, qPrintable(QString::fromLocal8Bit(cupsd.process.readAll())));

    int code = 0;
    QString out = Tool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("PDF"), QStringLiteral("-E"), QStringLiteral("-v"),
                                                   QStringLiteral("file:") + root + QStringLiteral("/out/PDF.ps"), QStringLiteral("-P"),
                                                   QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")},
                       &code);
    QVERIFY2(code == 0, qPrintable(out));
    out = Tool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("PDF")}, &code);
    QVERIFY2(code == 0, qPrintable(out));
    out = Tool(QStringLiteral("lpadmin"), {QStringLiteral("-p"), QStringLiteral("EPS9"), QStringLiteral("-E"), QStringLiteral("-v"),
                                           QStringLiteral("file:") + root + QStringLiteral("/out/EPS9.prn"), QStringLiteral("-m"),
                                           QStringLiteral("drv:///sample.drv/epson9.ppd")},
               &code);
    QVERIFY2(code == 0, qPrintable(out));

    // The program, in a process that knows the scheduler from its start.
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kChildFolder), root);
    env.insert(QLatin1String(kChildScheduler), QString::number(cupsd.process.processId()));
    env.insert(QStringLiteral("CUPS_SERVER"), server);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("CupsTests"), QStringLiteral("probeAndPrintThroughCups")});
    const bool finished = child.waitForFinished(600000);
    const QString report = QString::fromLocal8Bit(child.readAll());
    QVERIFY2(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             qPrintable(report + Fixture::ReadFile(root + QStringLiteral("/log/error_log"))));
  }

 private:
  // In the child: the probe reads the real queues, and a print to the PDF queue reaches its device.
  void In_The_Program(const QString& root) {
    Platform::Environment::OverrideToolPath(QStringLiteral("lpstat"), QStringLiteral("lpstat"));
    Platform::Environment::OverrideToolPath(QStringLiteral("lpoptions"), QStringLiteral("lpoptions"));
    Tool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("EPS9")});
    Get_Printer_Info();
    QCOMPARE(Printer_Name, QStringLiteral("EPS9"));
    QCOMPARE(Marks(), QStringLiteral("72x72 60x72 120x72* 240x72"));
    Tool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QStringLiteral("PDF")});
    Get_Printer_Info();
    QCOMPARE(Printer_Name, QStringLiteral("PDF"));
    QCOMPARE(Marks(), QStringLiteral("72x72 150x150 300x300* 600x600 1200x1200 2400x2400"));

    // 600 x 300 at 300 dpi, centred on Letter: 2 x 1 in at 3.25 x 5 in from the paper's corner.
    Printer_SetupString = Letter(false, 300, 300);
    modOptions::option_Printer_Center[0] = modOptions::option_Printer_Center[1] = true;
    Two_Colour_Picture(600, 300);
    QString queue;
    Answer_Print(QString(), true, [&queue](QPrinter* p) {
      queue = p->outputFormat() == QPrinter::NativeFormat ? p->printerName() : QStringLiteral("<not the printing system>");
    });
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
    QCOMPARE(queue, QStringLiteral("PDF"));

    const QString device = root + QStringLiteral("/out/PDF.ps");
    const bool done = Wait_For(
        [] { return Tool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty(); }, 120000);
    QVERIFY2(done, qPrintable(Tool(QStringLiteral("lpstat"), {QStringLiteral("-o")})));
    QVERIFY2(Fixture::ReadFile(device).startsWith("%!PS"), Fixture::ReadFile(device).left(200).constData());

    // The PostScript shows the picture where the layout put it.
    const QString png = root + QStringLiteral("/out/page.png");
    Tool(QStringLiteral("gs"), {QStringLiteral("-q"), QStringLiteral("-dSAFER"), QStringLiteral("-dBATCH"), QStringLiteral("-dNOPAUSE"),
                                QStringLiteral("-sDEVICE=png16m"), QStringLiteral("-r300"), QStringLiteral("-o"), png, device});
    const QImage page(png);
    QCOMPARE(page.size(), QSize(2550, 3300));
    const QString wrong = Check_Placement(page, QRect(975, 1500, 600, 300), 600);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // A queue that refuses jobs: the print says so, with the printing system's reason.
    Tool(QStringLiteral("cupsreject"), {QStringLiteral("PDF")});
    QString shown;
    Answer_Print(QString(), true);
    Fixture::ExpectAny([&shown](Platform::ModalRequest& r) -> QVariant {
      shown = r.kind == Platform::ModalKind::MessageBox ? r.message : Platform::ModalHost::Describe(r);
      return QStringLiteral("Ok");
    });
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
    Tool(QStringLiteral("cupsaccept"), {QStringLiteral("PDF")});
    QVERIFY2(shown.startsWith(QLatin1String("ERROR^The picture could not be printed.^")), qPrintable(shown));
    QVERIFY2(shown.contains(QLatin1String("PDF")) && shown.contains(QLatin1String("accepting")), qPrintable(shown));

    // The choices of the print dialog go with the job: two copies print two pages.
    Answer_Print(QString(), true, [](QPrinter* p) { p->setCopyCount(2); });
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
    const bool copied = Wait_For(
        [] { return Tool(QStringLiteral("lpstat"), {QStringLiteral("-o")}).trimmed().isEmpty(); }, 120000);
    QVERIFY2(copied, qPrintable(Tool(QStringLiteral("lpstat"), {QStringLiteral("-o")})));
    const QByteArray twice = Fixture::ReadFile(device);
    QVERIFY2(twice.contains("\n%%Pages: 2") && twice.contains("\n%%Page: 2 2"), twice.right(300).constData());

    // The scheduler stops answering once the print dialog has closed: the job's hand-over ends within the
    // wait, and the print says why it failed.
    const pid_t scheduler = pid_t(qEnvironmentVariableIntValue(kChildScheduler));
    QVERIFY(scheduler > 0);
    struct Going_On {
      pid_t pid;
      ~Going_On() { ::kill(pid, SIGCONT); }
    } going_on{scheduler};
    Platform::Environment::OverridePrintSystemWait(1000);
    Answer_Print(QString(), true, [scheduler](QPrinter*) { ::kill(scheduler, SIGSTOP); });
    Fixture::ExpectMessageBox(QStringLiteral("ERROR^The picture could not be printed.^The printing system at \u201C%1\u201D "
                                             "did not answer within 1 second.")
                                  .arg(qEnvironmentVariable("CUPS_SERVER")),
                              QStringLiteral("Ok"));
    QElapsedTimer took;
    took.start();
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
    QVERIFY2(took.elapsed() < 3500, qPrintable(QStringLiteral("took %1 ms").arg(took.elapsed())));
  }
};

PIXMURA_TEST_CLASS(CupsTests)
#include "CupsTests.moc"
