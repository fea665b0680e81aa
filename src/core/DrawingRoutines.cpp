#include "core/DrawingRoutines.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace modMAIN {

namespace {

constexpr double kPi = 3.141592653589793;

// The smallest whole number not below v. Sines and cosines of right angles are not exactly 0 in
// floating point; a value within a hair of a whole number counts as that number.
int32_t Ceiling(double v) { return Platform::ToInt(std::ceil(v - 1e-9)); }

}  // namespace

// ---- Curve and arrow heads ----

std::vector<point_record> Bezier_Points() {
  const point_record p0 = img_Curve[1], p1 = img_Curve[4], p2 = img_Curve[3], p3 = img_Curve[2];
  const int32_t cx = 3 * (p1.x - p0.x), cy = 3 * (p1.y - p0.y);
  const int32_t bx = 3 * (p2.x - p1.x) - cx, by = 3 * (p2.y - p1.y) - cy;
  const int32_t ax = p3.x - p0.x - cx - bx, ay = p3.y - p0.y - cy - by;
  std::vector<point_record> points;
  for (float t = 0; t <= 1; t = float(double(t) + 0.01)) {
    const double u = t;
    points.push_back(Point_of(Platform::ToInt(ax * u * u * u + bx * u * u + cx * u + p0.x),
                              Platform::ToInt(ay * u * u * u + by * u * u + cy * u + p0.y)));
  }
  return points;
}

void Draw_Bezier(Platform::Graphics& g) {
  RenderMode(g, modOptions::option_AntiAlias);
  g.SetForeColor(Draw_Color[0]);
  const std::vector<point_record> points = Bezier_Points();
  for (size_t i = 1; i < points.size(); ++i) g.DrawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  // Heads point away from the nearer control point: 1 at the start (point 1), 2 at the end (point 2).
  const int32_t heads = modOptions::option_ArrowHead;
  if (heads == 1 || heads == 3) Create_ArrowHead(g, img_Curve[4], img_Curve[1]);
  if (heads == 2 || heads == 3) Create_ArrowHead(g, img_Curve[3], img_Curve[2]);
}

void Draw_ArrowHead(Platform::Graphics& g, point_record p1, point_record p2) {
  const int32_t heads = modOptions::option_ArrowHead;
  if (heads == 1 || heads == 3) Create_ArrowHead(g, p2, p1);
  if (heads == 2 || heads == 3) Create_ArrowHead(g, p1, p2);
}

std::array<point_record, 4> ArrowHead_Polygon(point_record p1, point_record p2) {
  const int32_t s = size_PENCIL;
  // Worked out in double and saturated: a hand-edited settings file may hold any length and width.
  const double L = Platform::ToInt(double(modOptions::option_ArrowLength) * s);
  const double Wd = Platform::ToInt(double(modOptions::option_ArrowWidth) * s);
  double x1 = p1.x, y1 = p1.y, x2 = p2.x, y2 = p2.y;
  const double a = std::atan2(y2 - y1, x2 - x1);
  if (s != 1) {
    // A thick pen's line lies beside its points: move both points to its middle and its end.
    const double k = (s - 1) / 2.0, m = s - 1;
    x2 = Ceiling(x2 + k + m * std::cos(a));
    y2 = Ceiling(y2 + k + m * std::sin(a));
    x1 = Ceiling(x1 + k + m * std::cos(a));
    y1 = Ceiling(y1 + k + m * std::sin(a));
  }
  const point_record tip = Point_of(int32_t(x2), int32_t(y2));
  const double e = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1)) - L;
  const point_record base = Point_of(Platform::ToInt(x1 + e * std::cos(a)), Platform::ToInt(y1 + e * std::sin(a)));
  point_record notch = base;
  if (modOptions::option_ArrowConcavity != 0) {
    const double e2 = e + (modOptions::option_ArrowConcavity / 10.0) * L;
    notch = Point_of(Platform::ToInt(x1 + e2 * std::cos(a)), Platform::ToInt(y1 + e2 * std::sin(a)));
  }
  const double h = Wd / 2.0;
  const point_record wing1 =
      Point_of(Ceiling(base.x + h * std::cos(a + kPi / 2)), Ceiling(base.y + h * std::sin(a + kPi / 2)));
  const point_record wing2 =
      Point_of(Ceiling(base.x + h * std::cos(a - kPi / 2)), Ceiling(base.y + h * std::sin(a - kPi / 2)));
  return {tip, wing1, notch, wing2};
}

void Create_ArrowHead(Platform::Graphics& g, point_record p1, point_record p2) {
  const std::array<point_record, 4> head = ArrowHead_Polygon(p1, p2);
  modOptions::PolyPoints.clear();
  RenderMode(g, true);
  g.SetPenWidth(1);
  g.SetPenHeight(1);
  g.SetForeColor(Draw_Color[1]);
  std::vector<int> polygon{-1};
  for (const point_record& p : head) {
    polygon.push_back(p.x);
    polygon.push_back(p.y);
  }
  g.FillPolygon(polygon);
}

// ---- Line walk and brush tip ----

void Line_Walk(point_record p1, point_record p2, const std::function<void(int32_t, int32_t)>& stamp) {
  int32_t x = p1.x, y = p1.y;
  int32_t dx = std::abs(p2.x - p1.x), dy = std::abs(p2.y - p1.y);
  int32_t sx = p2.x - p1.x > 0 ? 1 : -1, sy = p2.y - p1.y > 0 ? 1 : -1;
  const bool steep = dx < dy;
  if (steep) {
    std::swap(x, y);
    std::swap(dx, dy);
    std::swap(sx, sy);
  }
  int32_t e = 2 * dy - dx;
  for (int32_t i = 0; i < dx; ++i) {
    if (steep) stamp(y, x);
    else stamp(x, y);
    while (e >= 0) {
      y += sy;
      e -= 2 * dx;
    }
    x += sx;
    e += 2 * dy;
  }
  stamp(p2.x, p2.y);
}

void Move_along_a_Line(point_record p1, point_record p2, int32_t tool) {
  Line_Walk(p1, p2, [tool](int32_t x, int32_t y) { Do_Function(x, y, tool); });
}

void Do_Function(int32_t x, int32_t y, int32_t tool) {
  const point_record p = Point_of(x, y);
  if (tool == TOOL_ERASER) winMAIN::instance()->Eraser_Function(p);
  else if (tool == TOOL_BRUSH) winMAIN::instance()->PaintBrush_Function(p);
}

void Make_Paintbrush_Tip() {
  const int32_t n = 2 * size_BRUSH + 1;
  PicturePtr tip = Platform::Picture::Create(n, n, 32);
  Paintbrush_Tip = tip;
  Platform::Graphics g = tip->Graphics();
  RenderMode(g, true);
  g.SetForeColor(0x000000);
  g.FillRect(0, 0, n, n);
  if (modOptions::option_BrushRandom) {
    // A speckle of grey dots within the tip's circle.
    Platform::Random& rnd = Platform::Deref(rnd_number, "rnd_number");
    const int32_t r = n / 2;
    const int32_t count = Platform::ToInt(std::max(3.0, r * r * 0.3));
    for (int32_t i = 0; i < count; ++i) {
      const double angle = rnd.Number() * 2 * kPi;
      const double radius = rnd.Number() * r;
      const int32_t x = Platform::ToInt(r + radius * std::cos(angle));
      const int32_t y = Platform::ToInt(r + radius * std::sin(angle));
      const int grey = rnd.InRange(128, 192);
      tip->SetPixel(x, y, Platform::RGB(grey, grey, grey));
    }
  } else {
    // A soft disc; the grey is kept within one channel whatever the opacity setting says.
    const int grey = std::clamp(Platform::ToInt(modOptions::option_BrushOpacity / 100.0 * 255), 0, 255);
    g.SetForeColor(Platform::RGB(grey, grey, grey));
    g.FillOval(0, 0, n, n);
  }
}

// ---- Selection outline, colour well, checkerboard ----

namespace {
// Marching ants along one axis from a1 to a2: each period of 12 pixels holds a black dash of 4, a white
// dash of 4 and a gap, shifted by the ants' phase; no dash passes a2. dash(from, to) draws both edges.
void Ants(Platform::Graphics& g, int32_t a1, int32_t a2, const std::function<void(int32_t, int32_t)>& dash) {
  int32_t a = a1 + Marching_Ants;
  while (a <= a2) {
    g.SetForeColor(0x000000);
    const int32_t e = std::min(a2, a + 4);
    dash(a, e);
    const int32_t f = std::min(a2, e + 4);
    a += 4;
    if (a < f) {
      g.SetForeColor(0xFFFFFF);
      dash(a, f);
    }
    a += 8;
  }
}
}  // namespace

void Draw_H_Ants(Platform::Graphics& g, int32_t x1, int32_t x2, int32_t y1, int32_t y2) {
  Ants(g, x1, x2, [&](int32_t from, int32_t to) {
    g.DrawLine(from, y1, to, y1);
    g.DrawLine(from, y2, to, y2);
  });
}

void Draw_V_Ants(Platform::Graphics& g, int32_t y1, int32_t y2, int32_t x1, int32_t x2) {
  Ants(g, y1, y2, [&](int32_t from, int32_t to) {
    g.DrawLine(x1, from, x1, to);
    g.DrawLine(x2, from, x2, to);
  });
}

void Draw_ColorWell(Platform::Graphics& g, int32_t x, int32_t y, Platform::Color colour, bool crossed) {
  RenderMode(g, true);
  g.SetForeColor(colour);
  g.FillRect(x, y, 20, 20);
  if (crossed) {
    g.SetForeColor(0xC0C0C0);
    g.DrawLine(x + 1, y + 1, x + 20, y + 20);
    g.DrawLine(x + 20, y + 1, x + 1, y + 20);
  }
  Draw_WellBevel(g, x, y);
  if (!crossed && modOptions::option_Draw_Opaque == 1) {
    // White is drawn as transparent: "T" marks white, "W" the near-white that stays white.
    const Platform::Color c = colour & 0xFFFFFFu;
    const QString letter = c == 0xFFFFFF ? QStringLiteral("T") : c == 0xFEFEFE ? QStringLiteral("W") : QString();
    if (!letter.isEmpty()) {
      g.SetTextFont(QStringLiteral("Courier"));
      g.DrawString(letter, x + 13, y + 21 + g.TextAscent() - g.TextHeight());
    }
  }
}

void Draw_WellBevel(Platform::Graphics& g, int32_t x, int32_t y) {
  g.SetForeColor(Platform::RGB(153, 168, 172));
  g.DrawLine(x, y, x + 20, y);
  g.DrawLine(x, y, x, y + 20);
  g.SetForeColor(0xFFFFFF);
  g.DrawLine(x + 21, y, x + 21, y + 21);
  g.DrawLine(x, y + 21, x + 21, y + 21);
  g.SetForeColor(Platform::RGB(226, 239, 241));
  g.DrawLine(x + 1, y + 20, x + 20, y + 20);
  g.DrawLine(x + 20, y + 1, x + 20, y + 20);
  g.SetForeColor(Platform::RGB(113, 111, 100));
  g.DrawLine(x + 1, y + 1, x + 19, y + 1);
  g.DrawLine(x + 1, y + 1, x + 1, y + 19);
}

void Make_Transparent() {
  winMAIN* w = winMAIN::instance();
  PicturePtr board = Platform::Picture::Create(std::max(1, w->width()), std::max(1, w->height()), 24);
  canvas_transparent = board;
  const QString size = modOptions::option_Transparent_BG_Size;
  const int c = Platform::StrEq(size, QStringLiteral("S")) ? 4 : Platform::StrEq(size, QStringLiteral("M")) ? 8 : 16;
  const Platform::Color colours[2] = {modOptions::option_Transparent_BG_Color[0] & 0xFFFFFFu,
                                      modOptions::option_Transparent_BG_Color[1] & 0xFFFFFFu};
  QImage& img = board->Image();
  const int width = img.width();
  // The two kinds of pixel row: starting with a cell of colour 0 or of colour 1.
  std::vector<uchar> rows[2];
  for (int kind = 0; kind < 2; ++kind) {
    rows[kind].resize(size_t(width) * 3);
    for (int x = 0; x < width; ++x) {
      const Platform::Color col = colours[((x / c) + kind) & 1];
      rows[kind][size_t(x) * 3] = uchar(Platform::Red(col));
      rows[kind][size_t(x) * 3 + 1] = uchar(Platform::Green(col));
      rows[kind][size_t(x) * 3 + 2] = uchar(Platform::Blue(col));
    }
  }
  for (int y = 0; y < img.height(); ++y) std::memcpy(img.scanLine(y), rows[(y / c) & 1].data(), rows[0].size());
  board->Transparent = 0;
}

}  // namespace modMAIN
