// The status bar: the picture's size, the tool, the pointer and the drag, the red message and the busy
// words at the left; the zoom, the pen size and the arrow-head chooser at the right. Its paint also
// places the controls that live in it and keeps the pen-size slider at the tool's size.
#include <QProgressBar>
#include <algorithm>

#include "app/modOptions.h"

#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/winARROWHEAD.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"

using namespace modMAIN;
using Platform::ToInt;

namespace {
constexpr Platform::Color kBarBack = 0xE8E8E8;
constexpr Platform::Color kSeparator = 0xB3B3B3;
constexpr Platform::Color kMessage = 0xFF0000;

// The tool's name as the bar shows it; empty for the polygon and for no tool.
QString Tool_Name(int32_t tool) {
  switch (tool) {
    case TOOL_SUPERLASSO: return QStringLiteral("Free Lasso");
    case TOOL_PENCIL: return QStringLiteral("Pencil");
    case TOOL_ERASER: return Eraser_Mode ? QStringLiteral("Color Eraser") : QStringLiteral("Eraser");
    case TOOL_FLOOD: return QStringLiteral("Fill");
    case TOOL_LINE: return QStringLiteral("Line");
    case TOOL_RECT: return QStringLiteral("Rectangle");
    case TOOL_ROUNDRECT: return QStringLiteral("Round Rectangle");
    case TOOL_STYLEDTEXT:
    case TOOL_TEXT2: return QStringLiteral("Text");
    case TOOL_LASSO: return QStringLiteral("Lasso");
    case TOOL_BRUSH: return QStringLiteral("Brush");
    case TOOL_EYEDROPPER: return QStringLiteral("EyeDropper");
    case TOOL_SPRAYCAN: return QStringLiteral("SprayCan");
    case TOOL_CURVE: return QStringLiteral("Curve");
    case TOOL_OVAL: return QStringLiteral("Oval");
    case TOOL_SHAPE: return QStringLiteral("Shape");
    case TOOL_GRABBER: return QStringLiteral("Grabber");
    default: return QString();
  }
}

// The tools whose drag is read out as a start point, an end point and a size.
bool Reads_Out_Drag(int32_t tool) {
  switch (tool) {
    case TOOL_CURVE:
    case TOOL_LINE:
    case TOOL_OVAL:
    case TOOL_RECT:
    case TOOL_ROUNDRECT:
    case TOOL_LASSO: return true;
    default: return false;
  }
}

// The pen text and the size of the current tool; tools without a size of their own show the pencil's.
struct Pen {
  QString text;
  int32_t size;
};
Pen Pen_of(int32_t tool) {
  auto pen = [](const char* name, int32_t size) {
    return Pen{QLatin1String(name) + QLatin1Char(' ') + QString::number(size) + QLatin1Char('x'), size};
  };
  switch (tool) {
    case TOOL_BRUSH: return pen("Brush", size_BRUSH);
    case TOOL_SPRAYCAN: return pen("Spray", size_SPRAYCAN);
    case TOOL_ERASER: return pen("Eraser", size_ERASER);
    default: return pen("Pencil", size_PENCIL);
  }
}

// Where a control stands in the window: help tags are placed in the window's coordinates.
QPoint Window_Place(const QWidget* control, const QWidget* window) { return control->mapTo(window, QPoint(0, 0)); }
}  // namespace

QString winMAIN::XY_of(point_record point) const {
  return QString::number(point.x) + QLatin1Char(',') + QString::number(point.y);
}

int32_t winMAIN::Put_Text(Platform::Graphics& g, int32_t x, const QString& text, bool separator) {
  const Platform::Color colour = g.ForeColor();
  if (!text.isEmpty()) {
    const int32_t y = ToInt((g.Height() + g.TextAscent()) / 2.0 - 1);
    g.DrawString(text, x, y);
    if (statusbarPainting_) statusCells_.append({x, text, colour});
    x += ToInt(g.StringWidth(text));
    x += 10;
  }
  if (x < g.Width() && separator) {
    g.SetForeColor(kSeparator);
    g.DrawLine(x, 0, x, g.Height());
    g.SetForeColor(colour);
    x += 10;
  }
  return x;
}

void winMAIN::Update_Statusbar() {
  statusbar->Invalidate(true);
  // Asked for from inside the bar's own paint (the pen-size slider reporting the size the paint gave
  // it), the bar is only marked: running events here would paint it again inside its paint.
  if (statusbarPainting_) return;
  Platform::Environment::ProcessEvents();
  Update_ColorMeter();
}

void winMAIN::statusbar_Paint(Platform::Graphics& g) {
  statusbarPainting_ = true;
  statusCells_.clear();
  const int32_t W = g.Width(), H = g.Height();

  // The position read-out: with a drag tool and the button down, from the press to the pointer.
  QString P0 = XY_of(Mouse_Point), P1;
  const bool dragging = Reads_Out_Drag(drawing_TOOL) && Platform::Environment::MouseDown();
  if (dragging) {
    P1 = XY_of(Mouse_Point);
    P0 = XY_of(MouseDown_Point);
  }

  g.SetForeColor(kBarBack);
  g.FillRect(0, 0, W, H);
  g.SetTextFont(QStringLiteral("System"));
  g.SetTextSize(12);
  g.SetForeColor(kSeparator);
  g.DrawLine(0, 0, W, 0);
  g.SetForeColor(0x000000);

  // The right part, from the right edge leftwards: zoom slider and text, pen slider and text, chooser.
  Slider_Zoom->move(W - Slider_Zoom->width() - 4, Slider_Zoom->y());
  const QString zoomText = QStringLiteral("Zoom ") + QString::number(ToInt(double(Zoom) * 100)) + QLatin1Char('%');
  const int32_t xz = ToInt(Slider_Zoom->x() - g.StringWidth(zoomText) - 4);
  Put_Text(g, xz, zoomText, false);
  Put_Text(g, xz - 10, QString(), true);
  Slider_Pencil->move(xz - 10 - Slider_Pencil->width() - 4, Slider_Pencil->y());
  const Pen pen = Pen_of(drawing_TOOL);
  // The slider reports the size it is given; its handler stores the same size again.
  if (Slider_Pencil->Get_Value() != float(pen.size)) Slider_Pencil->Set_Value(float(pen.size));
  const int32_t xp = ToInt(Slider_Pencil->x() - g.StringWidth(pen.text) - 4);
  Put_Text(g, xp, pen.text, false);
  Put_Text(g, xp - 4, QString(), true);
  canvasARROW->move(xp - 4 - canvasARROW->width() - 4, canvasARROW->y());
  Put_Text(g, canvasARROW->x() - 4, QString(), true);
  const int32_t L = canvasARROW->x() - 14;

  // The left part: each cell only when it ends before the limit.
  int32_t x = 10;
  auto fits = [&](const QString& text) { return x + g.StringWidth(text) < L; };
  const QString canvasText =
      work_area ? QStringLiteral("Canvas: %1 x %2").arg(work_area->Width()).arg(work_area->Height()) : QStringLiteral("...");
  const QString toolText = QStringLiteral("Tool: ") + Tool_Name(drawing_TOOL);
  if (fits(canvasText)) {
    x = Put_Text(g, x, canvasText, true);
    if (fits(toolText)) {
      x = Put_Text(g, x, toolText, true);
      const QString position = QStringLiteral("XY: ") + P0 + (P1.isEmpty() ? QString() : QStringLiteral(" to ") + P1);
      if (fits(position)) {
        x = Put_Text(g, x, position, true);
        if (!P1.isEmpty()) {
          const QString size = QStringLiteral("Size: %1 x %2")
                                   .arg(int64_t(Mouse_Point.x) - MouseDown_Point.x)
                                   .arg(int64_t(Mouse_Point.y) - MouseDown_Point.y);
          if (fits(size)) x = Put_Text(g, x, size, true);
        }
      }
      if (modColorSplash::ColorSplash_Mode > 0) status_msg = modColorSplash::ColorSplash_Name + QStringLiteral(" is active");
      if (!status_msg.isEmpty() && fits(status_msg)) {
        g.SetForeColor(kMessage);
        x = Put_Text(g, x, status_msg, true);
      }
      if (Barber_Pole) {
        x = Put_Text(g, x, QStringLiteral("Please Wait"), true);
        const int32_t width = L - x - 5;
        pb_BARBER->setGeometry(x, pb_BARBER->y(), std::max(0, width), pb_BARBER->height());
        pb_BARBER->show();
      }
    }
  }
  statusbarPainting_ = false;
}

// ---- The controls in the bar ----

void winMAIN::canvasARROW_Paint(Platform::Graphics& g) {
  const int32_t W = g.Width(), H = g.Height();
  const int32_t m = ToInt(H / 2.0);
  g.SetForeColor(kBarBack);
  g.FillRect(0, 0, W, H);
  g.SetForeColor(0x000000);
  g.SetPenWidth(3);
  g.SetPenHeight(3);
  RenderMode(g, true);
  g.DrawLine(5, m, W - 5, m);
  const int32_t style = modOptions::option_ArrowHead;
  if (style == 1 || style == 3) {
    g.DrawLine(5, m, 10, m - 5);
    g.DrawLine(5, m, 10, m + 5);
  }
  if (style == 2 || style == 3) {
    g.DrawLine(W - 5, m, W - 10, m - 5);
    g.DrawLine(W - 5, m, W - 10, m + 5);
  }
}

bool winMAIN::canvasARROW_MouseDown(int32_t, int32_t) {
  if (canvasARROW->ContextualClick()) {
    winARROWHEAD::Show_Modal();
    return false;
  }
  int32_t style = modOptions::option_ArrowHead + 1;
  if (style > 3) style = 0;
  modOptions::option_ArrowHead = style;
  canvasARROW->Invalidate(true);
  return false;
}

void winMAIN::Slider_Zoom_MouseEnter() {
  const QPoint at = Window_Place(Slider_Zoom, centralWidget());
  Set_myHelpTag(true, at.x(), at.y() - 20, QStringLiteral("Set Magnification Level"));
}

void winMAIN::Slider_Pencil_MouseEnter() {
  const QPoint at = Window_Place(Slider_Pencil, centralWidget());
  Set_myHelpTag(true, at.x(), at.y() - 20, QStringLiteral("Set Drawing Width"));
}

void winMAIN::canvasARROW_MouseEnter() {
  const QPoint at = Window_Place(canvasARROW, centralWidget());
  Set_myHelpTag(true, at.x(), at.y() - 20, QStringLiteral("Set Line ArrowHeads"));
}

void winMAIN::Status_Control_MouseLeave() { Set_myHelpTag(false, 0, 0, QString()); }

void winMAIN::Bind_View_Surroundings() {
  canvasARROW->Paint = [this](Platform::Graphics& g) { canvasARROW_Paint(g); };
  canvasARROW->MouseDown = [this](int x, int y) { return canvasARROW_MouseDown(x, y); };
  canvasARROW->MouseEnter = [this] { canvasARROW_MouseEnter(); };
  Slider_Zoom->MouseEnter = [this] { Slider_Zoom_MouseEnter(); };
  Slider_Pencil->MouseEnter = [this] { Slider_Pencil_MouseEnter(); };
  for (Platform::Canvas* control : {static_cast<Platform::Canvas*>(canvasARROW), static_cast<Platform::Canvas*>(Slider_Zoom),
                                    static_cast<Platform::Canvas*>(Slider_Pencil)}) {
    control->MouseMove = [this](int, int) { Status_Control_MouseLeave(); };
    control->MouseExit = [this] { Status_Control_MouseLeave(); };
  }

  for (int i = 0; i < 2; ++i) canvasRULER(i)->Paint = [this, i](Platform::Graphics& g) { canvasRULER_Paint(i, g); };
  canvasFiller->Paint = [this](Platform::Graphics& g) { canvasFiller_Paint(g); };

  canvas_BG->Paint = [this](Platform::Graphics& g) { canvas_BG_Paint(g); };
  canvas_BG->MouseDown = [this](int x, int y) { return canvas_BG_MouseDown(x, y); };
  canvas_BG->MouseMove = [this](int x, int y) { canvas_BG_MouseMove(x, y); };
  canvas_BG->MouseDrag = [this](int x, int y) { canvas_BG_MouseDrag(x, y); };
  canvas_BG->MouseUp = [this](int x, int y) { canvas_BG_MouseUp(x, y); };
}
