#include "core/Messages.h"

#include <QStringList>

#include "platform/ModalHost.h"

namespace modMAIN {

namespace {
const char* const kCaptions[] = {"", "Ok", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};

QList<int32_t> ButtonCodes(int32_t set) {
  switch (set & 7) {
    case 1: return {MSG_OK, MSG_CANCEL};
    case 2: return {MSG_ABORT, MSG_RETRY, MSG_IGNORE};
    case 3: return {MSG_YES, MSG_NO, MSG_CANCEL};
    case 4: return {MSG_YES, MSG_NO};
    case 5: return {MSG_CANCEL, MSG_RETRY};
    default: return {MSG_OK};
  }
}
}  // namespace

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
  const QList<int32_t> codes = ButtonCodes(flags);
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::MessageBox;
  r.title = title;
  r.message = message;
  for (int32_t c : codes) r.buttons << QString::fromLatin1(kCaptions[c]);
  const QString answer = Platform::ModalHost::Run(r).toString();
  for (int32_t c : codes)
    if (answer == QLatin1String(kCaptions[c])) return c;
  return codes.first();
}

bool msgConfirm(const QString& message, const QString& explanation) {
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::Alert;
  r.message = message;
  r.explanation = explanation;
  r.icon = QStringLiteral("note");
  r.buttons = QStringList{QStringLiteral("Yes"), QStringLiteral("No")};
  return Platform::ModalHost::Run(r).toString() == QLatin1String("Yes");
}

}  // namespace modMAIN
