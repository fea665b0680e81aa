#include "colorwindows/winCOLOR.h"

#include "core/EditingState.h"

winCOLOR::winCOLOR(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("winCOLOR"));
  setWindowTitle(QStringLiteral("Select Color"));
  setFixedSize(335, 315);

  canvasSAMPLE = new Platform::Canvas(this, QStringLiteral("canvasSAMPLE"));
  canvasSAMPLE->setGeometry(15, 20, 173, 24);
  canvasSAMPLE->Paint = [this](Platform::Graphics& g) { canvasSAMPLE_Paint(g); };

  for (int i = 0; i < 3; ++i) {
    auto* s = new QSlider(Qt::Vertical, this);
    s->setObjectName(QStringLiteral("SliderRGB%1").arg(i));
    s->setGeometry(225 + 34 * i, 43, 16, 256);
    // The slider holds the negated component: -255 at the top is full strength.
    s->setRange(-255, 0);
    s->setSingleStep(1);
    s->setPageStep(16);
    s->setInvertedAppearance(true);
    connect(s, &QSlider::valueChanged, this, [this] { SliderRGB_ValueChanged(); });
    SliderRGB[i] = s;
  }

  pbCancel = new QPushButton(QStringLiteral("Cancel"), this);
  pbCancel->setObjectName(QStringLiteral("pbCancel"));
  pbCancel->setGeometry(63, 280, 60, 20);
  pbCancel->setAutoDefault(false);
  connect(pbCancel, &QPushButton::clicked, this, &QDialog::reject);
  pbOK = new QPushButton(QStringLiteral("OK"), this);
  pbOK->setObjectName(QStringLiteral("pbOK"));
  pbOK->setGeometry(133, 280, 60, 20);
  pbOK->setAutoDefault(false);
  connect(pbOK, &QPushButton::clicked, this, &QDialog::accept);

  working_color = modMAIN::Dialog_Color & 0xFFFFFFu;
  Set_Scrollbars();
}

void winCOLOR::Set_Scrollbars() {
  Busy = true;
  SliderRGB[0]->setValue(-Platform::Red(working_color));
  SliderRGB[1]->setValue(-Platform::Green(working_color));
  SliderRGB[2]->setValue(-Platform::Blue(working_color));
  Busy = false;
}

void winCOLOR::SliderRGB_ValueChanged() {
  if (Busy) return;
  working_color = Platform::RGB(-SliderRGB[0]->value(), -SliderRGB[1]->value(), -SliderRGB[2]->value());
  canvasSAMPLE->Invalidate(true);
}

void winCOLOR::canvasSAMPLE_Paint(Platform::Graphics& g) {
  modMAIN::RenderMode(g, true);
  g.SetForeColor(working_color);
  g.FillRect(0, 0, g.Width(), g.Height());
  g.SetForeColor(0);
  g.DrawRect(0, 0, g.Width(), g.Height());
}

void winCOLOR::done(int result) {
  if (result == QDialog::Accepted) {
    modMAIN::Dialog_Color = working_color;
    modMAIN::Dialog_Cancel = false;
  } else {
    modMAIN::Dialog_Cancel = true;
  }
  modMAIN::Dialog_Color = working_color;
  closed_ = true;
  QDialog::done(result);
}
