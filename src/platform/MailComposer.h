#pragma once
// Opens a new message in the desktop's mail program (through xdg-email) for the user to write and send.
#include <QString>

namespace Platform {

struct MailMessage {
  QString recipient;
  QString subject;
  QString body;  // lines end in line feeds
};

class MailComposer {
 public:
  // Seconds to wait for the mail program's launcher before leaving it to run on.
  static constexpr int kWaitSeconds = 10;

  // Hands the message to the mail program and reports as a script runner does: empty when the message
  // window was opened (or the launcher is still busy opening it), else a report that contains "error:"
  // with what the launcher said.
  static QString Compose(const MailMessage& message);
};

}  // namespace Platform
