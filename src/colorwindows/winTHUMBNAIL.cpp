#include "colorwindows/winTHUMBNAIL.h"

#include <QCloseEvent>

#include "core/EditingState.h"

winTHUMBNAIL::winTHUMBNAIL() : QWidget(nullptr, Qt::Tool) {
  setObjectName(QStringLiteral("winTHUMBNAIL"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(160, 160);
  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(0, 0, 160, 160);
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };
}

void winTHUMBNAIL::Canvas1_Paint(Platform::Graphics& g) {
  const auto& pic = modMAIN::work_area;
  if (!pic) return;
  const double k = std::min(double(Canvas1->width()) / pic->Width(), double(Canvas1->height()) / pic->Height());
  g.SetAntiAlias(true);
  g.DrawPicture(pic, 0, 0, std::max(1, int(pic->Width() * k)), std::max(1, int(pic->Height() * k)), 0, 0,
                pic->Width(), pic->Height());
}

void winTHUMBNAIL::closeEvent(QCloseEvent* event) {
  modMAIN::active_THUMBNAIL = false;
  QWidget::closeEvent(event);
}
