#pragma once
// The program's own message box and the Yes/No confirmation.
#include <QString>
#include <cstdint>

namespace modMAIN {

// Result codes of the message box.
enum MsgResult : int32_t { MSG_OK = 1, MSG_CANCEL = 2, MSG_ABORT = 3, MSG_RETRY = 4, MSG_IGNORE = 5, MSG_YES = 6, MSG_NO = 7 };

// Shows the message box and returns the code of the button pressed. flags = button set (0..7) + icon
// (16 stop, 32 question, 48 exclamation, 64 information) + default button (0, 256, 512; 768 none). A "^"
// separates the bold first line from the explanation; a leading "!" makes an error report and a leading
// "*" a warning.
int32_t myMsgBox(const QString& message, int32_t flags = 0, const QString& title = QString());
// Asks Yes or No with the standard alert, application-modal; True only for Yes.
bool msgConfirm(const QString& message, const QString& explanation);

}  // namespace modMAIN
