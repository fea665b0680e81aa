#include "platform/ScaledView.h"

#include <QPainter>
#include <cmath>
#include <utility>

namespace Platform {

void ScaledView::Draw(Graphics& g, const PicturePtr& pic, int x, int y, int w, int h, int sx, int sy, int sw, int sh) {
  if (!pic || w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  const bool hidingMask = pic->HasMask() && !pic->MaskOpaque();
  if (g.Target() || g.AntiAlias() || hidingMask || g.Width() <= 0 || g.Height() <= 0) {
    g.DrawPicture(pic, x, y, w, h, sx, sy, sw, sh);
    return;
  }
  const Key key{QSize(g.Width(), g.Height()), QSize(pic->Width(), pic->Height()), QRect(x, y, w, h),
                QRect(sx, sy, sw, sh), pic->Transparent != 0 ? 1 : 0};
  const bool same = key == key_ && !picture_.owner_before(pic) && !pic.owner_before(picture_) && !picture_.expired();
  // What changed since the last repaint, taken whether or not the view is made anew.
  const QRect changed = pic->TakeChanged(ChangeReader::Screen);
  if (!same || view_.isNull()) {
    key_ = key;
    picture_ = pic;
    if (view_.size() != key.canvas) view_ = QImage(key.canvas, QImage::Format_ARGB32_Premultiplied);
    // The part of the picture on show and where it lands, as Graphics::DrawPicture works them out.
    part_ = key.source.intersected(QRect(0, 0, pic->Width(), pic->Height()));
    const double kx = double(w) / sw, ky = double(h) / sh;
    target_ = QRectF(x + (part_.left() - sx) * kx, y + (part_.top() - sy) * ky, part_.width() * kx, part_.height() * ky);
    covered_ = target_.toAlignedRect().intersected(view_.rect());
    view_.fill(Qt::transparent);
    Render(*pic, view_.rect());
  } else if (!changed.isEmpty()) {
    Render(*pic, OnCanvas(changed));
  }
  if (covered_.isEmpty()) return;
  g.WithPainter([&](QPainter& p) { p.drawImage(covered_.topLeft(), view_, covered_); });
}

QRect ScaledView::OnCanvas(const QRect& area) const {
  const double kx = double(key_.target.width()) / key_.source.width();
  const double ky = double(key_.target.height()) / key_.source.height();
  const double x0 = key_.target.x() + (area.left() - key_.source.x()) * kx;
  const double y0 = key_.target.y() + (area.top() - key_.source.y()) * ky;
  const double x1 = key_.target.x() + (area.right() + 1 - key_.source.x()) * kx;
  const double y1 = key_.target.y() + (area.bottom() + 1 - key_.source.y()) * ky;
  // One canvas pixel more on every side: whichever way the scaling rounds, the pixels that take their
  // colour from the area lie inside.
  return QRect(QPoint(int(std::floor(x0)) - 1, int(std::floor(y0)) - 1), QPoint(int(std::ceil(x1)) + 1, int(std::ceil(y1)) + 1));
}

void ScaledView::Render(const Picture& pic, const QRect& wanted) {
  const QRect area = wanted.intersected(covered_);
  if (area.isEmpty() || part_.isEmpty()) return;
  {
    QPainter p(&view_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.fillRect(area, Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setClipRect(area);
    // The same drawing as the picture's own, limited to the area: each canvas pixel takes the picture
    // pixel it would take anyway.
    p.drawImage(target_, pic.Image(), QRectF(part_));
  }
  if (!key_.transparent) return;
  // White shows what lies beneath. A pixel of the view is a copy of one of the picture's, so turning
  // white transparent here gives what turning it transparent in the picture first gives.
  for (int yy = area.top(); yy <= area.bottom(); ++yy) {
    QRgb* row = reinterpret_cast<QRgb*>(view_.scanLine(yy));
    for (int xx = area.left(); xx <= area.right(); ++xx)
      if (row[xx] == 0xFFFFFFFFu) row[xx] = 0;
  }
}

}  // namespace Platform
