#include "core/EditingState.h"

#include "mainwindow/winMAIN.h"

namespace modMAIN {

static void Wake_Lasso_Timer() {
  if (winMAIN* w = winMAIN::instance()) w->timer_LASSO->start();
}

void Set_Active_Lasso(bool on) {
  active_LASSO = on;
  Wake_Lasso_Timer();
}

void Set_Active_SuperLasso(bool on) {
  active_SUPERLASSO = on;
  Wake_Lasso_Timer();
}

void Set_BKGD_Mode(int32_t mode) {
  bkgd_mode = mode;
  Wake_Lasso_Timer();
}

void Pensize_SET(int32_t size, int32_t tool) {
  size = std::clamp(size, 1, 10);
  int32_t* target;
  switch (tool) {
    case TOOL_BRUSH: target = &size_BRUSH; break;
    case TOOL_ERASER: target = &size_ERASER; break;
    case TOOL_SPRAYCAN: target = &size_SPRAYCAN; break;
    default: target = &size_PENCIL; break;
  }
  if (*target == size) return;
  *target = size;
  winMAIN::instance()->Update_Statusbar();
}

void Pensize_GET() {
  if (!work_area) return;
  Platform::Graphics g = work_area->Graphics();
  const bool thin = drawing_TOOL == TOOL_ERASER || drawing_TOOL == TOOL_SPRAYCAN || drawing_TOOL == TOOL_SUPERLASSO;
  const int32_t size = thin ? 1 : size_PENCIL;
  g.SetPenWidth(size);
  g.SetPenHeight(size);
}

int32_t EraserSize() { return 2 * size_ERASER + 2; }

void Swap(int32_t& a, int32_t& b) { std::swap(a, b); }

QString EOL() { return QStringLiteral("\n"); }

QString Slash_Add_Trailing(const QString& path) {
  if (path.endsWith(QLatin1Char('/'))) return path;
  return path + QLatin1Char('/');
}

void RenderMode(Platform::Graphics& g, bool old) { g.SetAntiAlias(!old); }

void Reset_Globals() {
  pic_Stack.clear();
  Current_Picture = 0;
  work_area.reset();
  Working_Color_Depth = 0;
  img_changed = false;
  image_FolderObject.reset();
  Save_as_Transparent = true;
  Delay_OpenItem.reset();
  MRU_Files.clear();
  canvas_transparent.reset();

  img_lasso.reset();
  scrn_rect.reset();
  active_LASSO = false;
  active_SUPERLASSO = false;
  Super_Lasso_mask = Array<PicturePtr>(4);
  work_lasso.reset();
  Marching_Ants = 0;
  Lasso_State = false;
  active_DRAG = false;
  drag_Picture.reset();
  img_DRAG_DROP = {};
  img_Drag_Offset = {};
  drag_handle = 0;
  last_drag_handle = 0;
  bkgd_mode = 0;

  drawing_TOOL = 0;
  Last_DrawTool = 0;
  Drawing_Fillmode = 0;
  Brush_Pattern = 0;
  Draw_Color = Array<Color>(3, 0);
  size_PENCIL = 0;
  size_BRUSH = 0;
  size_ERASER = 0;
  size_SPRAYCAN = 0;
  Paintbrush_Tip.reset();
  user_brushes.reset();
  rnd_number.reset();
  active_SHAPE = false;
  active_ERASER = false;
  Eraser_Mode = false;
  img_Eraser_Point = {};
  img_Curve = Array<point_record>(5);
  Curve_Cnt = 0;

  img_point = {};
  img_point_Last = {};
  Mouse_Point = {};
  MouseDown_Point = {};
  MouseDown_Right = false;
  mouse_w = 0;
  mouse_h = 0;
  Over_Canvas = false;

  Zoom = 0;
  offset = {};
  show_GRID = false;
  Last_Screen_W = 0;
  Last_Screen_H = 0;
  Barber_Pole = false;
  HelpTag_Text.clear();
  HelpTag_Mode = false;
  winMAIN_INITFLAG = 0;
  active_THUMBNAIL = false;
  active_COLORMETER = false;

  Dialog_Setup = 0;
  Dialog_Answer.clear();
  Dialog_Cancel = false;
  Dialog_Color = 0;

  Info_Text2.reset();
  myStyledText.reset();
  myOriginalStyledText.reset();
  Dragging_Text = false;
  Dragging_Text_Mode = 0;
  active_TEXTMODE = false;
  active_TEXT2 = false;
  winTEXT_Open = false;
  winTEXT_Left = 0;
  winTEXT_Top = 0;
  winTEXT_Width = 0;
  winTEXT_Height = 0;
  txt_box = Array<int32_t>(2, 0);

  Printer_Info.clear();
  Printer_Name.clear();
  Printer_SetupString.clear();
  printer_setup.reset();

  Map_Sepia_R.reset();
  Map_Sepia_G.reset();
  Map_Sepia_B.reset();
  Map_Gray.reset();
  map_invert = Array<int32_t>(256, 0);

  INI_File.reset();
  use_bug_trace = false;
  bug_time = 0;
  bug_indent = 0;
}

}  // namespace modMAIN
