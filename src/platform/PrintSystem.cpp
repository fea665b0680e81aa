#include "platform/PrintSystem.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QPrintEngine>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTimer>
#include <atomic>
#include <cups/cups.h>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/socket.h>
#include <thread>

#include "platform/Environment.h"
#include "platform/ModalHost.h"

namespace Platform {

bool RunPrintDialog(QDialog* dialog, const QString& title, QWidget* parent) {
  ModalRequest r;
  r.kind = ModalKind::Print;
  r.title = title;
  r.dialog = dialog;
  r.parent = parent;
  r.sheet = parent != nullptr;
  return ModalHost::Run(r).toBool();
}

namespace {

// The print engine's key for the printing system's options chosen in the print dialog (Qt keeps them
// under the first key of its own range): pairs of name and value.
const auto kDialogOptions = QPrintEngine::PrintEnginePropertyKey(QPrintEngine::PPK_CustomBase);

// One conversation with the printing system, shared by the thread that holds it and the caller that
// waits for it. The caller may stop waiting before the thread ends: the thread then ends by itself.
struct Conversation {
  std::mutex lock;
  int socket = -1;     // the connection's socket while the talk goes on
  bool abandoned = false;
  int cancel = 0;      // stops a connection still being made
  QString server;      // the printing system's address, as the thread found it
  QString answer;
  std::atomic<bool> done{false};
};

// No password can be asked for from the conversation's thread: a printing system that wants one refuses.
const char* No_Password(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

QString Did_Not_Answer(const QString& server, int ms) {
  const double seconds = ms / 1000.0;
  return QStringLiteral("The printing system at \u201C%1\u201D did not answer within %2 %3.")
      .arg(server.isEmpty() ? QStringLiteral("localhost") : server, QString::number(seconds, 'g', 3),
           seconds == 1 ? QStringLiteral("second") : QStringLiteral("seconds"));
}

struct Outcome {
  bool inTime = false;  // the conversation ended within the wait
  QString answer;
};

// Runs the talk on a connection of its own to the printing system, in a thread of its own, and waits for
// it at most the printing system's wait, the windows repainting and the busy cursor showing meanwhile
// (user input waits until the end). The answer is the talk's, or why no connection could be made; when
// the wait runs out, that it did not answer: the connection is then shut, which ends the talk, and the
// thread ends by itself. The thread runs `done` as it ends, whether it talked or not.
Outcome Converse(std::function<QString(http_t*)> talk, std::function<void()> done = {}) {
  const int wait = Environment::PrintSystemWaitMs();
  auto c = std::make_shared<Conversation>();
  std::thread([c, talk = std::move(talk), done = std::move(done), wait] {
    cupsSetPasswordCB2(No_Password, nullptr);
    {
      const std::lock_guard<std::mutex> hold(c->lock);
      // A local socket's path, or a host and the port the program asks there.
      const QString server = QString::fromUtf8(cupsServer());
      c->server = server.startsWith(QLatin1Char('/')) ? server : QStringLiteral("%1:%2").arg(server).arg(ippPort());
    }
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, wait, &c->cancel);
    if (!http) {
      const char* why = cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE ? cupsLastErrorString() : nullptr;
      c->answer = why && *why ? QString::fromUtf8(why)
                              : QStringLiteral("The printing system at \u201C%1\u201D could not be reached.").arg(c->server);
    } else {
      {
        const std::lock_guard<std::mutex> hold(c->lock);
        if (!c->abandoned) c->socket = httpGetFd(http);
      }
      if (c->socket >= 0) c->answer = talk(http);
      {
        const std::lock_guard<std::mutex> hold(c->lock);
        c->socket = -1;
      }
      httpClose(http);
    }
    if (done) done();
    c->done = true;
  }).detach();

  const QDeadlineTimer deadline(wait);
  if (!c->done) {
    const bool wasBusy = Environment::BusyCursor();
    Environment::SetBusyCursor(true);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (c->done || deadline.hasExpired()) loop.quit();
    });
    poll.start(10);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    Environment::SetBusyCursor(wasBusy);
  }
  if (c->done) return {true, c->answer};
  const std::lock_guard<std::mutex> hold(c->lock);
  c->abandoned = true;
  c->cancel = 1;
  if (c->socket >= 0) ::shutdown(c->socket, SHUT_RDWR);
  return {false, Did_Not_Answer(c->server, wait)};
}

}  // namespace

QString PrintSystemResponds() {
  const Outcome outcome = Converse([](http_t* http) {
    ippDelete(cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/"));
    return QString();
  });
  // Any answer will do; and a printing system that is not there keeps no one waiting.
  return outcome.inTime ? QString() : outcome.answer;
}

PrintJob::~PrintJob() {
  if (!file_.isEmpty()) QFile::remove(file_);
}

bool PrintJob::Goes_To_Print_System(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
}

bool PrintJob::Divert(QPrinter& printer, QString& reason) {
  // The print system knows a printer by its name without the instance ("queue/instance").
  printer_ = printer.printerName().section(QLatin1Char('/'), 0, 0);
  if (printer_.isEmpty()) {
    reason = QStringLiteral("No printer was chosen.");
    return false;
  }
  {
    // No ".pdf" at the end: that would turn the printer into a PDF writer of Qt's that forgets the
    // dialog's choices.
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/pixmura-print-XXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) {
      reason = QStringLiteral("No file for the print job could be made: ") + file.errorString();
      return false;
    }
    file_ = file.fileName();
  }
  title_ = printer.docName();
  const QPageLayout layout = printer.pageLayout();
  options_.clear();
  const auto option = [this](const QByteArray& name, const QByteArray& value) { options_.append(qMakePair(name, value)); };
  option("media", layout.pageSize().key().toLocal8Bit());
  const int copies = printer.copyCount();
  if (copies > 1) option("copies", QByteArray::number(copies));
  if (copies > 1 && printer.collateCopies()) option("Collate", "True");
  const bool portrait = layout.orientation() == QPageLayout::Portrait;
  switch (printer.duplex()) {
    case QPrinter::DuplexNone: option("sides", "one-sided"); break;
    case QPrinter::DuplexAuto:
      option("sides", portrait ? "two-sided-long-edge" : "two-sided-short-edge");
      break;
    case QPrinter::DuplexLongSide: option("sides", "two-sided-long-edge"); break;
    case QPrinter::DuplexShortSide: option("sides", "two-sided-short-edge"); break;
  }
  if (!portrait) option("landscape", "");
  const QStringList chosen = printer.printEngine()->property(kDialogOptions).toStringList();
  for (qsizetype i = 0; i + 1 < chosen.size(); i += 2) option(chosen[i].toLocal8Bit(), chosen[i + 1].toLocal8Bit());
  printer.setOutputFileName(file_);
  return true;
}

QString PrintJob::Submit() {
  // The thread may outlive this job: it takes copies of what it needs, and removes the file as it ends.
  const QString file = std::exchange(file_, QString());
  return Converse(
             [file, printer = printer_, title = title_, options = options_](http_t* http) {
               cups_option_t* list = nullptr;
               int count = 0;
               for (const auto& [name, value] : options)
                 count = cupsAddOption(name.constData(), value.constData(), count, &list);
               const int id = cupsPrintFile2(http, printer.toLocal8Bit().constData(), QFile::encodeName(file).constData(),
                                             title.toLocal8Bit().constData(), count, list);
               cupsFreeOptions(count, list);
               if (id > 0) return QString();
               const char* why = cupsLastErrorString();
               return why && *why ? QString::fromUtf8(why) : QStringLiteral("The printing system refused the job.");
             },
             [file] { QFile::remove(file); })
      .answer;
}

}  // namespace Platform
