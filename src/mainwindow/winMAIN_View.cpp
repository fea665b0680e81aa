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
  const double z = Zoom;
  // A picture smaller than a screen pixel at this zoom still shows as one pixel, never at the size of
  // the picture shown before it; only a surround without room stops the redisplay.
  const int32_t w = ToInt(std::min<double>(canvas_BG->width(), std::max(1.0, work_area->Width() * z)));
  const int32_t h = ToInt(std::min<double>(canvas_BG->height(), std::max(1.0, work_area->Height() * z)));
  if (w <= 0 || h <= 0) return;
  Screen_Canvas->resize(w, h);
  C_INVALIDATE();
  // Both pairs get the ranges, whichever shows; a platform bar whose value no longer fits reports its
  // new value through its change handler.
  const Ranges across = Axis_Ranges(work_area->Width(), w, z);
  const Ranges down = Axis_Ranges(work_area->Height(), h, z);
  Scroll_H_OS->setMaximum(across.maximum);
  Scroll_H_OS->setPageStep(across.page);
  Scroll_H_OS->setSingleStep(across.line);
  Scroll_H_Custom->Maximum(across.maximum);
  Scroll_H_Custom->PageStep(across.page);
  Scroll_H_Custom->LineStep(across.line);
  Scroll_V_OS->setMaximum(down.maximum);
  Scroll_V_OS->setPageStep(down.page);
  Scroll_V_OS->setSingleStep(down.line);
  Scroll_V_Custom->Maximum(down.maximum);
  Scroll_V_Custom->PageStep(down.page);
  Scroll_V_Custom->LineStep(down.line);
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
