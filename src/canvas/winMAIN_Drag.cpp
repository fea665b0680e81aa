// One drag step of the painting canvas: the Shift constraint, the box extents, and what each tool draws.
// The continuous tools draw from the last point to the new one; the rubber-band tools rebuild the
// working picture from the state on show and draw their whole figure again, which the release commits.
#include <cmath>
#include <cstdlib>

#include "app/modOptions.h"
#include "canvas/BusyHold.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classPATTERNS.h"
#include "palettes/modSHAPES.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"

using namespace modMAIN;

namespace {

// An outline's box from the anchor and a signed extent: a negative extent reaches left of (above) the
// anchor, up to but not including the anchor's own column (row), as the pattern fills do.
void Normalise(int32_t& start, int32_t& extent) {
  if (extent < 0) {
    start += extent;
    extent = -extent;
  }
}

struct Box {
  int32_t x, y, w, h;
};

Box Outline_Box() {
  Box b{img_point.x, img_point.y, mouse_w, mouse_h};
  Normalise(b.x, b.w);
  Normalise(b.y, b.h);
  return b;
}

bool Fills() { return Drawing_Fillmode == 2 || Drawing_Fillmode == 3; }
bool Outlines() { return Drawing_Fillmode == 1 || Drawing_Fillmode == 3; }

int Sign(int32_t v) { return (v > 0) - (v < 0); }

}  // namespace

void winMAIN::Adjust_XY(point_record& p) {
  if (!Platform::Environment::ShiftKey()) return;
  // The polygon's edges start at its last vertex, every other figure at the press point.
  const point_record anchor =
      drawing_TOOL == TOOL_POLYGON && !modOptions::PolyPoints.empty() ? modOptions::PolyPoints.back() : img_point;
  int32_t dx = anchor.x - p.x, dy = anchor.y - p.y;
  if (int64_t(dx) * dy == 0) return;
  const int32_t ax = std::abs(dx), ay = std::abs(dy);
  const float ratio = drawing_TOOL == TOOL_LINE ? float(std::min(ax, ay)) / float(std::max(ax, ay)) : 999.0f;
  if (ratio < 0.5f) {
    // Nearer an axis than the diagonal: a horizontal or vertical line.
    if (ay < ax) dy = 0;
    else dx = 0;
  } else {
    const int32_t m = std::min(ax, ay);
    dx = Sign(dx) * m;
    dy = Sign(dy) * m;
  }
  p = Point_of(anchor.x - dx, anchor.y - dy);
}

void winMAIN::Screen_Canvas_MouseDrag(int32_t x, int32_t y) {
  // While the button is held no leave or enter event arrives: the pointer's position tells instead, so
  // the spray timer stops spraying once the pointer has left the canvas.
  Over_Canvas = x >= 0 && y >= 0 && x < Screen_Canvas->width() && y < Screen_Canvas->height();
  if (Busy) return;
  const BusyHold hold(Busy);
  point_record p = Screen_to_image_Coordinates(x, y);
  const int32_t tool = drawing_TOOL;
  switch (tool) {
    case TOOL_LINE:
    case TOOL_POLYGON:
    case TOOL_OVAL:
    case TOOL_RECT:
    case TOOL_ROUNDRECT:
    case TOOL_SHAPE:
    case TOOL_LASSO: Adjust_XY(p); break;
    default: break;
  }
  if (tool != TOOL_GRABBER && tool != TOOL_SUPERLASSO && tool != TOOL_TEXT2 && img_lasso) img_lasso->set_Bot_Right(p);
  Mouse_Point = p;
  Update_Statusbar();
  Pensize_GET();
  // Above 100 % several canvas pixels show one image pixel: only a new pixel is worth a step.
  if (p == img_point_Last || !work_area) return;
  img_point_Last = p;
  mouse_w = p.x - img_point.x;
  mouse_h = p.y - img_point.y;
  if (mouse_w > 0) ++mouse_w;
  if (mouse_h > 0) ++mouse_h;

  const bool oldRenderer = modOptions::option_AntiAlias;
  switch (tool) {
    case TOOL_GRABBER:
    case TOOL_TEXT2: {
      if (!img_lasso) break;
      img_point = p;
      const int32_t dx = img_Drag_Offset.x - img_point.x, dy = img_Drag_Offset.y - img_point.y;
      const point_record tl = img_lasso->Top_Left(), br = img_lasso->Bot_Right();
      img_lasso->set_Bot_Right(Point_of(br.x - dx, br.y - dy));
      img_lasso->set_Top_Left(Point_of(tl.x - dx, tl.y - dy));
      img_Drag_Offset = img_point;
      img_DRAG_DROP = Point_of(tl.x - dx, tl.y - dy);
      Update_Display();
      Platform::Graphics g = work_area->Graphics();
      RenderMode(g, oldRenderer);
      break;
    }
    case TOOL_PENCIL: {
      if (modColorSplash::ColorSplash_Mode == 0) {
        Platform::Graphics g = work_area->Graphics();
        g.SetForeColor(Draw_Color[0]);
        RenderMode(g, oldRenderer);
        g.DrawLine(img_point.x, img_point.y, p.x, p.y);
      } else {
        // In the partial colour mode the pencil brings back colour (or grey) instead of painting.
        modColorSplash::ColorSplash_Line(img_point, p);
      }
      img_point = p;
      Update_Display();
      break;
    }
    case TOOL_RECT: {
      Move_to_WorkArea();
      if (modColorSplash::ColorSplash_Mode != 0) {
        modColorSplash::ColorSplash_Rect(img_point.x, img_point.y, mouse_w, mouse_h);
        Update_Display();
        break;
      }
      Platform::Graphics g = work_area->Graphics();
      if (Fills()) classPATTERNS1->FillRect(g, img_point.x, img_point.y, mouse_w, mouse_h, Brush_Pattern, true);
      if (Outlines()) {
        g.SetForeColor(Draw_Color[2]);
        const Box b = Outline_Box();
        g.DrawRect(b.x, b.y, b.w, b.h);
      }
      Update_Display();
      break;
    }
    case TOOL_ROUNDRECT: {
      const int32_t corner = Platform::ToInt(std::max(std::abs(mouse_w), std::abs(mouse_h)) * 0.2);
      Move_to_WorkArea();
      Platform::Graphics g = work_area->Graphics();
      RenderMode(g, oldRenderer);
      if (Fills())
        classPATTERNS1->FillRoundRect(g, img_point.x, img_point.y, mouse_w, mouse_h, corner, corner, Brush_Pattern);
      if (Outlines()) {
        g.SetForeColor(Draw_Color[2]);
        const Box b = Outline_Box();
        g.DrawRoundRect(b.x, b.y, b.w, b.h, corner, corner);
      }
      Update_Display();
      break;
    }
    case TOOL_OVAL: {
      Move_to_WorkArea();
      Platform::Graphics g = work_area->Graphics();
      RenderMode(g, oldRenderer);
      if (Fills()) classPATTERNS1->FillOval(g, img_point.x, img_point.y, mouse_w, mouse_h, Brush_Pattern);
      if (Outlines()) {
        g.SetForeColor(Draw_Color[2]);
        const Box b = Outline_Box();
        g.DrawOval(b.x, b.y, b.w, b.h);
      }
      Update_Display();
      break;
    }
    case TOOL_LINE: {
      Move_to_WorkArea();
      Platform::Graphics g = work_area->Graphics();
      RenderMode(g, oldRenderer);
      g.SetForeColor(Draw_Color[0]);
      g.DrawLine(img_point.x, img_point.y, p.x, p.y);
      Update_Display();
      break;
    }
    case TOOL_SHAPE: {
      Move_to_WorkArea();
      Platform::Graphics g = work_area->Graphics();
      RenderMode(g, oldRenderer);
      g.SetForeColor(Draw_Color[0]);
      if (img_lasso) modSHAPES::Draw_Shape(modSHAPES::Current_Shape, *img_lasso);
      Update_Display();
      break;
    }
    case TOOL_CURVE: {
      if (Curve_Cnt < 1) break;
      img_Curve[Curve_Cnt] = p;
      Move_to_WorkArea();
      Platform::Graphics g = work_area->Graphics();
      g.SetForeColor(Draw_Color[0]);
      if (Curve_Cnt > 2) Draw_Bezier(g);
      else g.DrawLine(img_Curve[1].x, img_Curve[1].y, img_Curve[2].x, img_Curve[2].y);
      Update_Display();
      break;
    }
    case TOOL_POLYGON: Polygon_Rubber_Band(p); break;
    case TOOL_SUPERLASSO: {
      // The path is drawn once the free-hand selection has started its mask.
      if (!work_lasso) break;
      Platform::Graphics g = work_area->Graphics();
      g.SetForeColor(Draw_Color[1]);
      RenderMode(g, false);
      g.DrawLine(img_point.x, img_point.y, p.x, p.y);
      Platform::Graphics m = work_lasso->Graphics();
      RenderMode(m, false);
      m.DrawLine(img_point.x, img_point.y, p.x, p.y);
      if (img_lasso) {
        const point_record tl = img_lasso->Top_Left(), br = img_lasso->Bot_Right();
        img_lasso->set_Top_Left(Point_of(std::min(tl.x, p.x), std::min(tl.y, p.y)));
        img_lasso->set_Bot_Right(Point_of(std::max(br.x, p.x), std::max(br.y, p.y)));
      }
      img_point = p;
      Update_Display();
      break;
    }
    case TOOL_LASSO:
      if (scrn_rect) {
        const QPoint at = Screen_Canvas->mapTo(centralWidget(), QPoint(x, y));
        Cursor_Tag(at.x(), at.y(), scrn_rect->Width(), scrn_rect->Height());
      }
      Update_Display();
      break;
    case TOOL_SPRAYCAN:
      img_point = p;
      spurt_paint();
      break;
    case TOOL_ERASER:
    case TOOL_BRUSH:
      img_point = p;
      execute_eraser(p, tool);
      break;
    default: break;
  }
}
