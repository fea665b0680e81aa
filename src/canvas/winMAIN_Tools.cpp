// Switching tools, the painting canvas's cursor, and ending whatever a tool left open.
#include "app/BundleResources.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classTOOLS.h"
#include "text/Text2Placement.h"
#include "text/classTEXT2.h"
#include "text/winTEXT.h"
#include "text/winTEXT2.h"

using namespace modMAIN;

namespace {
// The spray can's timer repeats while the spray can is the tool and is off otherwise.
void Spray_Timer_Follows_Tool(QTimer* timer) {
  if (drawing_TOOL != TOOL_SPRAYCAN) timer->stop();
  else if (!timer->isActive()) timer->start();
}
}  // namespace

void winMAIN::drawing_TOOL_SET(int32_t tool) {
  if (tool != drawing_TOOL) {
    classTOOLS1->Current_Tool(tool);
    drawing_TOOL_GET(tool);
  }
  Spray_Timer_Follows_Tool(timer_SPRAYCAN);
}

void winMAIN::drawing_TOOL_GET(int32_t tool) {
  if (tool == drawing_TOOL) return;
  // The Text Options window belongs to the text tool: it closes whenever another tool comes, and the
  // palette and status bar come back. A text box still floating is dropped when its selection ends.
  if (drawing_TOOL == TOOL_TEXT2) winTEXT2::Close_If_Open();
  drawing_TOOL = tool;
  if (tool == TOOL_TEXT2) Initialize_TEXT2();
  // The Add Text window belongs to the styled text tool: it shows when the tool comes (made anew after a
  // close) and closes, below, whenever another tool comes.
  if (tool == TOOL_STYLEDTEXT) winTEXT::Show_Window();
  // The spray can sprays on its timer however it became the tool, from the tool palette too.
  Spray_Timer_Follows_Tool(timer_SPRAYCAN);
  if (tool != TOOL_POLYGON) Turn_Polygon_OFF();
  // The selection tools and the grabber keep the selection and a floating selection; the single-line
  // text keeps its floating text.
  if (tool != TOOL_LASSO && tool != TOOL_SUPERLASSO && tool != TOOL_GRABBER && tool != TOOL_TEXT2) Turn_Lasso_OFF();
  if (tool != TOOL_ERASER) Turn_ERASER_OFF();
  if (tool != TOOL_STYLEDTEXT && winTEXT_Open) winTEXT::Close_If_Open();
  Update_Statusbar();
}

void winMAIN::Revert_to_Last_Draw_Tool(bool force) {
  if (!force && (drawing_TOOL == TOOL_LASSO || drawing_TOOL == TOOL_SUPERLASSO)) return;
  if (Last_DrawTool == -1 || Last_DrawTool == TOOL_TEXT2) Last_DrawTool = TOOL_PENCIL;
  drawing_TOOL_SET(Last_DrawTool);
  Set_Paint_Cursor(false);
  Update_Statusbar();
  Turn_Lasso_OFF();
}

void winMAIN::Set_Paint_Cursor(bool busy) {
  Barber_Pole = busy;
  Update_Statusbar();
  Resources::CursorPtr own;
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (busy) {
    own = Resources::Hourglass();
  } else if (active_ERASER) {
    shape = Qt::BlankCursor;
  } else {
    switch (drawing_TOOL) {
      case TOOL_SUPERLASSO: own = Resources::cursor_lasso(); break;
      case TOOL_BRUSH: own = Resources::cursor_brush(); break;
      case TOOL_PENCIL:
      case TOOL_CURVE: own = Resources::cursor_pencil(); break;
      case TOOL_EYEDROPPER: own = Resources::cursor_eyedropper(); break;
      case TOOL_FLOOD: own = Resources::cursor_bucket(); break;
      case TOOL_SPRAYCAN: own = Resources::cursor_airbrush(); break;
      case TOOL_LINE:
      case TOOL_RECT:
      case TOOL_ROUNDRECT:
      case TOOL_LASSO:
      case TOOL_OVAL:
      case TOOL_POLYGON:
      case TOOL_SHAPE: own = Resources::cursor_crosshair(); break;
      // The eraser's outline stands in for the pointer.
      case TOOL_ERASER: shape = Qt::BlankCursor; break;
      case TOOL_TEXT2:
      case TOOL_GRABBER: shape = Qt::SizeAllCursor; break;
      default: break;
    }
  }
  // A cursor picture that cannot be read leaves the standard pointer.
  if (own) Screen_Canvas->setCursor(*own);
  else Screen_Canvas->setCursor(shape);
}

void winMAIN::Reset_Everything() {
  // The single-line text's window closes and its floating picture is discarded, not dropped.
  if (drawing_TOOL == TOOL_TEXT2 || active_TEXT2) {
    winTEXT2::Close_If_Open();
    drag_Picture.reset();
  }
  Turn_Lasso_OFF();
  Turn_ERASER_OFF();
  Turn_Polygon_OFF();
}

void winMAIN::Turn_ERASER_OFF() {
  active_ERASER = false;
  Set_Paint_Cursor(false);
  Update_Display();
}

void winMAIN::Turn_Lasso_OFF() {
  if (!active_LASSO && !active_SUPERLASSO && !active_SHAPE) return;
  if (active_DRAG) {
    // Cleared before anything is drawn: the calls below come back here and must not drop it again.
    active_DRAG = false;
    // The single-line text box is known by its own placement, not by the tool: a tool change that did
    // not end the selection first never drops a stale floating picture in its place.
    const bool text2 = active_TEXT2 && Info_Text2;
    if ((drag_Picture && work_area) || text2) {
      if (Dragging_Text && Dragging_Text_Mode == 0) {
        // Opaque styled text keeps its white pixels, whatever it showed while floating.
        if (!text2 && drag_Picture) drag_Picture->Transparent = 0;
        Dragging_Text = false;
      }
      if (text2) Dragging_Text = false;
      if (Dragging_Text) {
        // Styled text with a transparent background or knocked-out letters: its placement draws it and
        // commits it as the one undo step.
        Place_Styled_Text();
      } else if (text2) {
        // The text is drawn where its box lies, its window closes, and the drop is one undo step.
        if (work_area) {
          Platform::Graphics g = work_area->Graphics();
          Info_Text2->Draw_Text(g, true);
        }
        winTEXT2::Close_If_Open();
        Reset_Everything();
        Revert_to_Last_Draw_Tool(false);
        Draw_Complete();
      } else {
        // The floating picture at its own size, with its own mask and white-as-transparent flag.
        Platform::Graphics g = work_area->Graphics();
        g.DrawPicture(drag_Picture, img_DRAG_DROP.x, img_DRAG_DROP.y);
        Draw_Complete();
      }
    }
  }
  Set_Active_SuperLasso(false);
  active_SHAPE = false;
  Set_Active_Lasso(false);
  active_TEXTMODE = false;
  active_TEXT2 = false;
  active_ERASER = false;
  Dragging_Text = false;
  Update_Display();
}

void winMAIN::timer_LASSO_Action() {
  Lasso_State = !Lasso_State;
  Marching_Ants = Lasso_State ? 4 : 0;
  if (active_LASSO || active_SUPERLASSO || bkgd_mode != 0) Screen_Canvas->Invalidate(true);
  else Update_Thumbnail();
}
