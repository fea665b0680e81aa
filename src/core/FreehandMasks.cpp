// The free-hand selection's passes. The path picture is read once into a byte grid around the box, two
// pixels wider on every side; the grid's outermost ring is always open, so the flood that marks the
// outside starts there, outside any path, wherever the path lies. Everything the flood does not reach is
// the path or enclosed by it.
#include "core/FreehandMasks.h"

#include <algorithm>
#include <vector>

namespace FreehandMasks {

namespace {

constexpr unsigned char kOpen = 0, kWall = 1, kOutside = 2;
constexpr int kPad = 2;
constexpr QRgb kBlack = 0xFF000000u, kWhite = 0xFFFFFFFFu, kGrey = 0xFFC0C0C0u;

// Floods the 4-connected open area around the seed (x, y) with kOutside, span by span.
void FloodOutside(std::vector<unsigned char>& grid, int w, int h, int x, int y) {
  std::vector<std::pair<int, int>> stack;
  stack.emplace_back(x, y);
  while (!stack.empty()) {
    const auto [sx, sy] = stack.back();
    stack.pop_back();
    unsigned char* row = grid.data() + size_t(sy) * size_t(w);
    if (row[sx] != kOpen) continue;
    int lx = sx, rx = sx;
    while (lx > 0 && row[lx - 1] == kOpen) --lx;
    while (rx < w - 1 && row[rx + 1] == kOpen) ++rx;
    std::fill(row + lx, row + rx + 1, kOutside);
    for (const int ny : {sy - 1, sy + 1}) {
      if (ny < 0 || ny >= h) continue;
      const unsigned char* next = grid.data() + size_t(ny) * size_t(w);
      // One seed per run of open pixels along the filled span.
      for (int i = lx; i <= rx; ++i)
        if (next[i] == kOpen && (i == lx || next[i - 1] != kOpen)) stack.emplace_back(i, ny);
    }
  }
}

}  // namespace

QRect ClipBox(const QRect& box, int w, int h) {
  const QRect clipped = box.intersected(QRect(0, 0, w, h));
  return clipped.isValid() ? clipped : QRect();
}

std::vector<unsigned char> Enclosed(const Platform::Picture& path, const QRect& box) {
  const int pw = path.Width(), ph = path.Height();
  const QRect c = ClipBox(box, pw, ph);
  if (c.isEmpty()) return {};
  // Where the pointer left the picture while drawing, the path runs on past the picture's edge: the
  // part of the box past that edge closes the path there.
  const int L = box.left(), T = box.top(), R = box.left() + box.width(), B = box.top() + box.height();
  const int gw = c.width() + 2 * kPad, gh = c.height() + 2 * kPad;
  const int ox = c.left() - kPad, oy = c.top() - kPad;
  std::vector<unsigned char> grid(size_t(gw) * size_t(gh), kOpen);
  std::vector<QRgb> line(static_cast<size_t>(pw));
  for (int gy = 1; gy < gh - 1; ++gy) {
    const int y = oy + gy;
    unsigned char* row = grid.data() + size_t(gy) * size_t(gw);
    const bool rowInside = y >= 0 && y < ph;
    if (rowInside) path.ReadRow(y, line.data());
    for (int gx = 1; gx < gw - 1; ++gx) {
      const int x = ox + gx;
      if (rowInside && x >= 0 && x < pw) row[gx] = (line[size_t(x)] & 0xFFFFFFu) != 0xFFFFFFu ? kWall : kOpen;
      else row[gx] = (x >= L && x <= R && y >= T && y <= B) ? kWall : kOpen;
    }
  }
  FloodOutside(grid, gw, gh, 0, 0);
  std::vector<unsigned char> selected(size_t(c.width()) * size_t(c.height()));
  for (int j = 0; j < c.height(); ++j) {
    const unsigned char* g = grid.data() + size_t(j + kPad) * size_t(gw) + kPad;
    unsigned char* s = selected.data() + size_t(j) * size_t(c.width());
    for (int i = 0; i < c.width(); ++i) s[i] = g[i] != kOutside;
  }
  return selected;
}

Masks Convert(const Platform::Picture& path, const QRect& box, Color background) {
  Masks m;
  const std::vector<unsigned char> sel = Enclosed(path, box);
  if (sel.empty()) return m;
  m.box = ClipBox(box, path.Width(), path.Height());
  const int w = m.box.width(), h = m.box.height();
  m.shape = Platform::Picture::CreateUnfilled(w, h, 32);
  m.hole = Platform::Picture::CreateUnfilled(w, h, 32);
  m.outline = Platform::Picture::CreateUnfilled(w, h, 32);
  m.outline2 = Platform::Picture::CreateUnfilled(w, h, 32);
  const PicturePtr holeMask = m.hole->Mask();
  const QRgb fill = 0xFF000000u | (background & 0xFFFFFFu);
  QImage& shapeImage = m.shape->Image();
  QImage& holeImage = m.hole->Image();
  QImage& maskImage = holeMask->Image();
  QImage& outlineImage = m.outline->Image();
  QImage& outline2Image = m.outline2->Image();
  for (int j = 0; j < h; ++j) {
    const unsigned char* s = sel.data() + size_t(j) * size_t(w);
    const unsigned char* above = j > 0 ? s - w : nullptr;
    const unsigned char* below = j < h - 1 ? s + w : nullptr;
    auto* shape = reinterpret_cast<QRgb*>(shapeImage.scanLine(j));
    auto* hole = reinterpret_cast<QRgb*>(holeImage.scanLine(j));
    uchar* mask = maskImage.scanLine(j);
    auto* out = reinterpret_cast<QRgb*>(outlineImage.scanLine(j));
    auto* out2 = reinterpret_cast<QRgb*>(outline2Image.scanLine(j));
    std::fill(hole, hole + w, fill);
    for (int i = 0; i < w; ++i) {
      const bool in = s[i] != 0;
      shape[i] = in ? kBlack : kWhite;
      mask[i] = in ? 0 : 255;
      // An outline pixel is a selected one whose row or column neighbour before it is unselected (or
      // that starts its row or column), or whose neighbour after it is unselected; the last of a row or
      // column has no neighbour after it.
      const bool edge = in && (i == 0 || !s[i - 1] || (i < w - 1 && !s[i + 1]) || !above || !above[i] ||
                               (below && !below[i]));
      out[i] = edge ? kBlack : kWhite;
      out2[i] = edge ? kGrey : kWhite;
    }
  }
  m.outline->Transparent = 1;
  m.outline2->Transparent = 1;
  return m;
}

}  // namespace FreehandMasks
