#pragma once
// The one current gradient: its colour stops, drawing style and radial centre, the file it belongs to,
// and the gradient files in the settings folder ("<name>.Gradient": a header line "style,cx,cy", then
// one line "position:&hRRGGBB" per stop).
#include <QString>
#include <memory>

#include "platform/Array.h"
#include "platform/FolderItem.h"
#include "platform/Types.h"

// One colour stop: a position in percent along the gradient and a colour.
class classGradient {
 public:
  int32_t Position = 0;
  Platform::Color gColor = 0;
  bool gSelected = false;
};

namespace modGRADIENT {

inline Platform::Array<std::shared_ptr<classGradient>> Gradient;
// 0 horizontal, 1 vertical, 2 radial.
inline int32_t Gradient_style = 0;
inline int32_t gradient_cx = 0;
inline int32_t gradient_cy = 0;
inline Platform::FolderItemPtr Gradient_Path;
inline bool Gradient_Changed = false;
inline Platform::Color Gradient_Replace_Color = 0;
inline float g_line_length = 0;

// Appends an unselected stop (no sorting).
void Add_ColorStop(int32_t stop_pos, Platform::Color stop_color);
// Sorts the stops by position.
void Sort_Gradient();
// Points Gradient_Path at "<base_name>.Gradient" in the settings folder.
void Get_Gradient_Path(const QString& base_name);
// The current gradient's name: "untitled" without a file, else the file name up to its first ".".
QString Get_Gradient_Name();
// Writes the current gradient under the name, replacing the file only when the whole write succeeded.
void Save_Gradient(const QString& save_name);
// Reads the file of the current gradient's name again as the current gradient.
void Load_Gradient();
// Makes "Spectrum" the current gradient: read from its file, or built and saved when there is none.
void Make_Spectrum();

// Puts every global back to its value at program start.
void Reset_Globals();

}  // namespace modGRADIENT
