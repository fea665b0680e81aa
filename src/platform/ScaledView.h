#pragma once
// A picture as a canvas shows it: the part on show, scaled to the canvas, kept from one repaint to the
// next. A repaint scales again only what changed in the picture since the last one (what the picture
// records for the screen), and all of it when another picture, another part, another scale or another
// canvas size is asked for. What it draws is, pixel for pixel, what drawing the picture scaled gives.
#include <QImage>
#include <QRect>
#include <memory>

#include "platform/Graphics.h"

namespace Platform {

class ScaledView {
 public:
  // Draws the source area (sx, sy, sw, sh) of the picture scaled into (x, y, w, h) of the canvas, as
  // Graphics::DrawPicture does. A picture whose mask may hide pixels, a smoothing renderer or a
  // context that draws into a picture takes Graphics::DrawPicture itself.
  void Draw(Graphics& g, const PicturePtr& pic, int x, int y, int w, int h, int sx, int sy, int sw, int sh);

 private:
  struct Key {
    QSize canvas, picture;
    QRect target, source;
    int transparent = 0;
    bool operator==(const Key&) const = default;
  };
  // Scales the part of the view inside the area (canvas pixels) afresh.
  void Render(const Picture& pic, const QRect& area);
  // The canvas pixels that show the pixels of the area of the picture.
  QRect OnCanvas(const QRect& area) const;

  QImage view_;                    // the canvas's pixels of the picture, transparent where it shows none
  std::weak_ptr<Picture> picture_;  // the picture the view shows
  Key key_;
  QRectF target_;  // where the part of the picture on show lands, in canvas pixels
  QRect part_;     // the part of the picture on show
  QRect covered_;  // the canvas pixels that part may reach
};

}  // namespace Platform
