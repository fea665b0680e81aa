// The painting canvas's repaint.
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::Screen_Canvas_Paint(Platform::Graphics& g) {
  if (!work_area) return;
  const double z = Zoom > 0 ? Zoom : 1;
  const int sw = std::max(1, int(g.Width() / z) + 1), sh = std::max(1, int(g.Height() / z) + 1);
  g.SetAntiAlias(false);
  if (Save_as_Transparent) {
    // The checkerboard of the settings behind the white pixels of a transparent document.
    if (!canvas_transparent) Make_Transparent();
    g.DrawPicture(canvas_transparent, 0, 0);
    work_area->Transparent = 1;
  }
  g.DrawPicture(work_area, 0, 0, int(sw * z), int(sh * z), offset.x, offset.y, sw, sh);
  work_area->Transparent = 0;
  if (active_DRAG && drag_Picture) {
    g.DrawPicture(drag_Picture, int((img_DRAG_DROP.x - offset.x) * z), int((img_DRAG_DROP.y - offset.y) * z),
                  int(drag_Picture->Width() * z), int(drag_Picture->Height() * z), 0, 0, drag_Picture->Width(),
                  drag_Picture->Height());
  }
  Update_Thumbnail();
}
