// Frames are drawn as rings, one pixel apart, from the picture's edge inwards; every later ring covers
// the earlier ones where they overlap. Rather than drawing every ring over a copy of the whole picture,
// each row works out which ring is the last to cover each of its pixels and changes only those pixels
// and the corners outside an oval, so the cost follows the frame's area, not the picture's.
#include "effects/modFRAME.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/EditingState.h"
#include "core/Geometry.h"
#include "mainwindow/winMAIN.h"
#include "platform/Graphics.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

namespace modFRAME {

using Platform::Color;
using Platform::PicturePtr;

namespace {

// The ring pen of oval frames is 4 x 4 pixels; rectangular rings are one pixel wide.
constexpr int kOvalPen = 4;

// The columns [left, right] of row y that lie inside the ellipse inscribed in the box (x0, y0, w, h),
// judged at pixel centres. False when the row misses the ellipse.
bool EllipseSpan(int x0, int y0, int w, int h, int y, int& left, int& right) {
  if (w <= 0 || h <= 0 || y < y0 || y >= y0 + h) return false;
  const double a = w / 2.0, b = h / 2.0;
  const double cx = x0 + a, cy = y0 + b;
  const double dy = (y + 0.5 - cy) / b;
  const double q = 1.0 - dy * dy;
  if (q < 0) return false;
  const double half = a * std::sqrt(q);
  left = std::max(int(std::ceil(cx - half - 0.5)), x0);
  right = std::min(int(std::floor(cx + half - 0.5)), x0 + w - 1);
  return left <= right;
}

// What a ring leaves: for a feathered frame the mask level (255 white ... 0 the picture), for a solid
// frame the colour painted over the picture.
std::vector<uint32_t> RingValues(float t, bool feathered, Color foreground) {
  const float red = float((foreground >> 16) & 0xFF), green = float((foreground >> 8) & 0xFF),
              blue = float(foreground & 0xFF);
  float level = 255;
  float step = float(255 / t);
  if (!feathered) step = float(step / 2);
  std::vector<uint32_t> values;
  for (float s = 0; s <= t; s += 1) {
    if (feathered) {
      values.push_back(uint32_t(std::clamp(Platform::ToInt(level), 0, 255)));
    } else {
      const float q = float(level / 255);
      auto part = [&](float byte) { return std::clamp(Platform::ToInt(std::max(0.0f, float(byte * q))), 0, 255); };
      values.push_back(qRgb(part(red), part(green), part(blue)));
    }
    level = float(level - step);
  }
  return values;
}

// Blending towards white by the mask levels of the rings: for each ring, the 256 results of a channel.
// Level 0 keeps a channel, 255 makes it white, levels between blend in proportion.
class WhiteBlend {
 public:
  explicit WhiteBlend(const std::vector<uint32_t>& levels) : table_(levels.size() * 256) {
    for (size_t r = 0; r < levels.size(); ++r) {
      const unsigned level = std::min(levels[r], 255u), keep = 255 - level, white = 255 * level + 127;
      for (unsigned c = 0; c < 256; ++c) table_[r * 256 + c] = uchar((c * keep + white) / 255);
    }
  }
  QRgb operator()(QRgb c, size_t ring) const {
    const uchar* t = &table_[ring * 256];
    return qRgb(t[qRed(c)], t[qGreen(c)], t[qBlue(c)]);
  }

 private:
  std::vector<uchar> table_;
};

void FrameRectangle(QImage& plane, const std::vector<uint32_t>& values, bool feathered) {
  const int W = plane.width(), H = plane.height();
  const int rings = int(values.size());
  const WhiteBlend blend(feathered ? values : std::vector<uint32_t>());
  // Ring s is the outline at distance s from the nearest edge: each pixel shows the ring of its own
  // distance, when there is one.
  for (int y = 0; y < H; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(plane.scanLine(y));
    const int dy = std::min(y, H - 1 - y);
    auto paint = [&](int x, int d) { row[x] = feathered ? blend(row[x], size_t(d)) : values[size_t(d)]; };
    if (dy < rings) {
      for (int x = 0; x < W; ++x) paint(x, std::min({x, W - 1 - x, dy}));
    } else {
      for (int x = 0; x < std::min(rings, W); ++x) {
        paint(x, x);
        if (W - 1 - x > x) paint(W - 1 - x, x);
      }
    }
  }
}

// Ring s of an oval frame is the outline of the ellipse E(s) inscribed in the box (s, s, W-2s, H-2s),
// drawn with a 4 x 4 pen: the pixels inside E(s) but not inside E(s + 4), the ellipse inset by the pen.
// The ellipses nest, so a pixel whose innermost ellipse is E(S) is covered by rings S-3 to S, and the
// last of them drawn, min(S, last ring), decides it. The solid oval's one-pixel outline of the whole
// picture is the pixels with S = 0. The frame is symmetric about the middle row and the middle column.
void FrameOval(QImage& plane, const std::vector<uint32_t>& values, bool feathered) {
  const int W = plane.width(), H = plane.height();
  const int last = int(values.size()) - 1;
  const int deepest = last + kOvalPen;  // pixels inside E(deepest) keep their colour
  const WhiteBlend blend(feathered ? values : std::vector<uint32_t>());
  auto changed = [&](QRgb c, int S) -> QRgb {
    if (S < 0) return 0xFFFFFFFFu;
    if (feathered) return blend(c, size_t(std::min(S, last)));
    return S == 0 ? qRgb(0, 0, 0) : values[size_t(std::min(S, last))];
  };
  // left[s]: the first column of the row inside E(s); W when the row misses it.
  std::vector<int> left(size_t(deepest) + 1);
  for (int y = 0; y < (H + 1) / 2; ++y) {
    for (int s = 0; s <= deepest; ++s) {
      int l, r;
      left[size_t(s)] = EllipseSpan(s, s, W - 2 * s, H - 2 * s, y, l, r) ? l : W;
    }
    QRgb* top = reinterpret_cast<QRgb*>(plane.scanLine(y));
    QRgb* bottom = y != H - 1 - y ? reinterpret_cast<QRgb*>(plane.scanLine(H - 1 - y)) : nullptr;
    const int end = std::min(left[size_t(deepest)], (W + 1) / 2);
    int S = -1;
    for (int x = 0; x < end; ++x) {
      while (S < deepest && left[size_t(S + 1)] <= x) ++S;
      const int mirror = W - 1 - x;
      for (QRgb* row : {top, bottom}) {
        if (!row) continue;
        row[x] = changed(row[x], S);
        if (mirror != x) row[mirror] = changed(row[mirror], S);
      }
    }
  }
}

void Add_Frame(FrameShape shape, bool feathered) {
  const PicturePtr work = Platform::Checked(modMAIN::work_area, "work_area");
  bool framed = false;
  if (!modMAIN::Had_Memory([&] { framed = Frame_Picture(*work, shape, feathered, modMAIN::Draw_Color[1]); })) {
    modMAIN::Out_Of_Memory_Message();
    return;
  }
  if (framed) modMAIN::Commit_Work_Area();
}

}  // namespace

float Frame_Width(int w, int h, bool feathered) {
  float t = float(double(std::min(w, h)) * 0.07);
  if (!feathered) t = float(t / 2);
  return t;
}

bool Frame_Picture(Platform::Picture& picture, FrameShape shape, bool feathered, Color foreground) {
  const float t = Frame_Width(picture.Width(), picture.Height(), feathered);
  if (t < 4) return false;
  const std::vector<uint32_t> values = RingValues(t, feathered, foreground);
  QImage& plane = picture.Image();
  if (picture.HasMask()) {
    // The picture as it shows over white, made whole before anything changes.
    PicturePtr shown = Platform::Picture::Create(picture.Width(), picture.Height(), 32);
    shown->Graphics().DrawPicture(picture.shared_from_this(), 0, 0);
    QImage flat = shown->Image().convertToFormat(plane.format());
    if (flat.isNull()) throw Platform::OutOfMemoryException(QStringLiteral("Not enough memory for the frame"));
    plane = std::move(flat);
  }
  if (shape == FrameShape::Rectangle) FrameRectangle(plane, values, feathered);
  else FrameOval(plane, values, feathered);
  return true;
}

void Add_Frame_Oval(bool feathered) { Add_Frame(FrameShape::Oval, feathered); }
void Add_Frame_Oval_Feathered() { Add_Frame_Oval(true); }
void Add_Frame_Rectangle(bool feathered) { Add_Frame(FrameShape::Rectangle, feathered); }
void Add_Frame_Rectangle_Feathered() { Add_Frame_Rectangle(true); }

}  // namespace modFRAME
