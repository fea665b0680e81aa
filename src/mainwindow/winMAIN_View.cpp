// The view: the two pixel spaces, the canvas size and scroll ranges, the zoom, repaint requests, the
// title and the modified mark.
#include <QPainter>
#include <QScrollBar>
#include <cmath>

#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classScrollbar.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"

using namespace modMAIN;
using Platform::ToInt;

namespace {
// The zoom steps, in the order of the zoom slider's positions 1 to 7.
constexpr float kZoomSteps[] = {0.25f, 0.5f, 1, 2, 4, 8, 16};

int32_t Slider_Position(float zoom) {
  for (int i = 0; i < 7; ++i)
    if (kZoomSteps[i] == zoom) return i + 1;
  return 0;
}

// The ranges of one axis: the bars may scroll the picture past its far edge by at least 20 screen
// pixels, and a page is what the canvas shows.
struct Ranges {
  int32_t maximum, page, line;
};
Ranges Axis_Ranges(int32_t picture, int32_t canvas, double zoom) {
  const int32_t page = ToInt(std::ceil(canvas / zoom));
  return {ToInt((picture - canvas / zoom) + std::ceil(20 / zoom)), page, ToInt(std::ceil(page / 10.0))};
}
}  // namespace

point_record winMAIN::Screen_to_image_Coordinates(point_record screen) const {
  const double z = Zoom;
  return Point_of(ToInt(screen.x / z + offset.x), ToInt(screen.y / z + offset.y));
}

point_record winMAIN::Screen_to_image_Coordinates(int32_t x, int32_t y) const {
  return Screen_to_image_Coordinates(Point_of(x, y));
}

point_record winMAIN::image_to_Screen_Coordinates(point_record image) const {
  const double z = Zoom;
  // The differences are whole numbers; only the magnification is real.
  const int64_t dx = int64_t(image.x) - offset.x, dy = int64_t(image.y) - offset.y;
  return Point_of(ToInt(double(dx) * z), ToInt(double(dy) * z));
}

point_record winMAIN::image_to_Screen_Coordinates(int32_t x, int32_t y) const {
  return image_to_Screen_Coordinates(Point_of(x, y));
}

std::shared_ptr<classRECTANGLE> winMAIN::image_to_Screen_Rectangle(const classRECTANGLE& image) const {
  auto screen = std::make_shared<classRECTANGLE>();
  screen->set_Top_Left(image_to_Screen_Coordinates(image.Top_Left()));
  screen->set_Bot_Right(image_to_Screen_Coordinates(image.Bot_Right()));
  return screen;
}

void winMAIN::Update_Display() {
  if (!work_area) return;
  // A picture of another size, or another zoom, may need other bars: the window is arranged for it.
  if (arrangedPicture_ != QSize(work_area->Width(), work_area->Height()) || arrangedZoom_ != Zoom) Arrange_Controls();
  const double z = Zoom;
  // A picture smaller than a screen pixel at this zoom still shows as one pixel, never at the size of
  // the picture shown before it; only a surround without room stops the redisplay.
  const int32_t w = ToInt(std::min<double>(canvas_BG->width(), std::max(1.0, work_area->Width() * z)));
  const int32_t h = ToInt(std::min<double>(canvas_BG->height(), std::max(1.0, work_area->Height() * z)));
  if (w <= 0 || h <= 0) return;
  Screen_Canvas->resize(w, h);
  C_INVALIDATE();
  // Both pairs get the ranges, whichever shows. A value that no longer fits is cut to the new maximum
  // (a shown drawn bar's too, as the platform's are by themselves) without the bars' change handlers:
  // the view takes its offset from the bars below, never from a range that shrank.
  const int32_t before[4] = {Scroll_H_OS->value(), Scroll_V_OS->value(), Scroll_H_Custom->Value(), Scroll_V_Custom->Value()};
  const Ranges across = Axis_Ranges(work_area->Width(), w, z);
  const Ranges down = Axis_Ranges(work_area->Height(), h, z);
  for (const bool horizontal : {true, false}) {
    const Ranges& r = horizontal ? across : down;
    QScrollBar* platform = horizontal ? Scroll_H_OS : Scroll_V_OS;
    classScrollbar* drawn = horizontal ? Scroll_H_Custom : Scroll_V_Custom;
    {
      const QSignalBlocker quiet(platform);
      platform->setMaximum(r.maximum);
      platform->setPageStep(r.page);
      platform->setSingleStep(r.line);
    }
    drawn->Maximum(r.maximum);
    drawn->PageStep(r.page);
    drawn->LineStep(r.line);
    if (!drawn->isHidden()) drawn->Value(std::clamp(drawn->Value(), 0, std::max(0, r.maximum)));
  }
  const int32_t after[4] = {Scroll_H_OS->value(), Scroll_V_OS->value(), Scroll_H_Custom->Value(), Scroll_V_Custom->Value()};
  if (offsetFromBars_ || !std::equal(std::begin(before), std::end(before), std::begin(after))) Take_Offset_From_Bars();

  // What shows the picture's size or place follows it: the surround with the handles at the canvas's
  // new edges, and the rulers, the status bar's canvas size and the navigator.
  Cleanup_Background_Artifacts(w, h);
  const View_Shown now{work_area->Width(), work_area->Height(), Zoom, offset.x, offset.y, w, h};
  if (now == shown_) return;
  shown_ = now;
  Refresh_Rulers();
  statusbar->Invalidate(true);
  Update_Thumbnail();
}

void winMAIN::Take_Offset_From_Bars() {
  offsetFromBars_ = false;
  const bool system = modOptions::option_OS_Scrollbar;
  offset = Point_of(0, 0);
  if (Axis_Scrolls(true)) offset.x = system ? Scroll_H_OS->value() : Scroll_H_Custom->Value();
  if (Axis_Scrolls(false)) offset.y = system ? Scroll_V_OS->value() : Scroll_V_Custom->Value();
}

void winMAIN::Scroll_To_Top_Left() {
  for (QScrollBar* bar : {Scroll_H_OS, Scroll_V_OS}) {
    const QSignalBlocker quiet(bar);
    bar->setValue(0);
  }
  Scroll_H_Custom->Value(0);
  Scroll_V_Custom->Value(0);
  offset = Point_of(0, 0);
}

void winMAIN::Set_Zoom(float zoom) {
  zoom = std::clamp(zoom, 0.25f, 16.0f);
  if (zoom == Zoom) return;
  const int32_t position = Slider_Position(zoom);
  Zoom = zoom;
  // The slider reports its new position, whose handler finds the zoom already in force.
  Slider_Zoom->Set_Value(float(position));
  Update_Statusbar();
  Arrange_Controls();
  Update_Display();
  Cleanup_Background_Artifacts(Screen_Canvas->width(), Screen_Canvas->height());
  Refresh_Rulers();
}

void winMAIN::C_INVALIDATE() { Screen_Canvas->Invalidate(true); }

void winMAIN::Refresh_Rulers() {
  if (!modOptions::option_ShowRuler) return;
  canvasRULER(0)->Invalidate(true);
  canvasRULER(1)->Invalidate(true);
  canvasFiller->Invalidate(true);
}

void winMAIN::Cleanup_Background_Artifacts(int32_t w, int32_t h) {
  if (w == Last_Screen_W && h == Last_Screen_H) return;
  Last_Screen_W = w;
  Last_Screen_H = h;
  canvas_BG->Invalidate(true);
}

void winMAIN::Slider_Zoom_Open() { Slider_Zoom->Set_Value(1); }

void winMAIN::Slider_Zoom_valueChanged(float) {
  Clear_Status_Msg();
  const float position = Slider_Zoom->Get_Value();
  const int32_t step = ToInt(position);
  if (step != position || step < 1 || step > 7) {
    Platform::Environment::Beep();
    return;
  }
  Set_Zoom(kZoomSteps[step - 1]);
}

void winMAIN::Slider_Pencil_Open() { Slider_Pencil->Set_Value(1); }

void winMAIN::Slider_Pencil_valueChanged(float) {
  Clear_Status_Msg();
  Pensize_SET(ToInt(Slider_Pencil->Get_Value()), drawing_TOOL);
}

void winMAIN::SetWindowModified(bool changed) {
  img_changed = changed;
  QMainWindow::setWindowModified(changed);
}

void winMAIN::update_title() {
  // "[*]" is where the window shows its modified mark, a "*" after the name while there are changes.
  setWindowTitle(PGM_Name + QLatin1Char(':') +
                 (image_FolderObject ? image_FolderObject->Name() : QStringLiteral("<untitled>")) +
                 QStringLiteral("[*]"));
}
