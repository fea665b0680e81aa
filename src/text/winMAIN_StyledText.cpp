// Dropping a styled text that floats in one of its transparent modes into the working picture.
#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"
#include "platform/StyledText.h"
#include "text/KnockOutText.h"
#include "text/StyledTextDrawing.h"

using namespace modMAIN;

namespace {
constexpr int32_t kWrap = 9999;

// Mode 1: the letters alone, where the floating picture showed them (it holds the text at (2, 0)). The
// renderer follows the anti-alias setting, as it did for the floating picture.
void Draw_Letters() {
  if (!work_area || !myStyledText) return;
  Platform::Graphics g = work_area->Graphics();
  RenderMode(g, modOptions::option_AntiAlias);
  StyledTextDrawing::DrawStyledText(g, *myStyledText, img_DRAG_DROP.x + 2, img_DRAG_DROP.y, kWrap);
}

// Mode 2: the floating picture becomes a box of the background colour with the letters cut out of it
// through its mask, and is drawn at the drop point.
void Draw_Knock_Out() {
  if (!work_area || !drag_Picture || !myStyledText) return;
  const int32_t w = drag_Picture->Width(), h = drag_Picture->Height();
  const Platform::Color box = Draw_Color[2] == 0xFFFFFF ? 0xFEFEFE : Draw_Color[2];
  const Platform::PicturePtr scratch = Platform::Picture::Create(w, h, 32);
  Platform::Graphics sg = scratch->Graphics();
  RenderMode(sg, true);
  StyledTextDrawing::DrawStyledText(sg, *myStyledText, 2, 0, kWrap);
  modProgress::Progress_Scope progress;
  modProgress::Progress_Start(w, h);
  StyledTextDrawing::Knock_Out_Text(*scratch, *drag_Picture, box, modProgress::Per_Column(h));
  modProgress::Progress_End();
  drag_Picture->Transparent = 1;
  Platform::Graphics g = work_area->Graphics();
  g.DrawPicture(drag_Picture, img_DRAG_DROP.x, img_DRAG_DROP.y);
}
}  // namespace

void winMAIN::Place_Styled_Text() {
  try {
    if (Dragging_Text_Mode == 1) Draw_Letters();
    else if (Dragging_Text_Mode == 2) Draw_Knock_Out();
  } catch (const Platform::OutOfMemoryException&) {
    // Without room for the knock-out's picture the text is not dropped, and the picture stays unchanged.
    Out_Of_Memory_Message();
    return;
  }
  Draw_Complete();
}
