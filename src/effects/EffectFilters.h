#pragma once
// The pixel work of the photographic effects: channel maps, saturation, the diagonal blur with its
// half-size pyramid, sharpening on the grey averages, pixelation, nearest-neighbour resampling, red-eye
// removal and the whole chain of the effects window. Plain functions over pictures, so that the effects
// library and the benchmarks run the same code. Every component that a filter computes is kept in
// 0..255.
#include <array>
#include <cstdint>

#include "platform/Picture.h"

namespace EffectFilters {

using Platform::Picture;
using Platform::PicturePtr;

// A channel map: entry i is the new value of a component that was i. Entries lie in 0..255.
using ChannelMap = std::array<int32_t, 256>;

// Receives the progress of the filters that report it (saturation and sharpening): the amount of work
// as width x height when a filter starts, the units finished after each row, and the end.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Start(int32_t w, int32_t h) = 0;
  virtual void Check(int32_t done) = 0;
  virtual void End() = 0;
};

// ---- Channel maps ----
// c + amount.
ChannelMap BrightnessMap(int32_t amount);
// c + (c - pivot) x amount / 100.
ChannelMap ContrastMap(double amount, int32_t pivot);
// c + c x amount / 100.
ChannelMap ExposureMap(int32_t amount);
// c + c x gain / 100 for each component's gain (each gain a single-precision fraction).
void GainMaps(int32_t green, int32_t red, int32_t blue, ChannelMap& redMap, ChannelMap& greenMap, ChannelMap& blueMap);
// The map that does first, then second.
ChannelMap Compose(const ChannelMap& first, const ChannelMap& second);
bool IsIdentity(const ChannelMap& map);

// Maps ready to be applied to rows of 32-bit pixels: one for all three components, or one each.
class RowMaps {
 public:
  explicit RowMaps(const ChannelMap& all);
  RowMaps(const ChannelMap& red, const ChannelMap& green, const ChannelMap& blue);
  // Every component of the w pixels through its map; the alpha bytes stay.
  void Apply(QRgb* row, int w) const;

 private:
  alignas(64) uint8_t red_[256];
  alignas(64) uint8_t green_[256];
  alignas(64) uint8_t blue_[256];
  bool one_;
};

// Every red, green and blue component of the picture through the one map.
void ApplyMap(Picture& pic, const ChannelMap& map);
// Red, green and blue each through its own map, in one pass.
void ApplyMaps(Picture& pic, const ChannelMap& red, const ChannelMap& green, const ChannelMap& blue);
void ApplyMaps(Picture& pic, const RowMaps& maps);

// ---- Grey-average filters ----
// Moves every component away from (positive) or towards (negative) its pixel's grey average by amount %
// of its distance from it. Reports progress when given.
void Saturate(Picture& pic, int32_t amount, Progress* progress = nullptr);
// Moves each pixel's components by amount / 100 times the difference between its grey average and the
// grey average of the same pixel of a strength-radius blur (radius at least 1). Reports progress.
void Sharpen(const PicturePtr& pic, double amount, double radius, Progress* progress = nullptr);

// ---- Neighbourhood and scaling ----
// A new blurred 32-bit copy (the picture itself for radius 0): strength 1 and below mixes four
// diagonally shifted copies into the picture, above 1 the picture is blurred at half size and scaled
// back. When given, the maps are applied to the blurred picture as it is made.
PicturePtr Blur(const PicturePtr& pic, double radius, const RowMaps* then = nullptr);
// The pixels Blur gives, for a caller that replaces the picture by its blur: written over the picture
// itself when it is a 32-bit picture (and the picture returned), else a new picture as Blur makes it.
PicturePtr BlurOver(const PicturePtr& pic, double radius, const RowMaps* then = nullptr);
// A new picture scaled to percent % of each side (at least one pixel); the picture itself for 100 %,
// or when the new one cannot be made.
PicturePtr ResizePercent(const PicturePtr& pic, double percent);
// A new picture scaled to w x h; the picture itself when both are 0 or the new one cannot be made.
PicturePtr ResizeTo(const PicturePtr& pic, int32_t w, int32_t h);
// Blocks of about factor x factor pixels of one colour, in place (nothing for a factor not above 1).
void Pixelize(const PicturePtr& pic, double factor);

// ---- Red eye ----
// Where red dominates green and a fifth of blue, red is brought down to the level of the other two.
void RemoveRedEye(Picture& pic);

// ---- The effects window's chain ----
// The slider values by index: 0 exposure, 1 saturation, 2 brightness, 3 contrast, 4 sharpness, 5 blur,
// 6 green, 7 red, 8 blue, 9 pixelize.
using EffectValues = std::array<int32_t, 10>;
// Runs all ten effects in their order on the target and returns the result: the target itself, changed
// in place, or the new picture that a blur made.
PicturePtr Chain(PicturePtr target, const EffectValues& values, Progress* progress = nullptr);

}  // namespace EffectFilters
