#pragma once
// The default printer and its resolutions, asked of the printing system once at start through
// "lpstat -d" and "lpoptions -l".
#include <QString>
#include <cstdint>

namespace modMAIN {

// Fills Printer_Name ("?" when none is known), Printer_Info (72 x 72 dpi first, then the printer's own
// resolutions, the default one selected) and Printer_SetupString (the default page set-up with the
// resolution in force). Reports nothing.
void Get_Printer_Info();
// The resolution in force on one axis (the first selected entry; entry 0 becomes selected when none
// is); -1 when the list is empty.
int32_t Get_Printer_Rez(bool horizontal);
// Adds the entries of the "Resolution:" line of "lpoptions -l" output to Printer_Info; an item that
// reads below 1 dot per inch on either axis is skipped.
void Read_Printer_Resolutions(const QString& lpoptionsOutput);

}  // namespace modMAIN
