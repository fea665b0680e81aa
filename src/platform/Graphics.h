#pragma once
// The drawing context: draws into a picture (keeping the picture's drawing state between calls) or onto
// a painter that a widget or printer holds open for one paint. Geometry follows the program's rules:
// a framed shape lies inside its bounds, a line includes both of its ends, a rounded rectangle's corner
// sizes are the corner oval's diameters, and polygons come as an array whose element 0 is a placeholder
// followed by the x and y of each vertex.
#include <QPainter>
#include <functional>
#include <vector>

#include "platform/Picture.h"

namespace Platform {

class Graphics {
 public:
  explicit Graphics(PicturePtr target);
  // Draws with a painter that the caller keeps open (a widget's paint event, a printer page).
  Graphics(QPainter* painter, int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  PicturePtr Target() const { return target_; }

  DrawState& State() { return *state_; }
  Color ForeColor() const { return state_->foreColor; }
  void SetForeColor(Color c) { state_->foreColor = c & 0xFFFFFFu; }
  int PenWidth() const { return state_->penWidth; }
  int PenHeight() const { return state_->penHeight; }
  void SetPenWidth(int w) { state_->penWidth = w < 1 ? 1 : w; }
  void SetPenHeight(int h) { state_->penHeight = h < 1 ? 1 : h; }
  bool AntiAlias() const { return state_->antiAlias; }
  void SetAntiAlias(bool on) { state_->antiAlias = on; }

  void SetTextFont(const QString& family) { state_->textFont = family; }
  void SetTextSize(double size) { state_->textSize = size; }
  void SetBold(bool b) { state_->bold = b; }
  void SetItalic(bool b) { state_->italic = b; }
  void SetUnderline(bool b) { state_->underline = b; }
  QFont Font() const;
  double StringWidth(const QString& text) const;
  int TextHeight() const;
  int TextAscent() const;

  void DrawLine(int x1, int y1, int x2, int y2);
  void DrawRect(int x, int y, int w, int h);
  void FillRect(int x, int y, int w, int h);
  void DrawOval(int x, int y, int w, int h);
  void FillOval(int x, int y, int w, int h);
  void DrawRoundRect(int x, int y, int w, int h, int ovalW, int ovalH);
  void FillRoundRect(int x, int y, int w, int h, int ovalW, int ovalH);
  void DrawPolygon(const std::vector<int>& points);
  void FillPolygon(const std::vector<int>& points);
  // Draws text with its baseline at y.
  void DrawString(const QString& text, double x, double y);
  // Fills the area with white.
  void ClearRect(int x, int y, int w, int h);

  // Draws the picture at (x, y) at its own size, honouring its mask and transparency flag.
  void DrawPicture(const PicturePtr& pic, int x, int y);
  // Draws the source area (sx, sy, sw, sh) of the picture scaled into (x, y, w, h).
  void DrawPicture(const PicturePtr& pic, int x, int y, int w, int h, int sx, int sy, int sw, int sh);

  Color Pixel(int x, int y) const;
  void SetPixel(int x, int y, Color c);

  // Runs f with a painter set up from the drawing state (render hints, font), for drawing that the
  // calls above do not cover.
  void WithPainter(const std::function<void(QPainter&)>& f);

 private:
  // Runs f with a painter on the target; a picture learns that the pixels inside bounds changed.
  void Paint(const QRect& bounds, const std::function<void(QPainter&)>& f);
  void PenLine(QPainter& p, int x1, int y1, int x2, int y2);
  // The pixels that a line with the pen, or a figure filling or framing the box, may reach.
  QRect LineBounds(int x1, int y1, int x2, int y2) const;
  QRect BoxBounds(const QRectF& box) const;
  QRect Everything() const { return QRect(0, 0, width_, height_); }
  QPolygonF PolygonOf(const std::vector<int>& points) const;

  PicturePtr target_;
  QPainter* painter_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  DrawState own_;
  DrawState* state_;
};

}  // namespace Platform
