#pragma once
// Turning, flipping and resizing the picture or the selection, the canvas size, and cut, copy, delete
// and crop with the clipboard. Each acts on the floating selection, the selected rectangle or the whole
// working picture as the selection state says, and makes its undo steps through the main window.
#include <QString>
#include <cstdint>
#include <functional>

#include "core/Points.h"
#include "platform/Picture.h"

namespace modMAIN {

// ---- Rotation and flipping ----
// 90, 180 and 270 turn by right angles; any other value turns by the free angle of the flip-and-rotate
// dialog (modOptions::last_free_degree). A selection that does not float is lifted first.
void image_Rotate(int32_t angle);
// Mirrors the selection or the picture in place: True left to right, False top to bottom.
void image_Flip(bool horizontal);
// A new picture: source turned by the free angle, on white.
Platform::PicturePtr Free_Rotate(const Platform::PicturePtr& source);
// The position of (x, y) turned about origin by the angle whose sine and cosine (of the angle less a
// half turn) are s and c, moved to target.
fPoint_Record Rotate_Point(int32_t x, int32_t y, point_record origin, float s, float c, point_record target);

// ---- Resizing, canvas size and the clipboard ----
// Scales the whole picture (mode "I") or the selection (any other mode) to width x height.
void Resize_Image(const QString& mode, int32_t width, int32_t height);
// Gives the working picture a new size, its content kept at the top-left, unscaled.
void Resize_Canvas(int32_t width, int32_t height);
// Cuts a rectangular selection to the clipboard (the area is filled with the background colour unless
// the Option key is held); keep True leaves the selection for the caller to float.
void image_CUT(bool keep);
// Copies the selected area into the floating picture, optionally erasing it and putting it on the
// clipboard (never for a free-hand selection).
void image_COPY(bool erase, bool to_clipboard);
// Erases the selected area and ends the selection.
void image_DELETE();
// Makes the selected area the whole picture.
void image_CROP();

// ---- Shared by the commands above ----
// Makes the picture the working picture: it takes over the old one's drawing state and gets the mask
// that the transparency display needs. Nothing is committed.
void Replace_Work_Area(const Platform::PicturePtr& picture);
// Tells the user that a new picture could not be made.
void Out_Of_Memory_Message();
// Runs the work; false when the memory for a picture or buffer it asked for could not be had
// (OutOfMemoryException or std::bad_alloc), after which the caller puts things back and tells the user.
bool Had_Memory(const std::function<void()>& work);
// Makes the picture that build returns the working picture and commits it as one undo step. When the
// memory for it or for its undo step cannot be had, the working picture and the history stay as they
// were, the user is told and false is returned.
bool Commit_New_Work_Area(const std::function<Platform::PicturePtr()>& build);
// Commits the working picture, changed in place, as one undo step (the main window's Draw_Complete).
// When the memory for the undo step cannot be had, the working picture goes back to the state on show,
// the user is told and false is returned.
bool Commit_Work_Area();

}  // namespace modMAIN
