#include "palettes/classTOOLS.h"

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/modSHAPES.h"
#include "palettes/winShapes.h"
#include "platform/Environment.h"
#include "platform/RuntimeError.h"

using Platform::Picture;
using Platform::PicturePtr;

namespace {
constexpr int kCell = 32;
constexpr int kPitch = 35;
// Icon sheet indexes of the two backdrops.
constexpr int32_t kSelected = 9;
constexpr int32_t kHover = 18;

QString Tool_Text(int32_t id) {
  switch (id) {
    case 1: return QStringLiteral("Freehand Selection");
    case 2: return QStringLiteral("Freehand Drawing");
    case 3: return QStringLiteral("Eraser Tool");
    case 4: return QStringLiteral("Flood Fill Tool");
    case 5: return QStringLiteral("Line Tool");
    case 6: return QStringLiteral("Rectangle Tool");
    case 7: return QStringLiteral("Rounded Rectangle");
    case 8: return QStringLiteral("Text Tool");
    case 10: return QStringLiteral("Rectangular Selection Tool");
    case 11: return QStringLiteral("PaintBrush Tool");
    case 12: return QStringLiteral("Color Matcher Tool");
    case 13: return QStringLiteral("SprayCan");
    case 14: return QStringLiteral("Bezier Curve Tool");
    case 15: return QStringLiteral("Circle/Ellipse Tool");
    case 16: return QStringLiteral("Polygon Tool");
    case 17: return QStringLiteral("Predefined Shapes");
    default: return QStringLiteral("<undefined>");
  }
}

QString Fill_Text(int32_t button) {
  switch (button) {
    case 1: return QStringLiteral("Draw outlined shape");
    case 2: return QStringLiteral("Draw solid shape, no outline");
    case 3: return QStringLiteral("Draw outlined solid shape");
    default: return QString();
  }
}

bool Partial_Colour_Mode() { return modColorSplash::ColorSplash_Mode != 0; }

// The top-left corner of icon sheet cell i: tools 1 to 8 and the selected backdrop (9) in the left
// column, tools 10 to 17 and the hover backdrop (18) in the right one, on a 33-pixel grid.
QPoint Sheet_Cell(int32_t i) {
  const int column = i <= 9 ? 0 : 1, row = i <= 9 ? i - 1 : i - 10;
  return QPoint(1 + 33 * column, 1 + 33 * row);
}
}  // namespace

classTOOLS::classTOOLS(QWidget* parent, const QString& name) : Platform::Canvas(parent, name) {
  Paint = [this](Platform::Graphics& g) { Tools_Paint(g); };
  Platform::Canvas::MouseDown = [this](int x, int y) { return Tools_MouseDown(x, y); };
  MouseMove = [this](int x, int y) { Tools_MouseMove(x, y); };
  MouseExit = [this] { Tools_MouseExit(); };
  setFocusPolicy(Qt::NoFocus);
}

void classTOOLS::Open() {
  if (On.Open) On.Open();
}

int32_t classTOOLS::Get_tool_X(int32_t id) { return id <= 9 ? 3 : 38; }
int32_t classTOOLS::Get_tool_Y(int32_t id) { return id <= 9 ? 3 + kPitch * (id - 1) : 3 + kPitch * (id - 10); }
int32_t classTOOLS::Get_Fill_Y(int32_t button) { return 248 + 32 + 10 + 34 * (button - 1); }

void classTOOLS::Current_Tool(int32_t tool) {
  xCurrentTool = tool;
  switch (tool) {
    case 3: case 8: case 10: case 12: case 18: case 99: break;
    default:
      if (tool != modMAIN::Last_DrawTool) modMAIN::Last_DrawTool = tool;
  }
  Invalidate(true);
}

PicturePtr classTOOLS::Get_ToolIcon(int32_t index) const {
  PicturePtr icon = Picture::Create(kCell, kCell);
  if (index > 0) {
    const QPoint cell = Sheet_Cell(index);
    icon->Graphics().DrawPicture(Resources::pixmura_tools(), 0, 0, kCell, kCell, cell.x(), cell.y(), kCell, kCell);
  }
  icon->Transparent = 1;
  return icon;
}

PicturePtr classTOOLS::Get_FillIcon(int32_t index) const {
  PicturePtr icon = Picture::Create(w, kCell);
  Platform::Graphics g = icon->Graphics();
  if (index == 2 || index == 3) {
    g.SetForeColor(0xD0544B);
    g.FillRect(5, 5, w - 10, 22);
  }
  if (index == 1 || index == 3) {
    g.SetForeColor(0x274EAC);
    g.SetPenWidth(2);
    g.SetPenHeight(2);
    g.DrawRect(5, 5, w - 10, 22);
    g.SetPenWidth(1);
    g.SetPenHeight(1);
  }
  if (index > 3) {
    // A backdrop stretched to the button's width: its left and right halves at the ends, its middle
    // repeated in between.
    const PicturePtr sheet = Resources::pixmura_tools();
    const QPoint cell = Sheet_Cell(index);
    g.DrawPicture(sheet, 0, 0, 16, kCell, cell.x(), cell.y(), 16, kCell);
    g.DrawPicture(sheet, w - 16, 0, 16, kCell, cell.x() + 16, cell.y(), 16, kCell);
    for (int x = 16; x <= w - 16; x += 16) g.DrawPicture(sheet, x, 0, 16, kCell, cell.x() + 8, cell.y(), 16, kCell);
  }
  icon->Transparent = 1;
  return icon;
}

void classTOOLS::Tools_Paint(Platform::Graphics& g) {
  Platform::Deref(Resources::pixmura_tools(), "the tool palette's icon sheet");
  Mouse_shape_y = 99999;
  modMAIN::RenderMode(g, true);
  int32_t last_top = Get_tool_Y(17);
  for (int32_t first : {1, 10})
    for (int32_t id = first; id < first + 8; ++id) {
      int32_t backdrop = 0;
      if (id == xCurrentTool || (id == 10 && xCurrentTool == modMAIN::TOOL_GRABBER)) backdrop = kSelected;
      else if (id == Mouse_Tool) backdrop = kHover;
      const int x = Get_tool_X(id), y = Get_tool_Y(id);
      if (backdrop) g.DrawPicture(Get_ToolIcon(backdrop), x, y);
      g.DrawPicture(Get_ToolIcon(id), x, y);
    }
  if (!Partial_Colour_Mode()) {
    Fill_icons_Open = xCurrentTool == 6 || xCurrentTool == 7 || xCurrentTool == 15 || xCurrentTool == 16 ||
                      xCurrentTool == 17;
    if (Fill_icons_Open)
      for (int32_t i = 1; i <= 3; ++i) {
        int32_t backdrop = 0;
        if (i == xFillMode) backdrop = kSelected;
        else if (i == Mouse_Fill) backdrop = kHover;
        last_top = Get_Fill_Y(i);
        if (backdrop) g.DrawPicture(Get_FillIcon(backdrop), 3, last_top);
        g.DrawPicture(Get_FillIcon(i), 3, last_top);
      }
  }
  if (xCurrentTool == modMAIN::TOOL_SHAPE) {
    Mouse_shape_y = last_top + 20;
    modSHAPES::Sample_Shape(g, 3, last_top + 30, modSHAPES::Current_Shape);
  }
}

bool classTOOLS::Tools_MouseDown(int x, int y) {
  if (!isEnabled()) return false;
  // The press acts on the cell or button under it, also when no move brought the pointer there first (a
  // tap, a synthetic click, a press that comes with its release): a click acts alike however fast.
  const int32_t hovered_tool = Mouse_Tool, hovered_fill = Mouse_Fill;
  const int32_t cell = Tool_At(x, y);
  const bool partial = Partial_Colour_Mode();
  Mouse_Tool = partial && cell != modMAIN::TOOL_PENCIL && cell != modMAIN::TOOL_RECT ? -1 : cell;
  Mouse_Fill = Fill_icons_Open && !partial ? Fill_At(x, y) : -1;
  const bool hover_moved = Mouse_Tool != hovered_tool || Mouse_Fill != hovered_fill;
  const int32_t previous = xCurrentTool;
  if (!modOptions::option_UseOldText && Mouse_Tool == modMAIN::TOOL_STYLEDTEXT) Mouse_Tool = modMAIN::TOOL_TEXT2;
  if (Mouse_Tool == modMAIN::TOOL_TEXT2 && modMAIN::Zoom != 1) {
    Mouse_Tool = previous;
    Platform::Environment::Beep();
    winMAIN::instance()->Set_Status_msg(QStringLiteral("Must be at 100% for Text Tool"));
    return true;
  }
  if (!Partial_Colour_Mode()) winMAIN::instance()->Set_Status_msg(QString());
  bool changed = false;
  if (Mouse_Tool >= 1 && Mouse_Tool != xCurrentTool) {
    Current_Tool(Mouse_Tool);
    changed = true;
    if (On.tool_Changed) On.tool_Changed();
  }
  if (Mouse_Fill >= 1 && Mouse_Fill != xFillMode && !Partial_Colour_Mode()) {
    xFillMode = Mouse_Fill;
    changed = true;
    if (On.FillMode_Changed) On.FillMode_Changed(xFillMode);
  }
  if (y >= Mouse_shape_y && y <= Mouse_shape_y + 64) {
    winShapes::Show_Sheet();
    return true;
  }
  if (changed || hover_moved) Invalidate(true);
  return true;
}

int32_t classTOOLS::Tool_At(int x, int y) {
  for (int32_t first : {1, 10}) {
    const int left = Get_tool_X(first);
    if (x < left || x > left + kCell) continue;
    for (int32_t id = first; id < first + 8; ++id) {
      const int top = Get_tool_Y(id);
      if (y >= top && y <= top + kCell) return id;
    }
  }
  return -1;
}

int32_t classTOOLS::Fill_At(int x, int y) const {
  for (int32_t i = 1; i <= 3; ++i) {
    const int top = Get_Fill_Y(i);
    if (x >= 3 && x <= 3 + w && y >= top && y <= top + kCell) return i;
  }
  return -1;
}

void classTOOLS::Tools_MouseMove(int x, int y) {
  if (!isEnabled()) return;
  const int32_t c = Tool_At(x, y);
  // In the partial colour mode only the pencil and the rectangle can be chosen.
  if (Partial_Colour_Mode() && c != modMAIN::TOOL_PENCIL && c != modMAIN::TOOL_RECT) return;
  winMAIN* main = winMAIN::instance();
  bool changed = false;
  if (c == Mouse_Tool) {
    main->Set_myHelpTag(false, 0, 0, QString());
  } else {
    Mouse_Tool = c;
    main->Set_myHelpTag(true, Get_tool_X(c) + 16, Get_tool_Y(c) + 34, Tool_Text(c));
    changed = true;
  }
  if (!Partial_Colour_Mode() && !changed && Fill_icons_Open) {
    const int32_t n = Fill_At(x, y);
    if (n == Mouse_Fill) {
      main->Set_myHelpTag(false, 0, 0, QString());
    } else {
      Mouse_Fill = n;
      main->Set_myHelpTag(true, 36, Get_Fill_Y(n == -1 ? 3 : n) + 36, Fill_Text(n));
      changed = true;
    }
  }
  if (changed) Invalidate(true);
}

void classTOOLS::Tools_MouseExit() {
  winMAIN::instance()->Set_myHelpTag(false, 0, 0, QString());
  if (Mouse_Tool >= 0 || Mouse_Fill > 0) {
    Mouse_Tool = -1;
    Mouse_Fill = -1;
    Invalidate(true);
  }
}
