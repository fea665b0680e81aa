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

// Whether each pixel of the clipped box is enclosed by the path (any pixel of the path picture that is
// not exactly white), one byte per pixel, rows of box.width(): 1 selected, 0 not. The path counts as
// selected. Pixels around the box count as unselected, whatever lies past the picture's edge, so a path
// along the picture's edge still encloses its inside.
std::vector<unsigned char> Enclosed(const Platform::Picture& path, const QRect& box);

// The selection pictures of the enclosed area of the box (clipped to the path picture); the hole filled
// with the background colour. An empty box gives empty pictures and an empty box.
Masks Convert(const Platform::Picture& path, const QRect& box, Color background);

}  // namespace FreehandMasks
