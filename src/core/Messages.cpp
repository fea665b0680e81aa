#include "core/Messages.h"

#include <QStringList>

#include "app/ProgramIdentity.h"
#include "app/winMsgBOX.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"

namespace modMAIN {

int32_t myMsgBox(const QString& messageIn, int32_t flags, const QString& titleIn) {
  QString message = messageIn, title = titleIn;
  if (message.startsWith(QLatin1Char('!'))) {
    message = QStringLiteral("ERROR^") + message.mid(1);
    if (flags == 0) flags = 16;
    if (title.isEmpty()) title = QStringLiteral("ERROR");
  }
  if (message.startsWith(QLatin1Char('*'))) {
    message = QStringLiteral("Warning!^") + message.mid(1);
    if (flags == 0) flags = 48;
    if (title.isEmpty()) title = QStringLiteral("Warning");
  }
  winMsgBOX* box = winMsgBOX::instance();
  const int32_t result = box->myMsgBox(message, flags, title);
  // The box is made afresh for the next message.
  delete box;
  return result;
}

bool msgConfirm(const QString& message, const QString& explanation) {
  // The busy cursor is off while the question waits, and back afterwards (also on failure).
  struct BusyPause {
    bool was = Platform::Environment::BusyCursor();
    BusyPause() { Platform::Environment::SetBusyCursor(false); }
    ~BusyPause() { Platform::Environment::SetBusyCursor(was); }
  } pause;
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::Alert;
  r.title = PGM_Name;
  r.message = message;
  r.explanation = explanation;
  r.icon = QStringLiteral("note");
  r.buttons = QStringList{QStringLiteral("Yes"), QStringLiteral("No")};
  return Platform::ModalHost::Run(r).toString() == QLatin1String("Yes");
}

}  // namespace modMAIN
