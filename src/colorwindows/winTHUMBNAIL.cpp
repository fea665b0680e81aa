#include "colorwindows/winTHUMBNAIL.h"

#include <QScrollBar>

#include <QCloseEvent>
#include <QPainter>
#include <cmath>

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "colorwindows/FloatingWindows.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/Thumbnail.h"
#include "core/TraceLog.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classScrollbar.h"
#include "platform/Numbers.h"

using namespace modMAIN;
using Platform::ToInt;

namespace {

// The main window's painting canvas, in screen pixels; nothing before the main window exists.
QSize View_Size() {
  winMAIN* main = winMAIN::existing();
  return main && main->Screen_Canvas ? main->Screen_Canvas->size() : QSize();
}

double View_Zoom() { return Zoom > 0 ? double(Zoom) : 1.0; }

// The farthest the view may scroll along an axis: the picture less the view, plus a margin of at least
// 20 screen pixels past the picture's far edge.
int32_t Scroll_Maximum(int picture, int view) {
  const double z = View_Zoom();
  return ToInt((picture - view / z) + std::ceil(20 / z));
}

// Scrolls the main window's view so that its top-left image pixel is (x, y), through its scroll bars:
// the platform pair, then the drawn pair, so every bar shows the new place.
void Scroll_View_To(int32_t x, int32_t y) {
  winMAIN* main = winMAIN::existing();
  if (!main || !main->Scroll_H_OS || !main->Scroll_V_OS || !main->Scroll_H_Custom || !main->Scroll_V_Custom) {
    offset.x = x;
    offset.y = y;
    if (main) main->C_INVALIDATE();
    Update_Thumbnail();
    return;
  }
  main->Scroll_H_OS->setValue(x);
  main->Scroll_V_OS->setValue(y);
  main->Scroll_H_Custom->Value(x);
  main->Scroll_V_Custom->Value(y);
  Update_Thumbnail();
}

}  // namespace

winTHUMBNAIL::winTHUMBNAIL() : QWidget(winMAIN::existing(), Qt::Tool) {
  setObjectName(QStringLiteral("winTHUMBNAIL"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Thumbnail"));
  setMinimumSize(100, 100);
  setMaximumSize(32000, 32000);
  resize(200, 200);

  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(0, 0, 200, 200);
  Canvas1->setFocusPolicy(Qt::NoFocus);
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };
  Canvas1->MouseDown = [this](int x, int y) { return Canvas1_MouseDown(x, y); };
  Canvas1->MouseMove = [this](int x, int y) { Canvas1_MouseMove(x, y); };
  Canvas1->MouseDrag = [this](int x, int y) { Canvas1_MouseDrag(x, y); };

  Event_Open();
}

void winTHUMBNAIL::Canvas1_Paint(Platform::Graphics& g) {
  g.SetForeColor(0x707070);
  g.FillRect(0, 0, g.Width(), g.Height());
  if (!work_area) return;
  const int pw = work_area->Width(), ph = work_area->Height();
  const int cw = g.Width(), ch = g.Height();
  // The whole picture, reduced to fit but never enlarged, centred. Sizes are worked out as quotients of
  // whole numbers, so that exact results (a third of 150) are not lost to rounding on the way.
  int tw, th;
  if (pw <= cw && ph <= ch) {
    tw = pw;
    th = ph;
  } else if (ch < ToInt(double(ph) * cw / pw)) {
    th = ch;
    tw = ToInt(double(ch) * pw / ph);
  } else {
    tw = cw;
    th = ToInt(double(ph) * cw / pw);
  }
  const int tx = ToInt((cw - tw) / 2.0), ty = ToInt((ch - th) / 2.0);

  if (Save_as_Transparent) {
    if (!canvas_transparent) Make_Transparent();
    g.DrawPicture(canvas_transparent, tx, ty, tw, th, 0, 0, tw, th);
  }
  const QImage reduced = Reduced_Picture(*work_area, tw, th, Save_as_Transparent);
  if (!reduced.isNull()) g.WithPainter([&](QPainter& p) { p.drawImage(tx, ty, reduced); });

  r->set_Top_Left(Point_of(tx, ty));
  r->set_Bot_Right(Point_of(tx + tw, ty + th));

  // The box: the part of the picture that the main window's view shows.
  // The scale of the thumbnail is tw / pw.
  const QSize view = View_Size();
  const int bx = ToInt(tx + double(tw) * offset.x / pw), by = ToInt(ty + double(tw) * offset.y / pw);
  const int bw = ToInt(double(tw) * view.width() / (View_Zoom() * pw));
  const int bh = ToInt(double(tw) * view.height() / (View_Zoom() * pw));
  Draw_H_Ants(g, bx, bx + bw, by, by + bh);
  Draw_V_Ants(g, by, by + bh, bx, bx + bw);

  // The scale rounded up to a tenth of a percent (a hair of rounding error is not a tenth more).
  const double percent = std::ceil(double(tw) * 1000 / pw - 1e-9) / 10;
  setWindowTitle(QStringLiteral("Thumbnail View :") + QString::number(percent, 'f', 1) + QStringLiteral("%  ") +
                 QString::number(bw) + QLatin1Char('/') + QString::number(bh));
}

bool winTHUMBNAIL::Inside_Rect(int x, int y) const {
  const point_record tl = r->Top_Left(), br = r->Bot_Right();
  return tl.x <= x && x <= br.x && tl.y <= y && y <= br.y;
}

void winTHUMBNAIL::Fix_Cursor(int x, int y) {
  if (Inside_Rect(x, y)) {
    const Resources::CursorPtr cross = Resources::cursor_crosshair();
    Canvas1->setCursor(cross ? *cross : QCursor(Qt::CrossCursor));
  } else {
    Canvas1->setCursor(Qt::ArrowCursor);
  }
}

void winTHUMBNAIL::Canvas1_MouseMove(int x, int y) { Fix_Cursor(x, y); }

void winTHUMBNAIL::Canvas1_MouseDrag(int x, int y) { Fix_Cursor(x, y); }

bool winTHUMBNAIL::Canvas1_MouseDown(int x, int y) {
  if (!Inside_Rect(x, y) || !work_area) return false;
  // A thumbnail without width or height has no picture to point at.
  const int rw = r->Width(), rh = r->Height();
  if (rw <= 0 || rh <= 0) return false;
  const int pw = work_area->Width(), ph = work_area->Height();
  const QSize view = View_Size();
  const int vw = ToInt(view.width() / View_Zoom()), vh = ToInt(view.height() / View_Zoom());
  const int ix = ToInt(double(x - r->Top_Left().x) * pw / rw);
  const int iy = ToInt(double(y - r->Top_Left().y) * ph / rh);
  // The pressed pixel to the middle of the view, as far as the view can scroll.
  int ox = ToInt(std::max(0.0, ix - vw / 2.0)), oy = ToInt(std::max(0.0, iy - vh / 2.0));
  const winMAIN* main = winMAIN::existing();
  const bool bars = main && main->Scroll_H_OS && main->Scroll_V_OS;
  ox = std::max(0, std::min(ox, bars ? main->Scroll_H_OS->maximum() : Scroll_Maximum(pw, view.width())));
  oy = std::max(0, std::min(oy, bars ? main->Scroll_V_OS->maximum() : Scroll_Maximum(ph, view.height())));
  Scroll_View_To(ox, oy);
  return false;
}

void winTHUMBNAIL::update_image() { Canvas1->Invalidate(true); }

void winTHUMBNAIL::Event_Resized() { update_image(); }

void winTHUMBNAIL::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (Canvas1) Canvas1->setGeometry(rect());
  Event_Resized();
}

void winTHUMBNAIL::Event_Open() {
  r = std::make_shared<classRECTANGLE>();
  ColorWindows::Place_Window(this, modOptions::option_Thumbnail_Left, modOptions::option_Thumbnail_Top,
                             std::max(100, modOptions::option_Thumbnail_Width),
                             std::max(100, modOptions::option_Thumbnail_Height));
  active_THUMBNAIL = true;
}

void winTHUMBNAIL::Event_CancelClose() {
  const QRect place = geometry();
  modOptions::option_Thumbnail_Top = place.top();
  modOptions::option_Thumbnail_Left = place.left();
  modOptions::option_Thumbnail_Width = place.width();
  modOptions::option_Thumbnail_Height = place.height();
}

void winTHUMBNAIL::Event_Close() { active_THUMBNAIL = false; }

void winTHUMBNAIL::closeEvent(QCloseEvent* event) {
  Event_CancelClose();
  Event_Close();
  Forget();
  event->accept();
}
