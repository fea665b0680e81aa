// The eraser and brush stamps that the line walk places along a stroke.
#include <algorithm>

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

using namespace modMAIN;

void winMAIN::Eraser_Function(point_record point) {
  Platform::Picture& work = *Platform::Checked(work_area, "work_area");
  const int32_t h = EraserSize() / 2;
  const Color background = Draw_Color[2] & 0xFFFFFFu, foreground = Draw_Color[1] & 0xFFFFFFu;
  for (int32_t y = std::max(0, point.y - h); y <= std::min(work.Height() - 1, point.y + h); ++y)
    for (int32_t x = std::max(0, point.x - h); x <= std::min(work.Width() - 1, point.x + h); ++x) {
      const Color now = work.Pixel(x, y);
      // The colour eraser (a stroke begun with the right button) takes only the foreground colour.
      if (now == background || (Eraser_Mode && now != foreground)) continue;
      work.SetPixel(x, y, background);
    }
}

void winMAIN::PaintBrush_Function(point_record point) {
  Platform::Picture& work = *Platform::Checked(work_area, "work_area");
  const Platform::Picture& tip = *Platform::Checked(Paintbrush_Tip, "Paintbrush_Tip");
  const Platform::Picture& state = *Platform::Checked(pic_Stack[Current_Picture], "history state");
  const Color paint = Eraser_Mode ? Draw_Color[2] : Draw_Color[1];
  const int32_t half = tip.Width() / 2;
  for (int32_t j = 0; j < tip.Height(); ++j) {
    for (int32_t i = 0; i < tip.Width(); ++i) {
      const int32_t x = point.x - half + i, y = point.y - half + j;
      if (x < 0 || y < 0 || x >= work.Width() || y >= work.Height()) continue;
      // Black in the tip means no paint, brighter greys more.
      const float a = float(Platform::Red(tip.Pixel(i, j))) / 255.0f;
      if (a <= 0) continue;
      const Color under = state.Pixel(x, y);
      auto blend = [a](int from, int to) {
        return std::min(255, Platform::ToInt(double(float(from) * (1 - a) + float(to) * a)));
      };
      const Color mixed = Platform::RGB(blend(Platform::Red(under), Platform::Red(paint)),
                                        blend(Platform::Green(under), Platform::Green(paint)),
                                        blend(Platform::Blue(under), Platform::Blue(paint)));
      if (mixed != under) work.SetPixel(x, y, mixed);
    }
  }
}
