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

namespace {
// The grid around the clipped box c, flooded: kOutside marks what the path does not enclose.
std::vector<unsigned char> Flooded_Grid(const Platform::Picture& path, const QRect& box, const QRect& c) {
  const int pw = path.Width(), ph = path.Height();
  // Where the pointer left the picture while drawing, the path runs on past the picture's edge: the
  // part of the box past that edge closes the path there.
  const int L = box.left(), T = box.top(), R = box.left() + box.width(), B = box.top() + box.height();
  const int gw = c.width() + 2 * kPad, gh = c.height() + 2 * kPad;
  const int ox = c.left() - kPad, oy = c.top() - kPad;
  std::vector<unsigned char> grid(size_t(gw) * size_t(gh), kOpen);
  std::vector<QRgb> line(static_cast<size_t>(pw));
  const bool direct = !path.Tiles() && path.Image().format() == QImage::Format_RGB32;
  // The columns of the grid that lie in the picture.
  const int inFrom = std::max(1, -ox), inTo = std::min(gw - 1, pw - ox);
  for (int gy = 1; gy < gh - 1; ++gy) {
    const int y = oy + gy;
    unsigned char* row = grid.data() + size_t(gy) * size_t(gw);
    const auto outside = [&](int gx) {
      const int x = ox + gx;
      return (x >= L && x <= R && y >= T && y <= B) ? kWall : kOpen;
    };
    if (y < 0 || y >= ph) {
      for (int gx = 1; gx < gw - 1; ++gx) row[gx] = outside(gx);
      continue;
    }
    const QRgb* src;
    if (direct) {
      src = reinterpret_cast<const QRgb*>(path.Image().constScanLine(y));
    } else {
      path.ReadRow(y, line.data());
      src = line.data();
    }
    for (int gx = 1; gx < inFrom; ++gx) row[gx] = outside(gx);
    const QRgb* in = src + (ox + inFrom);
    for (int gx = inFrom; gx < inTo; ++gx, ++in) row[gx] = (*in & 0xFFFFFFu) != 0xFFFFFFu ? kWall : kOpen;
    for (int gx = std::max(inTo, 1); gx < gw - 1; ++gx) row[gx] = outside(gx);
  }
  FloodOutside(grid, gw, gh, 0, 0);
  return grid;
}
}  // namespace

Masks Convert(const Platform::Picture& path, const QRect& box, Color background) {
  Masks m;
  m.box = ClipBox(box, path.Width(), path.Height());
  if (m.box.isEmpty()) return m;
  const std::vector<unsigned char> grid = Flooded_Grid(path, box, m.box);
  const int w = m.box.width(), h = m.box.height(), gw = w + 2 * kPad;
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
    // Here a pixel is selected when its grid value is not kOutside.
    const unsigned char* s = grid.data() + size_t(j + kPad) * size_t(gw) + kPad;
    const unsigned char* above = j > 0 ? s - gw : nullptr;
    const unsigned char* below = j < h - 1 ? s + gw : nullptr;
    auto* shape = reinterpret_cast<QRgb*>(shapeImage.scanLine(j));
    auto* hole = reinterpret_cast<QRgb*>(holeImage.scanLine(j));
    uchar* mask = maskImage.scanLine(j);
    auto* out = reinterpret_cast<QRgb*>(outlineImage.scanLine(j));
    auto* out2 = reinterpret_cast<QRgb*>(outline2Image.scanLine(j));
    std::fill(hole, hole + w, fill);
    for (int i = 0; i < w; ++i) {
      const bool in = s[i] != kOutside;
      shape[i] = in ? kBlack : kWhite;
      mask[i] = in ? 0 : 255;
      // An outline pixel is a selected one whose row or column neighbour before it is unselected (or
      // that starts its row or column), or whose neighbour after it is unselected; the last of a row or
      // column has no neighbour after it.
      const bool edge = in && (i == 0 || s[i - 1] == kOutside || (i < w - 1 && s[i + 1] == kOutside) || !above ||
                               above[i] == kOutside || (below && below[i] == kOutside));
      out[i] = edge ? kBlack : kWhite;
      out2[i] = edge ? kGrey : kWhite;
    }
  }
  m.outline->Transparent = 1;
  m.outline2->Transparent = 1;
  return m;
}

}  // namespace FreehandMasks
