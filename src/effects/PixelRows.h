#pragma once
// Row access for the effect filters: every colour picture is worked on as rows of 32-bit pixels.
#include <QImage>
#include <cstring>
#include <vector>

#include "effects/EffectFilters.h"
#include "platform/Picture.h"
#include "platform/RuntimeError.h"

namespace EffectFilters {

// A 32-bit copy of row y of a 32- or 24-bit picture.
inline void ReadRow(const Platform::Picture& pic, int y, QRgb* dst) {
  const QImage& img = pic.Image();
  const int w = img.width();
  if (img.format() == QImage::Format_RGB32) {
    std::memcpy(dst, img.constScanLine(y), size_t(w) * 4);
    return;
  }
  const uchar* p = img.constScanLine(y);
  for (int x = 0; x < w; ++x) dst[x] = qRgb(p[3 * x], p[3 * x + 1], p[3 * x + 2]);
}

// Writes a row of 32-bit pixels into row y of a 32- or 24-bit picture.
inline void WriteRow(Platform::Picture& pic, int y, const QRgb* src) {
  QImage& img = pic.Image();
  const int w = img.width();
  if (img.format() == QImage::Format_RGB32) {
    std::memcpy(img.scanLine(y), src, size_t(w) * 4);
    return;
  }
  uchar* p = img.scanLine(y);
  for (int x = 0; x < w; ++x) {
    p[3 * x] = uchar(qRed(src[x]));
    p[3 * x + 1] = uchar(qGreen(src[x]));
    p[3 * x + 2] = uchar(qBlue(src[x]));
  }
}

// Runs f(row, width, y) on every row from top to bottom: in place for a 32-bit picture; for a 24-bit
// picture through a 32-bit copy of the row, written back afterwards.
template <typename F>
void ForEachRow(Platform::Picture& pic, F&& f) {
  QImage& img = pic.Image();
  const int w = img.width(), h = img.height();
  if (img.format() == QImage::Format_RGB32) {
    for (int y = 0; y < h; ++y) f(reinterpret_cast<QRgb*>(img.scanLine(y)), w, y);
    return;
  }
  if (img.format() != QImage::Format_RGB888)
    throw Platform::RuntimeException(QStringLiteral("The picture has no colour pixels"));
  std::vector<QRgb> row(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {
    ReadRow(pic, y, row.data());
    f(row.data(), w, y);
    WriteRow(pic, y, row.data());
  }
}

// The grey average of a pixel: the sum of its components divided by 3, the remainder dropped.
inline int GreyAverage(QRgb p) { return (int((p >> 16) & 255) + int((p >> 8) & 255) + int(p & 255)) / 3; }

inline int Clamp255(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

inline QRgb Pack(int r, int g, int b) { return 0xFF000000u | (QRgb(r) << 16) | (QRgb(g) << 8) | QRgb(b); }

// The offset for a distance d from a grey average: f x d made a whole number, as the table of the 511
// offsets holds it (computed in place of a lookup so that the loops stay vector code).
inline int Offset(double f, int d) { return int(f * double(d)); }

// Saturation by amount %, ready to be applied to rows.
class SaturationRows {
 public:
  explicit SaturationRows(int32_t amount);
  void Apply(QRgb* row, int w) const;

 private:
  double f_;
  // Within -100..100 % every offset is at most 255 levels: the offsets for distances 0..255, the sign
  // going with the side of the average and the sign of the amount.
  bool bytes_;
  bool negative_;
  alignas(64) uint8_t offsets_[256];
};
// One row of sharpening against the same row of the blurred picture, with f = amount / 100.
void SharpenRow(QRgb* px, const QRgb* blurred, int w, double f);

// Starts a filter's progress and ends it however the filter is left.
class ProgressJob {
 public:
  ProgressJob(Progress* p, int32_t w, int32_t h) : p_(p) {
    if (p_) p_->Start(w, h);
  }
  ~ProgressJob() {
    if (p_) p_->End();
  }
  ProgressJob(const ProgressJob&) = delete;
  ProgressJob& operator=(const ProgressJob&) = delete;
  void Row(int32_t units) {
    if (p_) p_->Check(units);
  }

 private:
  Progress* p_;
};

}  // namespace EffectFilters
