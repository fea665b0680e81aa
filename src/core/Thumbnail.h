#pragma once
// A reduced copy of a picture for small views such as the navigator: the work grows with the reduced
// size, not with the picture's, so that a large picture can be shown several times a second.
#include <QImage>

#include "platform/Picture.h"

namespace modMAIN {

// The picture reduced to w x h pixels (each at most the picture's own size): every pixel is the mean of
// four samples spread over the part of the picture it stands for. Pixels that the picture's mask makes
// transparent, and pure white ones when whiteTransparent is set, come out transparent. The result is
// premultiplied ARGB32; a null image when w or h is not positive.
QImage Reduced_Picture(const Platform::Picture& pic, int w, int h, bool whiteTransparent);

}  // namespace modMAIN
