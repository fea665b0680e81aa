#pragma once
// The effects library: the picture that an effect changes (the floating selection, a copy of the
// selected area, or the whole working picture), putting it back where it came from, and the copy of a
// floating selection that lets the effects window take its previews back; the tone, colour and
// neighbourhood filters on one picture; colour inversion and red-eye removal; the effects window's
// preview chain.
#include "effects/EffectFilters.h"
#include "platform/Array.h"
#include "platform/Picture.h"

namespace DozerIvidEffectsLibrary {

// The target of the current effect, between EFFECTS_Picture_GET and EFFECTS_Picture_PUT. It is the
// floating picture or the working picture itself when those are the target, so that an effect working
// in place changes them at once.
inline Platform::PicturePtr EFFECTS_Picture;
// A 32-bit copy of the floating selection taken by EFFECTS_START; read by EFFECTS_RESTORE.
inline Platform::PicturePtr EFFECTS_DragPicture;
// The channel map that the tone adjustments fill and apply.
inline Platform::Array<int32_t> map(256, 0);

// Chooses the target from the selection state and stores it in EFFECTS_Picture.
void EFFECTS_Picture_GET();
// The same for a one-shot command: false (the user told, nothing changed) when the memory for the
// target's copy cannot be had.
bool EFFECTS_Picture_GOT();
// Puts EFFECTS_Picture back (keeping the shape of a free-hand selection); with commit, a change of the
// working picture becomes one undo step. Redisplays the picture.
void EFFECTS_Picture_PUT(bool commit);
// Keeps a copy of a floating selection (when one exists) for EFFECTS_RESTORE.
void EFFECTS_START();
// Takes every change back: the floating selection to its copy, otherwise the working picture to the
// undo history's current state.
void EFFECTS_RESTORE();

// True, with a beep, while an effect cannot be given a target: a free-hand outline is still being drawn,
// or the floating picture is a text that is drawn afresh when it is dropped (the single-line text box,
// styled text placed with a transparent background), so the effect would be lost.
bool Refuse_Effect();

// ---- Tone and colour: each changes the picture in place ----
// Applies map to the red, green and blue components of every pixel; nothing for a missing picture.
void Apply_Map(const Platform::PicturePtr& pic);
// The three map adjustments fill map and apply it; nothing for amount 0 (map untouched) or no picture.
// Exposure: c + c x amount / 100. Brightness: c + amount. Contrast: c + (c - pivot) x amount / 100.
void dozerivid_Exposure(const Platform::PicturePtr& pic, int32_t amount);
void dozerivid_Brightness(const Platform::PicturePtr& pic, int32_t amount);
void dozerivid_Contrast(const Platform::PicturePtr& pic, double amount, int32_t pivot);
// Moves every component away from or towards its pixel's grey average by amount %, with progress.
void dozerivid_Saturation(const Platform::PicturePtr& pic, int32_t amount);
// Gains in percent for each component, in the order green, red, blue; always runs.
void image_Convert_RGB(const Platform::PicturePtr& pic, int32_t green, int32_t red, int32_t blue);

// ---- Neighbourhood filters and resampling ----
// Unsharp mask on the grey averages against a strength-radius blur (at least 1), with progress.
void dozerivid_Sharpen(const Platform::PicturePtr& pic, double amount, double radius);
// A new blurred picture; pic itself for radius 0; none for no picture. pic is never changed.
Platform::PicturePtr dozerivid_Blur(const Platform::PicturePtr& pic, double radius);
// Blocks of factor x factor pixels, in place; nothing for a factor not above 1.
void dozerivid_Pixelize(const Platform::PicturePtr& pic, double factor);
// Nearest-neighbour resampling to percent % of the size, or to new_width x new_height. Only the plain
// method exists: method, keep_canvas and mode are accepted and have no effect.
Platform::PicturePtr dozerivid_Resize(const Platform::PicturePtr& pic, double percent);
Platform::PicturePtr dozerivid_Resize(const Platform::PicturePtr& pic, double percent, int32_t method, bool keep_canvas);
Platform::PicturePtr dozerivid_Resize(const Platform::PicturePtr& pic, int32_t new_width, int32_t new_height,
                                      int32_t mode);

// ---- One-shot commands: effect target, change, one undo step when it lands in the working picture ----
// Colors > Reverse Colors: every component c becomes 255 - c.
void image_Invert();
// Colors > Remove Red Eye.
void image_REDEYE();

// ---- Preview chain ----
// Restores the picture, takes the target afresh, runs the ten effects with the given values and puts
// the result back without an undo step.
void Apply_Effects(const EffectFilters::EffectValues& values);

// Puts the module's globals back to their start values.
void Reset_Globals();

}  // namespace DozerIvidEffectsLibrary
