// The eraser and brush stamps that the line walk places along a stroke.
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"

using namespace modMAIN;

void winMAIN::Eraser_Function(point_record point) {
  Platform::Picture& work = *Platform::Checked(work_area, "work_area");
  const int32_t h = EraserSize() / 2;
  const Color background = Draw_Color[2] & 0xFFFFFFu, foreground = Draw_Color[1] & 0xFFFFFFu;
  for (int32_t y = point.y - h; y <= point.y + h; ++y)
    for (int32_t x = point.x - h; x <= point.x + h; ++x)
      if (!Eraser_Mode || work.Pixel(x, y) == foreground) work.SetPixel(x, y, background);
}

void winMAIN::PaintBrush_Function(point_record point) {
  Platform::Picture& work = *Platform::Checked(work_area, "work_area");
  const Platform::Picture& tip = *Platform::Checked(Paintbrush_Tip, "Paintbrush_Tip");
  const Platform::Picture& state = *Platform::Checked(pic_Stack[Current_Picture], "history state");
  const Color stroke = Draw_Color[0];
  const int32_t left = point.x - tip.Width() / 2, top = point.y - tip.Height() / 2;
  for (int32_t j = 0; j < tip.Height(); ++j) {
    for (int32_t i = 0; i < tip.Width(); ++i) {
      const int grey = Platform::Red(tip.Pixel(i, j));
      const int32_t x = left + i, y = top + j;
      // Black in the tip means no paint; pixels outside the picture are skipped.
      if (grey == 0 || x < 0 || y < 0 || x >= work.Width() || y >= work.Height()) continue;
      const Color under = state.Pixel(x, y);
      auto blend = [grey](int from, int to) { return from + (to - from) * grey / 255; };
      work.SetPixel(x, y, Platform::RGB(blend(Platform::Red(under), Platform::Red(stroke)),
                                        blend(Platform::Green(under), Platform::Green(stroke)),
                                        blend(Platform::Blue(under), Platform::Blue(stroke))));
    }
  }
}
