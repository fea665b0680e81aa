#pragma once
// The three notations in which the colour windows show a colour component (0..255): 0 two hexadecimal
// digits, 1 the decimal value, 2 the share of 255 as a whole percentage. Any other notation shows nothing.
#include <QString>
#include <cmath>

namespace ColorWindows {

inline QString Component_Text(int notation, int v) {
  switch (notation) {
    case 0: return QStringLiteral("%1").arg(v & 255, 2, 16, QLatin1Char('0')).toUpper();
    case 1: return QString::number(v);
    case 2: return QString::number(int(std::lround(v * 100.0 / 255.0))) + QLatin1Char('%');
    default: return QString();
  }
}

}  // namespace ColorWindows
