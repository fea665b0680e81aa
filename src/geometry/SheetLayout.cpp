#include "geometry/SheetLayout.h"

#include <QFont>
#include <algorithm>
#include <cmath>

#include "platform/Numbers.h"

namespace GeometrySheets {

void Use_Caption_Font(QWidget* widget) {
  QFont f = widget->font();
  f.setPixelSize(14);
  widget->setFont(f);
}

void Fit_Caption(QWidget* control, int right) {
  const int wanted = std::min(control->sizeHint().width(), right - control->x());
  if (wanted > control->width()) control->resize(wanted, control->height());
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const QRect& bounds) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(bounds);
  b->setAutoDefault(false);
  return b;
}

QString Three_Decimals(double value) { return QString::number(value, 'f', 3); }

int32_t Whole_Pixels(double v) {
  const double nearest = std::round(v);
  if (std::fabs(v - nearest) <= 1e-6 * std::fabs(v)) return Platform::ToInt(nearest);
  return Platform::ToInt(v);
}

int32_t Floor_Ratio(int64_t a, int64_t b, int64_t c) {
  if (c <= 0 || a <= 0 || b <= 0) return 0;
  // Both factors fit in 32 bits here, so the product fits in 64.
  return Platform::ClampInt(a * b / c);
}

int32_t Ceil_Ratio(int64_t a, int64_t b, int64_t c) {
  if (c <= 0 || a <= 0 || b <= 0) return 0;
  return Platform::ClampInt((a * b + c - 1) / c);
}

}  // namespace GeometrySheets
