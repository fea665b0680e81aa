#pragma once
// The partial colour mode: painting brings back the colour of a picture shown in grey levels.
#include <QString>

#include "platform/Array.h"
#include "platform/Picture.h"

namespace modColorSplash {

// 0 off, else the number of grey levels (4, 16 or 256).
inline int32_t ColorSplash_Mode = 0;
// The surfaces the partial colour painting uses: (0) the colour source, (1) the grey source, (2) the
// working picture, renewed after every rebuild of the working picture while the mode is on.
inline Platform::Array<Platform::PicturePtr> ColorSplash_RGB(3);
// The history index of the state on which the mode began.
inline int32_t ColorSplash_Pointer = 0;
inline const QString ColorSplash_Name = QStringLiteral("Partial Color Mode");

}  // namespace modColorSplash
