#pragma once
// Helpers for tests of the selection commands: distinct pixels, rectangular and free-hand selections.
#include <functional>

#include "core/EditingState.h"
#include "support/Fixture.h"
#include "platform/Picture.h"

namespace Fixture {

// A colour that tells every pixel of a picture up to 4096 x 4096 apart from the others.
inline Platform::Color Marker(int x, int y) { return Platform::Color(((x & 0xFFF) << 12) | (y & 0xFFF)); }

// Paints every pixel of the picture with its marker.
inline void PaintMarkers(const Platform::PicturePtr& pic) {
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x) pic->SetPixel(x, y, Marker(x, y));
}

// A picture of w x h whose pixels are their markers.
inline Platform::PicturePtr Marked(int w, int h) {
  auto p = Platform::Picture::Create(w, h, 32);
  PaintMarkers(p);
  return p;
}

// A document of w x h whose pixels are their markers, the only state of the history.
inline void MarkedDocument(int w, int h) {
  NewDocument(w, h);
  PaintMarkers(modMAIN::work_area);
  modMAIN::pic_Stack[0] = modMAIN::work_area->CopyAtDepth(32);
}

// A rectangular selection from corner (x1, y1) to corner (x2, y2), as the selection tool leaves it.
inline void Select(int x1, int y1, int x2, int y2) {
  modMAIN::img_lasso->set_Top_Left(modMAIN::Point_of(x1, y1));
  modMAIN::img_lasso->set_Bot_Right(modMAIN::Point_of(x2, y2));
  modMAIN::Set_Active_Lasso(true);
}

// A closed free-hand selection over the rectangle, its shape given by inside(x, y) in the rectangle's
// own pixels, as the free-hand tool leaves it: the shape's mask (black inside, white outside) and a
// patch of the background colour masked to the shape.
inline void SelectFreeHand(int x1, int y1, int x2, int y2, const std::function<bool(int, int)>& inside) {
  const int w = x2 - x1, h = y2 - y1;
  auto shape = Platform::Picture::Create(w, h, 32);
  auto patch = Platform::Picture::Create(w, h, 32);
  patch->Image().fill(Platform::ToQRgb(modMAIN::Draw_Color[2]));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Platform::Color c = inside(x, y) ? 0x000000 : 0xFFFFFF;
      shape->SetPixel(x, y, c);
      patch->Mask()->SetPixel(x, y, c);
    }
  modMAIN::Super_Lasso_mask[0] = shape;
  modMAIN::Super_Lasso_mask[1] = patch;
  modMAIN::Set_Active_SuperLasso(true);
  Select(x1, y1, x2, y2);
}

}  // namespace Fixture
