#pragma once
// Picture frames: an oval or rectangular band along the edges of the whole working picture, either
// solid (rings shaded from the foreground colour towards half its brightness, drawn over the picture)
// or feathered (the picture fades into white towards its edges).
#include "platform/Picture.h"

namespace modFRAME {

enum class FrameShape { Oval, Rectangle };

// The frame's width in pixels for a picture of w x h: 7 % of the shorter side, halved for a solid frame.
float Frame_Width(int w, int h, bool feathered);

// Frames the picture in place; false (nothing changed) when the frame would be narrower than 4 pixels.
// A picture with a mask is first shown over white, as drawing it onto white would. Throws
// OutOfMemoryException, before any pixel changes, when a working buffer cannot be had.
bool Frame_Picture(Platform::Picture& picture, FrameShape shape, bool feathered, Platform::Color foreground);

// The menu commands: frame the working picture and commit it as one undo step. A picture too small for
// a frame is left alone; a picture that cannot be made is reported and nothing changes.
void Add_Frame_Oval(bool feathered);
void Add_Frame_Oval_Feathered();
void Add_Frame_Rectangle(bool feathered);
void Add_Frame_Rectangle_Feathered();

}  // namespace modFRAME
