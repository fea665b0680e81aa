// The free-hand selection: its path starts at the press and becomes a selection of its enclosed area at
// the release.
#include "core/EditingState.h"
#include "core/FreehandMasks.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::Init_SuperLasso() {
  Turn_Lasso_OFF();
  if (!work_area) return;
  work_area->Graphics().SetForeColor(Draw_Color[1]);
  Set_Active_SuperLasso(true);
  // A fresh picture is white: the drag steps draw the path into it in black.
  if (!Had_Memory([] { work_lasso = Platform::Picture::Create(work_area->Width(), work_area->Height(), 32); })) {
    work_lasso.reset();
    Set_Active_SuperLasso(false);
    Out_Of_Memory_Message();
    return;
  }
  // No outline of an earlier free-hand selection shows while the new path is drawn.
  Super_Lasso_mask[2].reset();
  Platform::Graphics g = work_lasso->Graphics();
  RenderMode(g, false);
  g.SetForeColor(0x000000);
}

void winMAIN::convert_SuperLasso_to_normal_lasso() {
  if (!work_lasso || !img_lasso) {
    Turn_Lasso_OFF();
    return;
  }
  {
    // The path is closed with a straight line back to where it started.
    Platform::Graphics g = work_lasso->Graphics();
    RenderMode(g, false);
    g.SetForeColor(0x000000);
    g.DrawLine(img_point.x, img_point.y, MouseDown_Point.x, MouseDown_Point.y);
  }
  const point_record tl = img_lasso->Top_Left();
  const QRect box(tl.x, tl.y, img_lasso->Width(), img_lasso->Height());
  FreehandMasks::Masks masks;
  const bool made = Had_Memory([&] { masks = FreehandMasks::Convert(*work_lasso, box, Draw_Color[2]); });
  work_lasso.reset();
  // The path drawn in the foreground colour goes with the rebuilt working picture.
  Move_to_WorkArea();
  if (!made || masks.box.isEmpty()) {
    // Nothing of the path lies in the picture, or its pictures could not be made: no selection.
    Turn_Lasso_OFF();
    if (!made) Out_Of_Memory_Message();
    Update_Display();
    return;
  }
  Super_Lasso_mask[0] = masks.shape;
  Super_Lasso_mask[1] = masks.hole;
  Super_Lasso_mask[2] = masks.outline;
  Super_Lasso_mask[3] = masks.outline2;
  // A path that ran past the picture's edge selects only what lies in the picture.
  img_lasso->set_Top_Left(Point_of(masks.box.left(), masks.box.top()));
  img_lasso->set_Bot_Right(Point_of(masks.box.left() + masks.box.width(), masks.box.top() + masks.box.height()));
  Set_Active_Lasso(true);
  active_DRAG = false;
  Update_Display();
}
