#include "platform/ModalHost.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace Platform {

namespace {
struct ScriptState {
  bool scripted = false;
  std::deque<ModalHandler> queue;
  QStringList failures;
  std::deque<ModalRequest> history;
};
ScriptState& S() {
  static ScriptState s;
  return s;
}

QString StripMnemonic(QString s) {
  s.remove(QLatin1Char('&'));
  return s;
}

QString FileFilter(const QStringList& types) {
  if (types.isEmpty()) return QString();
  QStringList patterns;
  for (const QString& t : types) patterns << QStringLiteral("*.") + t;
  return QObject::tr("Pictures (%1);;All files (*)").arg(patterns.join(QLatin1Char(' ')));
}

QVariant RunReal(ModalRequest& r) {
  switch (r.kind) {
    case ModalKind::MessageBox:
    case ModalKind::Dialog:
    case ModalKind::Print:
      if (r.dialog) return r.dialog->exec();
      if (r.kind != ModalKind::MessageBox) return QVariant();
      [[fallthrough]];
    case ModalKind::Alert: {
      QMessageBox box(r.parent);
      box.setWindowTitle(r.title);
      box.setText(r.message);
      box.setInformativeText(r.explanation);
      if (r.icon == QLatin1String("stop")) box.setIcon(QMessageBox::Critical);
      else if (r.icon == QLatin1String("caution")) box.setIcon(QMessageBox::Warning);
      else box.setIcon(QMessageBox::Information);
      // Escape and the close box answer "Cancel" where the alert has it; the other buttons of such an
      // alert must not look like a second way to cancel.
      const bool hasCancel = r.buttons.mid(1).contains(QStringLiteral("Cancel"));
      QList<QPushButton*> buttons;
      for (int i = 0; i < r.buttons.size(); ++i) {
        QMessageBox::ButtonRole role = QMessageBox::RejectRole;
        if (i == 0) role = QMessageBox::AcceptRole;
        else if (hasCancel && r.buttons[i] != QLatin1String("Cancel")) role = QMessageBox::DestructiveRole;
        auto* b = box.addButton(r.buttons[i], role);
        b->setObjectName(QStringLiteral("alertButton%1").arg(i));
        buttons << b;
        if (hasCancel && i > 0 && r.buttons[i] == QLatin1String("Cancel")) box.setEscapeButton(b);
      }
      if (!buttons.isEmpty()) box.setDefaultButton(buttons.first());
      if (r.sheet && r.parent) box.setWindowModality(Qt::WindowModal);
      box.exec();
      const int i = buttons.indexOf(static_cast<QPushButton*>(box.clickedButton()));
      return i >= 0 ? QVariant(r.buttons[i]) : QVariant(QString());
    }
    case ModalKind::OpenFile:
    case ModalKind::SaveFile:
    case ModalKind::ChooseFolder: {
      QFileDialog dlg(r.parent, r.title, r.folder, FileFilter(r.fileTypes));
      dlg.setOption(QFileDialog::DontUseNativeDialog, true);
      if (r.kind == ModalKind::SaveFile) {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        // The program asks about replacing a file itself.
        dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
        dlg.selectFile(r.defaultName);
      } else if (r.kind == ModalKind::ChooseFolder) {
        dlg.setFileMode(QFileDialog::Directory);
      } else {
        dlg.setFileMode(QFileDialog::ExistingFile);
      }
      if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return QString();
      return dlg.selectedFiles().first();
    }
    case ModalKind::ColorPicker: {
      const QColor c = QColorDialog::getColor(r.color, r.parent, r.title, QColorDialog::DontUseNativeDialog);
      return c.isValid() ? QVariant(c) : QVariant();
    }
  }
  return QVariant();
}
}  // namespace

QString ModalKindName(ModalKind kind) {
  switch (kind) {
    case ModalKind::MessageBox: return QStringLiteral("message box");
    case ModalKind::Alert: return QStringLiteral("alert");
    case ModalKind::Dialog: return QStringLiteral("dialog");
    case ModalKind::OpenFile: return QStringLiteral("open dialog");
    case ModalKind::SaveFile: return QStringLiteral("save dialog");
    case ModalKind::ChooseFolder: return QStringLiteral("folder chooser");
    case ModalKind::ColorPicker: return QStringLiteral("colour picker");
    case ModalKind::Print: return QStringLiteral("print dialog");
  }
  return QString();
}

QString ModalHost::Describe(const ModalRequest& r) {
  QString s = ModalKindName(r.kind);
  if (!r.title.isEmpty()) s += QStringLiteral(" titled \"%1\"").arg(r.title);
  if (!r.message.isEmpty()) s += QStringLiteral(" saying \"%1\"").arg(r.message);
  if (!r.explanation.isEmpty()) s += QStringLiteral(" / \"%1\"").arg(r.explanation);
  if (!r.buttons.isEmpty()) s += QStringLiteral(" [%1]").arg(r.buttons.join(QStringLiteral(" | ")));
  if (r.dialog) s += QStringLiteral(" (%1)").arg(r.dialog->objectName());
  return s;
}

QVariant ModalHost::Run(ModalRequest& request) {
  if (!S().scripted) return RunReal(request);
  S().history.push_back(request);
  if (S().queue.empty()) {
    S().failures << QStringLiteral("Unexpected ") + Describe(request);
    if (request.dialog && (request.kind == ModalKind::MessageBox || request.kind == ModalKind::Dialog)) {
      // Leave the dialog as a cancel would.
      ClickButton(request.dialog, QStringLiteral("Cancel"));
    }
    return QVariant();
  }
  ModalHandler handler = std::move(S().queue.front());
  S().queue.pop_front();
  QVariant answer = handler(request);
  if (request.dialog && (request.kind == ModalKind::MessageBox || request.kind == ModalKind::Dialog) &&
      answer.typeId() == QMetaType::QString && !answer.toString().isEmpty()) {
    if (!ClickButton(request.dialog, answer.toString()))
      S().failures << QStringLiteral("No button \"%1\" in ").arg(answer.toString()) + Describe(request);
  }
  return answer;
}

QVariant ModalHost::RunDialog(QDialog* dialog, QWidget* parent, bool sheet) {
  ModalRequest r;
  r.kind = ModalKind::Dialog;
  r.title = dialog->windowTitle();
  r.dialog = dialog;
  r.parent = parent;
  r.sheet = sheet;
  return Run(r);
}

void ModalHost::SetScripted(bool on) { S().scripted = on; }
bool ModalHost::Scripted() { return S().scripted; }
void ModalHost::Enqueue(ModalHandler handler) { S().queue.push_back(std::move(handler)); }
int ModalHost::Pending() { return int(S().queue.size()); }
void ModalHost::ClearScript() {
  S().queue.clear();
  S().history.clear();
}
void ModalHost::RecordFailure(const QString& text) { S().failures << text; }
QStringList ModalHost::TakeFailures() {
  QStringList f = S().failures;
  S().failures.clear();
  return f;
}
const std::deque<ModalRequest>& ModalHost::History() { return S().history; }

bool ModalHost::ClickButton(QWidget* dialog, const QString& captionOrName) {
  if (!dialog) return false;
  const auto buttons = dialog->findChildren<QAbstractButton*>();
  for (QAbstractButton* b : buttons) {
    if (b->objectName() == captionOrName) {
      b->click();
      return true;
    }
  }
  for (QAbstractButton* b : buttons) {
    if (StripMnemonic(b->text()) == StripMnemonic(captionOrName)) {
      b->click();
      return true;
    }
  }
  return false;
}

}  // namespace Platform
