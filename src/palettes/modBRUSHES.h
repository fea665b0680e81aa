#pragma once
// The user's fill-pattern sheet "User_Brushes.png" in the settings folder.

namespace modBRUSHES {

// Makes sure the user's pattern sheet exists (writing the built-in sheet there when it is missing)
// and loads it into modMAIN.user_brushes. When the sheet can be neither written nor read, the built-in
// sheet is used.
void Manage_User_Brushes();

}  // namespace modBRUSHES
