#pragma once
// What the printing system answered. Qt's printer hands a finished job to the printing system and
// reports success whatever the answer; the answer itself is kept here.
#include <QString>

namespace Platform {

// The printing system's answer to the last request this thread made of it (such as the job a printer
// just handed over): empty when it was accepted, else the printing system's reason.
QString PrintSystemLastError();

}  // namespace Platform
