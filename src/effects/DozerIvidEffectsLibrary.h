#pragma once
// The effects library: the picture that an effect changes (the floating selection, a copy of the
// selected area, or the whole working picture), putting it back where it came from, and the copy of a
// floating selection that lets the effects window take its previews back.
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
// Puts EFFECTS_Picture back (keeping the shape of a free-hand selection); with commit, a change of the
// working picture becomes one undo step. Redisplays the picture.
void EFFECTS_Picture_PUT(bool commit);
// Keeps a copy of a floating selection (when one exists) for EFFECTS_RESTORE.
void EFFECTS_START();
// Takes every change back: the floating selection to its copy, otherwise the working picture to the
// undo history's current state.
void EFFECTS_RESTORE();

// Puts the module's globals back to their start values.
void Reset_Globals();

}  // namespace DozerIvidEffectsLibrary
