#include "platform/MailComposer.h"

#include <QStringList>

#include "platform/Shell.h"

namespace Platform {

QString MailComposer::Compose(const MailMessage& message) {
  const QString tool = QStringLiteral("xdg-email");
  const QStringList arguments{QStringLiteral("--utf8"), QStringLiteral("--subject"), message.subject,
                              QStringLiteral("--body"),  message.body,              message.recipient};
  const ShellResult r = Shell::Launch(tool, arguments, kWaitSeconds * 1000);
  if (!r.started) return QStringLiteral("Mail composer error: %1 could not be started").arg(tool);
  // Still running after the wait: the launcher is busy with the mail program, which is taken as success.
  if (r.timedOut || r.errorCode == 0) return QString();
  QString said = r.output.trimmed();
  if (said.isEmpty()) said = QStringLiteral("%1 failed").arg(tool);
  // One arg() call: a "%1" in what the launcher said stays as it was written.
  return QStringLiteral("Mail composer error: %1 (exit code %2)").arg(said, QString::number(r.errorCode));
}

}  // namespace Platform
