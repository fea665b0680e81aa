#include <algorithm>

#include "core/Points.h"
#include "platform/Numbers.h"

using modMAIN::point_record;

point_record classRECTANGLE::Top_Left() const {
  return {std::min(xPOINT1.x, xPOINT2.x), std::min(xPOINT1.y, xPOINT2.y)};
}

point_record classRECTANGLE::Bot_Right() const {
  return {std::max(xPOINT1.x, xPOINT2.x), std::max(xPOINT1.y, xPOINT2.y)};
}

// Corners further apart than a whole number can tell give the largest width instead of wrapping round.
int32_t classRECTANGLE::Width() const { return Platform::ClampInt(int64_t(Bot_Right().x) - Top_Left().x); }
int32_t classRECTANGLE::Height() const { return Platform::ClampInt(int64_t(Bot_Right().y) - Top_Left().y); }

point_record classRECTANGLE::Center_Point() const {
  const point_record tl = Top_Left();
  return {Platform::ClampInt(int64_t(tl.x) + Width() / 2), Platform::ClampInt(int64_t(tl.y) + Height() / 2)};
}

point_record classRECTANGLE::Handle_Point(int32_t i) const {
  const point_record tl = Top_Left(), br = Bot_Right();
  const int32_t mx = Platform::ClampInt(int64_t(tl.x) + Width() / 2);
  const int32_t my = Platform::ClampInt(int64_t(tl.y) + Height() / 2);
  switch (i) {
    case 0: return {tl.x, tl.y};
    case 1: return {mx, tl.y};
    case 2: return {br.x, tl.y};
    case 3: return {br.x, my};
    case 4: return {br.x, br.y};
    case 5: return {mx, br.y};
    case 6: return {tl.x, br.y};
    case 7: return {tl.x, my};
    default: return {0, 0};
  }
}

int32_t classRECTANGLE::Point_Inside(point_record p) const {
  const point_record tl = Top_Left(), br = Bot_Right();
  if (tl.x <= p.x && p.x <= br.x && tl.y <= p.y && p.y <= br.y) return 999;
  return -1;
}

void classRECTANGLE::set_Height(int32_t h) {
  if (xPOINT2.y < xPOINT1.y) xPOINT1.y = Platform::ClampInt(int64_t(xPOINT2.y) + h);
  else xPOINT2.y = Platform::ClampInt(int64_t(xPOINT1.y) + h);
}

void classRECTANGLE::set_Width(int32_t w) {
  if (xPOINT2.x < xPOINT1.x) xPOINT1.x = Platform::ClampInt(int64_t(xPOINT2.x) + w);
  else xPOINT2.x = Platform::ClampInt(int64_t(xPOINT1.x) + w);
}
