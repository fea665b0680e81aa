#pragma once
// The program's one number reader and its one real-to-whole conversion.
#include <QString>
#include <cstdint>

namespace Platform {

// Reads a number from text: leading blanks are skipped, then an optional sign and decimal digits with an
// optional point and fraction, or "&h" followed by hexadecimal digits. Reading
// stops at the first character that cannot continue the number; text without a number reads as 0.
double Val(const QString& text);

// The one conversion of a real to a whole number: truncation toward zero, saturating at the Int32 limits,
// NaN to 0.
int32_t ToInt(double v);

// Saturating conversion of a 64-bit whole number to Int32.
int32_t ClampInt(int64_t v);

// Formats a number with thousands grouped and exactly `decimals` decimals ("##,##0.000").
QString FormatGrouped(double v, int decimals);

}  // namespace Platform
