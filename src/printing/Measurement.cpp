#include "printing/Measurement.h"

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "printing/PrinterProbe.h"

namespace modMAIN {

int32_t Ruler_Pixel2Pixel(int32_t pixel, bool horizontal) {
  // The difference wraps like the 32-bit arithmetic it stands for, without overflowing in C++.
  const int32_t d = int32_t(uint32_t(pixel) - uint32_t(horizontal ? offset.x : offset.y));
  return Platform::ToInt(double(d) * double(Zoom));
}

int32_t Ruler_Inch2Pixel(float inches, bool horizontal) {
  const int32_t dots = Platform::ToInt(double(inches) * double(Get_Printer_Rez(horizontal)));
  return Ruler_Pixel2Pixel(dots, horizontal);
}

int32_t Ruler_CM2Pixel(float cm, bool horizontal) { return Ruler_Inch2Pixel(float(double(cm) / 2.54), horizontal); }

QString Measurement_Label(bool physical) {
  if (!physical) return QStringLiteral("Pixel");
  return modOptions::option_Metric ? QStringLiteral("cm") : QStringLiteral("Inches");
}

}  // namespace modMAIN
