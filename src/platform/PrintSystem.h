#pragma once
// Qt's print dialogs, and what the printing system answered. Qt's printer hands a finished job to the printing system and
// reports success whatever the answer; the answer itself is kept here.
#include <QString>

class QDialog;
class QWidget;

namespace Platform {

// Shows one of Qt's print dialogs (print, page set-up) through the modal host; true when the user
// confirmed it.
bool RunPrintDialog(QDialog* dialog, const QString& title, QWidget* parent);

// The printing system's answer to the last request this thread made of it (such as the job a printer
// just handed over): empty when it was accepted, else the printing system's reason.
QString PrintSystemLastError();

}  // namespace Platform
