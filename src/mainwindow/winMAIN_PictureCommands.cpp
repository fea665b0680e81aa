// The main window's commands for the whole-picture operations of the Edit and Colors menus.
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

bool winMAIN::_menu_CUT_Action() {
  modMAIN::image_CUT(false);
  return true;
}

bool winMAIN::_menu_COPY_Action() {
  // A floating selection is copied already.
  if (modMAIN::active_DRAG) Platform::Environment::Beep();
  else modMAIN::image_COPY(false, true);
  return true;
}

bool winMAIN::_menu_DELETE_Action() {
  modMAIN::image_DELETE();
  return true;
}

bool winMAIN::_menu_CROP_Action() {
  modMAIN::image_CROP();
  return true;
}

bool winMAIN::_menu_Sepia_Action() {
  if (!DozerIvidEffectsLibrary::Refuse_Effect()) modMAIN::image_Convert_Sepia();
  return true;
}

bool winMAIN::_menu_InvertColors_Action() {
  if (!DozerIvidEffectsLibrary::Refuse_Effect()) DozerIvidEffectsLibrary::image_Invert();
  return true;
}

bool winMAIN::_menu_REDEYE_Action() {
  if (!DozerIvidEffectsLibrary::Refuse_Effect()) DozerIvidEffectsLibrary::image_REDEYE();
  return true;
}
