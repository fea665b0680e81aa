#pragma once
// The one current gradient: its colour stops, drawing style and radial centre, the file it belongs to,
// the gradient files in the settings folder ("<name>.Gradient": a header line "style,cx,cy", then one
// line "position:&hRRGGBB" per stop), and the renderer that draws the gradient over a whole picture.
#include <QString>
#include <memory>
#include <vector>

#include "platform/Array.h"
#include "platform/FolderItem.h"
#include "platform/Picture.h"
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
// 0 horizontal, 1 vertical, 2 radial; any other style draws nothing.
inline int32_t Gradient_style = 0;
// The radial centre in percent of the target's width and height.
inline int32_t gradient_cx = 0;
inline int32_t gradient_cy = 0;
inline Platform::FolderItemPtr Gradient_Path;
inline bool Gradient_Changed = false;
inline Platform::Color Gradient_Replace_Color = 0;
// The radial reference length: from the centre to the farthest corner of the last radial target.
inline float g_line_length = 0;

// ---- The stop list ----
// Appends an unselected stop (no sorting).
void Add_ColorStop(int32_t stop_pos, Platform::Color stop_color);
// Sorts the stops by position, in n log n steps. Stops at equal positions end in the order that an
// exchange sort leaves them in (for each i, every later j with a smaller position swaps with i), which
// the editor's stop order has always followed: A at 5, B at 5, C at 3 become C, B, A.
void Sort_Gradient();
// The order in which that sort leaves stops at these positions: the index in `positions` of the first
// stop, the second and so on.
std::vector<int> Sorted_Stop_Order(const std::vector<int32_t>& positions);
// Makes "Spectrum" the current gradient: read from its file, or built and saved when there is none.
// A "Spectrum" file that cannot be read leaves the built-in stops and is not replaced.
void Make_Spectrum();

// ---- Gradient files ----
// The largest gradient file that is read: some 600,000 stops, far more than the editor can place.
inline constexpr qint64 kMaxGradientFileBytes = 8 * 1024 * 1024;
// The extension of gradient files; case counts, as in every file name.
inline const QString Gradient_Extension = QStringLiteral(".Gradient");
// Points Gradient_Path at "<base_name>.Gradient" in the settings folder.
void Get_Gradient_Path(const QString& base_name);
// The current gradient's name: "untitled" without a file, else the file name up to its first ".".
QString Get_Gradient_Name();
// Writes the current gradient. With ask_name the name comes from the chooser (save mode) and a failure
// is reported; without, it is save_name. The file is replaced only when the whole write succeeded, and
// only then does the gradient count as saved. A name holding "/" is refused, and so is a file that is
// not a regular file (a link is followed to its regular file).
void Save_Gradient(bool ask_name, const QString& save_name = QString());
// Reads a gradient file as the current gradient: with ask_name the one picked in the chooser (open mode;
// a file that cannot be read is reported and nothing changes), without it the file of the current
// name again. True when a file was read.
bool Load_Gradient(bool ask_name);
// True when the text can name a gradient file in the settings folder: not empty, no "/" and no NUL, so
// the file stays inside that folder.
bool Name_Is_Safe(const QString& name);

// ---- The renderer (plain functions over a picture's colour plane) ----
// Draws the current gradient over the whole picture: horizontally when horizontal_only, else in the
// current style.
void Draw_Gradient(Platform::Picture& target, bool horizontal_only);
// Draws the band between stops band_index and band_index + 1: style 0 as columns (a horizontal
// gradient), style 1 as rows (a vertical one), any other style nothing. Bands out of order draw
// nothing; columns or rows outside the picture are skipped.
void Draw_Gradient_Stop(Platform::Picture& target, int32_t band_index, int32_t band_style);
// Walks a digital straight line from the centre to the edge pixel and colours each pixel of the walk
// inside the picture by its distance from the centre (g_radial_point with g_line_length).
void g_radial_line(Platform::Picture& target, float centre_x, float centre_y, float edge_x, float edge_y);
// Colours one pixel by its distance from the centre relative to ref_length; pixels outside the picture
// are skipped.
void g_radial_point(Platform::Picture& target, float centre_x, float centre_y, float ref_length, float pixel_x,
                    float pixel_y);
// The Euclidean distance between two points.
float dist(float from_x, float from_y, float to_x, float to_y);

// ---- Gradient Overlay ----
// Shows the editor; after OK the selection's pixels of the replace colour take the gradient (inside the
// free-hand outline when there is one) as one undo step, or a beep when none has that colour. The
// selection ends in every case.
void Gradient_Fill();
// The overlay's pixel work on a copy of the selection: every pixel of the replace colour takes the
// current gradient drawn over the whole area, blended through the outline mask when given (black: the
// gradient, white: the pixel stays). Other pixels keep theirs. Returns the number of matching pixels;
// with none the area is untouched.
int64_t Gradient_Overlay(Platform::Picture& area, Platform::Color replace, const Platform::Picture* outline_mask);

// Puts every global back to its value at program start.
void Reset_Globals();

}  // namespace modGRADIENT
