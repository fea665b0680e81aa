#include "colorwindows/winCOLORMeter.h"

#include <QCloseEvent>

#include "core/EditingState.h"

winCOLORMeter::winCOLORMeter() : QWidget(nullptr, Qt::Tool) {
  setObjectName(QStringLiteral("winCOLORMeter"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(90, 90);
  Sample = Platform::Picture::Create(9, 9);
  Display = new Platform::Canvas(this, QStringLiteral("Display"));
  Display->setGeometry(0, 0, 90, 90);
  Display->Paint = [this](Platform::Graphics& g) { g.DrawPicture(Sample, 0, 0, 90, 90, 0, 0, 9, 9); };
}

void winCOLORMeter::Set_Meter(modMAIN::point_record p) {
  const auto& pic = modMAIN::work_area;
  if (!pic) return;
  Platform::Graphics g = Sample->Graphics();
  g.ClearRect(0, 0, 9, 9);
  g.DrawPicture(pic, 0, 0, 9, 9, p.x - 4, p.y - 4, 9, 9);
  const Platform::Color c = pic->Pixel(p.x, p.y);
  Clr[0] = Platform::Red(c);
  Clr[1] = Platform::Green(c);
  Clr[2] = Platform::Blue(c);
  Display->Invalidate(true);
}

void winCOLORMeter::closeEvent(QCloseEvent* event) {
  modMAIN::active_COLORMETER = false;
  QWidget::closeEvent(event);
}
