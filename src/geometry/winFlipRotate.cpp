#include "geometry/winFlipRotate.h"

#include <QRegularExpressionValidator>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "geometry/SheetLayout.h"
#include "platform/Numbers.h"
#include "platform/Text.h"

using namespace GeometrySheets;

namespace {

QFrame* Placard(QWidget* parent, const QString& name, const QRect& bounds) {
  auto* p = new QFrame(parent);
  p->setObjectName(name);
  p->setGeometry(bounds);
  p->setFrameShape(QFrame::StyledPanel);
  p->setFrameShadow(QFrame::Raised);
  return p;
}

// A radio button of a placard, placed in window coordinates.
QRadioButton* Radio(QFrame* placard, const QString& name, const QString& caption, int left, int top, int width) {
  auto* rb = new QRadioButton(caption, placard);
  rb->setObjectName(name);
  rb->setGeometry(left - placard->x(), top - placard->y(), width, 20);
  Use_Caption_Font(rb);
  Fit_Caption(rb, placard->width() - 2);
  return rb;
}

}  // namespace

winFlipRotate::winFlipRotate(QWidget* parent)
    : QDialog(parent, Qt::Sheet | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("winFlipRotate"));
  setWindowTitle(QStringLiteral("Flip / Rotate"));
  setWindowModality(Qt::WindowModal);
  setFixedSize(374, 210);
  setSizeGripEnabled(false);

  Placard2 = Placard(this, QStringLiteral("Placard2"), QRect(20, 15, 193, 135));
  rb[0] = Radio(Placard2, QStringLiteral("rb0"), QStringLiteral("Flip Horizontal"), 30, 25, 129);
  rb[1] = Radio(Placard2, QStringLiteral("rb1"), QStringLiteral("Flip Vertical"), 30, 55, 100);
  rb[2] = Radio(Placard2, QStringLiteral("rb2"), QStringLiteral("Rotate by Angle"), 30, 85, 129);

  Placard1 = Placard(this, QStringLiteral("Placard1"), QRect(225, 15, 129, 135));
  rbDeg[0] = Radio(Placard1, QStringLiteral("rbDeg0"), QStringLiteral("90 deg"), 235, 25, 100);
  rbDeg[1] = Radio(Placard1, QStringLiteral("rbDeg1"), QStringLiteral("180 Deg"), 235, 55, 100);
  rbDeg[2] = Radio(Placard1, QStringLiteral("rbDeg2"), QStringLiteral("270 deg"), 235, 85, 100);
  rbDeg[3] = Radio(Placard1, QStringLiteral("rbDeg3"), QStringLiteral("Free"), 235, 115, 52);

  inpANGLE = new SheetField(Placard1, QStringLiteral("inpANGLE"), 0);
  // Not a member of an array: its name carries no index.
  inpANGLE->setObjectName(QStringLiteral("inpANGLE"));
  inpANGLE->setGeometry(292 - Placard1->x(), 115 - Placard1->y(), 40, 22);
  Use_Caption_Font(inpANGLE);
  // Three digit positions.
  inpANGLE->setMaxLength(3);
  inpANGLE->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), inpANGLE));
  inpANGLE->setText(QStringLiteral("888"));
  inpANGLE->KeyDown = [this](const QString& key) { return inpANGLE_KeyDown(key); };
  inpANGLE->LostFocus = [this] { inpANGLE_LostFocus(); };

  pbCANCEL = Button(this, QStringLiteral("pbCANCEL"), QStringLiteral("Cancel"), QRect(184, 170, 80, 20));
  pbOK = Button(this, QStringLiteral("pbOK"), QStringLiteral("OK"), QRect(274, 170, 80, 20));
  pbOK->setDefault(true);
  connect(pbCANCEL, &QPushButton::clicked, this, [this] { pbCANCEL_Action(); });
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });

  for (int i = 0; i < 3; ++i)
    connect(rb[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) rb_Action(i); });
  for (int i = 0; i < 4; ++i)
    connect(rbDeg[i], &QRadioButton::toggled, this, [this, i](bool on) { if (on) rbDeg_Action(i); });

  // The sheet is made anew for every showing, so its open handler runs here.
  Event_Open();
}

void winFlipRotate::Event_Open() {
  const QString& degree = modOptions::last_degree;
  if (degree == QLatin1String("90")) rbDeg[0]->setChecked(true);
  else if (degree == QLatin1String("180")) rbDeg[1]->setChecked(true);
  else if (degree == QLatin1String("270")) rbDeg[2]->setChecked(true);
  else rbDeg[3]->setChecked(true);
  inpANGLE->setText(modOptions::last_free_degree);
  // After the angle: a remembered flip wins over the turn that choosing an angle selects.
  if (Platform::StrEq(modOptions::last_flip, QStringLiteral("H"))) rb[0]->setChecked(true);
  else if (Platform::StrEq(modOptions::last_flip, QStringLiteral("V"))) rb[1]->setChecked(true);
  else rb[2]->setChecked(true);
  Update_Controls();
}

void winFlipRotate::Update_Controls() { inpANGLE->setEnabled(rbDeg[3]->isChecked()); }

void winFlipRotate::rbDeg_Action(int) {
  rb[2]->setChecked(true);
  Update_Controls();
}

void winFlipRotate::rb_Action(int) { Update_Controls(); }

void winFlipRotate::Adjust_Angle() {
  int32_t n = Platform::ToInt(Platform::Val(QStringLiteral("0") + inpANGLE->text()));
  n %= 360;
  if (n < 0) n += 360;
  inpANGLE->setText(QString::number(n));
}

bool winFlipRotate::inpANGLE_KeyDown(const QString& key) {
  if (key == QString(QChar(13)) || key == QString(QChar(3))) {
    pbOK->setFocus(Qt::TabFocusReason);
    return true;
  }
  return false;
}

void winFlipRotate::inpANGLE_LostFocus() { Adjust_Angle(); }

void winFlipRotate::pbOK_Action() {
  Adjust_Angle();
  modOptions::last_free_degree = inpANGLE->text();
  if (rbDeg[0]->isChecked()) modMAIN::Dialog_Answer = QStringLiteral("90");
  else if (rbDeg[1]->isChecked()) modMAIN::Dialog_Answer = QStringLiteral("180");
  else if (rbDeg[2]->isChecked()) modMAIN::Dialog_Answer = QStringLiteral("270");
  else modMAIN::Dialog_Answer = inpANGLE->text();
  modOptions::last_degree = modMAIN::Dialog_Answer;
  if (rb[0]->isChecked()) modMAIN::Dialog_Answer = QStringLiteral("H");
  else if (rb[1]->isChecked()) modMAIN::Dialog_Answer = QStringLiteral("V");
  modOptions::last_flip = modMAIN::Dialog_Answer;
  modMAIN::Dialog_Cancel = false;
  QDialog::accept();
}

void winFlipRotate::pbCANCEL_Action() {
  modMAIN::Dialog_Cancel = true;
  QDialog::reject();
}

void winFlipRotate::reject() { pbCANCEL_Action(); }
