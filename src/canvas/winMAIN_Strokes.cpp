// The stamping tools' strokes: the eraser and brush join two pointer positions with stamps, the spray
// can scatters a burst of dots around the pointer at each drag step and at each tick of its timer.
#include <algorithm>
#include <cmath>

#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"
#include "platform/Random.h"
#include "platform/RuntimeError.h"

using namespace modMAIN;

void winMAIN::execute_eraser(point_record point, int32_t tool) {
  // Every pixel of the line from the last stamp gets a stamp, so a fast drag leaves no gaps.
  Move_along_a_Line(img_Eraser_Point, point, tool);
  img_Eraser_Point = point;
  Update_Display();
}

namespace {

// Dots per burst: a fifth of the square of the radius, at least 3.
int32_t Spray_Dot_Count() {
  const int32_t r = 3 * size_SPRAYCAN;
  return std::max(3, Platform::ToInt(r * r * 0.2));
}

}  // namespace

void winMAIN::spurt_paint() {
  if (!work_area) return;
  Platform::Picture& work = *work_area;
  Platform::Random& rnd = Platform::Deref(rnd_number, "rnd_number");
  const float radius = float(3 * size_SPRAYCAN);
  const int32_t n = Spray_Dot_Count();
  for (int32_t i = 0; i < n; ++i) {
    // The distance is even along the radius, so the dots crowd towards the centre.
    const float angle = float(rnd.Number() * 6.283185307179586);
    const float distance = float(rnd.Number() * radius);
    const int32_t x = Platform::ToInt(img_point.x + double(distance) * std::cos(double(angle)));
    const int32_t y = Platform::ToInt(img_point.y + double(distance) * std::sin(double(angle)));
    if (x < 0 || y < 0 || x >= work.Width() || y >= work.Height()) continue;
    Color c = Draw_Color[0];
    // With Ctrl held each dot takes the foreground or the background colour by chance.
    if (Platform::Environment::CommandKey()) c = rnd.InRange(1, 100) > 50 ? Draw_Color[2] : Draw_Color[1];
    work.SetPixel(x, y, c);
  }
  Update_Display();
}

void winMAIN::timer_SPRAYCAN_Action() {
  if (Platform::Environment::MouseDown() && drawing_TOOL == TOOL_SPRAYCAN && Over_Canvas) spurt_paint();
}
