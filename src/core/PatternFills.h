#pragma once
// Pattern fills and the flood fill, as plain functions over pictures. A fill pattern is a 32 x 32 tile
// laid on a 32-pixel grid anchored at the origin of the picture it is drawn into, so that two areas
// filled side by side with the same pattern join without a seam.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <array>
#include <functional>

#include "platform/Picture.h"

namespace PatternFills {

constexpr int kTileSize = 32;
// Opaque pixels (QRgb), row by row.
using Tile = std::array<QRgb, kTileSize * kTileSize>;

// A tile of one colour.
Tile SolidTile(Platform::Color colour);

// The top-left pixel of pattern cell n of a pattern sheet: eight cells a row on a 33-pixel grid, with
// one-pixel lines between the cells.
QPoint SheetCell(int n);

// Cell n of the sheet recoloured channel by channel: a channel of 0 takes that channel of the foreground
// colour, 255 that of the background colour, any other value 0. So black becomes the foreground, white
// the background, and any grey black. Whatever of the cell lies outside the sheet, or all of it when
// there is no sheet, reads as white.
Tile PatternTile(const Platform::PicturePtr& sheet, int n, Platform::Color fg, Platform::Color bg);

enum class Shape { Rect, RoundRect, Oval };

// The shape inscribed in box (a rounded rectangle with corner ovals arcW x arcH, or an oval), filled
// without anti-aliasing, for the part `area` of the plane: a Grayscale8 image of area's size that is 0
// inside the shape and 255 outside, the form of a picture mask.
QImage ShapeMask(const QRect& box, const QRect& area, Shape shape, int arcW = 0, int arcH = 0);

// Fills the part of box that lies inside the picture with the tile: picture pixel (X, Y) takes tile
// pixel ((X + origin.x) & 31, (Y + origin.y) & 31). With skipWhite the tile's pure white pixels are not
// drawn. A shape other than Rect fills only the pixels inside the shape inscribed in box.
void Fill(Platform::Picture& target, const QRect& box, const Tile& tile, bool skipWhite,
          Shape shape = Shape::Rect, int arcW = 0, int arcH = 0, QPoint origin = QPoint());

// Floods the 4-connected area of pixels that have exactly the colour of the seed (x, y) with the colour.
// Answers the bounds of the pixels it filled: empty for a seed outside the picture or a colour equal to
// the seed's. The work grows with the pixels filled.
QRect Flood(Platform::Picture& pic, int x, int y, Platform::Color colour);

// Floods the same area as Flood with the tile anchored at the picture's origin; every pixel of the area
// takes the pattern, and no pixel outside it changes. rowDone, when given, is called after each row of
// the picture, from the top, once the pattern is in place there (for progress reports).
QRect FloodPattern(Platform::Picture& pic, int x, int y, const Tile& tile,
                   const std::function<void(int row)>& rowDone = {});

}  // namespace PatternFills
