#include "palettes/winARROWHEAD.h"

#include <QKeyEvent>

#include "app/modOptions.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"

namespace {
QFont Window_Font() {
  QFont f;
  f.setPixelSize(14);
  return f;
}

int32_t& Option_of(int index) {
  switch (index) {
    case 0: return modOptions::option_ArrowLength;
    case 1: return modOptions::option_ArrowWidth;
    default: return modOptions::option_ArrowConcavity;
  }
}

QLabel* Make_Label(QWidget* parent, const QString& name, const QString& text, QRect place) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(place);
  label->setFont(Window_Font());
  label->setAlignment(Qt::AlignCenter);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(pal);
  return label;
}
}  // namespace

winARROWHEAD::winARROWHEAD(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("winARROWHEAD"));
  setWindowTitle(QStringLiteral("ArrowHeads"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(273, 142);

  const char* captions[] = {"Start of Line", "End of Line"};
  const QRect boxes[] = {QRect(26, 10, 108, 22), QRect(153, 10, 100, 22)};
  for (int i = 0; i < 2; ++i) {
    cb_[i] = new QCheckBox(QLatin1String(captions[i]), this);
    cb_[i]->setObjectName(QStringLiteral("cb%1").arg(i));
    cb_[i]->setGeometry(boxes[i]);
    cb_[i]->setFont(Window_Font());
    connect(cb_[i], &QCheckBox::toggled, this, [this, i] { cb_Action(i); });
  }

  const float minimum[] = {3, 3, -5}, maximum[] = {10, 10, 5};
  for (int i = 0; i < 3; ++i) {
    rSlide_[i] = new RoundSlider(this, QStringLiteral("rSlide%1").arg(i));
    rSlide_[i]->minimum = minimum[i];
    rSlide_[i]->maximum = maximum[i];
    rSlide_[i]->liveScroll = true;
    rSlide_[i]->allowCancel = false;
    rSlide_[i]->setGeometry(83, 43 + 30 * i, 140, 17);
    rSlide_[i]->On.Open = [this, i] { rSlide_Open(i); };
    rSlide_[i]->On.valueChanged = [this, i](float) { rSlide_valueChanged(i); };
  }

  StaticText1 = Make_Label(this, QStringLiteral("StaticText1"), QStringLiteral("Length"), QRect(20, 40, 60, 22));
  StaticText2 = Make_Label(this, QStringLiteral("StaticText2"), QStringLiteral("Width"), QRect(20, 70, 60, 22));
  StaticText3 = Make_Label(this, QStringLiteral("StaticText3"), QStringLiteral("Concave"), QRect(20, 100, 60, 22));
  const char* designTexts[] = {"10x", "10x", "50%"};
  for (int i = 0; i < 3; ++i)
    lblValue_[i] = Make_Label(this, QStringLiteral("lblValue%1").arg(i), QLatin1String(designTexts[i]),
                              QRect(223, 40 + 30 * i, 30, 22));

  // The controls open before the window, in the order they were made.
  for (int i = 0; i < 2; ++i) cb_Open(i);
  for (int i = 0; i < 3; ++i) rSlide_[i]->Open();
  Event_Open();
}

void winARROWHEAD::cb_Open(int index) {
  const int32_t style = modOptions::option_ArrowHead;
  cb_[index]->setChecked(index == 0 ? (style == 1 || style == 3) : (style == 2 || style == 3));
}

void winARROWHEAD::cb_Action(int) {
  if (!flag) return;
  modOptions::option_ArrowHead = (cb_[0]->isChecked() ? 1 : 0) + (cb_[1]->isChecked() ? 2 : 0);
  // The chooser in the status bar shows the new style.
  if (winMAIN* main = winMAIN::existing()) main->statusbar->Invalidate(true);
}

void winARROWHEAD::rSlide_Open(int index) {
  rSlide_[index]->Set_Value(float(Option_of(index)));
  // The label and the setting take the value the slider settled on, also when it reported none.
  rSlide_valueChanged(index);
}

void winARROWHEAD::rSlide_valueChanged(int index) {
  const float v = rSlide_[index]->Get_Value();
  const int32_t value = Platform::ToInt(v);
  if (index == 2) lblValue_[index]->setText(QString::number(Platform::ToInt(double(v) * 10)) + QLatin1Char('%'));
  else lblValue_[index]->setText(QString::number(value) + QLatin1Char('x'));
  Option_of(index) = value;
}

void winARROWHEAD::Event_Open() { flag = true; }

void winARROWHEAD::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    // A modifier held on its own is no key.
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr: QDialog::keyPressEvent(e); return;
    default: close(); e->accept();
  }
}

void winARROWHEAD::Show_Modal() {
  winARROWHEAD window(winMAIN::existing());
  Platform::ModalHost::RunDialog(&window, winMAIN::existing(), false);
}
