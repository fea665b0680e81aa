#pragma once
// The knock-out of a styled text: the text drawn black on white becomes a box of one colour with the
// letters cut out of it. White around the letters becomes the opaque box; black letter cores become
// fully transparent; the grey edges of the letters cover in part, the more the lighter they were.
#include <cstdint>
#include <functional>

#include "platform/Picture.h"
#include "platform/Types.h"

namespace StyledTextDrawing {

// Reads every pixel of the scratch picture (the text black on white) and writes the floating picture and
// its mask (made when it has none) at the same place. A grey of level v counts as black up to 32 and as
// white from 224; between, the mask takes the inverted grey 255 - v. A pixel that is not grey enters the
// mask as its own grey. Covered pixels (black and between) are white in the floating picture; white ones
// take the box colour with an opaque mask. rowsDone, when given, hears of each finished row's pixels.
// The pictures must have the same size.
void Knock_Out_Text(const Platform::Picture& scratch, Platform::Picture& floating, Platform::Color box,
                    const std::function<void(int32_t)>& rowsDone = {});

}  // namespace StyledTextDrawing
