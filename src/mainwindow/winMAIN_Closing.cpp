// The main window's close: the question about unsaved changes, the settings file, the other windows and
// the release of the document's pictures.
#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QScopeGuard>

#include "app/App.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"
#include "text/winTEXT.h"

using namespace modMAIN;

void winMAIN::closeEvent(QCloseEvent* event) {
  // The close box, File > Close, Quit and the end of the session all come here, sometimes more than once
  // for one stop (a quit arriving while the question is open, or a close of the closed window): the
  // question is asked once.
  if (closeAsking_) {
    event->ignore();
    return;
  }
  if (closed_) {
    event->accept();
    return;
  }
  bool cancelled = false;
  {
    closeAsking_ = true;
    const auto done = qScopeGuard([this] { closeAsking_ = false; });
    cancelled = Event_CancelClose(QCoreApplication::closingDown());
  }
  if (cancelled) {
    event->ignore();
    return;
  }
  closed_ = true;
  Event_Close();
  event->accept();
}

bool winMAIN::Event_CancelClose(bool) {
  // A text being placed is discarded, not drawn into the picture.
  if (active_TEXTMODE) active_DRAG = false;
  Reset_Everything();
  Revert_to_Last_Draw_Tool(false);
  if (img_changed) {
    if (msgNeedtoSave(false) < 0) return true;
    SetWindowModified(false);
    App::Request_Quit();
  }
  if (INI_File) modOptions::Options_Save();
  // Windows are told apart by their titles: the main window's own stays.
  QList<QPointer<QWidget>> others;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w != this && w->isWindow() && w->isVisible() && w->windowTitle() != windowTitle()) others << w;
  for (const QPointer<QWidget>& w : others)
    if (w) w->close();
  return false;
}

void winMAIN::Event_Close() {
  Close_Extra_Windows(false);
  work_area.reset();
  pic_Stack.clear();
  SetWindowModified(false);
  // The tool states ended before the question; these find nothing left to draw into the released picture.
  Turn_ERASER_OFF();
  Turn_Lasso_OFF();
  Turn_Polygon_OFF();
}

void winMAIN::Close_Extra_Windows(bool) {
  // Each floating window clears its own flag when it closes.
  if (winTEXT_Open) winTEXT::Close_If_Open();
  if (active_THUMBNAIL)
    if (winTHUMBNAIL* w = winTHUMBNAIL::existing()) w->close();
  if (active_COLORMETER)
    if (winCOLORMeter* w = winCOLORMeter::existing()) w->close();
}
