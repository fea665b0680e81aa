#pragma once
// Small value types shared by the whole program.
#include <QRgb>
#include <QtGlobal>
#include <cstdint>

namespace Platform {

// A colour as the program keeps it: red in bits 16..23, green in 8..15, blue in 0..7.
using Color = uint32_t;

constexpr Color RGB(int r, int g, int b) {
  return (Color(r & 255) << 16) | (Color(g & 255) << 8) | Color(b & 255);
}
constexpr int Red(Color c) { return int((c >> 16) & 255); }
constexpr int Green(Color c) { return int((c >> 8) & 255); }
constexpr int Blue(Color c) { return int(c & 255); }
// The colour in the 32-bit form of an opaque QImage pixel.
constexpr QRgb ToQRgb(Color c) { return 0xFF000000u | (c & 0xFFFFFFu); }
constexpr Color FromQRgb(QRgb c) { return Color(c) & 0xFFFFFFu; }

}  // namespace Platform
