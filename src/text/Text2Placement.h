#pragma once
// Placing the single-line text on the canvas: the floating text box that the Text Options window edits.

namespace modMAIN {

// Opens the Text Options window on the text and places a new floating box of the text's size 3 image
// pixels right of and below the view's top-left pixel, with the text tool current.
void Initialize_TEXT2();

}  // namespace modMAIN
