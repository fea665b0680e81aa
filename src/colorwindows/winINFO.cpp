#include "colorwindows/winINFO.h"

#include "app/modOptions.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Numbers.h"
#include "platform/Sheet.h"
#include "printing/PrinterProbe.h"

using namespace modMAIN;

namespace {
// A one-line black label placed by its window coordinates inside its group box: the captions stand at
// the left, 120 wide, the values from 145 on, 100 wide.
QLabel* Label(QGroupBox* box, const QString& name, const QString& text, int left, int top, Qt::Alignment align) {
  auto* l = Platform::Place_In(new QLabel(text, box), box, left, top, left < 140 ? 120 : 100, 20);
  l->setObjectName(name);
  l->setAlignment(align | Qt::AlignVCenter);
  l->setTextInteractionFlags(Qt::NoTextInteraction);
  l->setStyleSheet(QStringLiteral("color: black"));
  return l;
}

// "###,##0": grouped by thousands, no decimals.
QString N(double v) { return Platform::FormatGrouped(v, 0); }
// "##0.00": two decimals, not grouped.
QString D(float v) { return QString::number(double(v), 'f', 2); }
}  // namespace

winINFO::winINFO(QWidget* parent) : QDialog(parent ? parent : winMAIN::existing()) {
  Platform::Form_Sheet(this, QStringLiteral("winINFO"), QStringLiteral("Get Information"), 260, 279);

  GroupBox1 = Platform::Group_Box(this, QStringLiteral("GroupBox1"), QStringLiteral("Image"), 10, 10, 240, 131);
  const Qt::Alignment caption = Qt::AlignRight, value = Qt::AlignHCenter;
  lblPixels = Label(GroupBox1, QStringLiteral("lblPixels"), QStringLiteral("Size [pixels]"), 15, 35, caption);
  infoPixels = Label(GroupBox1, QStringLiteral("infoPixels"), QStringLiteral("8,888 x 8,888"), 145, 35, value);
  lblINCHES = Label(GroupBox1, QStringLiteral("lblINCHES"), QStringLiteral("Size [inches]"), 15, 60, caption);
  infoINCHES = Label(GroupBox1, QStringLiteral("infoINCHES"), QStringLiteral("Untitled"), 145, 60, value);
  lblREZ = Label(GroupBox1, QStringLiteral("lblREZ"), QStringLiteral("Printer DPI"), 15, 85, caption);
  infoREZ = Label(GroupBox1, QStringLiteral("infoREZ"), QStringLiteral("Untitled"), 145, 85, value);
  StaticText2 = Label(GroupBox1, QStringLiteral("StaticText2"), QStringLiteral("Unique Colors"), 15, 110, caption);
  infoColors = Label(GroupBox1, QStringLiteral("infoColors"), QStringLiteral("88,888"), 145, 110, value);
  infoColors->setVisible(false);

  GroupBox2 = Platform::Group_Box(this, QStringLiteral("GroupBox2"), QStringLiteral("Status"), 10, 153, 240, 80);
  StaticText3 = Label(GroupBox2, QStringLiteral("StaticText3"), QStringLiteral("Has been Modified"), 15, 178, caption);
  infoMOD = Label(GroupBox2, QStringLiteral("infoMOD"), QStringLiteral("YES"), 145, 178, value);
  StaticText4 = Label(GroupBox2, QStringLiteral("StaticText4"), QStringLiteral("Has a Selection"), 15, 203, caption);
  infoSELECT = Label(GroupBox2, QStringLiteral("infoSELECT"), QStringLiteral("NO"), 145, 203, value);

  PushButton1 = new QPushButton(QStringLiteral("OK"), this);
  PushButton1->setObjectName(QStringLiteral("PushButton1"));
  PushButton1->setGeometry(170, 245, 80, 20);
  PushButton1->setDefault(true);
  connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Action(); });

  Event_Open();
}

void winINFO::Event_Open() {
  const int32_t rh = Get_Printer_Rez(true);
  const int32_t rv = Get_Printer_Rez(false);
  const int32_t w = work_area->Width();
  const int32_t h = work_area->Height();
  infoPixels->setText(N(w) + QStringLiteral(" x ") + N(h));

  bool all_gray = false;
  const int32_t n = Count_Colors(all_gray, false);
  infoColors->setText((all_gray ? QStringLiteral("Gray ") : QStringLiteral("Color ")) + N(n));
  infoColors->setVisible(true);

  infoMOD->setText(Get_Yes_No(img_changed));
  infoSELECT->setText(Get_Yes_No(active_LASSO));
  infoREZ->setText(N(rh) + QStringLiteral(" x ") + N(rv));

  float pw = float(double(w) / double(rh));
  float ph = float(double(h) / double(rv));
  if (modOptions::option_Metric) {
    pw = float(double(pw) * 2.54);
    ph = float(double(ph) * 2.54);
    lblINCHES->setText(QStringLiteral("Size [cm]"));
  }
  infoINCHES->setText(D(pw) + QStringLiteral(" x ") + D(ph));
}

QString winINFO::Get_Yes_No(bool flag) const { return flag ? QStringLiteral("YES") : QStringLiteral("NO"); }

void winINFO::PushButton1_Action() { accept(); }

void winINFO::reject() { PushButton1_Action(); }

void winINFO::Show_Sheet() { Platform::Show_Sheet_Once<winINFO>(winMAIN::existing()); }
