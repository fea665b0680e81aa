#pragma once
// The per-channel colour maps (sepia, grey, inversion) and the colour operations built on them: the
// sepia conversion, the grey of one colour and the colour count.
#include <cstdint>
#include <functional>

#include "platform/Array.h"
#include "platform/Picture.h"
#include "platform/Types.h"

// A per-channel lookup map: what each source red, green and blue value adds to one output channel.
// Values are kept as single-precision reals and read back as whole numbers.
class classColorMap {
 public:
  int32_t Red(int32_t i) const;
  void set_Red(int32_t i, float v);
  void set_Green(int32_t i, float v);
  void set_Blue(int32_t i, float v);
  int32_t Green(int32_t i) const;
  int32_t Blue(int32_t i) const;

 private:
  Platform::Array<float> R_Map = Platform::Array<float>(256, 0.0f);
  Platform::Array<float> G_Map = Platform::Array<float>(256, 0.0f);
  Platform::Array<float> B_Map = Platform::Array<float>(256, 0.0f);
};

namespace ColorOps {

// Receives the units of work finished since its last call (one row's width per row).
using Progress = std::function<void(int32_t)>;

// Sepia in place: each output channel is the sum of the three lookups of its map, at most 255.
void Sepia(Platform::Picture& pic, const classColorMap& red, const classColorMap& green, const classColorMap& blue,
           const Progress& progress = {});

// Every pixel in place becomes its grey (modMAIN::GrayPixel) in 4, 16 or (any other value) 256 levels,
// row by row.
void Gray(Platform::Picture& pic, const classColorMap& grey, int32_t levels, const Progress& progress = {});

// The number of distinct colours (red, green and blue only) of the picture, scanned row by row; all_gray
// tells whether every colour met has equal channels. With stop_early the scan ends after the first row
// that brings the count above 256. Without the early stop a large picture is scanned in bands on up to
// max_threads threads (0: as many as the machine has processors, at most eight).
int32_t CountColors(const Platform::Picture& pic, bool& all_gray, bool stop_early, int max_threads = 0);

}  // namespace ColorOps

namespace modMAIN {

// Builds the three sepia maps, the grey map and the inversion map.
void Make_Maps();
// Turns the effect target (floating selection, selected area or whole picture) into sepia tones and
// commits it.
void image_Convert_Sepia();
// The grey of a colour from the grey map, in 4, 16 or (any other value) 256 levels; white stays white.
Platform::Color GrayPixel(Platform::Color colour, int32_t levels);
// The number of distinct colours of the working picture; all_gray as for ColorOps::CountColors.
int32_t Count_Colors(bool& all_gray, bool stop_early);

}  // namespace modMAIN
