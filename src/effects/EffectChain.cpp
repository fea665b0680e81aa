// The chain of the effects window: all ten effects in their fixed order on one target.
#include <optional>

#include "effects/EffectFilters.h"
#include "effects/PixelRows.h"
#include "platform/Numbers.h"

namespace EffectFilters {

namespace {
ChannelMap Identity() {
  ChannelMap m;
  for (int i = 0; i < 256; ++i) m[size_t(i)] = i;
  return m;
}
}  // namespace

PicturePtr Chain(PicturePtr target, const EffectValues& s, Progress* progress) {
  if (!target) return target;
  // Exposure, saturation, brightness and contrast change each pixel on its own: they run together, row
  // by row. Maps that follow one another are applied as one (composing them gives the same levels), and
  // a map that changes nothing is left out.
  ChannelMap before = s[0] != 0 ? ExposureMap(s[0]) : Identity();
  ChannelMap after = s[2] != 0 ? BrightnessMap(s[2]) : Identity();
  if (s[3] != 0) after = Compose(after, ContrastMap(s[3], 127));
  if (s[1] == 0) {
    before = Compose(before, after);
    after = Identity();
  }
  const bool saturate = s[1] != 0, mapBefore = !IsIdentity(before), mapAfter = !IsIdentity(after);
  if (saturate || mapBefore || mapAfter) {
    const RowMaps first(before), last(after);
    const SaturationRows saturation(s[1]);
    const int w = target->Width(), h = target->Height();
    ProgressJob job(saturate ? progress : nullptr, w - 1, h - 1);
    ForEachRow(*target, [&](QRgb* row, int width, int) {
      if (mapBefore) first.Apply(row, width);
      if (saturate) saturation.Apply(row, width);
      if (mapAfter) last.Apply(row, width);
      job.Row(w - 1);
    });
  }
  Sharpen(target, double(Platform::ClampInt(int64_t(s[4]) * 10)), 1.0, progress);
  // The blur's picture replaces the target (written over it, which gives the same pixels as the new
  // picture of the blur); the colour balance (green, red and blue gains, all three 0 leaving every level
  // as it is) is applied to its rows as they are made.
  std::optional<RowMaps> gains;
  if (s[6] != 0 || s[7] != 0 || s[8] != 0) {
    ChannelMap red, green, blue;
    GainMaps(s[6], s[7], s[8], red, green, blue);
    gains.emplace(red, green, blue);
  }
  if (s[5] != 0) target = BlurOver(target, s[5], gains ? &*gains : nullptr);
  else if (gains) ApplyMaps(*target, *gains);
  Pixelize(target, double(Platform::ClampInt(int64_t(s[9]) * 2)));
  return target;
}

}  // namespace EffectFilters
