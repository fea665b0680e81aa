#pragma once
// The feedback mail: a new message to the maker, with the program's name and version in a small framed
// box, opened in the desktop's mail program for the user to write and send. The message is composed as a
// mail script (kept in modOptions::Apple_Script and written to "ical_applescript.txt" in a private folder
// of the temporary folder while it runs), and the mail program is driven by the mail composer of the
// platform layer.
#include <QString>

#include "platform/MailComposer.h"

namespace modOptions {

// The maker's address for feedback.
inline const QString Feedback_Address = QStringLiteral("feedback@pixmura.example");

// The whole feedback command (the Help menu's eMail Feedback item).
void Send_Email();
// Appends one line to the script: each pair of apostrophes becomes a double quote, and a carriage return
// ends the line.
void Add_Script(const QString& line);
// The text made safe for the inside of a double-quoted script string.
QString Escape(const QString& text);
// The framed box that names the program and its version: the message's content, lines ending in carriage
// returns.
QString Feedback_Box();

}  // namespace modOptions

// Writes the script, hands the message it makes to the mail composer and checks the composer's report.
// Returns the report, cleaned and in upper case; "ERROR" after a failure shown in the message box; empty
// when the script file could not be written (nothing is run then).
QString Execute_Script(const Platform::MailMessage& message);
