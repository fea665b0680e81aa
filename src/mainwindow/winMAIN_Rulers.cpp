// The rulers above and left of the picture and the corner square where they meet. A ruler counts image
// pixels, inches or centimetres from the picture's top-left corner, follows the scroll position and the
// zoom, and draws a labelled tick at each whole step of its unit with smaller ticks between.
#include <QFontDatabase>
#include <optional>
#include <cmath>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"
#include "printing/Measurement.h"
#include "printing/PrinterProbe.h"

using namespace modMAIN;
using Platform::ToInt;

namespace {
enum class Unit { Pixels, Inches, Centimetres };

// The distance between labelled values and between ticks, in the ruler's unit; nothing for a zoom that
// is not one of the view's seven steps.
struct Steps {
  float label;
  float tick;
};
std::optional<Steps> Steps_of(Unit unit, float zoom) {
  const bool small = zoom == 0.25f || zoom == 0.5f;
  const bool large = zoom == 1 || zoom == 2 || zoom == 4 || zoom == 8 || zoom == 16;
  if (!small && !large) return std::nullopt;
  switch (unit) {
    case Unit::Pixels:
      if (small) return Steps{200, 10};
      if (zoom <= 2) return Steps{100, 10};
      if (zoom == 4) return Steps{50, 10};
      if (zoom == 8) return Steps{20, 10};
      return Steps{10, 10};
    case Unit::Inches: return small ? Steps{1, 0.25f} : Steps{1, 0.125f};
    case Unit::Centimetres: return small ? Steps{2, 0.5f} : Steps{1, 0.1f};
  }
  return std::nullopt;
}

// The length of the k-th tick after a label (k from 1).
int32_t Tick_Length(Unit unit, int32_t k) {
  if (unit == Unit::Inches) {
    if (k == 4) return 11;
    if (k % 2 == 0) return 8;
    return 4;
  }
  return k == 5 ? 11 : 4;
}

// The screen position of a value of the unit along the ruler's axis.
int32_t Position(Unit unit, float value, bool horizontal) {
  switch (unit) {
    case Unit::Pixels: return Ruler_Pixel2Pixel(ToInt(value), horizontal);
    case Unit::Inches: return Ruler_Inch2Pixel(value, horizontal);
    case Unit::Centimetres: return Ruler_CM2Pixel(value, horizontal);
  }
  return 0;
}

// Futura where it is installed; the system font elsewhere.
QString Ruler_Font() {
  static const QString font = QFontDatabase::hasFamily(QStringLiteral("Futura")) ? QStringLiteral("Futura")
                                                                                  : QStringLiteral("System");
  return font;
}
}  // namespace

void winMAIN::canvasRULER_Paint(int index, Platform::Graphics& g) {
  const bool horizontal = index == 0;
  // The picture, this axis's printer resolution and a zoom of the view's steps are all needed; without
  // them the ruler stays blank, and a resolution below 1 would never let the walk reach the far edge.
  if (!work_area) return;
  const int32_t dpi = Get_Printer_Rez(horizontal);
  if (dpi < 1) return;
  const Unit unit = modOptions::option_RulerPixel ? Unit::Pixels
                    : modOptions::option_Metric   ? Unit::Centimetres
                                                  : Unit::Inches;
  const std::optional<Steps> steps = Steps_of(unit, Zoom);
  if (!steps) return;

  const int32_t W = g.Width(), H = g.Height();
  g.SetForeColor(modOptions::option_Ruler_Bcolor);
  g.FillRect(0, 0, W, H);
  const Platform::Color ink = modOptions::option_Ruler_FColor;
  g.SetForeColor(ink);
  g.SetTextFont(Ruler_Font());
  g.SetTextSize(11);

  const int32_t origin = horizontal ? offset.x : offset.y;
  const int32_t a = ToInt((horizontal ? work_area->Width() : work_area->Height()) * double(Zoom));
  if (horizontal) g.DrawLine(0, H - 1, W, H - 1);
  else g.DrawLine(W - 1, 0, W - 1, H);

  // The first label: the last whole label step at or before the view's edge, in the unit.
  double start = origin;
  if (unit == Unit::Inches) start = double(origin) / dpi;
  else if (unit == Unit::Centimetres) start = double(origin) / dpi * 2.54;
  const double firstLabel = std::floor(start / steps->label) * steps->label;
  const int32_t ticksPerLabel = int32_t(std::lround(steps->label / steps->tick));

  auto tick = [&](int32_t at, int32_t length) {
    if (horizontal) g.DrawLine(at, H, at, H - length);
    else g.DrawLine(W - length, at, W, at);
  };
  // The labels are counted, not added up, so the walk moves on however large the values grow; the
  // positions rise with the values, so it ends once a label reaches the picture's far edge.
  for (int64_t n = 0;; ++n) {
    const float v = float(firstLabel + double(n) * steps->label);
    const int32_t P = Position(unit, v, horizontal);
    if (P > 0 && P <= a) {
      const QString text = QString::number(ToInt(v));
      if (horizontal) {
        g.DrawString(text, P - ToInt(g.StringWidth(text)) / 2, g.TextAscent());
      } else {
        // Written along the ruler, reading upwards, centred on the tick.
        const double width = g.StringWidth(text);
        g.WithPainter([&](QPainter& p) {
          p.setPen(QColor::fromRgb(Platform::ToQRgb(ink)));
          p.translate(W - 10, P);
          p.rotate(-90);
          p.drawText(QPointF(-width / 2, 0), text);
        });
      }
      tick(P, 7);
    }
    if (P >= a) break;
    for (int32_t k = 1; k <= ticksPerLabel; ++k) {
      const int32_t Q = Position(unit, v + float(k) * steps->tick, horizontal);
      if (Q >= a) break;
      if (Q > 0) tick(Q, Tick_Length(unit, k));
    }
  }
}

void winMAIN::canvasFiller_Paint(Platform::Graphics& g) {
  const int32_t W = g.Width(), H = g.Height();
  g.SetForeColor(modOptions::option_Background_Color);
  g.FillRect(0, 0, W, H);
  g.SetForeColor(modOptions::option_Ruler_Bcolor);
  g.FillRect(0, 0, W, H - 4);
  g.FillRect(0, 0, W - 4, H);
  g.SetForeColor(0x000000);
  g.DrawRect(0, 0, W - 4, H - 4);
  g.SetForeColor(modOptions::option_Ruler_FColor);
  g.SetTextSize(9);
  const QString text = modOptions::option_RulerPixel ? QStringLiteral("PX") : Measurement_Label(true).left(2);
  const int32_t x = ((W - 4) - ToInt(g.StringWidth(text))) / 2;
  const int32_t y = ((H - 4) - g.TextHeight()) / 2 + g.TextAscent();
  g.DrawString(text, x, y);
}
