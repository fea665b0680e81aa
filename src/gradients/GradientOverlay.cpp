// "Gradient Overlay": the pixels of the selection that have the replace colour take the current
// gradient, laid over the selection rectangle.
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "gradients/modGRADIENT.h"
#include "gradients/winGradient.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

namespace modGRADIENT {

namespace {

inline QRgb Blend(QRgb over, QRgb under, int level) {
  // level 0: over covers; 255: under stays.
  const int keep = level, take = 255 - level;
  const int r = (qRed(over) * take + qRed(under) * keep + 127) / 255;
  const int g = (qGreen(over) * take + qGreen(under) * keep + 127) / 255;
  const int b = (qBlue(over) * take + qBlue(under) * keep + 127) / 255;
  return qRgb(r, g, b);
}

}  // namespace

int64_t Gradient_Overlay(Platform::Picture& area, Platform::Color replace, const Platform::Picture* outline_mask) {
  QImage& image = area.Image();
  const int W = image.width(), H = image.height();
  if (W <= 0 || H <= 0) return 0;
  const QRgb wanted = Platform::ToQRgb(replace & 0xFFFFFFu) & 0xFFFFFFu;
  const bool wide = image.depth() == 32;
  const auto pixel = [&](int x, int y) -> QRgb {
    return (wide ? reinterpret_cast<const QRgb*>(image.constScanLine(y))[x] : image.pixel(x, y)) & 0xFFFFFFu;
  };

  // Nothing is drawn unless some pixel matches.
  bool any = false;
  for (int y = 0; y < H && !any; ++y)
    for (int x = 0; x < W; ++x)
      if (pixel(x, y) == wanted) {
        any = true;
        break;
      }
  if (!any) return 0;

  // The outline: black inside (the gradient covers), white outside (the pixel stays), grey blends.
  const QImage* outline = nullptr;
  QImage outlineGrey;
  if (outline_mask) {
    outlineGrey = outline_mask->Image().convertToFormat(QImage::Format_Grayscale8);
    outline = &outlineGrey;
  }

  // The gradient over the area, drawn a strip of rows at a time; where it draws nothing, matched pixels
  // keep the replace colour.
  constexpr int kStrip = 64;
  Platform::PicturePtr strip;
  int64_t count = 0;
  for (int y0 = 0; y0 < H; y0 += kStrip) {
    const int rows = std::min(kStrip, H - y0);
    if (!strip || strip->Height() != rows) strip = Platform::Picture::CreateUnfilled(W, rows, 32);
    strip->Image().fill(Platform::ToQRgb(replace & 0xFFFFFFu) | 0xFF000000u);
    Draw_Gradient_Rows(*strip, H, y0, false);
    const QImage& shade = strip->Image();
    for (int y = y0; y < y0 + rows; ++y) {
      const QRgb* from = reinterpret_cast<const QRgb*>(shade.constScanLine(y - y0));
      const uchar* levels = outline && y < outline->height() ? outline->constScanLine(y) : nullptr;
      QRgb* row = wide ? reinterpret_cast<QRgb*>(image.scanLine(y)) : nullptr;
      for (int x = 0; x < W; ++x) {
        const QRgb own = row ? row[x] & 0xFFFFFFu : image.pixel(x, y) & 0xFFFFFFu;
        if (own != wanted) continue;
        ++count;
        QRgb result = from[x] | 0xFF000000u;
        if (outline) {
          // Outside the outline's picture counts as outside the outline.
          const int level = levels && x < outline->width() ? levels[x] : 255;
          if (level != 0) result = level == 255 ? (own | 0xFF000000u) : (Blend(result, own, level) | 0xFF000000u);
        }
        if (row) row[x] = result;
        else image.setPixel(x, y, result);
      }
    }
  }
  return count;
}

void Gradient_Fill() {
  winGradient::Show();
  winMAIN* main = winMAIN::instance();
  if (!modMAIN::Dialog_Cancel) {
    modMAIN::drag_Picture = modMAIN::Lasso_Area_Get(false);
    int64_t count = 0;
    if (modMAIN::drag_Picture) {
      const Platform::PicturePtr outline =
          modMAIN::active_SUPERLASSO ? modMAIN::Super_Lasso_mask[0] : Platform::PicturePtr();
      count = Gradient_Overlay(*modMAIN::drag_Picture, Gradient_Replace_Color, outline.get());
    }
    if (count == 0) {
      Platform::Environment::Beep();
    } else {
      modMAIN::Lasso_Area_Put(modMAIN::drag_Picture);
      main->Draw_Complete();
    }
    modMAIN::drag_Picture.reset();
  }
  main->Turn_Lasso_OFF();
}

}  // namespace modGRADIENT
