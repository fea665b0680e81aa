// The main window's Image commands that ask through the geometry sheets: Resize/Scale, Canvas Size and
// Flip / Rotate.
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "geometry/winCANVAS_SIZE.h"
#include "geometry/winFlipRotate.h"
#include "geometry/winimage_RESIZE.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

using namespace modMAIN;

namespace {

// Field n (1-based) of the answer read as a whole number.
int32_t Answer_Number(int n) { return Platform::ToInt(Platform::Val(Platform::NthField(Dialog_Answer, QStringLiteral(","), n))); }

}  // namespace

void winMAIN::AddGeometryMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_RESIZE"), [this] { return _menu_RESIZE_Action(); });
  Bind_Menu(QStringLiteral("menu_CANVAS_SIZE"), [this] { return _menu_CANVAS_SIZE_Action(); });
  Bind_Menu(QStringLiteral("menu_ROTATE"), [this] { return _menu_ROTATE_Action(); });
}

bool winMAIN::_menu_RESIZE_Action() {
  {
    winimage_RESIZE sheet(this);
    Platform::ModalHost::RunDialog(&sheet, this, true);
  }
  if (Dialog_Setup == 1) {
    Resize_Image(Platform::NthField(Dialog_Answer, QStringLiteral(","), 1), Answer_Number(2), Answer_Number(3));
    Refresh_Rulers();
  }
  return true;
}

bool winMAIN::_menu_CANVAS_SIZE_Action() {
  {
    winCANVAS_SIZE sheet(this);
    Platform::ModalHost::RunDialog(&sheet, this, true);
  }
  if (Dialog_Setup == 1) {
    Resize_Canvas(Answer_Number(1), Answer_Number(2));
    Refresh_Rulers();
  }
  return true;
}

bool winMAIN::_menu_ROTATE_Action() {
  Dialog_Cancel = false;
  {
    winFlipRotate sheet(this);
    Platform::ModalHost::RunDialog(&sheet, this, true);
  }
  if (Dialog_Cancel) return false;
  if (Dialog_Answer == QLatin1String("H")) image_Flip(true);
  else if (Dialog_Answer == QLatin1String("V")) image_Flip(false);
  else image_Rotate(Platform::ToInt(Platform::Val(Dialog_Answer)));
  return true;
}
