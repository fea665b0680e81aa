#pragma once
// What the floating colour windows share: their remembered place, kept on the screen.
#include <QRect>

class QWidget;

namespace ColorWindows {

// The rectangle moved, as little as needed, so that it lies on the part of the main screen that windows
// may cover (its top-left corner on the screen when it is larger than that part).
QRect On_Screen(const QRect& bounds);

// Gives the window's inside this place and size, kept on the screen.
void Place_Window(QWidget* window, int left, int top, int width, int height);

}  // namespace ColorWindows
