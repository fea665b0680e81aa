#include "colorwindows/FloatingWindows.h"

#include <QWidget>
#include <algorithm>

#include "platform/Environment.h"

namespace ColorWindows {

QRect On_Screen(const QRect& bounds) {
  const QRect screen = Platform::Environment::MainScreenAvailable();
  QRect r = bounds;
  if (r.right() > screen.right()) r.moveRight(screen.right());
  if (r.bottom() > screen.bottom()) r.moveBottom(screen.bottom());
  if (r.left() < screen.left()) r.moveLeft(screen.left());
  if (r.top() < screen.top()) r.moveTop(screen.top());
  return r;
}

void Place_Window(QWidget* window, int left, int top, int width, int height) {
  window->setGeometry(On_Screen(QRect(left, top, width, height)));
}

}  // namespace ColorWindows
