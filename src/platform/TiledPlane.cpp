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
  tiles_.resize(size_t(Columns()) * size_t((h_ + kTile - 1) / kTile));
}

int TiledPlane::TileWidth(int column) const { return std::min(kTile, w_ - column * kTile); }
int TiledPlane::TileHeight(int row) const { return std::min(kTile, h_ - row * kTile); }

const uchar* TiledPlane::TileRow(int column, int row, int r) const {
  return tiles_[size_t(row) * size_t(Columns()) + size_t(column)].get() + size_t(r) * size_t(TileWidth(column) * bpp_);
}

TiledPlanePtr TiledPlane::FromImage(const QImage& source, int depth, const TiledPlane* like) {
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
  const int bpp = plane->bpp_, columns = plane->Columns();
  const bool same = image->format() == plane->Format();
  const bool from32 = image->format() == QImage::Format_RGB32;
  const int srcBpp = from32 ? 4 : 3;
  std::vector<uchar> scratch(size_t(kTile) * 4);
  std::vector<std::shared_ptr<uchar[]>> fresh(static_cast<size_t>(columns));
  try {
    for (int ty = 0; ty * kTile < plane->h_; ++ty) {
      const int th = plane->TileHeight(ty);
      for (auto& t : fresh) t.reset();
      for (int r = 0; r < th; ++r) {
        const uchar* row = image->constScanLine(ty * kTile + r);
        for (int c = 0; c < columns; ++c) {
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
            if (r > 0) std::memcpy(tile.get(), like->TileRow(c, ty, 0), rowBytes * size_t(r));
          }
          CopyBytes(tile.get() + rowBytes * size_t(r), bytes, rowBytes);
        }
      }
      for (int c = 0; c < columns; ++c) {
        const size_t at = size_t(ty) * size_t(columns) + size_t(c);
        plane->tiles_[at] = fresh[size_t(c)] ? Tile(std::move(fresh[size_t(c)])) : like->tiles_[at];
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

void TiledPlane::CopyInto(QImage& dst) const {
  const bool to32 = dst.format() == QImage::Format_RGB32;
  const bool same = dst.format() == Format();
  const size_t dstStep = size_t(kTile) * (to32 ? 4 : 3);
  const int columns = Columns();
  const size_t last = size_t(TileWidth(columns - 1)) * size_t(bpp_);
  const uchar* const* tiles = nullptr;
  std::vector<const uchar*> band(static_cast<size_t>(columns));
  for (int y = 0; y < h_; ++y) {
    const int r = y % kTile;
    if (r == 0) {
      for (int c = 0; c < columns; ++c) band[size_t(c)] = tiles_[size_t(y / kTile) * size_t(columns) + size_t(c)].get();
      tiles = band.data();
    }
    uchar* d = dst.scanLine(y);
    if (same) {
      // Whole tile rows are copied at their fixed size, inline.
      auto rows = [&](auto size) {
        for (int c = 0; c + 1 < columns; ++c, d += dstStep) std::memcpy(d, tiles[c] + size_t(r) * size, size);
      };
      if (bpp_ == 4) rows(std::integral_constant<size_t, size_t(kTile) * 4>());
      else rows(std::integral_constant<size_t, size_t(kTile) * 3>());
      std::memcpy(d, tiles[columns - 1] + size_t(r) * last, last);
      continue;
    }
    for (int c = 0; c < columns; ++c, d += dstStep) {
      const int tw = TileWidth(c);
      const uchar* src = tiles[c] + size_t(r) * size_t(tw) * size_t(bpp_);
      if (to32) Rgb888ToRgb32(src, reinterpret_cast<QRgb*>(d), tw);
      else Rgb32ToRgb888(reinterpret_cast<const QRgb*>(src), d, tw);
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
    if (seen.insert(tiles_[i].get()).second)
      bytes += size_t(TileWidth(int(i % size_t(columns)))) * size_t(TileHeight(int(i / size_t(columns)))) * size_t(bpp_);
  return bytes;
}

}  // namespace Platform
