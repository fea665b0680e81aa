#include "core/Thumbnail.h"

#include <vector>

namespace modMAIN {

namespace {

// The two sample positions, at a quarter and three quarters, across each of n parts of a length.
void Sample_Positions(int n, int length, std::vector<int>& first, std::vector<int>& second) {
  first.resize(size_t(n));
  second.resize(size_t(n));
  for (int i = 0; i < n; ++i) {
    first[size_t(i)] = std::min(length - 1, int((int64_t(4 * i + 1) * length) / (4 * int64_t(n))));
    second[size_t(i)] = std::min(length - 1, int((int64_t(4 * i + 3) * length) / (4 * int64_t(n))));
  }
}

// One row of the picture as 32-bit pixels: the plane's own row where it is kept that way, else a copy.
const QRgb* Row_Of(const Platform::Picture& pic, int y, std::vector<QRgb>& buffer) {
  if (!pic.Tiles() && pic.Image().format() == QImage::Format_RGB32)
    return reinterpret_cast<const QRgb*>(pic.Image().constScanLine(y));
  buffer.resize(size_t(pic.Width()));
  pic.ReadRow(y, buffer.data());
  return buffer.data();
}

}  // namespace

QImage Reduced_Picture(const Platform::Picture& pic, int w, int h, bool whiteTransparent) {
  if (w <= 0 || h <= 0 || pic.Width() <= 0 || pic.Height() <= 0) return QImage();
  w = std::min(w, pic.Width());
  h = std::min(h, pic.Height());
  QImage out = Platform::AllocateImage(w, h, QImage::Format_ARGB32_Premultiplied);
  std::vector<int> sx0, sx1, sy0, sy1;
  Sample_Positions(w, pic.Width(), sx0, sx1);
  Sample_Positions(h, pic.Height(), sy0, sy1);
  const Platform::PicturePtr mask = pic.MaskIfAny();
  const QImage* maskPlane = mask ? &mask->Image() : nullptr;
  std::vector<QRgb> bufferA, bufferB;
  for (int y = 0; y < h; ++y) {
    const QRgb* rows[2] = {Row_Of(pic, sy0[size_t(y)], bufferA), Row_Of(pic, sy1[size_t(y)], bufferB)};
    const uchar* maskRows[2] = {maskPlane ? maskPlane->constScanLine(sy0[size_t(y)]) : nullptr,
                                maskPlane ? maskPlane->constScanLine(sy1[size_t(y)]) : nullptr};
    QRgb* d = reinterpret_cast<QRgb*>(out.scanLine(y));
    if (!maskPlane && !whiteTransparent) {
      for (int x = 0; x < w; ++x) {
        const QRgb a = rows[0][sx0[size_t(x)]], b = rows[0][sx1[size_t(x)]];
        const QRgb c = rows[1][sx0[size_t(x)]], e = rows[1][sx1[size_t(x)]];
        const int r = (qRed(a) + qRed(b) + qRed(c) + qRed(e) + 2) >> 2;
        const int g = (qGreen(a) + qGreen(b) + qGreen(c) + qGreen(e) + 2) >> 2;
        const int bl = (qBlue(a) + qBlue(b) + qBlue(c) + qBlue(e) + 2) >> 2;
        d[x] = qRgb(r, g, bl);
      }
      continue;
    }
    for (int x = 0; x < w; ++x) {
      int sr = 0, sg = 0, sb = 0, sa = 0;
      for (int j = 0; j < 2; ++j) {
        for (int xs : {sx0[size_t(x)], sx1[size_t(x)]}) {
          const QRgb p = rows[j][xs];
          int alpha = maskRows[j] ? 255 - maskRows[j][xs] : 255;
          if (whiteTransparent && (p & 0xFFFFFFu) == 0xFFFFFFu) alpha = 0;
          sr += qRed(p) * alpha;
          sg += qGreen(p) * alpha;
          sb += qBlue(p) * alpha;
          sa += alpha;
        }
      }
      // Premultiplied: each colour is the mean of colour times coverage.
      d[x] = qRgba((sr + 510) / 1020, (sg + 510) / 1020, (sb + 510) / 1020, (sa + 2) >> 2);
    }
  }
  return out;
}

}  // namespace modMAIN
