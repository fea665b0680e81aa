#pragma once
// The pixel passes that turn a drawn free-hand path into a selection: plain functions over pictures, so
// that the canvas and the benchmarks call the same code.
#include <QRect>
#include <vector>

#include "platform/Picture.h"

namespace FreehandMasks {

using Platform::Color;
using Platform::PicturePtr;

// The four pictures of a free-hand selection, each box.width() x box.height(); pixel (i, j) stands for
// picture pixel (box.x() + i, box.y() + j).
struct Masks {
  QRect box;            // the selection in picture pixels, inside the path picture
  PicturePtr shape;     // black where selected, white elsewhere
  PicturePtr hole;      // the background colour, masked by the shape
  PicturePtr outline;   // white with the outline in black, white transparent
  PicturePtr outline2;  // white with the outline in light grey, white transparent
};

// The box clipped to the picture of w x h; empty when nothing of it lies inside.
QRect ClipBox(const QRect& box, int w, int h);

// The selection pictures of the area of the box (clipped to the path picture) that the path encloses:
// the path is any pixel of the path picture that is not exactly white, and counts as selected. Pixels
// around the box count as unselected, whatever lies past the picture's edge, so a path along the
// picture's edge still encloses its inside; where the box itself reaches past the edge, the path runs on
// out there and the edge closes it. The hole is filled with the background colour. A box wholly outside
// the picture gives no pictures and an empty box.
Masks Convert(const Platform::Picture& path, const QRect& box, Color background);

}  // namespace FreehandMasks
