#pragma once
// Printing the working picture on one page.
#include <QRect>
#include <QString>
#include <cstdint>

class QPaintDevice;
class QPrinter;

namespace modMAIN {

// Where a picture of w x h stands on a printable area of page_w x page_h device pixels: at its own size
// when that is narrower than the largest size that keeps its proportions on the page and fit is off,
// otherwise at that largest size; centred on an axis where it is smaller than the page and that axis's
// centring is on, else at the top or left edge.
QRect Print_Layout(int32_t page_w, int32_t page_h, int32_t w, int32_t h, bool fit, bool center_h, bool center_v);

// Draws the working picture on the device's one page, laid out by the print settings, with the busy
// cursor showing. The device prints at the horizontal resolution in force; the picture's height is
// scaled by h / v so that it prints at the size measured with both resolutions. Answers false with the
// reason when the page could not be started or finished, or the printing system refused the job.
bool Print_Working_Picture(QPaintDevice& device, QString& reason);

}  // namespace modMAIN
