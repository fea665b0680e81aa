#include "app/modProgress.h"

#include <limits>
#include <memory>

#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

namespace modProgress {

namespace {
// The bar takes int values: totals beyond that range are shown scaled down by this many bits.
int g_shift = 0;

int BarValue(int64_t units) { return int(units >> g_shift); }
}  // namespace

void Progress_Start(int64_t total) {
  pb_flag = false;
  if (total < kShowFrom) return;
  pb_flag = true;
  winMAIN* w = winMAIN::instance();
  w->pb_BARBER->show();
  w->Set_Paint_Cursor(true);
  g_shift = 0;
  while ((total >> g_shift) > std::numeric_limits<int>::max()) ++g_shift;
  w->pb_BARBER->setMaximum(BarValue(total));
  w->pb_BARBER->setValue(0);
  pb_int = total / 20;
  pb_val = 0;
  pb_nxt = pb_int;
  w->pb_BARBER->update();
}

void Progress_Start(int32_t width, int32_t height) { Progress_Start(int64_t(width) * int64_t(height)); }

void Progress_Check(int32_t done) {
  if (!pb_flag) return;
  pb_val += done;
  if (pb_val < pb_nxt) return;
  winMAIN* w = winMAIN::instance();
  w->pb_BARBER->setValue(BarValue(pb_nxt));
  w->pb_BARBER->repaint();
  pb_nxt += pb_int;
  Platform::Environment::Beep();
}

std::function<void(int32_t)> Per_Column(int32_t height) {
  struct Count {
    int64_t units = 0, columns = 0;
  };
  auto count = std::make_shared<Count>();
  return [count, height](int32_t done) {
    if (!pb_flag || height <= 0) return;
    count->units += done;
    for (const int64_t whole = count->units / height; count->columns < whole; ++count->columns) Progress_Check(height);
  };
}

void Progress_End() {
  if (winMAIN* w = winMAIN::existing()) w->pb_BARBER->hide();
}

Progress_Scope::~Progress_Scope() {
  try {
    Progress_End();
    if (winMAIN* w = winMAIN::existing()) w->Set_Paint_Cursor(false);
  } catch (...) {
    // Leaving a failed operation: the failure that got us here is the one that counts.
  }
}

void Reset_Globals() {
  pb_flag = false;
  pb_int = 0;
  pb_val = 0;
  pb_nxt = 0;
  g_shift = 0;
}

}  // namespace modProgress
