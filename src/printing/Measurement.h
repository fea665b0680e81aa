#pragma once
// Lengths on the main window's rulers: image pixels, inches and centimetres turned into screen
// positions along one axis, and the name of the physical unit.
#include <QString>
#include <cstdint>

namespace modMAIN {

// The screen position, from the start of the view, of an image coordinate on one axis (horizontal:
// x and the horizontal scroll offset; else y), at the current zoom.
int32_t Ruler_Pixel2Pixel(int32_t pixel, bool horizontal);
// The same for a length in inches, first turned into whole image pixels at the printer resolution in
// force on that axis.
int32_t Ruler_Inch2Pixel(float inches, bool horizontal);
// The same for a length in centimetres.
int32_t Ruler_CM2Pixel(float cm, bool horizontal);
// The unit's name: "Pixel", or for the physical unit "cm" with the metric option on, else "Inches".
QString Measurement_Label(bool physical);

}  // namespace modMAIN
