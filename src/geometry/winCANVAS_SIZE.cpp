#include "geometry/winCANVAS_SIZE.h"

#include <cmath>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/TraceLog.h"
#include "geometry/SheetLayout.h"
#include "platform/Numbers.h"
#include "printing/Measurement.h"
#include "printing/PrinterProbe.h"

using namespace GeometrySheets;

namespace {

// A length in the physical unit as whole pixels at the resolution of its axis, to the nearest.
int32_t Physical_To_Pixels(float length, bool horizontal) {
  if (modOptions::option_Metric) length = float(length / kCmPerInch);
  return Platform::ToInt(std::round(double(float(length * modMAIN::Get_Printer_Rez(horizontal)))));
}

}  // namespace

winCANVAS_SIZE::winCANVAS_SIZE(QWidget* parent) : QDialog(parent, Qt::Sheet) {
  setObjectName(QStringLiteral("winCANVAS_SIZE"));
  setWindowTitle(QStringLiteral("Canvas Size"));
  setWindowModality(Qt::WindowModal);
  setMinimumSize(64, 64);
  resize(235, 124);

  const auto label = [this](const QString& name, const QString& caption, int top) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setGeometry(20, top, 45, 22);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Use_Caption_Font(l);
    return l;
  };
  StaticText1 = label(QStringLiteral("StaticText1"), QStringLiteral("Width"), 20);
  StaticText3 = label(QStringLiteral("StaticText3"), QStringLiteral("Height"), 50);

  for (int i = 0; i < 2; ++i) {
    SheetField* f = new SheetField(this, QStringLiteral("inp"), i);
    f->setGeometry(75, 20 + 30 * i, 65, 22);
    Use_Caption_Font(f);
    f->setText(i == 0 ? QStringLiteral("88888") : QString());
    f->KeyDown = [this, i](const QString& key) { return inp_KeyDown(i, key); };
    f->GotFocus = [this, i] { inp_GotFocus(i); };
    inp[i] = f;
  }

  rb[1] = new QRadioButton(QStringLiteral("Pixels"), this);
  rb[0] = new QRadioButton(QStringLiteral("Inches"), this);
  for (int i = 0; i < 2; ++i) {
    rb[i]->setObjectName(QStringLiteral("rb%1").arg(i));
    rb[i]->setGeometry(150, i == 1 ? 20 : 50, 65, 22);
    Use_Caption_Font(rb[i]);
  }
  rb[1]->setChecked(true);
  // A radio button reports only becoming selected: a click on the chosen unit converts nothing.
  for (int i = 0; i < 2; ++i)
    connect(rb[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) rb_Action(i); });

  pbCancel = Button(this, QStringLiteral("pbCancel"), QStringLiteral("Cancel"), QRect(45, 84, 80, 20));
  pbOK = Button(this, QStringLiteral("pbOK"), QStringLiteral("OK"), QRect(135, 84, 80, 20));
  pbOK->setDefault(true);
  connect(pbCancel, &QPushButton::clicked, this, [this] { pbCancel_Action(); });
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });
  for (int i = 0; i < 2; ++i) connect(inp[i], &QLineEdit::textChanged, this, [this, i] { inp_TextChange(i); });

  setTabOrder(inp[0], inp[1]);
  setTabOrder(inp[1], pbOK);
  setTabOrder(pbOK, pbCancel);
  setTabOrder(pbCancel, rb[1]);
  setTabOrder(rb[1], rb[0]);

  // The sheet is made anew for every showing, so its open handler runs here.
  Event_Open();
}

void winCANVAS_SIZE::Event_Open() {
  const Platform::PicturePtr& work = modMAIN::work_area;
  inp[0]->setText(QString::number(work ? work->Width() : 0));
  inp[1]->setText(QString::number(work ? work->Height() : 0));
  rb[0]->setText(modMAIN::Measurement_Label(true));
  for (int i = 0; i < 2; ++i) Fit_Caption(rb[i], width() - 2);
}

void winCANVAS_SIZE::inp_GotFocus(int index) { inp[index]->setCursorPosition(int(inp[index]->text().size())); }

bool winCANVAS_SIZE::inp_KeyDown(int index, const QString& key) {
  if (key == QLatin1String(".") && rb[0]->isChecked() && !inp[index]->text().contains(QLatin1Char('.'))) return false;
  return modMAIN::NumberKey(key);
}

int32_t winCANVAS_SIZE::Pixels(int index) const {
  const float v = float(Platform::Val(inp[index]->text()));
  if (!rb[0]->isChecked()) return Platform::ToInt(v);
  return Physical_To_Pixels(v, index == 0);
}

void winCANVAS_SIZE::inp_TextChange(int) {
  const double p = Platform::Val(QStringLiteral("0") + inp[0]->text()) * Platform::Val(QStringLiteral("0") + inp[1]->text());
  // Besides the product of the values as shown, each side must come to at least one pixel.
  pbOK->setEnabled(Platform::ToInt(p) > 0 && Pixels(0) >= 1 && Pixels(1) >= 1);
}

void winCANVAS_SIZE::rb_Action(int index) {
  float w = float(Platform::Val(inp[0]->text()));
  float h = float(Platform::Val(inp[1]->text()));
  if (index == 1) {
    inp[0]->setText(QString::number(Physical_To_Pixels(w, true)));
    inp[1]->setText(QString::number(Physical_To_Pixels(h, false)));
  } else {
    w = w / float(modMAIN::Get_Printer_Rez(true));
    h = h / float(modMAIN::Get_Printer_Rez(false));
    if (modOptions::option_Metric) {
      w = float(w * kCmPerInch);
      h = float(h * kCmPerInch);
    }
    inp[0]->setText(Three_Decimals(w));
    inp[1]->setText(Three_Decimals(h));
  }
}

void winCANVAS_SIZE::pbOK_Action() {
  modMAIN::Dialog_Setup = 1;
  // Whole pixels written out in full: a short form such as "1e+06" would read back as 1.
  modMAIN::Dialog_Answer = QString::number(Pixels(0)) + QLatin1Char(',') + QString::number(Pixels(1));
  QDialog::accept();
}

void winCANVAS_SIZE::pbCancel_Action() {
  modMAIN::Dialog_Setup = 0;
  QDialog::reject();
}

void winCANVAS_SIZE::reject() { pbCancel_Action(); }
