#include "text/KnockOutText.h"

#include <array>

#include "platform/RuntimeError.h"

namespace StyledTextDrawing {

namespace {
// For each grey level: the mask's grey (0 for the box, 255 for a hole) once the level is reduced.
constexpr std::array<uchar, 256> Mask_Of_Grey() {
  std::array<uchar, 256> m{};
  for (int v = 0; v < 256; ++v) m[size_t(v)] = uchar(v <= 32 ? 255 : v >= 224 ? 0 : 255 - v);
  return m;
}
constexpr std::array<uchar, 256> kMaskOfGrey = Mask_Of_Grey();
}  // namespace

void Knock_Out_Text(const Platform::Picture& scratch, Platform::Picture& floating, Platform::Color box,
                    const std::function<void(int32_t)>& rowsDone) {
  const int w = floating.Width(), h = floating.Height();
  if (scratch.Width() != w || scratch.Height() != h)
    throw Platform::RuntimeException(QStringLiteral("The knock-out needs pictures of one size"));
  const Platform::PicturePtr mask = floating.Mask();
  const QImage& plane = scratch.Image();
  const QImage in = plane.format() == QImage::Format_RGB32 ? plane : plane.convertToFormat(QImage::Format_RGB32);
  QImage& out = floating.Image();
  QImage& m = mask->Image();
  const bool outIs32 = out.format() == QImage::Format_RGB32;
  const QRgb boxPixel = Platform::ToQRgb(box);
  constexpr QRgb kWhite = 0xFFFFFFFFu;
  for (int y = 0; y < h; ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(in.constScanLine(y));
    uchar* mrow = m.scanLine(y);
    QRgb* d = outIs32 ? reinterpret_cast<QRgb*>(out.scanLine(y)) : nullptr;
    for (int x = 0; x < w; ++x) {
      const QRgb p = s[x];
      const uint r = (p >> 16) & 255u, g = (p >> 8) & 255u, b = p & 255u;
      uchar level;
      QRgb colour = kWhite;
      if (r == g && g == b) {
        level = kMaskOfGrey[r];
        if (level == 0) colour = boxPixel;
      } else {
        level = uchar(qGray(int(r), int(g), int(b)));
      }
      mrow[x] = level;
      if (d) d[x] = colour;
      else floating.SetPixel(x, y, Platform::FromQRgb(colour));
    }
    if (rowsDone) rowsDone(w);
  }
}

}  // namespace StyledTextDrawing
