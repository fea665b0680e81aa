#include "app/FeedbackMail.h"

#include <QFile>
#include <QTemporaryDir>

#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "core/Messages.h"
#include "platform/Environment.h"
#include "platform/FolderItem.h"
#include "platform/Text.h"

namespace {

const QChar kCR(13);
const QChar kLF(10);
const QString kLineEnd = QStringLiteral("\n");

// Breaks a long report into lines of about 40 characters: after the last separator that lies within 40
// characters of the line's start, once a separator more than 40 characters after the start is met.
void Break_Lines(QString& message) {
  static const QString separators = QStringLiteral(" :,/@!%;.\r\n");
  int start = 1, candidate = 0;
  for (int i = 1; i < message.size(); ++i) {
    if (!separators.contains(message[i - 1])) continue;
    if (i - start < 40) candidate = i;
    if (i - start > 40) {
      message = message.left(candidate) + kLineEnd + message.mid(candidate);
      start = i + 1;
    }
  }
}

}  // namespace

namespace modOptions {

QString Feedback_Box() {
  const QString app = PGM_Name + QStringLiteral(" v") + PGM_Version;
  const QString border = QLatin1Char('+') + QString(app.size() + 10, QLatin1Char('-')) + QLatin1Char('+');
  return QString(3, kCR) + border + kCR + QStringLiteral("|    App : ") + app + QLatin1Char('|') + kCR + border;
}

void Add_Script(const QString& line) {
  QString l = line;
  l.replace(QStringLiteral("''"), QStringLiteral("\""));
  Apple_Script += l + kCR;
}

QString Escape(const QString& text) {
  const QChar placeholder(0xFF);
  const QString newline = QStringLiteral("\\n");
  QString s = text;
  s.replace(QLatin1Char('\\'), placeholder);
  s.replace(QLatin1Char('"'), QStringLiteral("\\\""));
  s.replace(QString(kCR) + kLF, newline);
  s.replace(QString(kLF) + kCR, newline);
  s.replace(kLF, newline);
  s.replace(kCR, newline);
  s.replace(placeholder, QStringLiteral("\\\\"));
  return s;
}

void Send_Email() {
  const QString box = Feedback_Box();
  const QString subject = QStringLiteral("Feedback concerning ") + PGM_Name;
  Apple_Script.clear();
  Add_Script(QStringLiteral("tell application ''Mail''"));
  Add_Script(QStringLiteral("set accountAddresses to (email addresses of first account)"));
  Add_Script(QStringLiteral("set fromAddress to first item of accountAddresses"));
  Add_Script(QStringLiteral("set theMessage to make new outgoing message"));
  Add_Script(QStringLiteral("tell theMessage"));
  Add_Script(QStringLiteral("make new to recipient at end of to recipients with properties {address:''") +
             Feedback_Address + QStringLiteral("''}"));
  Add_Script(QStringLiteral("end tell"));
  Add_Script(QStringLiteral("set visible of theMessage to true"));
  Add_Script(QStringLiteral("set subject of theMessage to ''") + subject + QStringLiteral("''"));
  Add_Script(QStringLiteral("set content of theMessage to ''") + Escape(box) + QStringLiteral("''"));
  Add_Script(QStringLiteral("set font of content of theMessage to ''Courier''"));
  Add_Script(QStringLiteral("set size of content of theMessage to 18"));
  Add_Script(QStringLiteral("activate"));
  Add_Script(QStringLiteral("end tell"));

  // What the script makes the mail program do: one recipient, the subject, and the box as the content,
  // its line ends as the script's string gives them.
  Platform::MailMessage message;
  message.recipient = Feedback_Address;
  message.subject = subject;
  message.body = QString(box).replace(kCR, kLF);
  Execute_Script(message);
}

}  // namespace modOptions

QString Execute_Script(const Platform::MailMessage& message) {
  using modOptions::Apple_Script;
  const Platform::FolderItemPtr temporary = Platform::FolderItem::Temporary();
  if (!temporary || !temporary->Directory()) return QString();
  // A folder of the program's own inside the shared temporary folder, readable by this user only and
  // removed afterwards: nobody else's file or link can stand in the script's way there.
  QTemporaryDir folder(temporary->ShellPath() + QStringLiteral("/pixmura-XXXXXX"));
  if (!folder.isValid()) return QString();
  const QString file = folder.filePath(QStringLiteral("ical_applescript.txt"));
  {
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return QString();
    const QByteArray bytes = Apple_Script.toUtf8();
    if (f.write(bytes) != bytes.size() || !f.flush()) return QString();
  }

  Platform::Environment::ProcessEvents();
  const bool wasBusy = Platform::Environment::BusyCursor();
  Platform::Environment::SetBusyCursor(true);
  QString out = Platform::MailComposer::Compose(message).toUpper();
  if (!wasBusy) Platform::Environment::SetBusyCursor(false);
  if (out.isEmpty()) return out;

  while (!out.isEmpty() && out.back().unicode() < 32) out.chop(1);
  out.replace(kCR, QLatin1Char('!'));
  out.replace(kLF, QLatin1Char('*'));
  for (const QString& word : {QStringLiteral("GOT AN ERROR"), QStringLiteral("FAIL"), QStringLiteral("SCRIPT ERROR"),
                              QStringLiteral("ERROR:")}) {
    if (Platform::InStr(out, word) > 0) {
      QString report = out + kLineEnd + QStringLiteral("SCRIPT WAS") + kLineEnd + Apple_Script;
      Break_Lines(report);
      modMAIN::myMsgBox(report, 0, QString());
      return QStringLiteral("ERROR");
    }
  }
  return out;
}
