#include "platform/Picture.h"

#include <sys/mman.h>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/Graphics.h"
#include "platform/LargeBlocks.h"
#include "platform/RuntimeError.h"

namespace Platform {

bool Picture::SizeAllowed(qint64 w, qint64 h) { return w > 0 && h > 0 && w * h <= kMaxPixels && w <= 1 << 20 && h <= 1 << 20; }

namespace {
void FreeBuffer(void* p) { LargeBlocks::Give(p); }

// Large blocks get memory in 2-megabyte pages, and the one freed last is used again: touching fresh
// memory page by page is what costs most when a whole picture is copied into a new one.
void* AllocateHuge(size_t bytes) { return LargeBlocks::Take(bytes); }

QImage AllocateLarge(int w, int h, QImage::Format format) {
  const int depth = QImage::toPixelFormat(format).bitsPerPixel();
  const qsizetype bpl = ((qsizetype(w) * depth + 31) / 32) * 4;
  void* data = AllocateHuge(size_t(bpl) * size_t(h));
  if (!data) return QImage();
  QImage img(static_cast<uchar*>(data), w, h, bpl, format, FreeBuffer, data);
  if (img.isNull()) FreeBuffer(data);
  return img;
}
}  // namespace

namespace {
std::function<bool(qint64)>& Refusal() {
  static std::function<bool(qint64)> refuse;
  return refuse;
}
}  // namespace

void SetAllocationRefusal(std::function<bool(qint64 bytes)> refuse) { Refusal() = std::move(refuse); }

bool AllocationRefused(qint64 bytes) { return Refusal() && Refusal()(bytes); }

QImage AllocateImage(int w, int h, QImage::Format format) {
  if (!Picture::SizeAllowed(w, h))
    throw OutOfMemoryException(QStringLiteral("A picture of %1 x %2 pixels cannot be made").arg(w).arg(h));
  const qint64 bytes = (qint64(w) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4 * h;
  QImage img = AllocationRefused(bytes) ? QImage()
               : qint64(w) * h >= (1 << 20) ? AllocateLarge(w, h, format)
                                            : QImage(w, h, format);
  if (img.isNull())
    throw OutOfMemoryException(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels").arg(w).arg(h));
  return img;
}

LargeBuffer::LargeBuffer(size_t bytes) : size_(bytes) {
  if (!AllocationRefused(qint64(bytes))) data_ = static_cast<uchar*>(AllocateHuge(std::max<size_t>(bytes, 1)));
  if (!data_) throw OutOfMemoryException(QStringLiteral("Not enough memory for %1 bytes").arg(bytes));
}

LargeBuffer::~LargeBuffer() { FreeBuffer(data_); }

static QImage::Format FormatForDepth(int depth) {
  return depth == 24 ? QImage::Format_RGB888 : QImage::Format_RGB32;
}

Picture::Picture(Private, QImage image, int depth, bool isMask)
    : image_(std::move(image)), depth_(depth), isMask_(isMask) {}

PicturePtr Picture::CreateUnfilled(int w, int h, int depth) {
  if (depth != 24) depth = 32;
  return std::make_shared<Picture>(Private{}, AllocateImage(w, h, FormatForDepth(depth)), depth, false);
}

PicturePtr Picture::Create(int w, int h, int depth) {
  PicturePtr pic = CreateUnfilled(w, h, depth);
  pic->image_.fill(0xFFFFFFFFu);
  return pic;
}

PicturePtr Picture::FromTiles(TiledPlanePtr plane) {
  if (!plane) throw OutOfMemoryException(QStringLiteral("The picture could not be made"));
  const int depth = plane->Depth();
  auto pic = std::make_shared<Picture>(Private{}, QImage(), depth, false);
  pic->tiles_ = std::move(plane);
  return pic;
}

void Picture::Flatten() const {
  if (!tiles_) return;
  QImage img = AllocateImage(tiles_->Width(), tiles_->Height(), tiles_->Format());
  tiles_->CopyInto(img);
  image_ = std::move(img);
  tiles_.reset();
}

void Picture::ReadRow(int y, QRgb* out) const {
  if (y < 0 || y >= Height()) return;
  if (tiles_) {
    tiles_->ReadRow(y, out);
    return;
  }
  switch (image_.format()) {
    case QImage::Format_RGB32:
      std::memcpy(out, image_.constScanLine(y), size_t(Width()) * 4);
      break;
    case QImage::Format_RGB888:
      Rgb888ToRgb32(image_.constScanLine(y), out, Width());
      break;
    default:
      for (int x = 0; x < Width(); ++x) out[x] = ToQRgb(Pixel(x, y));
  }
}

PicturePtr Picture::FromImage(const QImage& image, int depth) {
  if (image.isNull()) throw OutOfMemoryException(QStringLiteral("The picture could not be made"));
  if (depth != 24) depth = 32;
  QImage colour = image.convertToFormat(FormatForDepth(depth));
  if (colour.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to convert the picture"));
  auto pic = std::make_shared<Picture>(Private{}, std::move(colour), depth, false);
  if (image.hasAlphaChannel()) {
    QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage m = AllocateImage(argb.width(), argb.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < argb.height(); ++y) {
      const QRgb* src = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
      uchar* dst = m.scanLine(y);
      for (int x = 0; x < argb.width(); ++x) dst[x] = uchar(255 - qAlpha(src[x]));
    }
    pic->mask_ = std::make_shared<Picture>(Private{}, std::move(m), 8, true);
  }
  return pic;
}

PicturePtr Picture::Mask() {
  if (isMask_) return nullptr;
  if (!mask_) {
    QImage m = AllocateImage(Width(), Height(), QImage::Format_Grayscale8);
    m.fill(0);
    mask_ = std::make_shared<Picture>(Private{}, std::move(m), 8, true);
    maskOpaqueAt_ = mask_->generation_;
  }
  return mask_;
}

bool Picture::MaskOpaque() const {
  return mask_ && !mask_->writesPending_ && mask_->generation_ == maskOpaqueAt_;
}

void Picture::MakeMaskOpaque() {
  if (isMask_ || MaskOpaque()) return;
  if (!mask_) {
    Mask();
    return;
  }
  mask_->image_.fill(0);
  mask_->NoteChanged(mask_->Whole());
  mask_->writesPending_ = false;
  maskOpaqueAt_ = mask_->generation_;
}

void Picture::NoteChanged(const QRect& area) {
  ++generation_;
  const QRect part = area.intersected(Whole());
  if (part.isEmpty()) return;
  for (QRect& r : changed_) r |= part;
}

void Picture::WritesUnknown() {
  ++generation_;
  writesPending_ = true;
}

QRect Picture::Changed(ChangeReader reader) const {
  const int i = int(reader);
  return writesPending_ || fresh_[i] ? Whole() : changed_[i];
}

QRect Picture::TakeChanged(ChangeReader reader) {
  const QRect r = Changed(reader);
  changed_[int(reader)] = QRect();
  fresh_[int(reader)] = false;
  return r;
}

void Picture::Settle() {
  if (!writesPending_) return;
  writesPending_ = false;
  NoteChanged(Whole());
}

Graphics Picture::Graphics() { return Platform::Graphics(shared_from_this()); }

Color Picture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  if (tiles_) return tiles_->Pixel(x, y);
  switch (image_.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
      return reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x] & 0xFFFFFFu;
    case QImage::Format_RGB888: {
      const uchar* p = image_.constScanLine(y) + 3 * x;
      return RGB(p[0], p[1], p[2]);
    }
    case QImage::Format_Grayscale8: {
      const int g = image_.constScanLine(y)[x];
      return RGB(g, g, g);
    }
    default:
      return FromQRgb(image_.pixel(x, y));
  }
}

void Picture::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  Flatten();
  NoteChanged(QRect(x, y, 1, 1));
  switch (image_.format()) {
    case QImage::Format_RGB32:
      reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = ToQRgb(c);
      break;
    case QImage::Format_RGB888: {
      uchar* p = image_.scanLine(y) + 3 * x;
      p[0] = uchar(Red(c));
      p[1] = uchar(Green(c));
      p[2] = uchar(Blue(c));
      break;
    }
    case QImage::Format_Grayscale8:
      image_.scanLine(y)[x] = uchar(qGray(ToQRgb(c)));
      break;
    default:
      image_.setPixel(x, y, ToQRgb(c));
  }
}

QImage Picture::ToARGB(const QRect& wanted) const {
  const QRect area = wanted.intersected(QRect(0, 0, Width(), Height()));
  if (area.isEmpty()) return QImage();
  const QImage& image = Image();
  QImage out = (area.size() == image.size() ? image : image.copy(area))
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to draw the picture"));
  if (!NeedsAlpha()) return out;
  const bool white = Transparent != 0;
  const QImage* m = mask_ && !MaskOpaque() ? &mask_->image_ : nullptr;
  const int w = out.width(), h = out.height();
  for (int y = 0; y < h; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    const uchar* mrow = m ? m->constScanLine(y + area.top()) + area.left() : nullptr;
    for (int x = 0; x < w; ++x) {
      int a = mrow ? 255 - mrow[x] : 255;
      if (white && (row[x] & 0xFFFFFFu) == 0xFFFFFFu) a = 0;
      if (a == 255) continue;
      // Premultiplied with rounding, as the blend rounds the share of what lies beneath, so that a colour
      // drawn half-transparent over itself stays that colour.
      const QRgb c = row[x];
      row[x] = qRgba((qRed(c) * a + 127) / 255, (qGreen(c) * a + 127) / 255, (qBlue(c) * a + 127) / 255, a);
    }
  }
  return out;
}

PicturePtr Picture::Clone() const {
  // Tiles never change: a copy of a tiled picture shares them.
  QImage img = tiles_ ? QImage() : image_.copy();
  if (!tiles_ && img.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
  auto pic = std::make_shared<Picture>(Private{}, std::move(img), depth_, isMask_);
  pic->tiles_ = tiles_;
  if (mask_) {
    pic->mask_ = mask_->Clone();
    if (MaskOpaque()) pic->maskOpaqueAt_ = pic->mask_->generation_;
  }
  pic->Transparent = Transparent;
  pic->state_ = state_;
  return pic;
}

// One row of 24-bit pixels (R, G, B bytes) widened to opaque 32-bit pixels.
static void Rgb888ToRgb32Scalar(const uchar* s, QRgb* d, int w) {
  for (int x = 0; x < w; ++x, s += 3) d[x] = 0xFF000000u | (QRgb(s[0]) << 16) | (QRgb(s[1]) << 8) | s[2];
}

#if defined(__x86_64__)
// Sixteen pixels at a time: three 16-byte loads, each group of four pixels shuffled into place.
__attribute__((target("ssse3"))) static void Rgb888ToRgb32Ssse3(const uchar* s, QRgb* d, int w) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, -128, 5, 4, 3, -128, 8, 7, 6, -128, 11, 10, 9, -128);
  const __m128i alpha = _mm_set1_epi32(int(0xFF000000u));
  int x = 0;
  for (; x + 16 <= w; x += 16, s += 48) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 32));
    __m128i* out = reinterpret_cast<__m128i*>(d + x);
    _mm_storeu_si128(out, _mm_or_si128(_mm_shuffle_epi8(a, order), alpha));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(b, a, 12), order), alpha));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_shuffle_epi8(_mm_alignr_epi8(c, b, 8), order), alpha));
    _mm_storeu_si128(out + 3, _mm_or_si128(_mm_shuffle_epi8(_mm_srli_si128(c, 4), order), alpha));
  }
  Rgb888ToRgb32Scalar(s, d + x, w - x);
}
#endif

// One row of 32-bit pixels narrowed to R, G, B bytes.
static void Rgb32ToRgb888Scalar(const QRgb* s, uchar* d, int w) {
  for (int x = 0; x < w; ++x, d += 3) {
    const QRgb c = s[x];
    d[0] = uchar(c >> 16);
    d[1] = uchar(c >> 8);
    d[2] = uchar(c);
  }
}

#if defined(__x86_64__)
__attribute__((target("ssse3"))) static void Rgb32ToRgb888Ssse3(const QRgb* s, uchar* d, int w) {
  const __m128i order = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -128, -128, -128, -128);
  int x = 0;
  for (; x + 16 <= w; x += 16, d += 48) {
    const __m128i* in = reinterpret_cast<const __m128i*>(s + x);
    const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(in), order);
    const __m128i b = _mm_shuffle_epi8(_mm_loadu_si128(in + 1), order);
    const __m128i c = _mm_shuffle_epi8(_mm_loadu_si128(in + 2), order);
    const __m128i e = _mm_shuffle_epi8(_mm_loadu_si128(in + 3), order);
    __m128i* out = reinterpret_cast<__m128i*>(d);
    _mm_storeu_si128(out, _mm_or_si128(a, _mm_slli_si128(b, 12)));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(e, 4)));
  }
  Rgb32ToRgb888Scalar(s + x, d, w - x);
}
#endif

void Rgb32ToRgb888(const QRgb* s, uchar* d, int w) {
#if defined(__x86_64__)
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) {
    Rgb32ToRgb888Ssse3(s, d, w);
    return;
  }
#endif
  Rgb32ToRgb888Scalar(s, d, w);
}

void Rgb888ToRgb32(const uchar* s, QRgb* d, int w) {
#if defined(__x86_64__)
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) {
    Rgb888ToRgb32Ssse3(s, d, w);
    return;
  }
#endif
  Rgb888ToRgb32Scalar(s, d, w);
}

// Copies the colour plane of src into dst (same size), converting between RGB32 and RGB888: the whole
// plane, or the area alone.
static void CopyPlane(const QImage& src, QImage& dst, QRect area = QRect()) {
  if (area.isNull()) area = src.rect();
  const int w = area.width(), x0 = area.left();
  const int sb = src.depth() / 8, db = dst.depth() / 8;
  if (src.format() == dst.format() && src.bytesPerLine() == dst.bytesPerLine() && area == src.rect()) {
    std::memcpy(dst.bits(), src.constBits(), size_t(src.sizeInBytes()));
  } else if (src.format() == dst.format()) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      std::memcpy(dst.scanLine(y) + x0 * db, src.constScanLine(y) + x0 * sb, size_t(w) * size_t(sb));
  } else if (src.format() == QImage::Format_RGB32 && dst.format() == QImage::Format_RGB888) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      Rgb32ToRgb888(reinterpret_cast<const QRgb*>(src.constScanLine(y)) + x0, dst.scanLine(y) + x0 * 3, w);
  } else if (src.format() == QImage::Format_RGB888 && dst.format() == QImage::Format_RGB32) {
    for (int y = area.top(); y <= area.bottom(); ++y)
      Rgb888ToRgb32(src.constScanLine(y) + x0 * 3, reinterpret_cast<QRgb*>(dst.scanLine(y)) + x0, w);
  } else {
    const QImage converted = src.copy(area).convertToFormat(dst.format());
    if (converted.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
    for (int y = 0; y < converted.height(); ++y)
      std::memcpy(dst.scanLine(area.top() + y) + x0 * db, converted.constScanLine(y),
                  size_t(std::min<qsizetype>(qsizetype(w) * db, converted.bytesPerLine())));
  }
}

PicturePtr Picture::CopyAtDepth(int depth) const {
  if (depth != 24) depth = 32;
  QImage img = AllocateImage(Width(), Height(), FormatForDepth(depth));
  if (tiles_) tiles_->CopyInto(img);
  else CopyPlane(image_, img);
  return std::make_shared<Picture>(Private{}, std::move(img), depth, false);
}

bool Picture::RefillFrom(const Picture& source, bool keepMask, const std::vector<QRect>* areas) {
  if (isMask_ || tiles_ || source.Width() != Width() || source.Height() != Height() || !image_.isDetached())
    return false;
  if (!areas) {
    if (source.tiles_) source.tiles_->CopyInto(image_);
    else CopyPlane(source.image_, image_);
    NoteChanged(Whole());
    writesPending_ = false;
  } else {
    for (const QRect& wanted : *areas) {
      const QRect area = wanted.intersected(Whole());
      if (area.isEmpty()) continue;
      if (source.tiles_) source.tiles_->CopyInto(image_, area);
      else CopyPlane(source.image_, image_, area);
      NoteChanged(area);
    }
  }
  if (!keepMask || (mask_ && !mask_->image_.isDetached())) mask_.reset();
  Transparent = 0;
  state_ = DrawState();
  return true;
}

}  // namespace Platform
