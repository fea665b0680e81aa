#include "printing/winPRINTER.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Messages.h"
#include "mainwindow/winMAIN.h"
#include "platform/PrintSystem.h"
#include "platform/Sheet.h"
#include "printing/PageSetup.h"

using namespace modMAIN;

using Platform::Group_Box;
using Platform::Place_In;

winPRINTER::winPRINTER(QWidget* parent) : QDialog(parent ? parent : winMAIN::existing()) {
  Platform::Form_Sheet(this, QStringLiteral("winPRINTER"), QStringLiteral("Page Setup"), 286, 245);

  // The printer's name runs across the whole sheet, so that a real queue name is not cut short.
  lblPRINTER_NAME = new QLabel(QStringLiteral("Untitled"), this);
  lblPRINTER_NAME->setObjectName(QStringLiteral("lblPRINTER_NAME"));
  lblPRINTER_NAME->setGeometry(10, 10, 266, 20);
  lblPRINTER_NAME->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  lblPRINTER_NAME->setTextInteractionFlags(Qt::NoTextInteraction);
  lblPRINTER_NAME->setStyleSheet(QStringLiteral("color: black"));

  GroupBox1 = Group_Box(this, QStringLiteral("GroupBox1"), QStringLiteral("Orientation"), 10, 35, 125, 82);
  GroupBox4 = Group_Box(this, QStringLiteral("GroupBox4"), QStringLiteral("Print Resolution"), 151, 35, 125, 82);
  GroupBox2 = Group_Box(this, QStringLiteral("GroupBox2"), QStringLiteral("Centering"), 8, 125, 125, 82);
  GroupBox3 = Group_Box(this, QStringLiteral("GroupBox3"), QStringLiteral("Scaling"), 151, 125, 125, 82);

  const QString orient[2] = {QStringLiteral("Portrait"), QStringLiteral("Landscape")};
  const QString centre[2] = {QStringLiteral("Horizontal"), QStringLiteral("Vertical")};
  const QString scale[2] = {QStringLiteral("Normal Size"), QStringLiteral("Fit to Page")};
  // Members of a control array: named by the array and the index; a radio button acts when it becomes
  // selected, a check box on every change.
  auto member = [this](auto* control, const char* array, int index, auto action) {
    control->setObjectName(QLatin1String(array) + QString::number(index));
    connect(control, &QAbstractButton::toggled, this, [control, index, action](bool on) {
      if (on || !qobject_cast<QRadioButton*>(control)) action(index);
    });
    return control;
  };
  for (int i = 0; i < 2; ++i) {
    rbORIENT_[i] = member(Place_In(new QRadioButton(orient[i], GroupBox1), GroupBox1, 20, 60 + 25 * i, 100, 20),
                          "rbORIENT", i, [this](int index) { rbORIENT_Action(index); });
    cbCENTER_[i] = member(Place_In(new QCheckBox(centre[i], GroupBox2), GroupBox2, 18, 150 + 25 * i, 100, 20),
                          "cbCENTER", i, [this](int index) { cbCENTER_Action(index); });
    rbScale_[i] = member(Place_In(new QRadioButton(scale[i], GroupBox3), GroupBox3, 161, 150 + 25 * i, 100, 20),
                         "rbScale", i, [this](int index) { rbScale_Action(index); });
  }

  puRez = Place_In(new QComboBox(GroupBox4), GroupBox4, 156, 70, 115, 20);
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
  // The printer and its page set-up ask the printing system as they are made: it must answer first.
  if (const QString silent = Platform::PrintSystemResponds(); !silent.isEmpty()) {
    myMsgBox(QStringLiteral("!The page setup could not be opened.^") + silent);
    return;
  }
  PageSetup setup;
  setup.SetSetupString(Printer_SetupString);
  setup.SetLandscape(modOptions::option_Printer_Landscape);
  QPrinter printer(QPrinter::HighResolution);
  setup.ApplyLayoutTo(printer);
  QPageSetupDialog dialog(&printer, nullptr);
  dialog.setObjectName(QStringLiteral("PageSetupDialog"));
  if (!Platform::RunPrintDialog(&dialog, QStringLiteral("Page Setup"), nullptr)) return;
  setup.TakeLayoutFrom(printer);
  Printer_SetupString = setup.SetupString();
  modOptions::option_Printer_Landscape = setup.Landscape();
  Set_Orient();
}

void winPRINTER::pbOK_Action() { accept(); }

void winPRINTER::reject() { pbOK_Action(); }

void winPRINTER::Show_Sheet() { Platform::Show_Sheet_Once<winPRINTER>(winMAIN::existing()); }
