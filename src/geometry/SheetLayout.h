#pragma once
// What the geometry sheets share: their fonts, their buttons and the arithmetic of their sizes.
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

namespace GeometrySheets {

// Captions, labels and fields: the system font at 14 pixels.
void Use_Caption_Font(QWidget* widget);
// Widens a caption control whose text does not fit in its width (fonts differ between systems), up to
// the right edge given, in its parent's coordinates.
void Fit_Caption(QWidget* control, int right);
// A push button at its place; only the default button answers Return.
QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const QRect& bounds);
// A number with exactly three decimals, at least one digit before the point, no grouping.
QString Three_Decimals(double value);
// a x b / c rounded down and rounded up, exactly, for a, b >= 0 and c > 0 (0 for c <= 0), saturating at
// the Int32 limit.
int32_t Floor_Ratio(int64_t a, int64_t b, int64_t c);
int32_t Ceil_Ratio(int64_t a, int64_t b, int64_t c);

}  // namespace GeometrySheets
