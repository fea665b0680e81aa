// A printing system that takes the connection and then keeps the program waiting: File > Print, the page
// set-up of Page Setup and the printer probe end within the printing system's wait, the window repainting
// meanwhile, and say why. And a print that fails names no printer that has no name.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "printing/PrinterProbe.h"
#include "printing/winPRINTER.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "PrintHelpers.h"

using namespace modMAIN;
using namespace PrintChecks;

namespace {

// The wait the tests give the printing system.
constexpr int kWaitMs = 600;

// A printing system on loopback that takes every connection and then says nothing (silent), or sends an
// endless reply a byte every 150 ms (trickling). It hangs up each connection after five seconds, so that a
// program that waits for it as long as it takes still comes back, late.
class Stalling_Server {
 public:
  explicit Stalling_Server(bool trickle) : trickle_(trickle) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&a), len) == 0 && ::listen(listener_, 16) == 0 &&
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len) == 0)
      port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  ~Stalling_Server() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }
  QString Address() const { return QStringLiteral("127.0.0.1:%1").arg(port_); }
  int Connections() const { return connections_; }

 private:
  struct Client {
    int fd;
    QElapsedTimer since;
    int sent = 0;
  };
  void Serve() {
    static const char reply[] = "HTTP/1.1 200 OK\r\nX-Slow: ";
    std::vector<Client> clients;
    QElapsedTimer tick;
    tick.start();
    while (!stop_) {
      pollfd p{listener_, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) {
        const int fd = ::accept(listener_, nullptr, nullptr);
        if (fd >= 0) {
          clients.push_back({fd, {}});
          clients.back().since.start();
          ++connections_;
        }
      }
      const bool send = trickle_ && tick.elapsed() >= 150;
      if (send) tick.restart();
      for (auto c = clients.begin(); c != clients.end();) {
        if (c->since.elapsed() > 5000) {
          ::close(c->fd);
          c = clients.erase(c);
          continue;
        }
        if (send) {
          const char byte = c->sent < int(sizeof reply - 1) ? reply[c->sent] : 'a';
          ::send(c->fd, &byte, 1, MSG_NOSIGNAL);
          ++c->sent;
        }
        ++c;
      }
    }
    for (const Client& c : clients) ::close(c.fd);
  }

  const bool trickle_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> connections_{0};
  std::thread thread_;
};

// What the main window went through while a command waited: whether a timer of the program ran
// meanwhile and the busy cursor showed then, and how often the window painted itself.
class Watch : public QObject {
 public:
  Watch() {
    winMAIN::instance()->installEventFilter(this);
    // Some time into the wait the window is asked to repaint.
    QTimer::singleShot(150, this, [this] {
      ran = inside;
      busy = Platform::Environment::BusyCursor();
      winMAIN::instance()->update();
    });
  }
  ~Watch() override { winMAIN::instance()->removeEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (inside && e->type() == QEvent::Paint) ++paints;
    return false;
  }
  bool inside = false;
  bool ran = false;
  bool busy = false;
  int paints = 0;
};

QString Did_Not_Answer(const Stalling_Server& server) {
  return QStringLiteral("The printing system at \u201C%1\u201D did not answer within 0.6 seconds.").arg(server.Address());
}

}  // namespace

class SilentPrintSystemTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // File > Print and the "Advanced" page set-up of Page Setup, against a printing system that is silent
  // and one that trickles.
  void commandsEndWithinTheWait_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("trickle");
    QTest::newRow("print, silent") << "print" << false;
    QTest::newRow("print, trickling") << "print" << true;
    QTest::newRow("page set-up, silent") << "page set-up" << false;
    QTest::newRow("page set-up, trickling") << "page set-up" << true;
  }
  void commandsEndWithinTheWait() {
    QFETCH(QString, command);
    QFETCH(bool, trickle);
    const Stalling_Server server(trickle);
    const Server_Address address(server.Address());
    Platform::Environment::OverridePrintSystemWait(kWaitMs);
    Two_Colour_Picture(40, 20);
    winMAIN::instance()->show();
    QVERIFY(QTest::qWaitForWindowExposed(winMAIN::instance()));

    Watch watch;
    QElapsedTimer took;
    if (command == QLatin1String("print")) {
      Fixture::ExpectMessageBox(QStringLiteral("ERROR^The picture could not be printed.^") + Did_Not_Answer(server),
                                QStringLiteral("Ok"));
      took.start();
      watch.inside = true;
      QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
      watch.inside = false;
    } else {
      Fixture::ExpectDialog(QStringLiteral("winPRINTER"), [&](QDialog* d) {
        Fixture::ExpectMessageBox(QStringLiteral("ERROR^The page setup could not be opened.^") + Did_Not_Answer(server),
                                  QStringLiteral("Ok"));
        const QString before = Printer_SetupString;
        took.start();
        watch.inside = true;
        QTest::mouseClick(static_cast<winPRINTER*>(d)->pbAdvanced, Qt::LeftButton);
        watch.inside = false;
        QCOMPARE(Printer_SetupString, before);
      }, QStringLiteral("OK"));
      QVERIFY(!winMAIN::instance()->Handle_Menu(QStringLiteral("menu_PageSetup"), 0));
    }
    const qint64 ms = took.elapsed();
    QVERIFY2(server.Connections() > 0, "the program never asked the printing system");
    QVERIFY2(ms >= kWaitMs && ms < kWaitMs + 2500, qPrintable(QStringLiteral("took %1 ms").arg(ms)));
    QVERIFY2(watch.ran, "no timer ran while the command waited");
    QVERIFY(watch.busy);
    QVERIFY2(watch.paints > 0, "the window did not repaint while the command waited");
    QVERIFY(!Platform::Environment::BusyCursor());
  }

  // The printer probe at start: the printing tools are stopped after the wait, and the probe finds no
  // printer.
  void theProbeEndsWithinTheWait_data() {
    QTest::addColumn<bool>("trickle");
    QTest::newRow("silent") << false;
    QTest::newRow("trickling") << true;
  }
  void theProbeEndsWithinTheWait() {
    QFETCH(bool, trickle);
    const Stalling_Server server(trickle);
    const Server_Address address(server.Address());
    Platform::Environment::OverridePrintSystemWait(kWaitMs);
    Platform::Environment::OverrideToolPath(QStringLiteral("lpstat"), QStringLiteral("lpstat"));
    Platform::Environment::OverrideToolPath(QStringLiteral("lpoptions"), QStringLiteral("lpoptions"));
    QElapsedTimer took;
    took.start();
    Get_Printer_Info();
    const qint64 ms = took.elapsed();
    QVERIFY2(server.Connections() > 0, "the probe never asked the printing system");
    QVERIFY2(ms >= kWaitMs && ms < kWaitMs + 2500, qPrintable(QStringLiteral("took %1 ms").arg(ms)));
    QCOMPARE(Printer_Name, QStringLiteral("?"));
    QCOMPARE(Marks(), QStringLiteral("72x72*"));
  }

  // A print that fails on a printer without a name says so without naming it.
  void aFailedPrintNamesNoPrinterWithoutAName() {
    Two_Colour_Picture(40, 20);
    // A printer of Qt's own that writes PDF, with no file to write to: the page cannot be started.
    Answer_Print(QString(), true, [](QPrinter* p) {
      p->setOutputFormat(QPrinter::PdfFormat);
      p->setOutputFileName(QString());
      p->setPrinterName(QString());
    });
    Fixture::ExpectMessageBox(QStringLiteral("ERROR^The picture could not be printed.^The printer did not take the job."),
                              QStringLiteral("Ok"));
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
  }
};

PIXMURA_TEST_CLASS(SilentPrintSystemTests)
#include "SilentPrintSystemTests.moc"
