// The main window's one-time initialisation and its open and activate events.
#include <QApplication>
#include <QCloseEvent>

#include "app/App.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "text/classTEXT2.h"
#include "text/winTEXT.h"

using namespace modMAIN;


void winMAIN::Event_Open() {
  Open_Controls();
  Check_For_Init(1);
}

void winMAIN::Event_Activate() {
  Check_For_Init(2);
  if (active_THUMBNAIL)
    if (winTHUMBNAIL* w = winTHUMBNAIL::existing()) w->show();
  if (active_COLORMETER)
    if (winCOLORMeter* w = winCOLORMeter::existing()) w->show();
  if (winTEXT_Open)
    if (winTEXT* w = winTEXT::existing()) w->show();
}

bool winMAIN::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Event_Activate();
  else if (e->type() == QEvent::WindowDeactivate) Event_Deactivate();
  return QMainWindow::event(e);
}

void winMAIN::Check_For_Init(int32_t flag) {
  if (winMAIN_INITFLAG == 99) return;
  winMAIN_INITFLAG |= flag;
  hide();
  if (winMAIN_INITFLAG == 2) return;
  modOptions::Options_Load();
  // Dropped files are offered to the window; its drop handler takes only supported pictures.
  setAcceptDrops(true);
  image_New();
  Refresh_Rulers();
  show_GRID = false;
  size_PENCIL = -1;
  size_SPRAYCAN = 4;
  size_ERASER = 2;
  size_BRUSH = 3;
  Drawing_Fillmode = 1;
  Pensize_SET(1, TOOL_PENCIL);
  Info_Text2 = std::make_shared<classTEXT2>();
  connect(Info_Text2.get(), &classTEXT2::Text2_Updated, this, &winMAIN::Text2_Was_Updated);
  winMAIN_INITFLAG = 99;
  Arrange_Controls();
  Platform::Environment::ProcessEvents();
  canvas_BG->show();
  Zoom = -1;
  Set_Zoom(1);
  if (Delay_OpenItem) {
    Open_File(Delay_OpenItem);
    Delay_OpenItem.reset();
  }
  show();
}
