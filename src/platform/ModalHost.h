#pragma once
// Every modal wait of the program goes through here: message boxes, alert sheets, confirmations, modal
// dialog windows, open and save dialogs, the colour picker and the print dialogs. In the program the host
// shows the real window and waits; in tests a script answers each wait in turn and checks its texts, and
// a wait that the script does not expect is recorded as a failure.
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <deque>
#include <functional>

class QWidget;
class QDialog;

namespace Platform {

enum class ModalKind {
  MessageBox,   // the program's own message box (a dialog window; answer: the caption of the button)
  Alert,        // the platform's standard alert, as a sheet or application-modal (answer: a button caption)
  Dialog,       // any other modal dialog window or sheet (the script drives the dialog itself)
  OpenFile,     // the open dialog (answer: a path, empty for cancel)
  SaveFile,     // the save dialog (answer: a path, empty for cancel)
  ChooseFolder, // a folder chooser (answer: a path, empty for cancel)
  ColorPicker,  // the system colour picker (answer: a QColor, invalid for cancel)
  Print         // the print dialogs (answer: true to print, false to cancel)
};

QString ModalKindName(ModalKind kind);

struct ModalRequest {
  ModalKind kind = ModalKind::Alert;
  QString title;
  QString message;
  QString explanation;
  QStringList buttons;     // captions, in order; for an alert the first is the default
  QString icon;            // "note", "caution", "stop" or empty
  bool sheet = false;      // shown as a sheet on the main window
  QDialog* dialog = nullptr;
  QWidget* parent = nullptr;
  QStringList fileTypes;   // open/save dialogs: extensions offered
  QString defaultName;     // save dialog: the suggested name
  QString folder;          // open/save dialogs: where to start
  QColor color;            // colour picker: the start colour
};

using ModalHandler = std::function<QVariant(ModalRequest&)>;

class ModalHost {
 public:
  // Shows the modal and waits. The answer depends on the kind (see ModalKind).
  static QVariant Run(ModalRequest& request);
  // Shows a modal dialog window (a sheet on the parent when sheet is true), titled as the dialog, and
  // waits until it closes.
  static QVariant RunDialog(QDialog* dialog, QWidget* parent, bool sheet = false);

  // Test scripting: answers are taken in order. A wait with no answer queued is recorded and answered
  // with an empty value (cancel).
  static void SetScripted(bool on);
  static bool Scripted();
  static void Enqueue(ModalHandler handler);
  static int Pending();
  static void ClearScript();
  // Failures recorded while scripted: unexpected waits, and mismatches that handlers report.
  static void RecordFailure(const QString& text);
  static QStringList TakeFailures();
  // Every request seen while scripted, in order (for tests that look at what was shown).
  static const std::deque<ModalRequest>& History();

  // Describes a request in one line (kind, title, message, explanation, buttons).
  static QString Describe(const ModalRequest& r);

  // Clicks the button with this caption (ignoring "&") or object name inside the dialog; false when there
  // is none.
  static bool ClickButton(QWidget* dialog, const QString& captionOrName);
};

}  // namespace Platform
