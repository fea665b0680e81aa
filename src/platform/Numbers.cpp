#include "platform/Numbers.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace Platform {

double Val(const QString& text) {
  const int n = text.size();
  int i = 0;
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i + 1 < n && text[i] == '&' && (text[i + 1] == 'h' || text[i + 1] == 'H')) {
    i += 2;
    uint64_t v = 0;
    int digits = 0;
    while (i < n) {
      const QChar c = text[i];
      int d;
      if (c >= '0' && c <= '9') d = c.unicode() - '0';
      else if (c >= 'a' && c <= 'f') d = c.unicode() - 'a' + 10;
      else if (c >= 'A' && c <= 'F') d = c.unicode() - 'A' + 10;
      else break;
      if (digits < 16) v = (v << 4) | uint64_t(d);
      ++digits;
      ++i;
    }
    // Up to eight digits are a 32-bit value, read as signed like the colours and codes it carries.
    if (digits <= 8) return double(int32_t(uint32_t(v)));
    return double(int64_t(v));
  }
  double sign = 1;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') sign = -1;
    ++i;
  }
  double v = 0;
  bool any = false;
  while (i < n && text[i] >= '0' && text[i] <= '9') {
    v = v * 10 + (text[i].unicode() - '0');
    any = true;
    ++i;
  }
  if (i < n && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < n && text[i] >= '0' && text[i] <= '9') {
      v += (text[i].unicode() - '0') * scale;
      scale /= 10;
      any = true;
      ++i;
    }
  }
  if (!any) return 0;
  return sign * v;
}

int32_t ToInt(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

int32_t ClampInt(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return int32_t(v);
}

QString FormatGrouped(double v, int decimals) {
  QString s = QString::number(std::fabs(v), 'f', decimals);
  int point = s.indexOf('.');
  if (point < 0) point = s.size();
  for (int pos = point - 3; pos > 0; pos -= 3) s.insert(pos, ',');
  if (v < 0 && s.contains(QRegularExpression("[1-9]"))) s.prepend('-');
  return s;
}

}  // namespace Platform
