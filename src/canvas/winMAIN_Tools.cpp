// Ending tool states, switching tools and the painting canvas's cursor.
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::Reset_Everything() {
  if (drawing_TOOL == TOOL_TEXT2 && active_DRAG) {
    active_DRAG = false;
    drag_Picture.reset();
  }
  Turn_Lasso_OFF();
  Turn_ERASER_OFF();
  Turn_Polygon_OFF();
}

void winMAIN::Turn_Lasso_OFF() {
  if (!active_LASSO && !active_SUPERLASSO && !active_SHAPE) return;
  if (active_DRAG) {
    active_DRAG = false;
    if (drag_Picture && !Dragging_Text && !active_TEXTMODE) {
      Platform::Graphics g = work_area->Graphics();
      g.DrawPicture(drag_Picture, img_DRAG_DROP.x, img_DRAG_DROP.y);
      Draw_Complete();
    }
  }
  Set_Active_SuperLasso(false);
  active_SHAPE = false;
  Set_Active_Lasso(false);
  active_TEXTMODE = false;
  active_ERASER = false;
  Dragging_Text = false;
  Update_Display();
}

void winMAIN::Turn_ERASER_OFF() { active_ERASER = false; }

void winMAIN::Turn_Polygon_OFF() {}

void winMAIN::Revert_to_Last_Draw_Tool(bool force) {
  if (!force && (drawing_TOOL == TOOL_LASSO || drawing_TOOL == TOOL_SUPERLASSO)) return;
  int32_t tool = Last_DrawTool;
  if (tool == -1 || tool == TOOL_TEXT2) tool = TOOL_PENCIL;
  drawing_TOOL_SET(tool);
  Set_Paint_Cursor(false);
  Update_Statusbar();
  Turn_Lasso_OFF();
}

void winMAIN::drawing_TOOL_SET(int32_t tool) {
  if (tool == drawing_TOOL) return;
  if (tool != TOOL_GRABBER && tool > 0) Turn_Lasso_OFF();
  drawing_TOOL = tool;
  if (tool == TOOL_SPRAYCAN) timer_SPRAYCAN->start();
  else timer_SPRAYCAN->stop();
}

void winMAIN::Set_Paint_Cursor(bool busy) {
  Barber_Pole = busy;
  Update_Statusbar();
  if (busy) Screen_Canvas->setCursor(Qt::WaitCursor);
  else if (active_ERASER) Screen_Canvas->setCursor(Qt::BlankCursor);
  else Screen_Canvas->setCursor(Qt::CrossCursor);
}

void winMAIN::timer_LASSO_Action() {
  Lasso_State = !Lasso_State;
  Marching_Ants = Lasso_State ? 4 : 0;
  if (active_LASSO || active_SUPERLASSO || bkgd_mode != 0) Screen_Canvas->Invalidate(true);
  else Update_Thumbnail();
}

void winMAIN::timer_SPRAYCAN_Action() {}
