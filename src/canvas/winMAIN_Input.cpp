// The painting canvas's mouse events: the press and release of each tool, the hover over a selection,
// entering and leaving, and the wheel.
#include <QScrollBar>

#include "app/modOptions.h"
#include "canvas/BusyHold.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classScrollbar.h"
#include "platform/Numbers.h"
#include "platform/Environment.h"

using namespace modMAIN;

namespace {

bool Inside_Picture(point_record p) {
  return work_area && p.x >= 0 && p.y >= 0 && p.x < work_area->Width() && p.y < work_area->Height();
}

}  // namespace

void winMAIN::Bind_Screen_Canvas() {
  Platform::Canvas* c = Screen_Canvas;
  c->Paint = [this](Platform::Graphics& g) { Screen_Canvas_Paint(g); };
  c->MouseDown = [this](int x, int y) { return Screen_Canvas_MouseDown(x, y); };
  c->MouseDrag = [this](int x, int y) { Screen_Canvas_MouseDrag(x, y); };
  c->MouseUp = [this](int x, int y) { Screen_Canvas_MouseUp(x, y); };
  c->MouseMove = [this](int x, int y) { Screen_Canvas_MouseMove(x, y); };
  c->MouseEnter = [this] { Screen_Canvas_MouseEnter(); };
  c->MouseExit = [this] { Screen_Canvas_MouseExit(); };
  // A notch of the wheel moves the view as far as it does over the scroll bars.
  c->MouseWheel = [this](int x, int y, int dx, int dy) {
    return Screen_Canvas_MouseWheel(x, y, dx * Wheel_Step(true), dy * Wheel_Step(false));
  };
  Screen_Canvas_Open();
}

void winMAIN::Screen_Canvas_Open() {}

bool winMAIN::Screen_Canvas_MouseDown(int32_t x, int32_t y) {
  if (modColorSplash::ColorSplash_Mode == 0) Clear_Status_Msg();
  Over_Canvas = true;
  img_point = Screen_to_image_Coordinates(x, y);
  img_point_Last = Point_of(-9999, -9999);
  MouseDown_Point = img_point;
  // The pointer is where it pressed, also when no move brought it there first (a tap, a synthetic
  // click): a right click closes a polygon here, and a click's arrow heads sit here.
  Mouse_Point = img_point;
  MouseDown_Right = Screen_Canvas->ContextualClick();
  {
    // The status bar repaints now, but the release that may already wait behind this press runs only
    // once the press has done its work.
    const Platform::UserInputHeld hold;
    Update_Statusbar();
  }
  const int32_t tool = drawing_TOOL;
  if (tool != TOOL_GRABBER && tool != TOOL_TEXT2 && img_lasso) {
    img_lasso->set_Top_Left(img_point);
    img_lasso->set_Bot_Right(img_point);
  }
  Draw_Color[0] = MouseDown_Right ? Draw_Color[2] : Draw_Color[1];

  switch (tool) {
    case TOOL_GRABBER:
    case TOOL_TEXT2:
      img_Drag_Offset = img_point;
      // Only a selection can be lifted: without one nothing starts to float.
      if (!active_DRAG && active_LASSO) {
        // Only what this lift copies may float: never a picture left over from an earlier copy.
        drag_Picture.reset();
        // A free-hand selection lifts its shape; the area it leaves is erased unless Option is held.
        if (active_SUPERLASSO) image_COPY(!Platform::Environment::OptionKey(), true);
        else image_CUT(true);
        active_DRAG = drag_Picture != nullptr;
        // What floats lies where it was lifted until a drag moves it, a click without a drag included.
        if (img_lasso) img_DRAG_DROP = img_lasso->Top_Left();
        C_INVALIDATE();
      }
      return true;
    case TOOL_PENCIL:
    case TOOL_LINE:
    case TOOL_RECT:
    case TOOL_ROUNDRECT:
    case TOOL_OVAL:
      if (work_area) work_area->Graphics().SetForeColor(Draw_Color[0]);
      return true;
    case TOOL_POLYGON:
      if (MouseDown_Right) polygon_complete();
      else Polygon_Add_Vertex(img_point);
      return true;
    case TOOL_CURVE:
      // The first press places the end points 1 and 2, the second the control points 3 and 4.
      for (int i = 0; i < 2 && Curve_Cnt < 4; ++i) img_Curve[++Curve_Cnt] = img_point;
      return true;
    case TOOL_EYEDROPPER: {
      // The view may show more than the picture: a press beside it picks nothing.
      if (!Inside_Picture(img_point)) return false;
      const Color c = work_area->Pixel(img_point.x, img_point.y) & 0xFFFFFFu;
      Draw_Color[0] = c;
      if (MouseDown_Right) {
        Draw_Color[2] = c;
        classCOLORS1->Set_Color(2, c);
      } else {
        Draw_Color[1] = c;
        classCOLORS1->Set_Color(1, c);
      }
      classCOLORS1->Invalidate(true);
      return true;
    }
    case TOOL_FLOOD:
      if (!Inside_Picture(img_point)) return false;
      classPATTERNS1->Flood(work_area, img_point.x, img_point.y, Brush_Pattern);
      C_INVALIDATE();
      return true;
    case TOOL_SPRAYCAN: return true;
    case TOOL_SHAPE:
      if (work_area) work_area->Graphics().SetForeColor(Draw_Color[0]);
      active_SHAPE = true;
      return true;
    case TOOL_LASSO:
      Turn_Lasso_OFF();
      Set_Active_Lasso(true);
      return true;
    case TOOL_SUPERLASSO: Init_SuperLasso(); return true;
    case TOOL_ERASER:
    case TOOL_BRUSH:
      if (tool == TOOL_BRUSH) Make_Paintbrush_Tip();
      active_ERASER = true;
      Eraser_Mode = MouseDown_Right;
      Set_Paint_Cursor(false);
      img_Eraser_Point = img_point;
      execute_eraser(img_point, tool);
      return true;
    default: return false;
  }
}

void winMAIN::Screen_Canvas_MouseUp(int32_t x, int32_t y) {
  Set_myHelpTag(false, 0, 0, QString());
  const point_record start = img_point;
  MouseDown_Right = false;
  img_point = Screen_to_image_Coordinates(x, y);
  Turn_ERASER_OFF();
  if (active_SHAPE) Turn_Lasso_OFF();
  int32_t w = 0, h = 0;
  if ((active_LASSO || active_SUPERLASSO) && img_lasso) {
    w = img_lasso->Width();
    h = img_lasso->Height();
    if (w < 2 || h < 2) Turn_Lasso_OFF();
  }
  if (modOptions::active_POLYGON || active_DRAG) return;

  const int32_t tool = drawing_TOOL;
  switch (tool) {
    case TOOL_LINE:
      if (modOptions::option_ArrowHead != 0 && work_area) {
        Platform::Graphics g = work_area->Graphics();
        // The heads sit on the line as the last drag step drew it, not on the release point.
        Draw_ArrowHead(g, start, Mouse_Point);
      }
      Draw_Complete();
      break;
    case TOOL_SUPERLASSO:
      if (w < 2 || h < 2) {
        Turn_Lasso_OFF();
        break;
      }
      convert_SuperLasso_to_normal_lasso();
      return;
    case TOOL_LASSO:
    case TOOL_POLYGON:
    case TOOL_TEXT2:
    case TOOL_GRABBER: return;
    case TOOL_CURVE:
      // The first stroke leaves the straight line for the second to bend.
      if (Curve_Cnt == 4) Draw_Complete();
      break;
    default: Draw_Complete(); break;
  }
  if (tool != TOOL_ERASER) Revert_to_Last_Draw_Tool(false);
}

int32_t winMAIN::Mouse_Inside_Lasso(point_record p) {
  if (!active_LASSO || !img_lasso) return -1;
  return img_lasso->Point_Inside(p);
}

void winMAIN::Screen_Canvas_MouseMove(int32_t x, int32_t y) {
  if (Busy) return;
  const BusyHold hold(Busy);
  Set_myHelpTag(false, 0, 0, QString());
  const int32_t t = drawing_TOOL;
  Mouse_Point = Screen_to_image_Coordinates(x, y);
  Update_Statusbar();
  if (active_LASSO) {
    if (t == TOOL_LASSO || t == TOOL_SUPERLASSO) {
      drag_handle = Mouse_Inside_Lasso(Mouse_Point);
      if (drag_handle == 999) drawing_TOOL_SET(TOOL_GRABBER);
      if (drag_handle != last_drag_handle) Set_Paint_Cursor(false);
    } else if (t == TOOL_GRABBER || t == TOOL_TEXT2) {
      drag_handle = Mouse_Inside_Lasso(Mouse_Point);
      if (drag_handle == -1 && t != TOOL_TEXT2) drawing_TOOL_SET(active_SUPERLASSO ? TOOL_SUPERLASSO : TOOL_LASSO);
      Set_Paint_Cursor(false);
    } else {
      // No other tool can be current while a selection exists.
      setWindowTitle(QStringLiteral("TOOL ERROR : ") + QString::number(t));
    }
  }
  last_drag_handle = drag_handle;
  if (t == TOOL_ERASER) C_INVALIDATE();
}

void winMAIN::Screen_Canvas_MouseEnter() {
  myHelpTag->hide();
  timer_HELPTAG->stop();
  Set_Paint_Cursor(false);
  Over_Canvas = true;
  if (drawing_TOOL == TOOL_ERASER) C_INVALIDATE();
}

void winMAIN::Screen_Canvas_MouseExit() {
  Over_Canvas = false;
  if (drawing_TOOL == TOOL_ERASER) C_INVALIDATE();
}

bool winMAIN::Screen_Canvas_MouseWheel(int32_t, int32_t, int32_t deltaX, int32_t deltaY) {
  // The platform bars move the view through their own change handlers; the drawn bars follow them.
  // Along an axis without a bar the picture fits: the wheel leaves it alone.
  const auto move = [this](QScrollBar* bar, int32_t delta) {
    if (!Axis_Scrolls(bar == Scroll_H_OS)) return;
    bar->setValue(Platform::ToInt(std::min<double>(std::max<double>(0, double(bar->value()) + delta), bar->maximum())));
  };
  move(Scroll_V_OS, deltaY);
  move(Scroll_H_OS, deltaX);
  Scroll_V_Custom->Value(Scroll_V_OS->value());
  Scroll_H_Custom->Value(Scroll_H_OS->value());
  return false;
}
