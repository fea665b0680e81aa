// The painting canvas's repaint: the whole view composed again every time, in a fixed order, from the
// editing state (checkerboard, picture, floating selection, grid, selection outline, eraser outline,
// canvas-size guides), always without anti-aliasing.
#include <cmath>

#include "app/modOptions.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"
#include "platform/ScaledView.h"
#include "text/classTEXT2.h"

using namespace modMAIN;

namespace {

// The working picture as the canvas shows it, kept from one repaint to the next: a repaint scales only
// what changed in the picture since the last one.
Platform::ScaledView& Picture_View() {
  static Platform::ScaledView view;
  return view;
}

// The floating picture, over the selection on the canvas; its source is the selection's size.
void Draw_Floating(Platform::Graphics& g, const PicturePtr& picture) {
  const point_record tl = scrn_rect->Top_Left();
  g.DrawPicture(picture, tl.x, tl.y, scrn_rect->Width(), scrn_rect->Height(), 0, 0, img_lasso->Width(),
                img_lasso->Height());
}

void Draw_Grid(Platform::Graphics& g, float z, int32_t imgW, int32_t imgH) {
  g.SetForeColor(modOptions::option_Grid_Color[0]);
  // One line at every image-pixel boundary.
  for (double x = 0; x <= imgW; x += z) g.DrawLine(Platform::ToInt(x), 0, Platform::ToInt(x), imgH);
  for (double y = 0; y <= imgH; y += z) g.DrawLine(0, Platform::ToInt(y), imgW, Platform::ToInt(y));
  if ((modOptions::option_Grid_Color[1] & 0xFFFFFFu) == (modOptions::option_Grid_Color[0] & 0xFFFFFFu)) return;
  // Every tenth image column and row in the second colour, never on the canvas's own edge.
  g.SetForeColor(modOptions::option_Grid_Color[1]);
  const double step = 10.0 * z;
  for (double x = -(double(offset.x) * z); x <= imgW; x += step)
    if (Platform::ToInt(x) > 0) g.DrawLine(Platform::ToInt(x), 0, Platform::ToInt(x), imgH);
  for (double y = -(double(offset.y) * z); y <= imgH; y += step)
    if (Platform::ToInt(y) > 0) g.DrawLine(0, Platform::ToInt(y), imgW, Platform::ToInt(y));
}

void Draw_Selection_Outline(Platform::Graphics& g) {
  const PicturePtr outline = Marching_Ants != 0 ? Super_Lasso_mask[3] : Super_Lasso_mask[2];
  if (active_SUPERLASSO && Super_Lasso_mask[2]) {
    // The free-hand outline marches by alternating its two pictures.
    if (outline) Draw_Floating(g, outline);
    return;
  }
  const point_record tl = scrn_rect->Top_Left(), br = scrn_rect->Bot_Right();
  Draw_H_Ants(g, tl.x, br.x, tl.y, br.y);
  Draw_V_Ants(g, tl.y, br.y, tl.x, br.x);
  if (!modOptions::option_Lasso_CrossHair) return;
  const point_record c = scrn_rect->Center_Point();
  g.SetForeColor(0x000000);
  g.DrawLine(c.x, c.y - 5, c.x, c.y + 5);
  g.DrawLine(c.x - 5, c.y, c.x + 5, c.y);
  g.SetForeColor(0xFFFFFF);
  g.DrawLine(c.x + 1, c.y - 4, c.x + 1, c.y + 6);
  g.DrawLine(c.x - 4, c.y + 1, c.x + 6, c.y + 1);
}

// The eraser's square, filled with the background colour and framed in black, at the stroke's last point
// or under the pointer.
void Draw_Eraser_Outline(Platform::Graphics& g, float z, point_record c) {
  const int32_t s = Platform::ToInt(EraserSize() * double(z));
  const int32_t side = Platform::ToInt(s + double(z));
  const int32_t left = c.x - s / 2, top = c.y - s / 2;
  g.SetForeColor(Draw_Color[2]);
  g.FillRect(left, top, side, side);
  g.SetForeColor(0x000000);
  g.DrawRect(left, top, side, side);
}

// The dashed guides of a canvas-size drag, from the canvas's top and left edges to the dragged corner.
void Draw_Size_Guides(Platform::Graphics& g, int32_t gx, int32_t gy) {
  const int32_t W = g.Width(), H = g.Height();
  g.SetForeColor(0x000000);
  if (gx >= 0 && gx <= W)
    for (int32_t y = Marching_Ants - 4; y <= std::min(gy, H); y += 8) g.DrawLine(gx, y, gx, std::min(y + 4, gy));
  if (gy >= 0 && gy <= H)
    for (int32_t x = Marching_Ants - 4; x <= std::min(gx, W); x += 8) g.DrawLine(x, gy, std::min(x + 4, gx), gy);
}

}  // namespace

void winMAIN::Screen_Canvas_Paint(Platform::Graphics& g) {
  if (!work_area || !img_lasso) return;
  RenderMode(g, true);
  const float z = Zoom > 0 ? Zoom : 1.0f;
  const int32_t W = g.Width(), H = g.Height();
  // The image columns and rows that the canvas can show, the last one in part, and what they cover.
  const int32_t cols = Platform::ToInt(std::ceil(W / double(z))), rows = Platform::ToInt(std::ceil(H / double(z)));
  const int32_t spanW = Platform::ToInt(cols * double(z)), spanH = Platform::ToInt(rows * double(z));
  const int32_t imgW = Platform::ToInt(std::min<double>(spanW, (work_area->Width() - offset.x) * double(z)));
  const int32_t imgH = Platform::ToInt(std::min<double>(spanH, (work_area->Height() - offset.y) * double(z)));
  scrn_rect = image_to_Screen_Rectangle(*img_lasso);

  if (Save_as_Transparent) {
    if (!canvas_transparent) Make_Transparent();
    if (canvas_transparent)
      g.DrawPicture(canvas_transparent, 0, 0, std::min(imgW, W), std::min(imgH, H), 0, 0, std::min(imgW, W),
                    std::min(imgH, H));
  }
  // White shows the checkerboard exactly while the document is transparent; copies of the working
  // picture never carry the flag away.
  work_area->Transparent = Save_as_Transparent ? 1 : 0;
  Picture_View().Draw(g, work_area, 0, 0, spanW, spanH, offset.x, offset.y, cols, rows);
  work_area->Transparent = 0;

  if (active_DRAG) {
    if (active_TEXT2 || drawing_TOOL == TOOL_TEXT2) {
      // The single-line text's preview at the top-left corner of its box.
      if (Info_Text2) Info_Text2->Draw_Text(g, false);
    } else if (drag_Picture) {
      drag_Picture->Transparent = modOptions::option_Draw_Opaque;
      if (Dragging_Text && Dragging_Text_Mode != 2) drag_Picture->Transparent = Dragging_Text_Mode == 0 ? 0 : 1;
      if (!active_SUPERLASSO && modOptions::option_Draw_Opaque == 1) drag_Picture->RemoveMask();
      Draw_Floating(g, drag_Picture);
    }
  }

  if (z >= 4 && show_GRID) Draw_Grid(g, z, imgW, imgH);
  if (active_LASSO || active_SHAPE || active_SUPERLASSO) Draw_Selection_Outline(g);
  if (active_ERASER || (drawing_TOOL == TOOL_ERASER && Over_Canvas))
    Draw_Eraser_Outline(g, z, image_to_Screen_Coordinates(active_ERASER ? img_Eraser_Point : Mouse_Point));

  if (bkgd_mode == 0) {
    Update_Thumbnail();
    return;
  }
  // The surround keeps the dragged corner in its own coordinates, 4 pixels beyond the canvas's.
  Draw_Size_Guides(g, bkgd_x - 4, bkgd_y - 4);
}
