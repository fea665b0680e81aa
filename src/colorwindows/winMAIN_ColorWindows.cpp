// The main window's commands that show and close the colour meter and the navigator.
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

namespace {

// Flips the open flag; a window that was open closes, else it shows (made when there is none).
template <typename Window>
void Toggle_Floating_Window(bool& open) {
  const bool wasOpen = open;
  open = !open;
  if (wasOpen) {
    if (Window* w = Window::existing()) w->close();
  } else {
    Window::instance()->show();
  }
}

}  // namespace

bool winMAIN::_menu_ColorMeter_Action() {
  Toggle_Floating_Window<winCOLORMeter>(active_COLORMETER);
  return true;
}

bool winMAIN::_menu_THUMBNAIL_Action() {
  Toggle_Floating_Window<winTHUMBNAIL>(active_THUMBNAIL);
  return true;
}

void winMAIN::AddColorWindowMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_ColorMeter"), [this] { return _menu_ColorMeter_Action(); });
  Bind_Menu(QStringLiteral("menu_THUMBNAIL"), [this] { return _menu_THUMBNAIL_Action(); });
}
