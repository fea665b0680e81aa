#include "geometry/winimage_RESIZE.h"

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

QRadioButton* Radio(QWidget* parent, const QString& name, const QString& caption, const QRect& bounds) {
  auto* rb = new QRadioButton(caption, parent);
  rb->setObjectName(name);
  rb->setGeometry(bounds);
  Use_Caption_Font(rb);
  Fit_Caption(rb, parent->width() - 2);
  return rb;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& caption, const QRect& bounds, Qt::Alignment align) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(name);
  l->setGeometry(bounds);
  l->setAlignment(align | Qt::AlignVCenter);
  Use_Caption_Font(l);
  return l;
}

// A group box placed in window coordinates; its members are placed relative to it.
QGroupBox* Group(QWidget* parent, const QString& name, const QString& caption, const QRect& bounds) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(name);
  g->setGeometry(bounds);
  Use_Caption_Font(g);
  return g;
}

// A window rectangle made relative to the group that holds the control.
QRect In(const QGroupBox* group, int left, int top, int width, int height) {
  return QRect(left - group->x(), top - group->y(), width, height);
}

}  // namespace

winimage_RESIZE::winimage_RESIZE(QWidget* parent) : QDialog(parent, Qt::Sheet) {
  setObjectName(QStringLiteral("winimage_RESIZE"));
  setWindowTitle(QStringLiteral("Resize/Scale"));
  setWindowModality(Qt::WindowModal);
  setMinimumSize(64, 64);
  resize(394, 236);

  GroupBox2 = Group(this, QStringLiteral("GroupBox2"), QStringLiteral("Image Size"), QRect(20, 20, 127, 144));
  rbMethod[0] = Radio(GroupBox2, QStringLiteral("rbMethod0"), QStringLiteral("Pixels"), In(GroupBox2, 30, 45, 75, 22));
  rbMethod[1] = Radio(GroupBox2, QStringLiteral("rbMethod1"), QStringLiteral("Percent"), In(GroupBox2, 30, 75, 75, 22));
  rbMethod[2] = Radio(GroupBox2, QStringLiteral("rbMethod2"), QStringLiteral("Inches"), In(GroupBox2, 30, 105, 75, 22));
  rbMethod[0]->setChecked(true);
  cbASPECT = new QCheckBox(QStringLiteral("Aspect Ratio"), GroupBox2);
  cbASPECT->setObjectName(QStringLiteral("cbASPECT"));
  cbASPECT->setGeometry(In(GroupBox2, 30, 135, 110, 20));
  Use_Caption_Font(cbASPECT);
  Fit_Caption(cbASPECT, GroupBox2->width() - 2);
  cbASPECT->setChecked(true);

  GroupBox1 = Group(this, QStringLiteral("GroupBox1"), QStringLiteral("Area to Resize"), QRect(160, 20, 214, 86));
  rbImage[0] = Radio(GroupBox1, QStringLiteral("rbImage0"), QStringLiteral("Entire Image"), In(GroupBox1, 170, 45, 119, 22));
  rbImage[1] = Radio(GroupBox1, QStringLiteral("rbImage1"), QStringLiteral("Only Selected Area"), In(GroupBox1, 170, 75, 162, 22));
  rbImage[0]->setChecked(true);

  GroupBox3 = Group(this, QStringLiteral("GroupBox3"), QString(), QRect(160, 115, 214, 69));
  Label1 = Label(GroupBox3, QStringLiteral("Label1"), QStringLiteral("Original"), In(GroupBox3, 170, 125, 65, 22), Qt::AlignRight);
  StaticText21 = Label(GroupBox3, QStringLiteral("StaticText21"), QStringLiteral("x"), In(GroupBox3, 296, 125, 15, 22), Qt::AlignHCenter);
  Label2 = Label(GroupBox3, QStringLiteral("Label2"), QStringLiteral("New Size"), In(GroupBox3, 170, 155, 65, 22), Qt::AlignRight);
  StaticText2 = Label(GroupBox3, QStringLiteral("StaticText2"), QStringLiteral("x"), In(GroupBox3, 296, 155, 15, 22), Qt::AlignHCenter);
  const QRect fieldPlaces[4] = {In(GroupBox3, 240, 155, 55, 22), In(GroupBox3, 310, 155, 55, 22),
                                In(GroupBox3, 240, 125, 55, 22), In(GroupBox3, 310, 125, 55, 22)};
  const QString designTexts[4] = {QStringLiteral("88888"), QString(), QStringLiteral("88888"), QString()};
  for (int i = 0; i < 4; ++i) {
    SheetField* f = new SheetField(GroupBox3, QStringLiteral("inp"), i);
    f->setGeometry(fieldPlaces[i]);
    f->Typed_Limit = 6;
    f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Use_Caption_Font(f);
    f->setText(designTexts[i]);
    if (i >= 2) {
      f->setReadOnly(true);
      QPalette p = f->palette();
      p.setColor(QPalette::Text, QColor(0x00, 0x00, 0xFF));
      f->setPalette(p);
    }
    f->KeyDown = [this, i](const QString& key) { return inp_KeyDown(i, key); };
    f->GotFocus = [this, i] { inp_GotFocus(i); };
    f->LostFocus = [this, i] { inp_LostFocus(i); };
    connect(f, &QLineEdit::textChanged, this, [this, i] { inp_TextChange(i); });
    inp[i] = f;
  }

  pbCancel = Button(this, QStringLiteral("pbCancel"), QStringLiteral("Cancel"), QRect(204, 196, 80, 20));
  pbOK = Button(this, QStringLiteral("pbOK"), QStringLiteral("OK"), QRect(294, 196, 80, 20));
  pbOK->setDefault(true);
  connect(pbCancel, &QPushButton::clicked, this, [this] { pbCancel_Action(); });
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });

  for (int i = 0; i < 3; ++i)
    connect(rbMethod[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) rbMethod_Action(i); });
  for (int i = 0; i < 2; ++i)
    connect(rbImage[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) rbImage_Action(i); });
  connect(cbASPECT, &QCheckBox::toggled, this, [this] { cbASPECT_Action(); });

  QWidget* order[] = {rbMethod[0], rbMethod[1], rbMethod[2], cbASPECT, pbCancel, pbOK,
                      rbImage[0],  rbImage[1],  inp[3],      inp[2],   inp[1],   inp[0]};
  for (size_t k = 0; k + 1 < std::size(order); ++k) setTabOrder(order[k], order[k + 1]);

  // The sheet is made anew for every showing, so its open handler runs here.
  Event_Open();
}

void winimage_RESIZE::Event_Open() {
  rbImage[0]->setChecked(true);
  // Only a rectangle of at least one pixel each way can be measured and scaled.
  const bool selection = modMAIN::active_LASSO && modMAIN::img_lasso && modMAIN::img_lasso->Width() >= 1 &&
                         modMAIN::img_lasso->Height() >= 1;
  if (selection) rbImage[1]->setChecked(true);
  rbImage[1]->setEnabled(selection);
  rbMethod[0]->setChecked(true);
  rbMethod[2]->setText(modMAIN::Measurement_Label(true));
  Get_Size();
}

void winimage_RESIZE::Get_Size() {
  if (rbImage[0]->isChecked() || !modMAIN::img_lasso) {
    const Platform::PicturePtr& work = modMAIN::work_area;
    Original_Pixel_H = work ? work->Height() : 0;
    Original_Pixel_W = work ? work->Width() : 0;
  } else {
    Original_Pixel_H = modMAIN::img_lasso->Height();
    Original_Pixel_W = modMAIN::img_lasso->Width();
  }
  Original_Inch_W = float(double(Original_Pixel_W) / double(modMAIN::Get_Printer_Rez(true)));
  Original_Inch_H = float(double(Original_Pixel_H) / double(modMAIN::Get_Printer_Rez(false)));
  New_Pixel_W = Original_Pixel_W;
  New_Pixel_H = Original_Pixel_H;
  New_PCT_w = 100;
  New_PCT_h = 100;
  New_Inch_W = Original_Inch_W;
  New_Inch_H = Original_Inch_H;
  Aspect = Original_Pixel_W > 0 ? double(Original_Pixel_H) / double(Original_Pixel_W) : 0;
  Load_Edit();
  cbASPECT->setChecked(true);
}

QString winimage_RESIZE::Shown_Inches(float inches) {
  return Three_Decimals(modOptions::option_Metric ? double(inches) * kCmPerInch : double(inches));
}

QString winimage_RESIZE::Shown(int32_t index) const {
  if (rbMethod[0]->isChecked()) {
    const int32_t v[4] = {New_Pixel_W, New_Pixel_H, Original_Pixel_W, Original_Pixel_H};
    return QString::number(v[index]);
  }
  if (rbMethod[1]->isChecked()) {
    if (index >= 2) return QStringLiteral("100");
    return QString::number(Platform::ToInt(std::floor(index == 0 ? New_PCT_w : New_PCT_h)));
  }
  const float v[4] = {New_Inch_W, New_Inch_H, Original_Inch_W, Original_Inch_H};
  return Shown_Inches(v[index]);
}

void winimage_RESIZE::Set_Text(int32_t index, const QString& text) {
  const bool was = Busy;
  Busy = true;
  inp[index]->setText(text);
  Busy = was;
}

void winimage_RESIZE::Load_Edit() {
  for (int i = 0; i < 4; ++i) Set_Text(i, Shown(i));
}

void winimage_RESIZE::Update_Edit(int32_t index, bool force) {
  const double v = Platform::Val(inp[index]->text());
  // A field that still reads as it was shown stands for the stored value, which may hold more than
  // the shown digits: leaving it or locking the aspect does not round the size.
  const bool same = v == Platform::Val(Shown(index));
  const int32_t H = modMAIN::Get_Printer_Rez(true), V = modMAIN::Get_Printer_Rez(false);

  if (rbMethod[0]->isChecked()) {
    if (index == 0) {
      if (same && !force) return;
      if (!same) New_Pixel_W = Platform::ToInt(v);
      if (cbASPECT->isChecked()) {
        New_Pixel_H = Floor_Ratio(New_Pixel_W, Original_Pixel_H, Original_Pixel_W);
        Set_Text(1, QString::number(New_Pixel_H));
      }
    } else if (index == 1) {
      if (same && !force) return;
      if (!same) New_Pixel_H = Platform::ToInt(v);
      if (cbASPECT->isChecked()) {
        New_Pixel_W = Floor_Ratio(New_Pixel_H, Original_Pixel_W, Original_Pixel_H);
        Set_Text(0, QString::number(New_Pixel_W));
      }
    }
    New_PCT_w = float(Ceil_Ratio(New_Pixel_W, 100, Original_Pixel_W));
    New_PCT_h = float(Ceil_Ratio(New_Pixel_H, 100, Original_Pixel_H));
    New_Inch_W = float(double(Original_Inch_W) * New_PCT_w / 100);
    New_Inch_H = float(double(Original_Inch_H) * New_PCT_h / 100);
  } else if (rbMethod[1]->isChecked()) {
    if (index == 0) {
      if (same && !force) return;
      if (!same) New_PCT_w = float(v);
      if (cbASPECT->isChecked()) {
        New_PCT_h = New_PCT_w;
        Set_Text(1, Shown(1));
      }
    } else if (index == 1) {
      if (same && !force) return;
      if (!same) New_PCT_h = float(v);
      if (cbASPECT->isChecked()) {
        New_PCT_w = New_PCT_h;
        Set_Text(0, Shown(0));
      }
    }
    New_Pixel_W = Platform::ToInt(double(Original_Pixel_W) * New_PCT_w / 100);
    New_Pixel_H = Platform::ToInt(double(Original_Pixel_H) * New_PCT_h / 100);
    New_Inch_W = float(double(Original_Inch_W) * New_PCT_w / 100);
    New_Inch_H = float(double(Original_Inch_H) * New_PCT_h / 100);
  } else {
    const float t = float(modOptions::option_Metric ? v / kCmPerInch : v);
    // The lock keeps the proportions of the picture, also where the two axes have different
    // resolutions: the physical aspect is the pixel aspect times H / V.
    const double physical = Original_Pixel_W > 0 && V > 0 && H > 0
                                ? double(Original_Pixel_H) * H / (double(Original_Pixel_W) * V)
                                : Aspect;
    if (index == 0) {
      if (same && !force) return;
      if (!same) New_Inch_W = t;
      if (cbASPECT->isChecked()) {
        New_Inch_H = float(double(New_Inch_W) * physical);
        Set_Text(1, Shown(1));
      }
    } else if (index == 1) {
      if (same && !force) return;
      if (!same) New_Inch_H = t;
      if (cbASPECT->isChecked()) {
        New_Inch_W = physical > 0 ? float(double(New_Inch_H) / physical) : 0.0f;
        Set_Text(0, Shown(0));
      }
    }
    New_PCT_w = float(double(New_Inch_W) / Original_Inch_W * 100);
    New_PCT_h = float(double(New_Inch_H) / Original_Inch_H * 100);
    New_Pixel_W = Whole_Pixels(double(Original_Pixel_W) * New_PCT_w / 100);
    New_Pixel_H = Whole_Pixels(double(Original_Pixel_H) * New_PCT_h / 100);
  }
  pbOK->setEnabled(New_Pixel_W > 0 && New_Pixel_H > 0);
}

void winimage_RESIZE::rbMethod_Action(int) { Load_Edit(); }

void winimage_RESIZE::rbImage_Action(int) { Get_Size(); }

void winimage_RESIZE::cbASPECT_Action() { Update_Edit(current_inp, cbASPECT->isChecked()); }

void winimage_RESIZE::inp_GotFocus(int index) { current_inp = index; }

void winimage_RESIZE::inp_LostFocus(int index) { Update_Edit(index, false); }

void winimage_RESIZE::inp_TextChange(int index) {
  if (!Busy) Update_Edit(current_inp, false);
  inp[index]->setCursorPosition(int(inp[index]->text().size()));
}

bool winimage_RESIZE::inp_KeyDown(int, const QString& key) { return modMAIN::NumberKey(key); }

void winimage_RESIZE::pbOK_Action() {
  modMAIN::Dialog_Setup = 1;
  modMAIN::Dialog_Answer = (rbImage[0]->isChecked() ? QStringLiteral("I,") : QStringLiteral("S,")) +
                           QString::number(New_Pixel_W) + QLatin1Char(',') + QString::number(New_Pixel_H);
  QDialog::accept();
}

void winimage_RESIZE::pbCancel_Action() {
  modMAIN::Dialog_Setup = 0;
  QDialog::reject();
}

void winimage_RESIZE::reject() { pbCancel_Action(); }
