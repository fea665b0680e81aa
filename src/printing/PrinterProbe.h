#pragma once
// The default printer and its resolutions, asked of the printing system once at start through
// "lpstat -d" and "lpoptions -l".
#include <QString>
#include <cstdint>

namespace modMAIN {

// Fills Printer_Name ("?" when none is known), Printer_Info (72 x 72 dpi first, then the printer's own
// resolutions, the default one selected) and Printer_SetupString. Reports nothing.
void Get_Printer_Info();
// The resolution in force on one axis (the first selected entry; entry 0 becomes selected when none
// is); -1 when the list is empty.
int32_t Get_Printer_Rez(bool horizontal);
// Adds the entries of the "Resolution:" line of "lpoptions -l" output to Printer_Info.
void Read_Printer_Resolutions(const QString& lpoptionsOutput);
// The page set-up as text: "Orientation=Portrait|Landscape;HorizontalResolution=h;VerticalResolution=v".
QString Printer_Setup_Text(bool landscape, int32_t horizontal, int32_t vertical);

}  // namespace modMAIN
