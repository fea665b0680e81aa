#pragma once
// Drawing routines shared by the canvas, the palettes and several windows: the Bezier curve, arrow
// heads, the line walk that stamps the eraser or the brush, the brush tip, marching ants, the colour
// well and the checkerboard shown behind transparent pixels. None of them records an undo step.
#include <array>
#include <functional>
#include <vector>

#include "core/Points.h"
#include "platform/Graphics.h"

namespace modMAIN {

// The curve tool's cubic Bezier curve through img_Curve (1 start, 4 and 3 control points, 2 end) as 100
// straight segments in the stroke colour, then its arrow heads as option_ArrowHead asks: 1 at the start
// (point 1), 2 at the end (point 2), 3 both.
void Draw_Bezier(Platform::Graphics& g);
// The 101 points of the curve that Draw_Bezier joins.
std::vector<point_record> Bezier_Points();
// The arrow heads of the straight line from p1 to p2 that option_ArrowHead asks for: 1 at the start p1,
// 2 at the end p2, 3 both.
void Draw_ArrowHead(Platform::Graphics& g, point_record p1, point_record p2);
// One filled head in the foreground colour, its tip at p2 (moved forward for pens thicker than 1),
// pointing away from p1. Empties the polygon tool's vertex list.
void Create_ArrowHead(Platform::Graphics& g, point_record p1, point_record p2);
// The head's corners in drawing order: tip, wing, notch, wing.
std::array<point_record, 4> ArrowHead_Polygon(point_record p1, point_record p2);

// Calls Do_Function at every pixel of the line from p1 to p2 (integer line walk, both ends included).
void Move_along_a_Line(point_record p1, point_record p2, int32_t tool);
// The line walk itself: calls stamp at every pixel of the line, p2 last.
void Line_Walk(point_record p1, point_record p2, const std::function<void(int32_t x, int32_t y)>& stamp);
// One stamp of the tool at (x, y): 3 the eraser, 11 the brush; other tools do nothing.
void Do_Function(int32_t x, int32_t y, int32_t tool);
// Rebuilds the brush tip Paintbrush_Tip: 2 x size_BRUSH + 1 pixels square, black with grey paint.
void Make_Paintbrush_Tip();

// Marching ants along the horizontal edges y1 and y2 from x1 to x2, and along the vertical edges x1 and
// x2 from y1 to y2: black and white dashes of 4 pixels and a gap of 4, shifted by Marching_Ants.
void Draw_H_Ants(Platform::Graphics& g, int32_t x1, int32_t x2, int32_t y1, int32_t y2);
void Draw_V_Ants(Platform::Graphics& g, int32_t y1, int32_t y2, int32_t x1, int32_t x2);
// A bevelled 20 x 20 colour well with its top-left corner at (x, y), crossed out when asked.
void Draw_ColorWell(Platform::Graphics& g, int32_t x, int32_t y, Platform::Color colour, bool crossed);
// The sunken bevel of a 20 x 20 well at (x, y), one pixel wide, reaching to (x + 21, y + 21).
void Draw_WellBevel(Platform::Graphics& g, int32_t x, int32_t y);
// Rebuilds the checkerboard canvas_transparent at the main window's current size.
void Make_Transparent();

}  // namespace modMAIN
