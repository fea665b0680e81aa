#pragma once
// The user's fill-pattern sheet "User_Brushes.png" in the settings folder.

namespace modBRUSHES {

// Makes sure the user's pattern sheet exists (writing the built-in sheet there when it is missing)
// and loads it into modMAIN.user_brushes. When the sheet can be neither written nor read, the built-in
// sheet is used.
void Manage_User_Brushes();

// Pattern > Edit Pattern Template: after a warning answered Yes, opens the sheet as the document at
// 400 % with the pixel grid and a one-pixel pencil. Edits take effect at the next start.
void Edit_User_Brushes();

// Pattern > Revert to Original Template: after a question answered Yes, puts the built-in sheet in place
// of the user's, loads it and redraws the pattern palette. A sheet that cannot be written is reported
// and the old one stays, on disk and in use.
void revert_to_installed_brushes();

}  // namespace modBRUSHES
