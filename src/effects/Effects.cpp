// The effects library's filters on one picture, the one-shot colour commands and the preview chain.
#include "app/modProgress.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/winMAIN.h"
#include "platform/RuntimeError.h"

namespace DozerIvidEffectsLibrary {

using EffectFilters::ChannelMap;
using Platform::PicturePtr;
using modMAIN::Had_Memory;

namespace {

// Progress of saturation and sharpening on the main window's bar. A job that showed the bar also ends
// the busy state it started.
class ProgressBar final : public EffectFilters::Progress {
 public:
  void Start(int32_t w, int32_t h) override { modProgress::Progress_Start(w, h); }
  void Check(int32_t done) override { modProgress::Progress_Check(done); }
  void End() override {
    modProgress::Progress_End();
    if (modProgress::pb_flag)
      if (winMAIN* win = winMAIN::existing()) win->Set_Paint_Cursor(false);
    modProgress::pb_flag = false;
  }
};

ChannelMap FromArray(const Platform::Array<int32_t>& a) {
  ChannelMap m;
  for (int i = 0; i < 256; ++i) m[size_t(i)] = a[i];
  return m;
}

void SetMap(const ChannelMap& m) {
  for (int i = 0; i < 256; ++i) map[i] = m[size_t(i)];
}

}  // namespace

// ---- Tone and colour ----

void Apply_Map(const PicturePtr& pic) {
  if (!pic) return;
  EffectFilters::ApplyMap(*pic, FromArray(map));
}

void dozerivid_Exposure(const PicturePtr& pic, int32_t amount) {
  if (amount == 0 || !pic) return;
  SetMap(EffectFilters::ExposureMap(amount));
  Apply_Map(pic);
}

void dozerivid_Brightness(const PicturePtr& pic, int32_t amount) {
  if (amount == 0 || !pic) return;
  SetMap(EffectFilters::BrightnessMap(amount));
  Apply_Map(pic);
}

void dozerivid_Contrast(const PicturePtr& pic, double amount, int32_t pivot) {
  if (amount == 0 || !pic) return;
  SetMap(EffectFilters::ContrastMap(amount, pivot));
  Apply_Map(pic);
}

void dozerivid_Saturation(const PicturePtr& pic, int32_t amount) {
  if (amount == 0 || !pic) return;
  ProgressBar bar;
  EffectFilters::Saturate(*pic, amount, &bar);
}

void image_Convert_RGB(const PicturePtr& pic, int32_t green, int32_t red, int32_t blue) {
  ChannelMap r, g, b;
  EffectFilters::GainMaps(green, red, blue, r, g, b);
  EffectFilters::ApplyMaps(Platform::Deref(pic, "picture"), r, g, b);
}

// ---- Neighbourhood filters and resampling ----

void dozerivid_Sharpen(const PicturePtr& pic, double amount, double radius) {
  ProgressBar bar;
  EffectFilters::Sharpen(pic, amount, radius, &bar);
}

PicturePtr dozerivid_Blur(const PicturePtr& pic, double radius) { return EffectFilters::Blur(pic, radius); }

void dozerivid_Pixelize(const PicturePtr& pic, double factor) { EffectFilters::Pixelize(pic, factor); }

PicturePtr dozerivid_Resize(const PicturePtr& pic, double percent) { return dozerivid_Resize(pic, percent, 0, false); }

PicturePtr dozerivid_Resize(const PicturePtr& pic, double percent, int32_t, bool) {
  return EffectFilters::ResizePercent(pic, percent);
}

PicturePtr dozerivid_Resize(const PicturePtr& pic, int32_t new_width, int32_t new_height, int32_t) {
  return EffectFilters::ResizeTo(pic, new_width, new_height);
}

// ---- One-shot commands ----

void image_Invert() {
  if (!EFFECTS_Picture_GOT()) return;
  if (EFFECTS_Picture) EffectFilters::ApplyMap(*EFFECTS_Picture, FromArray(modMAIN::map_invert));
  EFFECTS_Picture_PUT(true);
}

void image_REDEYE() {
  if (!EFFECTS_Picture_GOT()) return;
  if (EFFECTS_Picture) EffectFilters::RemoveRedEye(*EFFECTS_Picture);
  EFFECTS_Picture_PUT(true);
}

// ---- Preview chain ----

void Apply_Effects(const EffectFilters::EffectValues& values) {
  const bool made = Had_Memory([&] {
    EFFECTS_RESTORE();
    EFFECTS_Picture_GET();
    ProgressBar bar;
    EFFECTS_Picture = EffectFilters::Chain(EFFECTS_Picture, values, &bar);
  });
  if (!made) {
    // A picture the chain needed could not be made: the picture goes back to how it was.
    Had_Memory(EFFECTS_RESTORE);
    if (!Had_Memory(EFFECTS_Picture_GET)) EFFECTS_Picture.reset();
    winMAIN::instance()->Update_Display();
    modMAIN::Out_Of_Memory_Message();
    return;
  }
  EFFECTS_Picture_PUT(false);
}

}  // namespace DozerIvidEffectsLibrary
