// The surround behind the picture and its three canvas-size handles: at the middle of the picture's
// right edge (the width), at its bottom-right corner (both) and at the middle of its bottom edge (the
// height). Dragging one shows dashed guides and a size tag; the release gives the picture its new
// canvas size as one undo step, its content kept at the top-left.
#include <cmath>
#include <cstdlib>

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"

using namespace modMAIN;
using Platform::ToInt;

namespace {
// The handle points for a painting canvas of w x h standing at (4, 4): the middle of its right edge,
// its bottom-right corner and the middle of its bottom edge, in the order of the modes 1 to 3.
struct Points {
  QPoint right, corner, bottom;
};
Points Handle_Points(int32_t w, int32_t h) {
  const int32_t R = w + 4, B = h + 4;
  return {QPoint(R, (h - 20) / 2 + 2), QPoint(R, B), QPoint((w - 20) / 2 + 2, B)};
}

// The square a handle is drawn in: the handle picture centred on the handle point (4 pixels to its
// left and above), 9 x 9 when there is no picture.
QRect Handle_Square(int32_t x, int32_t y) {
  const Platform::PicturePtr pic = Resources::handle_pic();
  return QRect(x - 4, y - 4, pic ? pic->Width() : 9, pic ? pic->Height() : 9);
}
}  // namespace

void winMAIN::Handle(Platform::Graphics& g, int32_t x, int32_t y) {
  if (const Platform::PicturePtr pic = Resources::handle_pic()) {
    const QRect square = Handle_Square(x, y);
    g.DrawPicture(pic, square.x(), square.y());
  }
}

bool winMAIN::In_Handle(int32_t x, int32_t y, int32_t hx, int32_t hy) const {
  return Handle_Square(hx, hy).contains(x, y);
}

int32_t winMAIN::Background_Mode(int32_t x, int32_t y) {
  // A handle answers on the pixels where it shows: the painting canvas covers the half of each handle
  // that lies over the picture, and a point under it is no handle's.
  if (Screen_Canvas->geometry().contains(x, y)) return 0;
  const Points points = Handle_Points(Screen_Canvas->width(), Screen_Canvas->height());
  struct {
    QPoint point;
    Qt::CursorShape arrows;
  } const handles[] = {{points.right, Qt::SizeHorCursor}, {points.corner, Qt::SizeFDiagCursor}, {points.bottom, Qt::SizeVerCursor}};
  for (int32_t mode = 1; mode <= 3; ++mode) {
    const auto& handle = handles[mode - 1];
    if (In_Handle(x, y, handle.point.x(), handle.point.y())) {
      // The painting canvas takes the arrows too, so they stay while the drag crosses the picture.
      canvas_BG->setCursor(handle.arrows);
      Screen_Canvas->setCursor(handle.arrows);
      return mode;
    }
  }
  canvas_BG->setCursor(Qt::ArrowCursor);
  return 0;
}

void winMAIN::canvas_BG_Paint(Platform::Graphics& g) {
  RenderMode(g, true);
  g.SetForeColor(modOptions::option_Background_Color);
  g.FillRect(0, 0, g.Width(), g.Height());
  const Points points = Handle_Points(Screen_Canvas->width(), Screen_Canvas->height());
  for (const QPoint& p : {points.right, points.corner, points.bottom}) Handle(g, p.x(), p.y());
  if (bkgd_mode <= 0) return;
  // The guides of the new right and bottom edges, dashed from the surround's edges to where they meet;
  // the dashes move with the marching ants.
  g.SetForeColor(modOptions::option_Background_Handle_Color);
  g.SetPenWidth(1);
  g.SetPenHeight(1);
  for (int64_t o = Marching_Ants; o <= bkgd_y; o += 8)
    g.DrawLine(bkgd_x, int32_t(o), bkgd_x, int32_t(std::min<int64_t>(o + 4, bkgd_y)));
  for (int64_t o = Marching_Ants; o <= bkgd_x; o += 8)
    g.DrawLine(int32_t(o), bkgd_y, int32_t(std::min<int64_t>(o + 4, bkgd_x)), bkgd_y);
}

bool winMAIN::canvas_BG_MouseDown(int32_t x, int32_t y) {
  const int32_t mode = Background_Mode(x, y);
  Set_BKGD_Mode(mode);
  bkgd_point = Point_of(x, y);
  return mode != 0;
}

void winMAIN::canvas_BG_MouseMove(int32_t x, int32_t y) {
  Set_myHelpTag(false, 0, 0, QString());
  Background_Mode(x, y);
}

void winMAIN::canvas_BG_MouseDrag(int32_t x, int32_t y) {
  const int32_t cw = Screen_Canvas->width(), ch = Screen_Canvas->height();
  switch (bkgd_mode) {
    case 1:
      bkgd_x = x;
      bkgd_y = ch + 4;
      break;
    case 2:
      bkgd_x = x;
      bkgd_y = y;
      break;
    case 3:
      bkgd_x = cw + 4;
      bkgd_y = y;
      break;
    default: return;
  }
  Cursor_Tag(x + canvas_BG->x(), y + canvas_BG->y(), bkgd_x - 4, bkgd_y - 4);
  canvas_BG->Invalidate(true);
}

void winMAIN::canvas_BG_MouseUp(int32_t x, int32_t y) {
  Set_myHelpTag(false, 0, 0, QString());
  Platform::Environment::ProcessEvents();
  canvas_BG->setCursor(Qt::ArrowCursor);
  Set_Paint_Cursor(false);
  int64_t dx = int64_t(bkgd_point.x) - x, dy = int64_t(bkgd_point.y) - y;
  if (bkgd_mode == 1) dy = 0;
  if (bkgd_mode == 3) dx = 0;
  const bool resize = work_area && (std::abs(dx) > 2 || std::abs(dy) > 2);
  if (resize) {
    // The picture grows by the pointer's travel at the zoom; a release far up or left still leaves a
    // picture of one pixel.
    const double z = Zoom;
    const int32_t width = std::max(1, ToInt(work_area->Width() - dx / z));
    const int32_t height = std::max(1, ToInt(work_area->Height() - dy / z));
    Resize_Canvas(width, height);
  }
  // The drag ends whatever the travel: no mode, no guides.
  Set_BKGD_Mode(0);
  canvas_BG->Invalidate(true);
  C_INVALIDATE();
  if (resize) {
    // The resize is an undo step and leaves the document marked as changed, so closing asks about it.
    Update_Statusbar();
    Refresh_Rulers();
  }
}
