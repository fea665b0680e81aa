#pragma once
// The partial colour mode: the picture is shown in grey levels, and the pencil and the rectangle tool
// bring back its colours (a pen without red) or its grey (any other pen) by copying pixels from the two
// copies taken when the mode began.
#include <QImage>
#include <QString>

#include "core/Points.h"
#include "platform/Array.h"
#include "platform/Picture.h"

namespace modColorSplash {

// 0 off, else the number of grey levels (4, 16 or 256).
inline int32_t ColorSplash_Mode = 0;
// The pictures the partial colour painting uses: (0) the colour copy, (1) the grey copy, (2) the working
// picture, renewed after every rebuild of the working picture while the mode is on. Empty while off.
inline Platform::Array<Platform::PicturePtr> ColorSplash_RGB(3);
// (0) the colour copy and (1) the grey copy, taken when the mode began; empty while off.
inline Platform::Array<Platform::PicturePtr> ColorSplash_Picture(2);
// The history index of the state on which the mode began (the colour picture). It follows that state
// when the history drops its oldest one, and is -1 once the state has left the history.
inline int32_t ColorSplash_Pointer = 0;
inline const QString ColorSplash_Name = QStringLiteral("Partial Color Mode");

// levels 4, 16 or 256 switch the mode on (the picture turns grey as one undo step); 0 switches it off.
void Switch_ColorSplash_Mode(int32_t levels);
// A pencil segment: squares of side 2 x pencil size - 1 along the line, copied from the copy the pen
// colour chooses into the working picture. Changes nothing while the mode is off.
void ColorSplash_Line(modMAIN::point_record from_pt, modMAIN::point_record to_pt);
// Copies the rectangle (w and h may be negative) from the chosen copy into the working picture.
void ColorSplash_Rect(int32_t x, int32_t y, int32_t w, int32_t h);
// Every global back at its start value, the mode off.
void Reset_Globals();
// Keeps the pointer on the colour picture when the history drops its oldest state.
void History_Dropped_Oldest();

// The pixel work, on plain pictures. Both copy only pixels inside both pictures.
// Copies the squares of half-side s (side 2s + 1) centred on the points of the line from (x, y) to
// (x2, y2), both ends included.
void Copy_Square_Line(const QImage& source, QImage& target, int32_t x, int32_t y, int32_t x2, int32_t y2, int32_t s);
// Copies the rectangle; a negative width covers the columns x + w to x - 1, likewise for the height.
void Copy_Rect(const QImage& source, QImage& target, int32_t x, int32_t y, int32_t w, int32_t h);

}  // namespace modColorSplash
