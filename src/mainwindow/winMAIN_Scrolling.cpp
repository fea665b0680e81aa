// The scroll bars' events: a value change moves the view along its axis; the wheel over a bar moves
// that bar.
#include <QApplication>
#include <QScrollBar>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classScrollbar.h"
#include "platform/Numbers.h"

using namespace modMAIN;

namespace {
// The wheel's new value for a bar: its value moved by the amount, held to 0 .. maximum.
int32_t Wheel_Value(int32_t value, int32_t amount, int32_t maximum) {
  return Platform::ClampInt(std::min<int64_t>(std::max<int64_t>(0, int64_t(value) + amount), maximum));
}
}  // namespace

bool winMAIN::Axis_Scrolls(bool horizontal) const {
  return horizontal ? !Scroll_H_OS->isHidden() || !Scroll_H_Custom->isHidden()
                    : !Scroll_V_OS->isHidden() || !Scroll_V_Custom->isHidden();
}

// The view follows a bar of either kind: the offset of its axis, the canvas, the navigator and the
// ruler of that axis while rulers show. Along an axis without a bar the picture fits and the offset
// stays 0, whatever a hidden bar's value does.
void winMAIN::View_Follows_Bar(bool horizontal, int32_t value) {
  if (!Axis_Scrolls(horizontal)) return;
  (horizontal ? offset.x : offset.y) = value;
  C_INVALIDATE();
  Update_Thumbnail();
  if (modOptions::option_ShowRuler) canvasRULER(horizontal ? 0 : 1)->Invalidate(true);
}

// A drawn bar moved by the user also moves the platform bar of its axis (quietly: the view is moved
// here), so that the wheel over the picture and the navigator, which start from the platform bars,
// go on from where the user left the view.
void winMAIN::Drawn_Bar_Moved(bool horizontal) {
  const int32_t value = (horizontal ? Scroll_H_Custom : Scroll_V_Custom)->Value();
  QScrollBar* platform = horizontal ? Scroll_H_OS : Scroll_V_OS;
  {
    const QSignalBlocker quiet(platform);
    platform->setValue(value);
  }
  View_Follows_Bar(horizontal, value);
}

void winMAIN::Scroll_H_OS_ValueChanged() { View_Follows_Bar(true, Scroll_H_OS->value()); }
void winMAIN::Scroll_V_OS_ValueChanged() { View_Follows_Bar(false, Scroll_V_OS->value()); }
void winMAIN::Scroll_H_Custom_ValueChanged() { Drawn_Bar_Moved(true); }
void winMAIN::Scroll_V_Custom_ValueChanged() { Drawn_Bar_Moved(false); }

// The wheel: the vertical amount moves either bar, so the wheel scrolls sideways over the horizontal
// bar. A platform bar reports its own change; a drawn bar set by the program does not, so its wheel
// carries the change out itself.
bool winMAIN::Scroll_H_OS_MouseWheel(int32_t, int32_t, int32_t, int32_t deltaY) {
  Scroll_H_OS->setValue(Wheel_Value(Scroll_H_OS->value(), deltaY, Scroll_H_OS->maximum()));
  return false;
}

bool winMAIN::Scroll_V_OS_MouseWheel(int32_t, int32_t, int32_t, int32_t deltaY) {
  Scroll_V_OS->setValue(Wheel_Value(Scroll_V_OS->value(), deltaY, Scroll_V_OS->maximum()));
  return false;
}

bool winMAIN::Drawn_Bar_Wheel(bool horizontal, int32_t amount) {
  classScrollbar* bar = horizontal ? Scroll_H_Custom : Scroll_V_Custom;
  const int32_t value = Wheel_Value(bar->Value(), amount, bar->Maximum());
  if (value != bar->Value()) {
    bar->Value(value);
    Drawn_Bar_Moved(horizontal);
  }
  return false;
}

bool winMAIN::Scroll_H_Custom_MouseWheel(int32_t, int32_t, int32_t, int32_t deltaY) {
  return Drawn_Bar_Wheel(true, deltaY);
}

bool winMAIN::Scroll_V_Custom_MouseWheel(int32_t, int32_t, int32_t, int32_t deltaY) {
  return Drawn_Bar_Wheel(false, deltaY);
}

int32_t winMAIN::Wheel_Step(bool horizontal) const {
  const int32_t line = horizontal ? Scroll_H_OS->singleStep() : Scroll_V_OS->singleStep();
  return std::max(1, line) * std::max(1, QApplication::wheelScrollLines());
}
