// The commit of a finished operation and the stepping through the undo history.
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::Draw_Complete() { Commit_Work_Area(); }

void winMAIN::Commit_Drawing() {
  Curve_Cnt = 0;
  Move_to_Image();
  SetWindowModified(true);
  // The redisplay repaints the surround when the canvas changed size.
  Update_Display();
}

void winMAIN::Manage_Undo_Stack(int32_t step) {
  Reset_Everything();
  active_DRAG = false;
  active_SHAPE = false;
  Revert_to_Last_Draw_Tool(false);
  active_SHAPE = false;
  // A drop committed by the reset above makes the newest state the one on show; the index stays inside
  // the history whatever the step.
  Current_Picture = std::clamp(Current_Picture + step, 0, pic_Stack.Ubound());
  // Arriving back at the colour picture ends the partial colour mode, before the rebuild.
  if (modColorSplash::ColorSplash_Mode > 0 && Current_Picture == modColorSplash::ColorSplash_Pointer) {
    modColorSplash::Switch_ColorSplash_Mode(0);
  }
  Move_to_WorkArea();
  Update_Display();
}
