#pragma once
// Canvas pixels to image pixels and back for the painting canvas's handlers and repaint.
// Temporary: these give way to the main window's own conversions once the view code has them.
#include <memory>

#include "core/EditingState.h"
#include "platform/Numbers.h"

namespace CanvasView {

inline float Z() { return modMAIN::Zoom > 0 ? modMAIN::Zoom : 1.0f; }

// image = canvas / zoom + offset, converted to a whole number.
inline modMAIN::point_record To_Image(int32_t x, int32_t y) {
  return modMAIN::Point_of(Platform::ToInt(double(x) / double(Z()) + modMAIN::offset.x),
                           Platform::ToInt(double(y) / double(Z()) + modMAIN::offset.y));
}

// canvas = (image - offset) x zoom, converted to a whole number.
inline modMAIN::point_record To_Canvas(modMAIN::point_record p) {
  return modMAIN::Point_of(Platform::ToInt(double(p.x - modMAIN::offset.x) * double(Z())),
                           Platform::ToInt(double(p.y - modMAIN::offset.y) * double(Z())));
}

// A new rectangle in canvas pixels from the rectangle's normalised corners.
inline std::shared_ptr<classRECTANGLE> To_Canvas(const classRECTANGLE& r) {
  auto s = std::make_shared<classRECTANGLE>();
  s->set_Top_Left(To_Canvas(r.Top_Left()));
  s->set_Bot_Right(To_Canvas(r.Bot_Right()));
  return s;
}

}  // namespace CanvasView
