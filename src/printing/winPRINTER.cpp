#include "printing/winPRINTER.h"

#include <QPageSetupDialog>
#include <QPointer>
#include <QPrinter>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "printing/PageSetup.h"

using namespace modMAIN;

namespace {
// A control placed by its window coordinates inside a group box.
template <typename W>
W* Place(W* w, QGroupBox* box, int left, int top, int width, int height) {
  w->setGeometry(left - box->x(), top - box->y(), width, height);
  return w;
}
}  // namespace

winPRINTER::winPRINTER(QWidget* parent) : QDialog(parent ? parent : winMAIN::existing()) {
  setObjectName(QStringLiteral("winPRINTER"));
  setWindowTitle(QStringLiteral("Untitled"));
  setWindowFlag(Qt::Sheet);
  setWindowModality(Qt::WindowModal);
  setMinimumSize(64, 64);
  resize(286, 245);

  // The printer's name runs across the whole sheet, so that a real queue name is not cut short.
  lblPRINTER_NAME = new QLabel(QStringLiteral("Untitled"), this);
  lblPRINTER_NAME->setObjectName(QStringLiteral("lblPRINTER_NAME"));
  lblPRINTER_NAME->setGeometry(10, 10, 266, 20);
  lblPRINTER_NAME->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblPRINTER_NAME->setTextInteractionFlags(Qt::NoTextInteraction);
  lblPRINTER_NAME->setStyleSheet(QStringLiteral("color: black"));

  GroupBox1 = new QGroupBox(QStringLiteral("Orientation"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(10, 35, 125, 82);
  GroupBox4 = new QGroupBox(QStringLiteral("Print Resolution"), this);
  GroupBox4->setObjectName(QStringLiteral("GroupBox4"));
  GroupBox4->setGeometry(151, 35, 125, 82);
  GroupBox2 = new QGroupBox(QStringLiteral("Centering"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(8, 125, 125, 82);
  GroupBox3 = new QGroupBox(QStringLiteral("Scaling"), this);
  GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
  GroupBox3->setGeometry(151, 125, 125, 82);

  const QString orient[2] = {QStringLiteral("Portrait"), QStringLiteral("Landscape")};
  const QString centre[2] = {QStringLiteral("Horizontal"), QStringLiteral("Vertical")};
  const QString scale[2] = {QStringLiteral("Normal Size"), QStringLiteral("Fit to Page")};
  for (int i = 0; i < 2; ++i) {
    rbORIENT_[i] = Place(new QRadioButton(orient[i], GroupBox1), GroupBox1, 20, 60 + 25 * i, 100, 20);
    rbORIENT_[i]->setObjectName(QStringLiteral("rbORIENT%1").arg(i));
    connect(rbORIENT_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) rbORIENT_Action(i);
    });
    cbCENTER_[i] = Place(new QCheckBox(centre[i], GroupBox2), GroupBox2, 18, 150 + 25 * i, 100, 20);
    cbCENTER_[i]->setObjectName(QStringLiteral("cbCENTER%1").arg(i));
    connect(cbCENTER_[i], &QCheckBox::toggled, this, [this, i] { cbCENTER_Action(i); });
    rbScale_[i] = Place(new QRadioButton(scale[i], GroupBox3), GroupBox3, 161, 150 + 25 * i, 100, 20);
    rbScale_[i]->setObjectName(QStringLiteral("rbScale%1").arg(i));
    connect(rbScale_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) rbScale_Action(i);
    });
  }

  puRez = Place(new QComboBox(GroupBox4), GroupBox4, 156, 70, 115, 20);
  puRez->setObjectName(QStringLiteral("puRez"));
  QFont small = puRez->font();
  small.setPixelSize(12);
  puRez->setFont(small);
  puRez->addItem(QStringLiteral("888x888dpi"));
  connect(puRez, &QComboBox::currentIndexChanged, this, [this] {
    if (!Filling_Rows) puRez_Change();
  });

  pbAdvanced = new QPushButton(QStringLiteral("Advanced"), this);
  pbAdvanced->setObjectName(QStringLiteral("pbAdvanced"));
  pbAdvanced->setGeometry(8, 215, 80, 20);
  pbAdvanced->setAutoDefault(false);
  connect(pbAdvanced, &QPushButton::clicked, this, [this] { pbAdvanced_Action(); });
  pbOK = new QPushButton(QStringLiteral("OK"), this);
  pbOK->setObjectName(QStringLiteral("pbOK"));
  pbOK->setGeometry(196, 215, 80, 20);
  pbOK->setDefault(true);
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });

  Event_Open();
}

void winPRINTER::Event_Open() {
  // A name too long for the sheet ends in "…"; its whole shows as the label's tip.
  lblPRINTER_NAME->setText(
      lblPRINTER_NAME->fontMetrics().elidedText(Printer_Name, Qt::ElideRight, lblPRINTER_NAME->width()));
  lblPRINTER_NAME->setToolTip(Printer_Name);
  Set_Orient();
  for (int i = 0; i < 2; ++i) cbCENTER(i)->setChecked(modOptions::option_Printer_Center[i]);
  rbScale(1)->setChecked(modOptions::option_Printer_FitPage);
  rbScale(0)->setChecked(!modOptions::option_Printer_FitPage);

  // The rows mirror the resolution list; building them is no choice of a resolution.
  Filling_Rows = true;
  puRez->clear();
  int selected = -1;
  if (Printer_Info.Ubound() > 0) {
    for (int i = 0; i <= Printer_Info.Ubound(); ++i) {
      puRez->addItem(QStringLiteral("%1x%2dpi").arg(Printer_Info[i].h).arg(Printer_Info[i].v));
      if (Printer_Info[i].selected) selected = i;
    }
  }
  puRez->setCurrentIndex(-1);
  Filling_Rows = false;
  // Choosing the last marked row leaves it the only marked entry.
  if (selected >= 0) puRez->setCurrentIndex(selected);
}

void winPRINTER::Set_Orient() {
  rbORIENT(1)->setChecked(modOptions::option_Printer_Landscape);
  rbORIENT(0)->setChecked(!modOptions::option_Printer_Landscape);
}

void winPRINTER::rbORIENT_Action(int) { modOptions::option_Printer_Landscape = rbORIENT(1)->isChecked(); }

void winPRINTER::cbCENTER_Action(int index) { modOptions::option_Printer_Center[index] = cbCENTER(index)->isChecked(); }

void winPRINTER::rbScale_Action(int) { modOptions::option_Printer_FitPage = rbScale(1)->isChecked(); }

void winPRINTER::puRez_Change() {
  const int row = puRez->currentIndex();
  for (int i = 0; i <= Printer_Info.Ubound(); ++i) Printer_Info[i].selected = i == row;
}

void winPRINTER::pbAdvanced_Action() {
  PageSetup setup;
  setup.SetSetupString(Printer_SetupString);
  setup.SetLandscape(modOptions::option_Printer_Landscape);
  QPrinter printer(QPrinter::HighResolution);
  setup.ApplyLayoutTo(printer);
  QPageSetupDialog dialog(&printer, nullptr);
  dialog.setObjectName(QStringLiteral("PageSetupDialog"));
  Platform::ModalRequest r;
  r.kind = Platform::ModalKind::Print;
  r.title = QStringLiteral("Page Setup");
  r.dialog = &dialog;
  if (!Platform::ModalHost::Run(r).toBool()) return;
  setup.TakeLayoutFrom(printer);
  Printer_SetupString = setup.SetupString();
  modOptions::option_Printer_Landscape = setup.Landscape();
  Set_Orient();
}

void winPRINTER::pbOK_Action() { accept(); }

void winPRINTER::reject() { pbOK_Action(); }

void winPRINTER::Show_Sheet() {
  QPointer<winPRINTER> sheet = instance();
  Platform::ModalHost::RunDialog(sheet, winMAIN::existing(), true);
  delete sheet.data();
}
