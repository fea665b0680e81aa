#pragma once
// The shape library's definitions: each shape is one line of text, its name followed by its vertices in
// box coordinates ("name;x,y;x,y;..."), where -1 is the box's left or top edge, 0 its centre and 1 its
// right or bottom edge.
#include <QString>

#include "core/Points.h"
#include "platform/Array.h"
#include "platform/Graphics.h"

namespace modSHAPES {

// One parsed vertex of a shape definition.
struct Fpoint_record {
  float x = 0;
  float y = 0;
};

// The definitions; the index is the shape number of the shape tool.
inline Platform::Array<QString> Shape_List;
// The shape that the shape tool draws.
inline int32_t Current_Shape = 0;
// The vertices of the definition read last, and its index (-1: none read yet).
inline Platform::Array<Fpoint_record> Shape_PCT;
inline int32_t Shape_Index = -1;
// The corners placed by Get_Shape: a placeholder -1, then x1, y1, x2, y2, ... in vertex order.
inline Platform::Array<int32_t> Shape_Point;

// The vertices of a definition: every field after the name gives one, x before its first "," and y
// after it, each read with the number reader.
Platform::Array<Fpoint_record> Read_Shape(const QString& definition);
// Places a vertex in a box whose top-left is (left, top) and whose half sizes (whole numbers) are hw, hh.
modMAIN::point_record Place_Vertex(const Fpoint_record& v, int32_t left, int32_t top, int32_t hw, int32_t hh);
// Reads definition index into Shape_PCT and makes it the one Shape_Index names.
void Get_Shape_Percent(int32_t index);
// Reads definition index (again only when it is another one than last time) and places its vertices in
// the box, leaving the corners in Shape_Point.
void Get_Shape(int32_t index, const classRECTANGLE& box);
// Draws shape index into the box of the working picture (image pixels) with the current fill mode: the
// fill in the background colour for modes 2 and 3, then the outline in the foreground colour with the
// picture's pen for modes 1 and 3.
void Draw_Shape(int32_t index, const classRECTANGLE& box);
// Draws the sample tile of shape index, 65 x 65 pixels with its top-left corner at (left, top): the
// shape in blue on white inside a sunken frame, or a grey cross for an index beyond the list.
void Sample_Shape(Platform::Graphics& g, int32_t left, int32_t top, int32_t index);

// Puts every global back to its value at program start.
void Reset_Globals();

}  // namespace modSHAPES
