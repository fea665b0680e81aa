#pragma once
// Qt's print dialogs, and the program's own conversations with the printing system. A printing system
// that accepts a connection and then never answers, or answers a byte at a time, would hold every call of
// Qt's printing for minutes; so the program asks it first whether it answers at all, and hands a finished
// job over itself. Each conversation runs on a connection of its own in a thread of its own, for at most
// the wait of Environment::PrintSystemWaitMs, while the windows go on repainting.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QDialog;
class QPrinter;
class QWidget;

namespace Platform {

// Shows one of Qt's print dialogs (print, page set-up) through the modal host; true when the user
// confirmed it.
bool RunPrintDialog(QDialog* dialog, const QString& title, QWidget* parent);

// Asks the printing system for its default printer. Empty when it answered in time, whatever it
// answered, and also when there is no printing system to ask (nothing then waits on it); otherwise the
// reason, such as "The printing system at “localhost” did not answer within 5 seconds."
QString PrintSystemResponds();

// A job for a printer of the printing system. Qt would hand the printed page over itself as the page
// ends, and wait for the printing system as long as it takes; a diverted printer writes the page into a
// file of the program's own instead, which Submit hands over within the wait.
class PrintJob {
 public:
  PrintJob() = default;
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  // True for a printer whose page would go to the printing system as it ends.
  static bool Goes_To_Print_System(const QPrinter& printer);
  // Sends what the printer prints into a file of the job's, with the printer's name, the document's name
  // and the options that Qt would have handed over (paper, copies, sides, orientation and the choices of
  // the print dialog). False with the reason when there is no file to write to or no printer named.
  bool Divert(QPrinter& printer, QString& reason);
  // Hands the printed file to the printer. Empty when the printing system took the job, else its reason
  // or that it did not answer in time. The file goes in either case.
  QString Submit();

 private:
  QString file_;
  QString printer_;
  QString title_;
  QList<QPair<QByteArray, QByteArray>> options_;
};

}  // namespace Platform
