#pragma once
// A colour plane kept as square tiles, each shared by reference count with the other planes that hold
// the same pixels at the same place. The undo history keeps its pictures this way: a new state copies
// only the tiles in which it differs from the state it was made from. A plane never changes once made.
#include <QImage>
#include <QRect>
#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/Types.h"

namespace Platform {

class TiledPlane;
using TiledPlanePtr = std::shared_ptr<const TiledPlane>;

class TiledPlane {
 public:
  // The side of a tile in pixels; the tiles of the last column and row are cut to the picture.
  static constexpr int kTile = 64;

  // The plane of a 32-bit image (RGB32) kept at the depth (32: the 32-bit words as they are; 24: red,
  // green and blue bytes). Tiles equal to the tiles of `like` at the same place are shared with it when
  // `like` has the same size and depth; given `changed`, the image is known to differ from `like` only
  // inside that area, and the tiles outside it are shared without being looked at. Throws
  // OutOfMemoryException.
  static TiledPlanePtr FromImage(const QImage& image, int depth, const TiledPlane* like = nullptr,
                                 const QRect* changed = nullptr);
  // The plane of an image at the depth's format (RGB32 or RGB888) without copying a pixel: the tiles are
  // its own pixels, which the plane keeps as they are now (writing into the image afterwards gives the
  // writer a copy of its own).
  static TiledPlanePtr Over(const QImage& image);

  int Width() const { return w_; }
  int Height() const { return h_; }
  int Depth() const { return depth_; }
  QImage::Format Format() const { return depth_ == 24 ? QImage::Format_RGB888 : QImage::Format_RGB32; }

  // The colour (red, green, blue) of a pixel inside the plane.
  Color Pixel(int x, int y) const;
  // Copies the plane into an image of its size, RGB32 or RGB888, converting between them: the whole
  // plane, or the area alone.
  void CopyInto(QImage& dst) const;
  void CopyInto(QImage& dst, const QRect& area) const;
  // Row y as 32-bit pixels (opaque for a 24-bit plane).
  void ReadRow(int y, QRgb* out) const;
  // The bytes of the tiles not yet in `seen`, which takes them in: shared tiles count once.
  size_t TileBytes(std::unordered_set<const void*>& seen) const;
  // The tiles in which the two planes may differ (those not shared between them), as areas of the
  // picture; the whole picture when their sizes or depths differ.
  std::vector<QRect> Differences(const TiledPlane& other) const;

 private:
  // A tile's pixels: its first row and the distance in bytes from one row to the next.
  struct Tile {
    std::shared_ptr<const uchar> bytes;
    size_t stride = 0;
  };
  TiledPlane(int w, int h, int depth);
  int Columns() const { return (w_ + kTile - 1) / kTile; }
  int Rows() const { return (h_ + kTile - 1) / kTile; }
  int TileWidth(int column) const;
  int TileHeight(int row) const;
  QRect TileRect(int column, int row) const { return QRect(column * kTile, row * kTile, TileWidth(column), TileHeight(row)); }
  // Row r of tile (column, row).
  const uchar* TileRow(int column, int row, int r) const;

  int w_, h_, depth_, bpp_;
  std::vector<Tile> tiles_;  // row by row
};

}  // namespace Platform
