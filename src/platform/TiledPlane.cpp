#include "platform/TiledPlane.h"

#include <cstring>
#include <new>
#include <type_traits>

#include "platform/Picture.h"
#include "platform/RuntimeError.h"

namespace Platform {

namespace {

// Copies n bytes; a whole 32-bit tile row is a fixed size that the compiler copies inline.
inline void CopyBytes(uchar* d, const uchar* s, size_t n) {
  if (n == TiledPlane::kTile * 4) std::memcpy(d, s, TiledPlane::kTile * 4);
  else std::memcpy(d, s, n);
}

inline bool SameBytes(const uchar* a, const uchar* b, size_t n) {
  if (n == TiledPlane::kTile * 4) return std::memcmp(a, b, TiledPlane::kTile * 4) == 0;
  return std::memcmp(a, b, n) == 0;
}

}  // namespace

TiledPlane::TiledPlane(int w, int h, int depth) : w_(w), h_(h), depth_(depth == 24 ? 24 : 32), bpp_(depth_ / 8) {
  tiles_.resize(size_t(Columns()) * size_t(Rows()));
}

int TiledPlane::TileWidth(int column) const { return std::min(kTile, w_ - column * kTile); }
int TiledPlane::TileHeight(int row) const { return std::min(kTile, h_ - row * kTile); }

const uchar* TiledPlane::TileRow(int column, int row, int r) const {
  const Tile& t = tiles_[size_t(row) * size_t(Columns()) + size_t(column)];
  return t.bytes.get() + size_t(r) * t.stride;
}

TiledPlanePtr TiledPlane::Over(const QImage& image) {
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_RGB888)
    return FromImage(image, 32);
  std::shared_ptr<TiledPlane> plane(new TiledPlane(image.width(), image.height(),
                                                   image.format() == QImage::Format_RGB888 ? 24 : 32));
  // The plane holds its own reference to the image's pixels: a writer of the image detaches from it.
  const auto pixels = std::make_shared<const QImage>(image);
  const uchar* bits = pixels->constBits();
  const size_t stride = size_t(pixels->bytesPerLine());
  for (int ty = 0; ty < plane->Rows(); ++ty)
    for (int c = 0; c < plane->Columns(); ++c) {
      const uchar* first = bits + size_t(ty) * kTile * stride + size_t(c) * kTile * size_t(plane->bpp_);
      plane->tiles_[size_t(ty) * size_t(plane->Columns()) + size_t(c)] = Tile{std::shared_ptr<const uchar>(pixels, first), stride};
    }
  return plane;
}

TiledPlanePtr TiledPlane::FromImage(const QImage& source, int depth, const TiledPlane* like, const QRect* changed) {
  QImage converted;
  const QImage* image = &source;
  if (source.format() != QImage::Format_RGB32 && source.format() != QImage::Format_RGB888) {
    converted = source.convertToFormat(QImage::Format_RGB32);
    if (converted.isNull()) throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
    image = &converted;
  }
  if (AllocationRefused(qint64(image->width()) * image->height() * (depth == 24 ? 3 : 4)))
    throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
  std::shared_ptr<TiledPlane> plane(new TiledPlane(image->width(), image->height(), depth));
  const bool share = like && like->w_ == plane->w_ && like->h_ == plane->h_ && like->depth_ == plane->depth_;
  // Only the tiles that meet the changed area need a look; the others are the same as like's.
  QRect look(0, 0, plane->w_, plane->h_);
  if (share && changed) look = changed->intersected(look);
  const int bpp = plane->bpp_, columns = plane->Columns();
  const int c0 = look.isEmpty() ? 0 : look.left() / kTile, c1 = look.isEmpty() ? -1 : look.right() / kTile;
  const bool same = image->format() == plane->Format();
  const bool from32 = image->format() == QImage::Format_RGB32;
  const int srcBpp = from32 ? 4 : 3;
  std::vector<uchar> scratch(size_t(kTile) * 4);
  std::vector<std::shared_ptr<uchar[]>> fresh(static_cast<size_t>(columns));
  try {
    for (int ty = 0; ty * kTile < plane->h_; ++ty) {
      const int th = plane->TileHeight(ty);
      for (auto& t : fresh) t.reset();
      const bool looked = !look.isEmpty() && ty * kTile <= look.bottom() && ty * kTile + th > look.top();
      for (int r = 0; looked && r < th; ++r) {
        const uchar* row = image->constScanLine(ty * kTile + r);
        for (int c = c0; c <= c1; ++c) {
          const int tw = plane->TileWidth(c);
          const size_t rowBytes = size_t(tw) * size_t(bpp);
          const uchar* seg = row + size_t(c) * kTile * size_t(srcBpp);
          const uchar* bytes = seg;
          if (!same) {
            if (from32) Rgb32ToRgb888(reinterpret_cast<const QRgb*>(seg), scratch.data(), tw);
            else Rgb888ToRgb32(seg, reinterpret_cast<QRgb*>(scratch.data()), tw);
            bytes = scratch.data();
          }
          std::shared_ptr<uchar[]>& tile = fresh[size_t(c)];
          if (!tile) {
            if (share && SameBytes(like->TileRow(c, ty, r), bytes, rowBytes)) continue;
            tile = std::make_shared_for_overwrite<uchar[]>(rowBytes * size_t(th));
            // The rows above were equal to the tile this one is made from.
            for (int above = 0; above < r; ++above)
              std::memcpy(tile.get() + rowBytes * size_t(above), like->TileRow(c, ty, above), rowBytes);
          }
          CopyBytes(tile.get() + rowBytes * size_t(r), bytes, rowBytes);
        }
      }
      for (int c = 0; c < columns; ++c) {
        const size_t at = size_t(ty) * size_t(columns) + size_t(c);
        if (fresh[size_t(c)]) {
          const size_t stride = size_t(plane->TileWidth(c)) * size_t(bpp);
          const uchar* first = fresh[size_t(c)].get();
          plane->tiles_[at] = Tile{std::shared_ptr<const uchar>(std::move(fresh[size_t(c)]), first), stride};
        } else {
          plane->tiles_[at] = like->tiles_[at];
        }
      }
    }
  } catch (const std::bad_alloc&) {
    throw OutOfMemoryException(QStringLiteral("Not enough memory to copy the picture"));
  }
  return plane;
}

Color TiledPlane::Pixel(int x, int y) const {
  const uchar* p = TileRow(x / kTile, y / kTile, y % kTile) + size_t(x % kTile) * size_t(bpp_);
  if (bpp_ == 3) return RGB(p[0], p[1], p[2]);
  QRgb c;
  std::memcpy(&c, p, 4);
  return FromQRgb(c);
}

void TiledPlane::CopyInto(QImage& dst) const { CopyInto(dst, QRect(0, 0, w_, h_)); }

void TiledPlane::CopyInto(QImage& dst, const QRect& wanted) const {
  const QRect area = wanted.intersected(QRect(0, 0, w_, h_));
  if (area.isEmpty()) return;
  const bool to32 = dst.format() == QImage::Format_RGB32;
  const bool same = dst.format() == Format();
  const size_t dstBpp = to32 ? 4 : 3;
  const int c0 = area.left() / kTile, c1 = area.right() / kTile;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const int ty = y / kTile, r = y % kTile;
    uchar* row = dst.scanLine(y);
    for (int c = c0; c <= c1; ++c) {
      // The part of this tile's row inside the area.
      const int x0 = std::max(area.left(), c * kTile), x1 = std::min(area.right() + 1, c * kTile + TileWidth(c));
      const uchar* src = TileRow(c, ty, r) + size_t(x0 - c * kTile) * size_t(bpp_);
      uchar* d = row + size_t(x0) * dstBpp;
      const int n = x1 - x0;
      if (same) {
        // Whole 32-bit tile rows are a fixed size that the compiler copies inline.
        if (n == kTile && bpp_ == 4) std::memcpy(d, src, size_t(kTile) * 4);
        else std::memcpy(d, src, size_t(n) * size_t(bpp_));
      } else if (to32) {
        Rgb888ToRgb32(src, reinterpret_cast<QRgb*>(d), n);
      } else {
        Rgb32ToRgb888(reinterpret_cast<const QRgb*>(src), d, n);
      }
    }
  }
}

void TiledPlane::ReadRow(int y, QRgb* out) const {
  for (int c = 0; c < Columns(); ++c) {
    const int tw = TileWidth(c);
    const uchar* src = TileRow(c, y / kTile, y % kTile);
    if (bpp_ == 3) Rgb888ToRgb32(src, out + c * kTile, tw);
    else std::memcpy(out + c * kTile, src, size_t(tw) * 4);
  }
}

size_t TiledPlane::TileBytes(std::unordered_set<const void*>& seen) const {
  size_t bytes = 0;
  const int columns = Columns();
  for (size_t i = 0; i < tiles_.size(); ++i)
    if (seen.insert(tiles_[i].bytes.get()).second)
      bytes += size_t(TileWidth(int(i % size_t(columns)))) * size_t(TileHeight(int(i / size_t(columns)))) * size_t(bpp_);
  return bytes;
}

std::vector<QRect> TiledPlane::Differences(const TiledPlane& other) const {
  if (other.w_ != w_ || other.h_ != h_ || other.depth_ != depth_) return {QRect(0, 0, w_, h_)};
  std::vector<QRect> areas;
  for (int ty = 0; ty < Rows(); ++ty)
    for (int c = 0; c < Columns(); ++c) {
      const size_t at = size_t(ty) * size_t(Columns()) + size_t(c);
      if (tiles_[at].bytes.get() == other.tiles_[at].bytes.get()) continue;
      // Tiles side by side in one row make one area.
      const QRect tile = TileRect(c, ty);
      if (!areas.empty() && areas.back().top() == tile.top() && areas.back().right() + 1 == tile.left())
        areas.back().setRight(tile.right());
      else
        areas.push_back(tile);
    }
  return areas;
}

}  // namespace Platform
