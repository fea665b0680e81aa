#include "core/PatternFills.h"

#include <QPainter>
#include <cstring>
#include <vector>

#include "platform/Graphics.h"
#include "platform/RuntimeError.h"

namespace PatternFills {

using Platform::Color;
using Platform::Picture;
using Platform::PicturePtr;

namespace {

constexpr QRgb kOpaqueWhite = 0xFFFFFFFFu;

// n pixels of one tile row, starting at tile column tx, as a plain copy in runs of 32.
void CopyTiled(QRgb* d, int n, const QRgb* tileRow, int tx) {
  QRgb twice[2 * kTileSize];
  std::memcpy(twice, tileRow, sizeof(QRgb) * kTileSize);
  std::memcpy(twice + kTileSize, tileRow, sizeof(QRgb) * kTileSize);
  const QRgb* src = twice + tx;
  int i = 0;
  for (; i + kTileSize <= n; i += kTileSize) std::memcpy(d + i, src, sizeof(QRgb) * kTileSize);
  if (i < n) std::memcpy(d + i, src, sizeof(QRgb) * size_t(n - i));
}

struct Seed {
  int x1, x2, y, dy;
};

// The scanline flood over an RGB32 plane: fills the 4-connected pixels of the seed's colour with `fill`
// (whose colour must differ from the seed's) and calls onSpan(y, x1, x2) for each run it filled. Every
// pixel is looked at a bounded number of times, so the work grows with the area filled.
template <typename OnSpan>
QRect ScanFill(QImage& img, int x, int y, QRgb fill, OnSpan&& onSpan) {
  const int w = img.width(), h = img.height();
  uchar* bits = img.bits();
  const qsizetype bpl = img.bytesPerLine();
  auto rowAt = [&](int yy) { return reinterpret_cast<QRgb*>(bits + qsizetype(yy) * bpl); };
  const QRgb target = rowAt(y)[x] & 0xFFFFFFu;
  auto inside = [target](const QRgb* r, int xx) { return (r[xx] & 0xFFFFFFu) == target; };
  int left = w, right = -1, top = h, bottom = -1;
  std::vector<Seed> stack;
  stack.push_back({x, x, y, 1});
  stack.push_back({x, x, y - 1, -1});
  while (!stack.empty()) {
    const Seed s = stack.back();
    stack.pop_back();
    if (s.y < 0 || s.y >= h) continue;
    QRgb* r = rowAt(s.y);
    int x1 = s.x1;
    const int x2 = s.x2;
    int xx = x1;
    if (inside(r, xx)) {
      while (xx > 0 && inside(r, xx - 1)) r[--xx] = fill;
      if (xx < x1) stack.push_back({xx, x1 - 1, s.y - s.dy, -s.dy});
    }
    while (x1 <= x2) {
      while (x1 < w && inside(r, x1)) r[x1++] = fill;
      if (x1 > xx) {
        stack.push_back({xx, x1 - 1, s.y + s.dy, s.dy});
        onSpan(s.y, xx, x1 - 1);
        left = std::min(left, xx);
        right = std::max(right, x1 - 1);
        top = std::min(top, s.y);
        bottom = std::max(bottom, s.y);
      }
      if (x1 - 1 > x2) stack.push_back({x2 + 1, x1 - 1, s.y - s.dy, -s.dy});
      ++x1;
      while (x1 < x2 && !inside(r, x1)) ++x1;
      xx = x1;
    }
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Runs the flood on the picture's plane as RGB32: a plane of another layout is converted there and back.
// The picture learns the bounds of what the flood filled once it is done; a flood stopped part way (no
// memory for its runs) may have changed any pixel of the plane, so the picture counts as changed whole.
template <typename F>
QRect OnRgb32(Picture& pic, F&& flood) {
  QImage& img = pic.ImageFor(QRect());
  if (img.format() == QImage::Format_RGB32) {
    QRect filled;
    try {
      filled = flood(img);
    } catch (...) {
      pic.NoteChanged(QRect(0, 0, pic.Width(), pic.Height()));
      throw;
    }
    pic.NoteChanged(filled);
    return filled;
  }
  QImage work = img.convertToFormat(QImage::Format_RGB32);
  if (work.isNull()) throw Platform::OutOfMemoryException(QStringLiteral("Not enough memory to fill the picture"));
  const QRect filled = flood(work);
  if (!filled.isEmpty()) {
    QImage back = work.convertToFormat(img.format());
    if (back.isNull()) throw Platform::OutOfMemoryException(QStringLiteral("Not enough memory to fill the picture"));
    img = back;
    pic.NoteChanged(QRect(0, 0, pic.Width(), pic.Height()));
  }
  return filled;
}

bool InPicture(const Picture& pic, int x, int y) { return x >= 0 && y >= 0 && x < pic.Width() && y < pic.Height(); }

}  // namespace

Tile SolidTile(Color colour) {
  Tile t;
  t.fill(Platform::ToQRgb(colour));
  return t;
}

QPoint SheetCell(int n) { return QPoint((n % 8) * 33 + 1, (n / 8) * 33 + 1); }

Tile PatternTile(const PicturePtr& sheet, int n, Color fg, Color bg) {
  // The cell is drawn onto white, so whatever of it the sheet does not cover stays white.
  const PicturePtr cell = Picture::Create(kTileSize, kTileSize, 32);
  if (sheet) {
    const QPoint c = SheetCell(n);
    cell->Graphics().DrawPicture(sheet, 0, 0, kTileSize, kTileSize, c.x(), c.y(), kTileSize, kTileSize);
  }
  // One table per channel: 0 takes the foreground's channel, 255 the background's, the rest 0.
  uchar red[256] = {}, green[256] = {}, blue[256] = {};
  red[0] = uchar(Platform::Red(fg));
  green[0] = uchar(Platform::Green(fg));
  blue[0] = uchar(Platform::Blue(fg));
  red[255] = uchar(Platform::Red(bg));
  green[255] = uchar(Platform::Green(bg));
  blue[255] = uchar(Platform::Blue(bg));
  Tile t;
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x) {
      const Color c = cell->Pixel(x, y);
      t[y * kTileSize + x] = qRgb(red[Platform::Red(c)], green[Platform::Green(c)], blue[Platform::Blue(c)]);
    }
  return t;
}

QImage ShapeMask(const QRect& box, const QRect& area, Shape shape, int arcW, int arcH) {
  QImage mask = Platform::AllocateImage(area.width(), area.height(), QImage::Format_Grayscale8);
  mask.fill(255);
  QPainter p(&mask);
  p.translate(-area.left(), -area.top());
  // The shapes of the drawing context, in black, with the old renderer.
  Platform::Graphics g(&p, area.right() + 1, area.bottom() + 1);
  g.SetAntiAlias(false);
  g.SetForeColor(0x000000);
  switch (shape) {
    case Shape::Oval: g.FillOval(box.x(), box.y(), box.width(), box.height()); break;
    case Shape::RoundRect: g.FillRoundRect(box.x(), box.y(), box.width(), box.height(), arcW, arcH); break;
    case Shape::Rect: g.FillRect(box.x(), box.y(), box.width(), box.height()); break;
  }
  return mask;
}

void Fill(Picture& target, const QRect& box, const Tile& tile, bool skipWhite, Shape shape, int arcW, int arcH,
          QPoint origin) {
  const QRect area = box.intersected(QRect(0, 0, target.Width(), target.Height()));
  if (area.isEmpty()) return;
  const QImage mask = shape == Shape::Rect ? QImage() : ShapeMask(box, area, shape, arcW, arcH);
  QImage& img = target.ImageFor(area);
  const bool rgb32 = img.format() == QImage::Format_RGB32;
  const int n = area.width();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const QRgb* tileRow = &tile[size_t(((y + origin.y()) & 31) * kTileSize)];
    const int tx = (area.left() + origin.x()) & 31;
    const uchar* m = mask.isNull() ? nullptr : mask.constScanLine(y - area.top());
    if (rgb32 && !m && !skipWhite) {
      CopyTiled(reinterpret_cast<QRgb*>(img.scanLine(y)) + area.left(), n, tileRow, tx);
      continue;
    }
    QRgb* d = rgb32 ? reinterpret_cast<QRgb*>(img.scanLine(y)) + area.left() : nullptr;
    for (int i = 0; i < n; ++i) {
      const QRgb c = tileRow[(tx + i) & 31];
      if ((m && m[i]) || (skipWhite && c == kOpaqueWhite)) continue;
      if (d) d[i] = c;
      else target.SetPixel(area.left() + i, y, Platform::FromQRgb(c));
    }
  }
}

QRect Flood(Picture& pic, int x, int y, Color colour) {
  if (!InPicture(pic, x, y) || pic.Pixel(x, y) == (colour & 0xFFFFFFu)) return QRect();
  return OnRgb32(pic, [&](QImage& img) { return ScanFill(img, x, y, Platform::ToQRgb(colour), [](int, int, int) {}); });
}

QRect FloodPattern(Picture& pic, int x, int y, const Tile& tile, const std::function<void(int row)>& rowDone) {
  if (!InPicture(pic, x, y)) return QRect();
  return OnRgb32(pic, [&](QImage& img) {
    // First the area itself, marked with a colour next to the seed's and remembered run by run, so that
    // the pattern goes exactly where the flood went, whatever colours the pattern and the rest of the
    // picture have.
    struct Span {
      int y, x1, x2;
    };
    std::vector<Span> spans;
    const QRgb marker = Platform::ToQRgb(pic.Pixel(x, y) ^ 0x000001u);
    const QRect filled = ScanFill(img, x, y, marker, [&](int sy, int x1, int x2) { spans.push_back({sy, x1, x2}); });
    // Then the pattern, row by row from the top: the runs sorted into rows by counting.
    const int h = img.height();
    std::vector<size_t> first(size_t(h) + 1, 0);
    for (const Span& s : spans) ++first[size_t(s.y) + 1];
    for (int r = 0; r < h; ++r) first[size_t(r) + 1] += first[size_t(r)];
    std::vector<uint32_t> order(spans.size());
    {
      std::vector<size_t> next(first.begin(), first.end() - 1);
      for (size_t i = 0; i < spans.size(); ++i) order[next[size_t(spans[i].y)]++] = uint32_t(i);
    }
    uchar* bits = img.bits();
    const qsizetype bpl = img.bytesPerLine();
    for (int r = 0; r < h; ++r) {
      QRgb* row = reinterpret_cast<QRgb*>(bits + qsizetype(r) * bpl);
      const QRgb* tileRow = &tile[size_t((r & 31) * kTileSize)];
      for (size_t k = first[size_t(r)]; k < first[size_t(r) + 1]; ++k) {
        const Span& s = spans[order[k]];
        CopyTiled(row + s.x1, s.x2 - s.x1 + 1, tileRow, s.x1 & 31);
      }
      if (rowDone) rowDone(r);
    }
    return filled;
  });
}

}  // namespace PatternFills
