#pragma once
// The undo history of whole pictures and the working picture that every tool draws into.
#include "core/EditingState.h"

namespace modMAIN {

// At most this many pictures are kept in the history.
constexpr int kHistoryLimit = 11;

// Appends a copy of the working picture (at the working colour depth) as the newest state, dropping the
// redo states and, at the cap, the oldest state.
void Move_to_Image();
// The memory that the history's pictures hold, each tile shared between states counted once.
size_t History_Bytes();
// Rebuilds the working picture from the state on show.
void Move_to_WorkArea();
// No mask while the document is transparent; a fully opaque mask otherwise.
void set_workarea_mask();
// A copy of the selected area of the working picture (w x h, right and bottom corners excluded); with
// erase the area is filled with the background colour.
PicturePtr Lasso_Area_Get(bool erase);
// Draws the picture into the working picture at the selection's top-left, honouring its mask.
void Lasso_Area_Put(const PicturePtr& picture);

}  // namespace modMAIN
