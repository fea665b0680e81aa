// The effect target and its write-back.
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/PictureOps.h"
#include "core/UndoHistory.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/RuntimeError.h"

namespace DozerIvidEffectsLibrary {

using namespace modMAIN;

void EFFECTS_Picture_GET() {
  if (active_LASSO) {
    if (active_DRAG) EFFECTS_Picture = drag_Picture;
    else EFFECTS_Picture = Lasso_Area_Get(false);
  } else {
    EFFECTS_Picture = work_area;
  }
}

bool EFFECTS_Picture_GOT() {
  if (Had_Memory(EFFECTS_Picture_GET)) return true;
  EFFECTS_Picture.reset();
  Out_Of_Memory_Message();
  return false;
}

void EFFECTS_Picture_PUT(bool commit) {
  winMAIN* win = winMAIN::instance();
  bool commitNow = false;
  if (active_LASSO || active_SUPERLASSO) {
    if (active_DRAG) {
      const PicturePtr& floating = Platform::Checked(drag_Picture, "drag_Picture");
      if (EFFECTS_Picture && EFFECTS_Picture != floating) {
        Platform::Graphics g = floating->Graphics();
        g.DrawPicture(EFFECTS_Picture, 0, 0);
      }
      // The floating picture keeps the free-hand shape, even when the effect made a new picture.
      if (active_SUPERLASSO) PictureOps::CopyToMask(*Platform::Checked(Super_Lasso_mask[0], "Super_Lasso_mask"), *floating);
    } else {
      if (EFFECTS_Picture) {
        if (active_SUPERLASSO)
          PictureOps::CopyToMask(*Platform::Checked(Super_Lasso_mask[0], "Super_Lasso_mask"), *EFFECTS_Picture);
        // Through the mask, only the pixels inside a free-hand shape change.
        Lasso_Area_Put(EFFECTS_Picture);
      }
      commitNow = commit;
    }
  } else {
    // An effect that made a new picture: it becomes the working picture with the document's mask.
    if (EFFECTS_Picture && EFFECTS_Picture != work_area) Replace_Work_Area(EFFECTS_Picture);
    commitNow = commit;
  }
  // Without the memory for the undo step the working picture goes back to the state on show.
  if (commitNow && Commit_Work_Area()) win->SetWindowModified(true);
  win->Update_Display();
}

void EFFECTS_START() {
  if (!(active_LASSO && active_DRAG)) return;
  EFFECTS_DragPicture = Platform::Checked(drag_Picture, "drag_Picture")->CopyAtDepth(32);
}

void EFFECTS_RESTORE() {
  if (active_LASSO && active_DRAG) {
    const PicturePtr& floating = Platform::Checked(drag_Picture, "drag_Picture");
    const PicturePtr& copy = Platform::Checked(EFFECTS_DragPicture, "EFFECTS_DragPicture");
    Platform::Graphics g = floating->Graphics();
    g.DrawPicture(copy, 0, 0);
    return;
  }
  Restore_Work_Area();
}

bool Refuse_Effect() {
  const bool outlineOpen = active_SUPERLASSO && !active_LASSO;
  const bool textFloats = active_DRAG && (drawing_TOOL == TOOL_TEXT2 || (Dragging_Text && Dragging_Text_Mode != 0));
  if (!outlineOpen && !textFloats) return false;
  Platform::Environment::Beep();
  return true;
}

void Reset_Globals() {
  EFFECTS_Picture.reset();
  EFFECTS_DragPicture.reset();
  map = Platform::Array<int32_t>(256, 0);
}

}  // namespace DozerIvidEffectsLibrary
