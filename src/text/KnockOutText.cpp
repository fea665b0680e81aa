#include "text/KnockOutText.h"

#include <vector>

#include "platform/RuntimeError.h"

namespace StyledTextDrawing {

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
  // A floating picture of another layout gets its rows through a row of its own.
  std::vector<QRgb> spare(outIs32 ? 0 : size_t(w));
  for (int y = 0; y < h; ++y) {
    const QRgb* s = reinterpret_cast<const QRgb*>(in.constScanLine(y));
    uchar* mrow = m.scanLine(y);
    QRgb* d = outIs32 ? reinterpret_cast<QRgb*>(out.scanLine(y)) : spare.data();
    // Without branches, so that the compiler can work on several pixels at a time.
    for (int x = 0; x < w; ++x) {
      const QRgb p = s[x];
      const uint r = (p >> 16) & 255u, g = (p >> 8) & 255u, b = p & 255u;
      const uint greyLevel = r <= 32 ? 255u : (r >= 224 ? 0u : 255u - r);
      const uint ownGrey = (r * 11 + g * 16 + b * 5) / 32;
      const bool grey = r == g && g == b;
      const uint level = grey ? greyLevel : ownGrey;
      mrow[x] = uchar(level);
      d[x] = grey && level == 0 ? boxPixel : kWhite;
    }
    if (!outIs32)
      for (int x = 0; x < w; ++x) floating.SetPixel(x, y, Platform::FromQRgb(d[x]));
    if (rowsDone) rowsDone(w);
  }
}

}  // namespace StyledTextDrawing
