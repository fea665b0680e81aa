// Redisplaying the document: canvas size, zoom, title, modified mark and status bar.
#include <QPainter>

#include "app/ProgramIdentity.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

using namespace modMAIN;

void winMAIN::Update_Display() {
  if (!work_area || !canvas_BG) return;
  const float z = Zoom > 0 ? Zoom : 1;
  const int viewW = std::max(0, canvas_BG->width() - 8), viewH = std::max(0, canvas_BG->height() - 8);
  const int w = std::min<double>(viewW, work_area->Width() * double(z));
  const int h = std::min<double>(viewH, work_area->Height() * double(z));
  Screen_Canvas->setGeometry(4, 4, std::max(w, 0), std::max(h, 0));
  Screen_Canvas->Invalidate(true);
}

void winMAIN::C_INVALIDATE() { Screen_Canvas->Invalidate(true); }

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

void winMAIN::Update_Statusbar() {
  statusbar->Invalidate(true);
  Platform::Environment::ProcessEvents();
  Update_ColorMeter();
}

void winMAIN::Set_Zoom(float zoom) {
  zoom = std::clamp(zoom, 0.25f, 16.0f);
  if (zoom == Zoom) return;
  Zoom = zoom;
  Update_Statusbar();
  Arrange_Controls();
  Update_Display();
  canvas_BG->Invalidate(true);
}

void winMAIN::Cleanup_Background_Artifacts(int32_t w, int32_t h) {
  if (w == Last_Screen_W && h == Last_Screen_H) return;
  Last_Screen_W = w;
  Last_Screen_H = h;
  canvas_BG->Invalidate(true);
}

void winMAIN::statusbar_Paint(Platform::Graphics& g) {
  g.SetForeColor(0xE8E8E8);
  g.FillRect(0, 0, g.Width(), g.Height());
  g.SetForeColor(0);
  g.SetTextSize(12);
  double x = 6;
  if (Barber_Pole) {
    const QString wait = QStringLiteral("Please Wait");
    g.DrawString(wait, x, 15);
    x += g.StringWidth(wait) + 6;
    pb_BARBER->setGeometry(int(x), 1, std::max(10, g.Width() - int(x) - 5), 20);
    pb_BARBER->show();
  }
}
