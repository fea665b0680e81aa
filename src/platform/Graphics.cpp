#include "platform/Graphics.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace Platform {

Graphics::Graphics(PicturePtr target)
    : target_(std::move(target)),
      width_(target_ ? target_->Width() : 0),
      height_(target_ ? target_->Height() : 0),
      state_(target_ ? &target_->State() : &own_) {}

Graphics::Graphics(QPainter* painter, int width, int height)
    : painter_(painter), width_(width), height_(height), state_(&own_) {}

QFont Graphics::Font() const {
  QFont f;
  if (!state_->textFont.isEmpty() && state_->textFont.compare(QLatin1String("System"), Qt::CaseInsensitive) != 0 &&
      state_->textFont.compare(QLatin1String("SmallSystem"), Qt::CaseInsensitive) != 0)
    f.setFamily(state_->textFont);
  const double size = state_->textSize > 0 ? state_->textSize : 12;
  f.setPixelSize(std::max(1, int(std::lround(size))));
  f.setBold(state_->bold);
  f.setItalic(state_->italic);
  f.setUnderline(state_->underline);
  return f;
}

double Graphics::StringWidth(const QString& text) const { return QFontMetricsF(Font()).horizontalAdvance(text); }
int Graphics::TextHeight() const { return int(std::ceil(QFontMetricsF(Font()).height())); }
int Graphics::TextAscent() const { return int(std::ceil(QFontMetricsF(Font()).ascent())); }

void Graphics::Paint(const QRect& bounds, const std::function<void(QPainter&)>& f) {
  if (painter_) {
    painter_->save();
    painter_->setRenderHint(QPainter::Antialiasing, state_->antiAlias);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, state_->antiAlias);
    painter_->setRenderHint(QPainter::TextAntialiasing, state_->antiAlias);
    painter_->setFont(Font());
    f(*painter_);
    painter_->restore();
    return;
  }
  if (!target_) return;
  QPainter p(&target_->ImageFor(bounds));
  p.setRenderHint(QPainter::Antialiasing, state_->antiAlias);
  p.setRenderHint(QPainter::SmoothPixmapTransform, state_->antiAlias);
  p.setRenderHint(QPainter::TextAntialiasing, state_->antiAlias);
  p.setFont(Font());
  f(p);
}

// What f draws is not known: the whole picture may have changed.
void Graphics::WithPainter(const std::function<void(QPainter&)>& f) { Paint(Everything(), f); }

QRect Graphics::LineBounds(int x1, int y1, int x2, int y2) const {
  const int pw = state_->penWidth, ph = state_->penHeight;
  // The old renderer's pen hangs right and down from each point; the anti-aliasing pen is round, centred
  // half a pen to the right and below, and its soft edge reaches one pixel further.
  const int m = state_->antiAlias ? std::max(pw, ph) / 2 + 2 : 1;
  return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)))
      .adjusted(-m, -m, m + pw, m + ph);
}

QRect Graphics::BoxBounds(const QRectF& box) const {
  return box.toAlignedRect().adjusted(-2, -2, 2, 2);
}

// A line with the pen: the old renderer moves a pen rectangle of PenWidth x PenHeight, hanging right and
// down from each point of the line, along the integer line walk; the anti-aliasing renderer strokes the
// line through the pixel centres with a round pen of PenWidth.
void Graphics::PenLine(QPainter& p, int x1, int y1, int x2, int y2) {
  const QColor colour = QColor::fromRgb(ToQRgb(state_->foreColor));
  const int pw = state_->penWidth, ph = state_->penHeight;
  if (state_->antiAlias) {
    QPen pen(colour, std::max(pw, ph), Qt::SolidLine, pw > 1 || ph > 1 ? Qt::RoundCap : Qt::SquareCap,
             Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const double ox = pw / 2.0, oy = ph / 2.0;
    if (x1 == x2 && y1 == y2) {
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawEllipse(QPointF(x1 + ox, y1 + oy), pw / 2.0, ph / 2.0);
      return;
    }
    p.drawLine(QPointF(x1 + ox, y1 + oy), QPointF(x2 + ox, y2 + oy));
    return;
  }
  if (pw == 1 && ph == 1) {
    p.setPen(QPen(colour, 0));
    if (x1 == x2 && y1 == y2) p.drawPoint(x1, y1);
    else p.drawLine(x1, y1, x2, y2);
    return;
  }
  // Bresenham walk with a rectangular pen.
  int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  int x = x1, y = y1;
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  for (;;) {
    path.addRect(x, y, pw, ph);
    if (x == x2 && y == y2) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
  p.fillPath(path, colour);
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2) {
  Paint(LineBounds(x1, y1, x2, y2), [&](QPainter& p) { PenLine(p, x1, y1, x2, y2); });
}

void Graphics::FillRect(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint(QRect(x, y, w, h), [&](QPainter& p) { p.fillRect(QRect(x, y, w, h), QColor::fromRgb(ToQRgb(state_->foreColor))); });
}

void Graphics::ClearRect(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint(QRect(x, y, w, h), [&](QPainter& p) { p.fillRect(QRect(x, y, w, h), Qt::white); });
}

void Graphics::DrawRect(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  const int pw = std::min(state_->penWidth, w), ph = std::min(state_->penHeight, h);
  Paint(QRect(x, y, w, h), [&](QPainter& p) {
    const QColor c = QColor::fromRgb(ToQRgb(state_->foreColor));
    p.fillRect(QRect(x, y, w, ph), c);
    p.fillRect(QRect(x, y + h - ph, w, ph), c);
    p.fillRect(QRect(x, y + ph, pw, h - 2 * ph), c);
    p.fillRect(QRect(x + w - pw, y + ph, pw, h - 2 * ph), c);
  });
}

void Graphics::FillOval(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint(BoxBounds(QRectF(x, y, w, h)), [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(ToQRgb(state_->foreColor)));
    p.drawEllipse(QRectF(x, y, w, h));
  });
}

void Graphics::DrawOval(int x, int y, int w, int h) {
  if (w <= 0 || h <= 0) return;
  Paint(BoxBounds(QRectF(x, y, w, h)), [&](QPainter& p) {
    // The ring between the outer oval and the oval inset by the pen.
    const double pw = std::min<double>(state_->penWidth, w / 2.0), ph = std::min<double>(state_->penHeight, h / 2.0);
    QPainterPath path;
    path.addEllipse(QRectF(x, y, w, h));
    if (w - 2 * pw > 0 && h - 2 * ph > 0) path.addEllipse(QRectF(x + pw, y + ph, w - 2 * pw, h - 2 * ph));
    path.setFillRule(Qt::OddEvenFill);
    p.fillPath(path, QColor::fromRgb(ToQRgb(state_->foreColor)));
  });
}

void Graphics::FillRoundRect(int x, int y, int w, int h, int ovalW, int ovalH) {
  if (w <= 0 || h <= 0) return;
  Paint(BoxBounds(QRectF(x, y, w, h)), [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(ToQRgb(state_->foreColor)));
    p.drawRoundedRect(QRectF(x, y, w, h), std::min(ovalW, w) / 2.0, std::min(ovalH, h) / 2.0);
  });
}

void Graphics::DrawRoundRect(int x, int y, int w, int h, int ovalW, int ovalH) {
  if (w <= 0 || h <= 0) return;
  Paint(BoxBounds(QRectF(x, y, w, h)), [&](QPainter& p) {
    const double pw = std::min<double>(state_->penWidth, w / 2.0), ph = std::min<double>(state_->penHeight, h / 2.0);
    const double rx = std::min(ovalW, w) / 2.0, ry = std::min(ovalH, h) / 2.0;
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), rx, ry);
    if (w - 2 * pw > 0 && h - 2 * ph > 0)
      path.addRoundedRect(QRectF(x + pw, y + ph, w - 2 * pw, h - 2 * ph), std::max(0.0, rx - pw),
                          std::max(0.0, ry - ph));
    path.setFillRule(Qt::OddEvenFill);
    p.fillPath(path, QColor::fromRgb(ToQRgb(state_->foreColor)));
  });
}

QPolygonF Graphics::PolygonOf(const std::vector<int>& points) const {
  QPolygonF poly;
  for (size_t i = 1; i + 1 < points.size(); i += 2) poly << QPointF(points[i], points[i + 1]);
  return poly;
}

void Graphics::FillPolygon(const std::vector<int>& points) {
  const QPolygonF poly = PolygonOf(points);
  if (poly.size() < 2) return;
  Paint(BoxBounds(poly.boundingRect()), [&](QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromRgb(ToQRgb(state_->foreColor)));
    p.drawPolygon(poly, Qt::OddEvenFill);
  });
}

void Graphics::DrawPolygon(const std::vector<int>& points) {
  const QPolygonF poly = PolygonOf(points);
  if (poly.isEmpty()) return;
  const QRect box = poly.boundingRect().toAlignedRect();
  Paint(LineBounds(box.left(), box.top(), box.right() + 1, box.bottom() + 1), [&](QPainter& p) {
    for (int i = 0; i < poly.size(); ++i) {
      const QPointF a = poly[i], b = poly[(i + 1) % poly.size()];
      PenLine(p, int(a.x()), int(a.y()), int(b.x()), int(b.y()));
    }
  });
}

void Graphics::DrawString(const QString& text, double x, double y) {
  // A font's glyphs may reach beyond its metrics: the whole picture counts as changed.
  Paint(Everything(), [&](QPainter& p) {
    p.setPen(QColor::fromRgb(ToQRgb(state_->foreColor)));
    p.drawText(QPointF(x, y), text);
  });
}

void Graphics::DrawPicture(const PicturePtr& pic, int x, int y) {
  if (!pic) return;
  DrawPicture(pic, x, y, pic->Width(), pic->Height(), 0, 0, pic->Width(), pic->Height());
}

void Graphics::DrawPicture(const PicturePtr& pic, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
  if (!pic || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  // Read only: the source's pixels are not handed out for writing.
  const QImage& source = std::as_const(*pic).Image();
  // An opaque picture drawn unscaled into a picture of the same layout is a plain copy of rows.
  const QRect dst(x, y, w, h), src(sx, sy, sw, sh);
  if (!painter_ && target_ && !pic->NeedsAlpha() && w == sw && h == sh &&
      source.format() == std::as_const(*target_).Image().format() && source.format() != QImage::Format_Grayscale8) {
    const QRect clip = dst.intersected(QRect(0, 0, width_, height_))
                           .intersected(src.translated(x - sx, y - sy))
                           .intersected(QRect(0, 0, pic->Width(), pic->Height()).translated(x - sx, y - sy));
    if (clip.isEmpty()) return;
    const int bpp = source.depth() / 8;
    QImage& d = target_->ImageFor(clip);
    for (int row = clip.top(); row <= clip.bottom(); ++row) {
      std::memcpy(d.scanLine(row) + clip.left() * bpp, source.constScanLine(row - y + sy) + (clip.left() - x + sx) * bpp,
                  size_t(clip.width()) * bpp);
    }
    return;
  }
  const QRect part = src.intersected(QRect(0, 0, pic->Width(), pic->Height()));
  if (part.isEmpty()) return;
  // Only the part of the source inside the picture is drawn, at the place it would take in the whole.
  const double kx = double(w) / sw, ky = double(h) / sh;
  const QRectF target(x + (part.left() - sx) * kx, y + (part.top() - sy) * ky, part.width() * kx,
                      part.height() * ky);
  Paint(BoxBounds(target), [&](QPainter& p) {
    // Only the part that is drawn is turned into its alpha form.
    if (pic->NeedsAlpha()) p.drawImage(target, pic->ToARGB(part));
    else p.drawImage(target, source, QRectF(part));
  });
}

Color Graphics::Pixel(int x, int y) const {
  if (target_) return target_->Pixel(x, y);
  return 0;
}

void Graphics::SetPixel(int x, int y, Color c) {
  if (target_) {
    target_->SetPixel(x, y, c);
    return;
  }
  Paint(QRect(x, y, 1, 1), [&](QPainter& p) { p.fillRect(QRect(x, y, 1, 1), QColor::fromRgb(ToQRgb(c))); });
}

}  // namespace Platform
