// The painting canvas's repaint.
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "text/classTEXT2.h"

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
  if (active_DRAG && active_TEXT2 && Info_Text2 && img_lasso) {
    // The single-line text's preview, unzoomed, from the box's top-left corner on the canvas.
    const point_record tl = img_lasso->Top_Left(), br = img_lasso->Bot_Right();
    scrn_rect = std::make_shared<classRECTANGLE>();
    scrn_rect->set_Top_Left(Point_of(int((tl.x - offset.x) * z), int((tl.y - offset.y) * z)));
    scrn_rect->set_Bot_Right(Point_of(int((br.x - offset.x) * z), int((br.y - offset.y) * z)));
    Info_Text2->Draw_Text(g, false);
  } else if (active_DRAG && drag_Picture) {
    g.DrawPicture(drag_Picture, int((img_DRAG_DROP.x - offset.x) * z), int((img_DRAG_DROP.y - offset.y) * z),
                  int(drag_Picture->Width() * z), int(drag_Picture->Height() * z), 0, 0, drag_Picture->Width(),
                  drag_Picture->Height());
  }
  Update_Thumbnail();
}
