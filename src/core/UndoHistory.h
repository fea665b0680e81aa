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
// A new working picture made from a history state: a 32-bit copy that draws with the old renderer,
// without a mask when white is to be transparent, else with a fully opaque one. Changes nothing else;
// throws OutOfMemoryException when the memory cannot be had.
PicturePtr Working_Picture_Of(const Platform::Picture& state, bool transparent);
// Takes the working picture back to the state on show: in its own memory when it has the state's size
// (no more memory is needed; whatever holds the working picture sees the state again), else as
// Move_to_WorkArea does.
void Restore_Work_Area();
// Makes the picture, made by Working_Picture_Of, the working picture.
void Use_Working_Picture(const PicturePtr& picture);
// No mask while the document is transparent; a fully opaque mask otherwise.
void set_workarea_mask();
// A copy of the selected area of the working picture (w x h, right and bottom corners excluded); with
// erase the area is filled with the background colour.
PicturePtr Lasso_Area_Get(bool erase);
// Draws the picture into the working picture at the selection's top-left, honouring its mask.
void Lasso_Area_Put(const PicturePtr& picture);

}  // namespace modMAIN
