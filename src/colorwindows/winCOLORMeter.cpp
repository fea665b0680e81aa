#include "colorwindows/winCOLORMeter.h"

#include <QCloseEvent>

#include "app/modOptions.h"
#include "colorwindows/ColorNotation.h"
#include "colorwindows/FloatingWindows.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"

namespace {
QLabel* Label(QWidget* parent, const QString& name, const QString& text, const QRect& place, Qt::Alignment align) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(place);
  l->setAlignment(align | Qt::AlignVCenter);
  return l;
}
}  // namespace

winCOLORMeter::winCOLORMeter()
    : QWidget(winMAIN::existing(), Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("winCOLORMeter"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Color Meter"));
  setFixedSize(252, 105);

  PopupMenu1 = new QComboBox(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1->setGeometry(110, 8, 132, 20);
  PopupMenu1->addItems({QStringLiteral("RGB as HEX"), QStringLiteral("RGB as Value"), QStringLiteral("RGB as Percent")});
  PopupMenu1->setCurrentIndex(0);

  const QString captions[3] = {QStringLiteral("Red"), QStringLiteral("Green"), QStringLiteral("Blue")};
  const QRect values[3] = {QRect(170, 35, 50, 20), QRect(170, 55, 50, 20), QRect(171, 76, 50, 20)};
  for (int i = 0; i < 3; ++i) {
    lblColor[i] = Label(this, QStringLiteral("lblColor%1").arg(i), captions[i], QRect(122, 36 + 20 * i, 40, 20),
                        Qt::AlignRight);
    cval[i] = Label(this, QStringLiteral("cval%1").arg(i), QStringLiteral("888.8%"), values[i], Qt::AlignLeft);
  }

  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(8, 7, 90, 90);
  Canvas1->setFocusPolicy(Qt::NoFocus);
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };

  connect(PopupMenu1, &QComboBox::currentIndexChanged, this, [this] { PopupMenu1_Change(); });

  // The controls open before the window.
  PopupMenu1_Open();
  Event_Open();
}

void winCOLORMeter::Set_Meter(modMAIN::point_record p) {
  // A fresh sample is white, so that pixels beyond the picture's edges show white.
  Sample = Platform::Picture::Create(9, 9, 24);
  if (const Platform::PicturePtr& pic = modMAIN::work_area) {
    for (int j = 0; j < 9; ++j) {
      const int y = p.y - 4 + j;
      if (y < 0 || y >= pic->Height()) continue;
      for (int i = 0; i < 9; ++i) {
        const int x = p.x - 4 + i;
        if (x >= 0 && x < pic->Width()) Sample->SetPixel(i, j, pic->Pixel(x, y));
      }
    }
  }
  const Platform::Color c = Sample->Pixel(4, 4);
  Clr[0] = Platform::Red(c);
  Clr[1] = Platform::Green(c);
  Clr[2] = Platform::Blue(c);
  Update_Display();
}

void winCOLORMeter::Update_Display() {
  for (int i = 0; i < 3; ++i) cval[i]->setText(ColorWindows::Component_Text(PopupMenu1->currentIndex(), Clr[i]));
  Canvas1->Invalidate(true);
}

void winCOLORMeter::Canvas1_Paint(Platform::Graphics& g) {
  modMAIN::RenderMode(g, true);
  if (Sample) g.DrawPicture(Sample, 0, 0, g.Width(), g.Height(), 0, 0, 9, 9);
  g.SetForeColor(0x000000);
  g.DrawRect(0, 0, g.Width(), g.Height());
  g.DrawRect(40, 40, 10, 10);
}

void winCOLORMeter::PopupMenu1_Open() { PopupMenu1->setCurrentIndex(modOptions::option_ColorMeter_Mode); }

void winCOLORMeter::PopupMenu1_Change() { Update_Display(); }

void winCOLORMeter::PopupMenu1_Close() { modOptions::option_ColorMeter_Mode = PopupMenu1->currentIndex(); }

void winCOLORMeter::Event_Open() {
  ColorWindows::Place_Window(this, modOptions::option_ColorMeter_Left, modOptions::option_ColorMeter_Top, width(),
                             height());
  modMAIN::active_COLORMETER = true;
  Update_Display();
}

void winCOLORMeter::Event_CancelClose() {
  modOptions::option_ColorMeter_Top = geometry().top();
  modOptions::option_ColorMeter_Left = geometry().left();
}

void winCOLORMeter::Event_Close() { modMAIN::active_COLORMETER = false; }

void winCOLORMeter::closeEvent(QCloseEvent* event) {
  Event_CancelClose();
  PopupMenu1_Close();
  Event_Close();
  Forget();
  event->accept();
}
