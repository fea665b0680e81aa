#pragma once
// The editing state of the one open document: the module-level globals of modMAIN and the small
// operations that act on them.
#include <QString>
#include <QStringList>
#include <memory>

#include "core/Points.h"
#include "platform/Array.h"
#include "platform/FolderItem.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/Random.h"
#include "platform/Types.h"

class classTEXT2;
class classColorMap;
class classINI_File;
class PageSetup;
namespace Platform {
class StyledText;
}

namespace modMAIN {

using Platform::Color;
using Platform::FolderItemPtr;
using Platform::PicturePtr;
template <typename T>
using Array = Platform::Array<T>;

// ---- Document and history ----
inline Array<PicturePtr> pic_Stack;
inline int32_t Current_Picture = 0;
inline PicturePtr work_area;
inline int32_t Working_Color_Depth = 0;
inline bool img_changed = false;
inline FolderItemPtr image_FolderObject;
inline bool Save_as_Transparent = true;
inline FolderItemPtr Delay_OpenItem;
inline QStringList MRU_Files;
inline PicturePtr canvas_transparent;

// ---- Selection and floating selection ----
inline std::shared_ptr<classRECTANGLE> img_lasso;
inline std::shared_ptr<classRECTANGLE> scrn_rect;
inline bool active_LASSO = false;
inline bool active_SUPERLASSO = false;
inline Array<PicturePtr> Super_Lasso_mask(4);
inline PicturePtr work_lasso;
inline int32_t Marching_Ants = 0;
inline bool Lasso_State = false;
inline bool active_DRAG = false;
inline PicturePtr drag_Picture;
inline point_record img_DRAG_DROP;
inline point_record img_Drag_Offset;
inline int32_t drag_handle = 0;
inline int32_t last_drag_handle = 0;
inline int32_t bkgd_mode = 0;

// ---- Tools and colours ----
inline int32_t drawing_TOOL = 0;
inline int32_t Last_DrawTool = 0;
inline int32_t Drawing_Fillmode = 0;
inline int32_t Brush_Pattern = 0;
inline Array<Color> Draw_Color(3, 0);
inline int32_t size_PENCIL = 0;
inline int32_t size_BRUSH = 0;
inline int32_t size_ERASER = 0;
inline int32_t size_SPRAYCAN = 0;
inline PicturePtr Paintbrush_Tip;
inline PicturePtr user_brushes;
inline std::shared_ptr<Platform::Random> rnd_number;
inline bool active_SHAPE = false;
inline bool active_ERASER = false;
inline bool Eraser_Mode = false;
inline point_record img_Eraser_Point;
inline Array<point_record> img_Curve(5);
inline int32_t Curve_Cnt = 0;

// Tool codes of drawing_TOOL (9 is no tool).
enum ToolCode : int32_t {
  TOOL_SUPERLASSO = 1,
  TOOL_PENCIL = 2,
  TOOL_ERASER = 3,
  TOOL_FLOOD = 4,
  TOOL_LINE = 5,
  TOOL_RECT = 6,
  TOOL_ROUNDRECT = 7,
  TOOL_STYLEDTEXT = 8,
  TOOL_NONE = 9,
  TOOL_LASSO = 10,
  TOOL_BRUSH = 11,
  TOOL_EYEDROPPER = 12,
  TOOL_SPRAYCAN = 13,
  TOOL_CURVE = 14,
  TOOL_OVAL = 15,
  TOOL_POLYGON = 16,
  TOOL_SHAPE = 17,
  TOOL_TEXT2 = 18,
  TOOL_GRABBER = 99
};

// ---- Pointer state (image pixels) ----
inline point_record img_point;
inline point_record img_point_Last;
inline point_record Mouse_Point;
inline point_record MouseDown_Point;
inline bool MouseDown_Right = false;
inline int32_t mouse_w = 0;
inline int32_t mouse_h = 0;
inline bool Over_Canvas = false;

// ---- View and main-window state ----
inline float Zoom = 0;
inline point_record offset;
inline bool show_GRID = false;
inline int32_t Last_Screen_W = 0;
inline int32_t Last_Screen_H = 0;
inline bool Barber_Pole = false;
inline QString HelpTag_Text;
inline bool HelpTag_Mode = false;
inline int32_t winMAIN_INITFLAG = 0;
inline bool active_THUMBNAIL = false;
inline bool active_COLORMETER = false;

// ---- Dialog exchange ----
inline int32_t Dialog_Setup = 0;
inline QString Dialog_Answer;
inline bool Dialog_Cancel = false;
inline Color Dialog_Color = 0;

// ---- Text placement ----
inline std::shared_ptr<classTEXT2> Info_Text2;
inline std::shared_ptr<Platform::StyledText> myStyledText;
inline std::shared_ptr<Platform::StyledText> myOriginalStyledText;
inline bool Dragging_Text = false;
inline int32_t Dragging_Text_Mode = 0;
inline bool active_TEXTMODE = false;
// The single-line text's box is being placed (set by its placement, cleared when the selection ends).
inline bool active_TEXT2 = false;
inline bool winTEXT_Open = false;
inline int32_t winTEXT_Left = 0;
inline int32_t winTEXT_Top = 0;
inline int32_t winTEXT_Width = 0;
inline int32_t winTEXT_Height = 0;
inline Array<int32_t> txt_box(2, 0);

// ---- Printer ----
inline Array<printer_res> Printer_Info;
inline QString Printer_Name;
inline QString Printer_SetupString;
inline std::shared_ptr<PageSetup> printer_setup;  // the page set-up of the last print

// ---- Colour maps ----
inline std::shared_ptr<classColorMap> Map_Sepia_R;
inline std::shared_ptr<classColorMap> Map_Sepia_G;
inline std::shared_ptr<classColorMap> Map_Sepia_B;
inline std::shared_ptr<classColorMap> Map_Gray;
inline Array<int32_t> map_invert(256, 0);

// ---- Settings store and trace log ----
inline std::shared_ptr<classINI_File> INI_File;
inline bool use_bug_trace = false;
inline double bug_time = 0;
inline int32_t bug_indent = 0;

// ---- Operations ----
// The selection setters: store the value, then make sure the marching-ants timer runs.
void Set_Active_Lasso(bool on);
void Set_Active_SuperLasso(bool on);
void Set_BKGD_Mode(int32_t mode);
// Sets the pen size of a tool (clamped to 1..10); redraws the status bar when it changed.
void Pensize_SET(int32_t size, int32_t tool);
// Applies the current tool's pen size to the working picture's drawing context.
void Pensize_GET();
// The side of the eraser square in image pixels.
int32_t EraserSize();
void Swap(int32_t& a, int32_t& b);
QString EOL();
QString Slash_Add_Trailing(const QString& path);
// old True: the old renderer without anti-aliasing; False: the anti-aliasing renderer.
void RenderMode(Platform::Graphics& g, bool old);

// Puts every global back to its value at program start; each test starts from it.
void Reset_Globals();

}  // namespace modMAIN
