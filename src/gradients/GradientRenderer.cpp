// The gradient renderer: linear gradients as bands of whole columns or rows between neighbouring stops,
// radial gradients by each pixel's distance from the centre. Works on the picture's colour plane a row
// at a time; the cost is bounded by the picture's pixels whatever the stops and centre hold.
//
// Distances and percentages are single-precision values, their products, quotients and roots are formed
// in double precision. This file is built without contracting a * b + c into one fused step, so the
// vector loops and the one-pixel routine give the same colour bit for bit on every processor.
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "core/VectorCode.h"
#include "gradients/modGRADIENT.h"
#include "platform/Numbers.h"

namespace modGRADIENT {

namespace {

// ---- Colours and rows ----

// A channel value as a whole number, kept within 0..255 (truncated toward zero).
inline int Channel(double v) {
  v = v > 0.0 ? v : 0.0;
  v = v > 255.0 ? 255.0 : v;
  return int(v);
}

inline QRgb Pack(int r, int g, int b) { return 0xFF000000u | (QRgb(r) << 16) | (QRgb(g) << 8) | QRgb(b); }

inline bool FourBytes(const QImage& img) {
  const QImage::Format f = img.format();
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied;
}

// Writes n colours into row y from column x0.
void PutRow(QImage& img, int y, int x0, const QRgb* colours, int n) {
  if (FourBytes(img)) {
    std::memcpy(reinterpret_cast<QRgb*>(img.scanLine(y)) + x0, colours, size_t(n) * sizeof(QRgb));
  } else if (img.format() == QImage::Format_RGB888) {
    uchar* p = img.scanLine(y) + 3 * x0;
    for (int i = 0; i < n; ++i, p += 3) {
      p[0] = uchar(qRed(colours[i]));
      p[1] = uchar(qGreen(colours[i]));
      p[2] = uchar(qBlue(colours[i]));
    }
  } else {
    for (int i = 0; i < n; ++i) img.setPixel(x0 + i, y, colours[i]);
  }
}

// Fills row y with one colour.
void FillRow(QImage& img, int y, QRgb colour) {
  if (FourBytes(img)) {
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    std::fill(row, row + img.width(), colour);
  } else {
    const std::vector<QRgb> line(static_cast<size_t>(img.width()), colour);
    PutRow(img, y, 0, line.data(), img.width());
  }
}

// ---- Radial colours ----

// The divisions by the reference length and by a band's span are multiplications by the reciprocal,
// the same in every path: the vector loops need no division per pixel.

// Percent of the reference length per unit of distance.
inline double PercentPerUnit(float ref_length) { return 100.0 / double(ref_length); }

// How far along the gradient a distance lies, in percent of the reference length.
inline float Percent(float distance, double percent_per_unit) { return float(double(distance) * percent_per_unit); }

// The fraction of the way from the lower to the upper stop.
inline float Fraction(float pct, double lower_position, double per_percent) {
  return float((double(pct) - lower_position) * per_percent);
}

inline int Blend(double lower, double delta, float f) { return Channel(delta * double(f) + lower); }

// The colour of a pct between a lower and an upper stop.
struct Band {
  double position;     // of the lower stop
  double per_percent;  // 1 / (upper position - lower position)
  double r, g, b;       // the lower stop's channels
  double dr, dg, db;

  Band(const classGradient& lower, const classGradient& upper)
      : position(lower.Position),
        per_percent(1.0 / (double(upper.Position) - double(lower.Position))),
        r(Platform::Red(lower.gColor)),
        g(Platform::Green(lower.gColor)),
        b(Platform::Blue(lower.gColor)),
        dr(double(Platform::Red(upper.gColor)) - r),
        dg(double(Platform::Green(upper.gColor)) - g),
        db(double(Platform::Blue(upper.gColor)) - b) {}

  QRgb Colour(float pct) const {
    const float f = Fraction(pct, position, per_percent);
    return Pack(Blend(r, dr, f), Blend(g, dg, f), Blend(b, db, f));
  }
};

// The colour of one pct by the stops: between the first stop from index 1 on whose position is at or
// above pct and the stop before it; past every such stop, the last stop's colour. Two first stops at
// one position give the lower one's colour. Needs at least one stop.
QRgb RadialColour(float pct) {
  const int last = Gradient.Ubound();
  for (int n = 1; n <= last; ++n) {
    const classGradient& upper = *Gradient[n];
    if (double(upper.Position) < double(pct)) continue;
    const classGradient& lower = *Gradient[n - 1];
    if (lower.Position == upper.Position) return Platform::ToQRgb(lower.gColor);
    return Band(lower, upper).Colour(pct);
  }
  return Platform::ToQRgb(Gradient[last]->gColor);
}

// The pct of each pixel of one row. A plain loop for vector code.
PIXMURA_VECTOR_CLONES
void PercentRow(float* __restrict pct, int w, float centre_x, double dy_squared, double percent_per_unit) {
  for (int x = 0; x < w; ++x) {
    const float dx = float(x) - centre_x;
    const float d = float(std::sqrt(double(dx) * double(dx) + dy_squared));
    pct[x] = Percent(d, percent_per_unit);
  }
}

// The colours of a run of pixels that share their two stops. A plain loop for vector code.
PIXMURA_VECTOR_CLONES
void BandRun(const float* __restrict pct, QRgb* __restrict out, int n, const Band& band) {
  const double position = band.position, per_percent = band.per_percent;
  const double r = band.r, g = band.g, b = band.b, dr = band.dr, dg = band.dg, db = band.db;
  for (int i = 0; i < n; ++i) {
    const float f = Fraction(pct[i], position, per_percent);
    out[i] = Pack(Blend(r, dr, f), Blend(g, dg, f), Blend(b, db, f));
  }
}

// The stops split the pct axis into ranges lo < pct <= hi, one per upper stop n (1..last) and one past
// them; within a range every pixel is coloured by the same two stops (or one colour).
struct Range {
  double lo, hi;
  bool fixed;   // one colour for the whole range
  QRgb colour;  // when fixed
  int band;     // index into the bands, when not fixed
};

class RadialRanges {
 public:
  RadialRanges() {
    const int last = Gradient.Ubound();
    double below = -std::numeric_limits<double>::infinity();
    for (int n = 1; n <= last; ++n) {
      const classGradient& lower = *Gradient[n - 1];
      const classGradient& upper = *Gradient[n];
      // The first stop at or above pct is the first whose position reaches the highest so far.
      const double top = std::max(below, double(upper.Position));
      if (top > below) {
        Range r{below, top, lower.Position == upper.Position, Platform::ToQRgb(lower.gColor), int(bands_.size())};
        if (!r.fixed) bands_.emplace_back(lower, upper);
        ranges_.push_back(r);
      }
      below = top;
    }
    ranges_.push_back(
        {below, std::numeric_limits<double>::infinity(), true, Platform::ToQRgb(Gradient[last]->gColor), 0});
  }

  // Colours pixels from their pcts, which only fall or only rise along the run of pixels given: the
  // pixels of one range then lie together, and each range's end is found by halving.
  void Colour(const float* pct, QRgb* out, int w) const {
    size_t k = 0;
    int x = 0;
    while (x < w) {
      const double p = pct[x];
      while (p > ranges_[k].hi) ++k;
      while (p <= ranges_[k].lo) --k;
      const Range& r = ranges_[k];
      const int end = int(std::partition_point(pct + x + 1, pct + w, [&r](float q) {
                            return double(q) > r.lo && double(q) <= r.hi;
                          }) - pct);
      if (r.fixed) std::fill(out + x, out + end, r.colour);
      else BandRun(pct + x, out + x, end - x, bands_[size_t(r.band)]);
      x = end;
    }
  }

 private:
  std::vector<Range> ranges_;
  std::vector<Band> bands_;
};

// Rows y0 to y0 + img.height() - 1 of the radial gradient of a picture img.width() x H, into img.
void Draw_Radial_Rows(QImage& img, int H, int y0) {
  const int W = img.width(), rows = img.height();
  const float cx = float(double(gradient_cx) / 100.0 * W);
  const float cy = float(double(gradient_cy) / 100.0 * H);
  g_line_length = std::max(std::max(dist(cx, cy, 0, 0), dist(cx, cy, 0, float(H))),
                           std::max(dist(cx, cy, float(W), 0), dist(cx, cy, float(W), float(H))));
  // Without stops there is no colour to draw.
  if (Gradient.empty() || W <= 0 || H <= 0) return;
  const double percent_per_unit = PercentPerUnit(g_line_length);
  const RadialRanges ranges;
  // Along a row the distance falls up to the first column at or right of the centre, then rises.
  const int centreColumn = int(std::clamp(std::ceil(double(cx)), 0.0, double(W)));

  std::vector<float> pct(static_cast<size_t>(W));
  std::vector<QRgb> line(static_cast<size_t>(W));
  const bool direct = FourBytes(img);
  for (int r = 0; r < rows; ++r) {
    const float dy = float(y0 + r) - cy;
    PercentRow(pct.data(), W, cx, double(dy) * double(dy), percent_per_unit);
    QRgb* out = direct ? reinterpret_cast<QRgb*>(img.scanLine(r)) : line.data();
    ranges.Colour(pct.data(), out, centreColumn);
    ranges.Colour(pct.data() + centreColumn, out + centreColumn, W - centreColumn);
    if (!direct) PutRow(img, r, 0, line.data(), W);
  }
}

// The band between stops band_index and band_index + 1 (see Draw_Gradient_Stop) of a picture
// img.width() x H, rows y0 to y0 + img.height() - 1 of it, into img.
void Draw_Stop_Rows(QImage& img, int H, int y0, int32_t band_index, int32_t band_style) {
  if (band_style != 0 && band_style != 1) return;
  if (band_index < 0 || band_index >= Gradient.Ubound()) return;
  const int W = img.width(), rows = img.height();
  const int E = band_style == 0 ? W : H;
  const classGradient& lower = *Gradient[band_index];
  const classGradient& upper = *Gradient[band_index + 1];
  const int64_t p0 = Platform::ToInt(double(lower.Position) / 100.0 * E);
  const int64_t p1 = Platform::ToInt(double(upper.Position) / 100.0 * E);
  if (p1 < p0) return;

  float r = float(Platform::Red(lower.gColor)), g = float(Platform::Green(lower.gColor)),
        b = float(Platform::Blue(lower.gColor));
  float sr = 0, sg = 0, sb = 0;
  if (p1 > p0) {
    const double lines = double(p1 - p0);
    sr = float(double(float(Platform::Red(upper.gColor)) - r) / lines);
    sg = float(double(float(Platform::Green(upper.gColor)) - g) / lines);
    sb = float(double(float(Platform::Blue(upper.gColor)) - b) / lines);
  }
  // Only the lines inside the picture are drawn; a band starting before it starts part of the way.
  const int64_t first = std::max<int64_t>(p0, 0), last = std::min<int64_t>(p1, int64_t(E) - 1);
  if (first > last) return;
  if (first > p0) {
    const double skipped = double(first - p0);
    r = float(double(r) + double(sr) * skipped);
    g = float(double(g) + double(sg) * skipped);
    b = float(double(b) + double(sb) * skipped);
  }
  const int n = int(last - first + 1);
  std::vector<QRgb> colours(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    colours[size_t(i)] = Pack(Channel(r), Channel(g), Channel(b));
    r += sr;
    g += sg;
    b += sb;
  }
  if (band_style == 0) {
    for (int y = 0; y < rows; ++y) PutRow(img, y, int(first), colours.data(), n);
  } else {
    // The band's rows that fall among the rows drawn.
    for (int i = 0; i < n; ++i) {
      const int64_t y = first + i - y0;
      if (y >= 0 && y < rows) FillRow(img, int(y), colours[size_t(i)]);
    }
  }
}

}  // namespace

float dist(float from_x, float from_y, float to_x, float to_y) {
  const float dx = from_x - to_x, dy = from_y - to_y;
  return float(std::sqrt(double(dx) * double(dx) + double(dy) * double(dy)));
}

void Draw_Gradient(Platform::Picture& target, bool horizontal_only) {
  Draw_Gradient_Rows(target, target.Height(), 0, horizontal_only);
}

void Draw_Gradient_Rows(Platform::Picture& strip, int32_t full_height, int32_t first_row, bool horizontal_only) {
  QImage& img = strip.Image();
  const int32_t style = horizontal_only ? 0 : Gradient_style;
  if (style == 0 || style == 1) {
    for (int i = 0; i < Gradient.Ubound(); ++i) Draw_Stop_Rows(img, full_height, first_row, i, style);
  } else if (style == 2) {
    Draw_Radial_Rows(img, full_height, first_row);
  }
}

void Draw_Gradient_Stop(Platform::Picture& target, int32_t band_index, int32_t band_style) {
  QImage& img = target.Image();
  Draw_Stop_Rows(img, img.height(), 0, band_index, band_style);
}

void g_radial_point(Platform::Picture& target, float centre_x, float centre_y, float ref_length, float pixel_x,
                    float pixel_y) {
  const QImage& img = target.Image();
  const bool inside = pixel_x >= 0 && pixel_y >= 0 && pixel_x < float(img.width()) && pixel_y < float(img.height());
  if (!inside) return;
  if (Gradient.empty()) return;
  const float pct = Percent(dist(pixel_x, pixel_y, centre_x, centre_y), PercentPerUnit(ref_length));
  target.SetPixel(Platform::ToInt(pixel_x), Platform::ToInt(pixel_y), Platform::FromQRgb(RadialColour(pct)));
}

void g_radial_line(Platform::Picture& target, float centre_x, float centre_y, float edge_x, float edge_y) {
  const float L = g_line_length;
  // The walk advances one pixel along its major axis per step and moves along the minor axis where the
  // straight line crosses into the next pixel. Only the steps inside the picture are taken; the minor
  // position of the first of them follows from the number of steps before it.
  const float dx = std::fabs(edge_x - centre_x), dy = std::fabs(edge_y - centre_y);
  const bool xMajor = dy < dx;
  const float a0 = xMajor ? centre_x : centre_y, b0 = xMajor ? centre_y : centre_x;
  const float ea = xMajor ? edge_x : edge_y, eb = xMajor ? edge_y : edge_x;
  const int64_t sa = ea < a0 ? -1 : 1, sb = eb < b0 ? -1 : 1;
  const double da = xMajor ? dx : dy, db = xMajor ? dy : dx;
  const int64_t aStart = Platform::ToInt(a0), bStart = Platform::ToInt(b0), aEnd = Platform::ToInt(ea);
  const int64_t steps = (aEnd - aStart) * sa;
  const int64_t size = xMajor ? target.Width() : target.Height();

  // The minor position after k steps: err starts at da / 2, loses db per step and gains da each time
  // it falls below 0, when the minor position moves on.
  const auto minorAfter = [&](int64_t k) {
    if (k == 0 || da == 0) return bStart;
    const double moves = std::ceil((double(k) * db - da / 2) / da);
    return bStart + sb * int64_t(std::max(0.0, moves));
  };
  const auto colour = [&](int64_t a, int64_t b) {
    if (xMajor) g_radial_point(target, centre_x, centre_y, L, float(a), float(b));
    else g_radial_point(target, centre_x, centre_y, L, float(b), float(a));
  };
  int64_t kFrom, kTo;
  if (sa > 0) {
    kFrom = std::max<int64_t>(0, -aStart);
    kTo = std::min<int64_t>(steps - 1, size - 1 - aStart);
  } else {
    kFrom = std::max<int64_t>(0, aStart - (size - 1));
    kTo = std::min<int64_t>(steps - 1, aStart);
  }
  for (int64_t k = kFrom; k <= kTo; ++k) colour(aStart + k * sa, minorAfter(k));
  colour(aEnd, minorAfter(steps));
}

}  // namespace modGRADIENT
