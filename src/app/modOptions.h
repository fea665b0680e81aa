#pragma once
// Every user setting of the program, each a global of its own, and the routines around them: defaults,
// the settings folder, the supported picture types and asking the user for a colour.
#include <QString>

#include "core/Points.h"
#include "platform/Array.h"
#include "platform/FolderItem.h"
#include "platform/Types.h"

namespace modOptions {

using Platform::Color;

// ---- Settings of the settings file (their start values; the defaults come from Options_Default) ----
inline int32_t option_Draw_Opaque = 0;
inline bool option_ShowColors = false;
inline bool option_ShowTools = false;
inline bool option_ShowRuler = false;
inline bool option_ShowPattern = false;
inline bool option_RulerPixel = false;
inline QString option_SaveAs;
inline bool option_AntiAlias = false;
inline bool option_AutoCheck_Update = false;
inline QString option_Autocheck_Next;
inline Color option_Background_Color = 0;
inline Color option_Background_Handle_Color = 0;
inline bool option_Lasso_CrossHair = false;
inline Color option_Ruler_Bcolor = 0;
inline Color option_Ruler_FColor = 0;
inline bool option_ColorPicker = false;
inline bool option_HelpTags = false;
inline bool option_UseOldText = false;
inline QString option_Website;
inline Platform::Array<Color> option_Grid_Color(2, 0);
inline bool option_BrushRandom = false;
inline int32_t option_BrushOpacity = 0;
inline int32_t option_ColorMeter_Top = 0;
inline int32_t option_ColorMeter_Left = 0;
inline int32_t option_ColorMeter_Mode = 0;
inline int32_t option_ArrowHead = 0;
inline int32_t option_ArrowLength = 0;
inline int32_t option_ArrowWidth = 0;
inline int32_t option_ArrowConcavity = 0;
inline int32_t option_Thumbnail_Top = 0;
inline int32_t option_Thumbnail_Left = 0;
inline int32_t option_Thumbnail_Width = 0;
inline int32_t option_Thumbnail_Height = 0;
inline QString option_Transparent_BG_Size;
inline Platform::Array<Color> option_Transparent_BG_Color(2, 0);
inline bool option_Printer_Landscape = false;
inline Platform::Array<bool> option_Printer_Center(2, false);
inline bool option_Printer_FitPage = false;
inline bool option_Metric = false;
inline int32_t win_left = 0;
inline int32_t win_top = 0;
inline int32_t win_width = 0;
inline int32_t win_height = 0;
inline bool option_OS_Scrollbar = false;
inline int32_t option_Height = 0;
inline int32_t option_Width = 0;
inline int32_t option_Color_Picker_Mode = 0;

// ---- Other globals ----
// Comma list of the picture types that can be opened and saved, in lower case.
inline QString supported_types;
inline QString last_degree;
inline QString last_free_degree;
inline QString last_flip;
inline Platform::Array<modMAIN::point_record> PolyPoints;
inline bool active_POLYGON = false;
inline QString Apple_Script;

// ---- Routines ----
// Sets every setting to its default.
void Options_Default();
// The settings folder, made when missing.
Platform::FolderItemPtr Get_Folder_Root();
// "User_Brushes.png" in the settings folder.
Platform::FolderItemPtr Get_Folder_Brushes();
// True when the type (an extension without its point) is in supported_types, or is JPEG.
bool Is_Supported_Type(const QString& type);
// Asks the user for a colour starting from the one given; returns that colour when the user cancels.
Color Select_A_Color(Color colour);
// Empties the shape list and puts the twenty built-in shape definitions in it.
void Load_Shapes();
// Reads the settings from Config.INI (defaults first) and writes them back whole.
void Options_Load();
void Options_Save();

// Puts every global of the module back to its start value; each test starts from it.
void Reset_Globals();

}  // namespace modOptions
