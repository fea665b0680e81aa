#pragma once
// What the geometry sheets share: their fonts, their buttons and the arithmetic of their sizes.
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace GeometrySheets {

constexpr double kCmPerInch = 2.54;

// Captions, labels and fields: the system font at 14 pixels.
void Use_Caption_Font(QWidget* widget);
// Widens a caption control whose text does not fit in its width (fonts differ between systems), up to
// the right edge given, in its parent's coordinates.
void Fit_Caption(QWidget* control, int right);
// A push button at its place; only the default button answers Return.
QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const QRect& bounds);
// A number with exactly three decimals, at least one digit before the point, no grouping.
QString Three_Decimals(double value);
// A count of pixels computed from lengths held in single precision, made whole: a value within the
// rounding noise of such lengths (a millionth of itself) of a whole number is that number (4 inches at
// 72 dpi are 288 pixels, though 4 / 8.888889 x 640 comes to 287.99997); any other drops its fraction.
int32_t Whole_Pixels(double v);
// a x b / c rounded down and rounded up, exactly, for a, b >= 0 and c > 0 (0 for c <= 0), saturating at
// the Int32 limit.
int32_t Floor_Ratio(int64_t a, int64_t b, int64_t c);
int32_t Ceil_Ratio(int64_t a, int64_t b, int64_t c);

}  // namespace GeometrySheets
