#include "text/Text2Placement.h"

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"
#include "text/classTEXT2.h"
#include "text/winTEXT2.h"

namespace modMAIN {

void Initialize_TEXT2() {
  winTEXT2* window = winTEXT2::instance();
  window->show();
  window->Set_New_Focus();
  Dragging_Text = true;
  Dragging_Text_Mode = 0;
  active_TEXTMODE = true;
  active_TEXT2 = true;
  Set_Active_Lasso(true);
  const classTEXT2& text = Platform::Deref(Info_Text2.get(), "the single-line text object");
  classRECTANGLE& box = Platform::Deref(img_lasso.get(), "the selection rectangle");
  box.set_Top_Left(Point_of(offset.x + 3, offset.y + 3));
  box.set_Bot_Right(Point_of(offset.x + 3 + text.Width(), offset.y + 3 + text.Height()));
  img_DRAG_DROP = box.Top_Left();
  active_DRAG = true;
  winMAIN* main = winMAIN::instance();
  main->Update_Display();
  main->drawing_TOOL_SET(TOOL_TEXT2);
  main->Set_Paint_Cursor(false);
  main->Update_Statusbar();
}

}  // namespace modMAIN

void winMAIN::Text2_Was_Updated(classTEXT2* sender) {
  // The box keeps its top-left corner and takes the text's size, unzoomed, on both rectangles.
  if (!modMAIN::Info_Text2 || !modMAIN::scrn_rect || !modMAIN::img_lasso) return;
  modMAIN::scrn_rect->set_Width(modMAIN::Info_Text2->Width());
  modMAIN::scrn_rect->set_Height(modMAIN::Info_Text2->Height());
  modMAIN::img_lasso->set_Width(modMAIN::scrn_rect->Width());
  modMAIN::img_lasso->set_Height(modMAIN::scrn_rect->Height());
  C_INVALIDATE();
}
