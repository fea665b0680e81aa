#include "platform/Picture.h"

#include <cstring>

#include "platform/Graphics.h"
#include "platform/RuntimeError.h"

namespace Platform {

bool Picture::SizeAllowed(qint64 w, qint64 h) { return w > 0 && h > 0 && w * h <= kMaxPixels && w <= 1 << 20 && h <= 1 << 20; }

QImage AllocateImage(int w, int h, QImage::Format format) {
  if (!Picture::SizeAllowed(w, h))
    throw OutOfMemoryException(QStringLiteral("A picture of %1 x %2 pixels cannot be made").arg(w).arg(h));
  QImage img(w, h, format);
  if (img.isNull())
    throw OutOfMemoryException(QStringLiteral("Not enough memory for a picture of %1 x %2 pixels").arg(w).arg(h));
  return img;
}

static QImage::Format FormatForDepth(int depth) {
  return depth == 24 ? QImage::Format_RGB888 : QImage::Format_RGB32;
}

Picture::Picture(Private, QImage image, int depth, bool isMask)
    : image_(std::move(image)), depth_(depth), isMask_(isMask) {}

PicturePtr Picture::Create(int w, int h, int depth) {
  if (depth != 24) depth = 32;
  QImage img = AllocateImage(w, h, FormatForDepth(depth));
  img.fill(0xFFFFFFFFu);
  return std::make_shared<Picture>(Private{}, std::move(img), depth, false);
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
  }
  return mask_;
}

Graphics Picture::Graphics() { return Platform::Graphics(shared_from_this()); }

Color Picture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return 0;
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
  if (x < 0 || y < 0 || x >= image_.width() || y >= image_.height()) return;
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
  QImage out = (area.size() == image_.size() ? image_ : image_.copy(area))
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (out.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to draw the picture"));
  if (!NeedsAlpha()) return out;
  const bool white = Transparent != 0;
  const QImage* m = mask_ ? &mask_->image_ : nullptr;
  for (int y = 0; y < out.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(out.scanLine(y));
    const uchar* mrow = m ? m->constScanLine(y + area.top()) + area.left() : nullptr;
    for (int x = 0; x < out.width(); ++x) {
      int a = mrow ? 255 - mrow[x] : 255;
      if (white && (row[x] & 0xFFFFFFu) == 0xFFFFFFu) a = 0;
      if (a == 255) continue;
      const QRgb c = row[x];
      row[x] = qRgba(qRed(c) * a / 255, qGreen(c) * a / 255, qBlue(c) * a / 255, a);
    }
  }
  return out;
}

PicturePtr Picture::Clone() const {
  QImage img = image_.copy();
  if (img.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
  auto pic = std::make_shared<Picture>(Private{}, std::move(img), depth_, isMask_);
  if (mask_) pic->mask_ = mask_->Clone();
  pic->Transparent = Transparent;
  pic->state_ = state_;
  return pic;
}

PicturePtr Picture::CopyAtDepth(int depth) const {
  if (depth != 24) depth = 32;
  const QImage::Format fmt = FormatForDepth(depth);
  QImage img = AllocateImage(Width(), Height(), fmt);
  if (image_.format() == fmt) {
    // Same layout: one copy of the bytes, row by row (the strides are equal for equal formats and sizes).
    std::memcpy(img.bits(), image_.constBits(), size_t(image_.sizeInBytes()));
  } else if (image_.format() == QImage::Format_RGB32 && fmt == QImage::Format_RGB888) {
    const int w = Width();
    for (int y = 0; y < Height(); ++y) {
      const QRgb* s = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
      uchar* d = img.scanLine(y);
      for (int x = 0; x < w; ++x) {
        const QRgb c = s[x];
        d[0] = uchar(c >> 16);
        d[1] = uchar(c >> 8);
        d[2] = uchar(c);
        d += 3;
      }
    }
  } else if (image_.format() == QImage::Format_RGB888 && fmt == QImage::Format_RGB32) {
    const int w = Width();
    for (int y = 0; y < Height(); ++y) {
      const uchar* s = image_.constScanLine(y);
      QRgb* d = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < w; ++x, s += 3) d[x] = 0xFF000000u | (QRgb(s[0]) << 16) | (QRgb(s[1]) << 8) | s[2];
    }
  } else {
    img = image_.convertToFormat(fmt);
    if (img.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
  }
  return std::make_shared<Picture>(Private{}, std::move(img), depth, false);
}

}  // namespace Platform
