// The main window's picture-file commands.
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"

bool winMAIN::_menu_Save_Action() {
  modMAIN::Save_Image();
  return true;
}

bool winMAIN::_menu_SaveAs_Action() {
  modMAIN::Save_image_As();
  return true;
}

bool winMAIN::_menu_REVERT_Action() {
  modMAIN::Revert_to_Saved();
  return true;
}

bool winMAIN::_menu_DEPTH_Action() {
  modMAIN::image_change_depth();
  return true;
}
