#pragma once
// The user's fill-pattern sheet "User_Brushes.png" in the settings folder.

#include <QtGlobal>

namespace modBRUSHES {

// The sheet holds 24 cells of 33 x 33 pixels (265 x 100 pixels, a few kilobytes). It is read only as a
// regular file of at most kMaxSheetBytes whose header tells a picture of at most kMaxSheetPixels: far
// more than a sheet edited with care needs, far less than a damaged header may claim.
inline constexpr qint64 kMaxSheetBytes = 8 * 1024 * 1024;
inline constexpr qint64 kMaxSheetPixels = 1024 * 1024;

// Makes sure the user's pattern sheet exists (writing the built-in sheet there when it is missing)
// and loads it into modMAIN.user_brushes. When the sheet can be neither written nor read, or is not a
// regular file within the bounds above, the built-in sheet is used and the file left as it is.
void Manage_User_Brushes();

// Pattern > Edit Pattern Template: after a warning answered Yes, opens the sheet as the document at
// 400 % with the pixel grid and a one-pixel pencil. Edits take effect at the next start.
void Edit_User_Brushes();

// Pattern > Revert to Original Template: after a question answered Yes, puts the built-in sheet in place
// of the user's, loads it and redraws the pattern palette. A sheet that cannot be written is reported
// and the old one stays, on disk and in use.
void revert_to_installed_brushes();

}  // namespace modBRUSHES
