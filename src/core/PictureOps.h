#pragma once
// The pixel algorithms of the whole-picture operations: quarter and half turns, the free rotation, flips,
// nearest-neighbour scaling and the canvas-size copy. Plain functions over pictures, working on scan
// lines, so that the editing commands and the benchmarks call the same code.
#include <QRect>
#include <QSize>
#include <functional>
#include <vector>

#include "platform/Picture.h"

namespace PictureOps {

using Platform::Picture;
using Platform::PicturePtr;

// Receives the units of work finished since its last call: the width of one source row per row done.
using Progress = std::function<void(int32_t)>;

// ---- Quarter and half turns (clockwise on screen: after 90 the top-left pixel is the top-right one) ----
// The Into forms write every pixel of dst, a 32-bit picture of the turned size (w and h swapped for 90
// and 270); src may be 24 or 32 bits.
void Turn90Into(const Picture& src, Picture& dst, const Progress& progress = {});
void Turn180Into(const Picture& src, Picture& dst, const Progress& progress = {});
void Turn270Into(const Picture& src, Picture& dst, const Progress& progress = {});
// A new 32-bit picture: src turned by 90, 180 or 270 degrees.
PicturePtr Turn(const Picture& src, int angle, const Progress& progress = {});

// ---- Free rotation ----
// Sine and cosine of an angle in degrees; exact for multiples of 90, so that those angles map whole
// pixels onto whole pixels.
void SinCosDegrees(double degrees, double& s, double& c);
// The turned position of source pixel (x, y): the vector from the source centre, turned clockwise on
// screen, added to the target centre; worked out in double precision and kept in single precision.
struct Rotation {
  Rotation(int srcW, int srcH, int dstW, int dstH, double degrees);
  void Map(int x, int y, float& px, float& py) const {
    px = float(nx + (cdx[size_t(x)] - sdy[size_t(y)]));
    py = float(ny + (sdx[size_t(x)] + cdy[size_t(y)]));
  }
  double nx = 0, ny = 0;
  std::vector<double> cdx, sdx;  // per source column: cos and sin times the distance from the centre
  std::vector<double> sdy, cdy;  // per source row: sin and cos times the distance from the centre
};
// The size of the freely turned picture: the bounding box of the four turned corners, each coordinate
// made a whole number by the program's conversion; never below 1 x 1.
QSize FreeRotatedSize(int w, int h, double degrees);
// Maps every source pixel forward onto dst (a 32-bit picture of FreeRotatedSize) and writes its colour
// to the four pixels around its turned position (floor and ceiling of each coordinate); writes outside
// dst are skipped. Nothing is blended: where those 2 x 2 squares overlap, the pixel that comes later
// with columns left to right, rows top to bottom within a column, wins. Pixels that no square reaches
// keep their value.
void FreeRotateInto(const Picture& src, Picture& dst, double degrees, const Progress& progress = {});
// A new white 32-bit picture of FreeRotatedSize with src mapped onto it.
PicturePtr FreeRotate(const Picture& src, double degrees, const Progress& progress = {});

// ---- Flips ----
// Mirrors the area of the picture in place: columns reversed (horizontal) or rows reversed. Where the
// area reaches outside the picture, the mirrored place of an outside pixel becomes white.
void Flip(Picture& pic, const QRect& area, bool horizontal);

// ---- Masks ----
// Makes the shape picture (black inside, white outside) the target's mask from the top-left corner, the
// mask being made when the target has none; the grey of each shape pixel becomes the mask level.
void CopyToMask(const Picture& shape, Picture& target);

// ---- Scaling and canvas size ----
// The source pixel under the centre of target pixel i when the length source pixels from start are
// scaled onto targetLength pixels.
inline int ScaledIndex(int i, int start, int length, int targetLength) {
  return start + int((2 * qint64(i) + 1) * length / (2 * qint64(targetLength)));
}
// One row of nearest-neighbour scaling: dst[x] = src[xs[x]] for x below w, every index inside the source
// row of srcWidth pixels.
void ScaleRow(const QRgb* src, int srcWidth, const int* xs, QRgb* dst, int w);
// Nearest-neighbour scaling of the source area onto the whole of dst (32 bits); source pixels outside
// the picture count as white.
void ScaleInto(const Picture& src, const QRect& area, Picture& dst);
// A new picture of w x h at the depth (24 or 32) holding the scaled area.
PicturePtr Scale(const Picture& src, const QRect& area, int w, int h, int depth);
// Copies the part of src that dst can hold into dst's top-left corner, unscaled; the rest of dst keeps
// its pixels.
void CanvasCopyInto(const Picture& src, Picture& dst);
// A new white picture of w x h at the depth with src's top-left part copied in.
PicturePtr CanvasResized(const Picture& src, int w, int h, int depth);

}  // namespace PictureOps
