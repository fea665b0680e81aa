#include "preferences/winPreferences.h"

#include <QCloseEvent>
#include <QVBoxLayout>
#include <cmath>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "printing/Measurement.h"

using Platform::Color;

namespace {

// The one letter per row of the checkerboard size popup.
const QString kSizes = QStringLiteral("SML");

// The setting each swatch shows and changes.
Color& Swatch_Setting(int index) {
  switch (index) {
    case 0: return modOptions::option_Transparent_BG_Color[0];
    case 1: return modOptions::option_Transparent_BG_Color[1];
    case 2: return modOptions::option_Background_Color;
    case 3: return modOptions::option_Background_Handle_Color;
    case 4: return modOptions::option_Ruler_Bcolor;
    case 5: return modOptions::option_Ruler_FColor;
    case 6: return modOptions::option_Grid_Color[0];
    default: return modOptions::option_Grid_Color[1];
  }
}

QLabel* Label(QWidget* parent, const QString& caption, int x, int y, int w, int h, Qt::Alignment align) {
  auto* label = new QLabel(caption, parent);
  label->setGeometry(x, y, w, h);
  label->setAlignment(align | Qt::AlignVCenter);
  return label;
}

QGroupBox* Group(QWidget* parent, const QString& caption, int x, int y, int w, int h) {
  auto* box = new QGroupBox(caption, parent);
  box->setGeometry(x, y, w, h);
  QFont font = box->font();
  font.setBold(true);
  font.setItalic(true);
  box->setFont(font);
  return box;
}

QPushButton* Button(QWidget* parent, const QString& caption, int x, int y, int w, int h) {
  auto* button = new QPushButton(caption, parent);
  button->setGeometry(x, y, w, h);
  button->setAutoDefault(false);
  return button;
}

QCheckBox* Check(QWidget* parent, const QString& caption, int y) {
  auto* box = new QCheckBox(caption, parent);
  box->setGeometry(485, y, 212, 20);
  return box;
}

}  // namespace

winPreferences_Canvas1::winPreferences_Canvas1(int index, QWidget* parent)
    : Platform::Canvas(parent, QStringLiteral("Canvas1_%1").arg(index)), Index(index) {
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(32, 32);
}

winPreferences_rbRulerMode::winPreferences_rbRulerMode(int index, const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent), Index(index) {
  setObjectName(QStringLiteral("rbRulerMode_%1").arg(index));
}

winPreferences::winPreferences() : QWidget(nullptr) {
  setObjectName(QStringLiteral("winPreferences"));
  setAttribute(Qt::WA_DeleteOnClose);
  // A titled window with a close box only: no minimise or zoom button, and a fixed size.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(QStringLiteral("Preferences"));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Menu_Bar = MenuBar1::Make_Second_Bar(this);
  layout->setMenuBar(Menu_Bar);
  Content = new QWidget(this);
  Content->setFixedSize(kContentWidth, kContentHeight);
  layout->addWidget(Content);

  CreateControls();

  puGRID_Open();
  cbCenterPoint_Open();
  cbMetric_Open();
  cbColorPicker_Open();
  CheckBox1_Open();
  cbScrollbar_Open();
  cbUpdate_Open();
  cbTextMethod_Open();
  puBRUSH_Open();
  rbRulerMode_Open();
  opening_ = false;

  // What opening still settles: the unit's name, and a checkerboard size that is none of the popup's
  // letters, which is stored as the size shown.
  if (modOptions::option_Metric) rbRulerMode(1)->setText(modMAIN::Measurement_Label(true));
  if (!kSizes.contains(modOptions::option_Transparent_BG_Size) || modOptions::option_Transparent_BG_Size.isEmpty())
    puGRID_Change();

  show();
}

void winPreferences::CreateControls() {
  QWidget* c = Content;
  const Qt::Alignment right = Qt::AlignRight, left = Qt::AlignLeft;

  GroupBox1 = Group(c, QStringLiteral("Transparent Background"), 10, 10, 225, 105);
  StaticText2 = Label(c, QStringLiteral("Color #1"), 20, 41, 85, 20, right);
  puGRID = new QComboBox(c);
  puGRID->setObjectName(QStringLiteral("puGRID"));
  puGRID->addItems({QStringLiteral("Small"), QStringLiteral("Med."), QStringLiteral("Large")});
  puGRID->setGeometry(153, 35, 74, 20);
  puGRID->setCurrentIndex(0);
  canvas1_[0] = new winPreferences_Canvas1(0, c);
  canvas1_[0]->move(112, 35);
  canvas1_[1] = new winPreferences_Canvas1(1, c);
  canvas1_[1]->move(112, 72);
  pbdefault = Button(c, QStringLiteral("Default"), 157, 84, 70, 20);
  pbdefault->setObjectName(QStringLiteral("pbdefault"));
  StaticText21 = Label(c, QStringLiteral("Color #2"), 20, 78, 85, 20, right);

  GroupBox3 = Group(c, QStringLiteral("Window Background"), 245, 10, 225, 105);
  StaticText4 = Label(c, QStringLiteral("Background"), 255, 41, 85, 20, right);
  canvas1_[2] = new winPreferences_Canvas1(2, c);
  canvas1_[2]->move(347, 35);
  canvas1_[3] = new winPreferences_Canvas1(3, c);
  canvas1_[3]->move(347, 72);
  pbdefault1 = Button(c, QStringLiteral("Default"), 392, 84, 70, 20);
  pbdefault1->setObjectName(QStringLiteral("pbdefault1"));
  StaticText5 = Label(c, QStringLiteral("Drag Handles"), 255, 78, 85, 20, left);

  GroupBox4 = Group(c, QStringLiteral("Misc."), 480, 10, 225, 230);
  cbCenterPoint = Check(c, QStringLiteral("Display Selection Centerpoint?"), 35);
  cbMetric = Check(c, QStringLiteral("Use Metric System?"), 60);
  cbColorPicker = Check(c, QStringLiteral("Use System Color Picker"), 85);
  CheckBox1 = Check(c, QStringLiteral("Enable Helptags"), 110);
  cbScrollbar = Check(c, QStringLiteral("Use Custom Scrollbars"), 135);
  cbUpdate = Check(c, QStringLiteral("Check for Update on Startup"), 185);
  cbTextMethod = Check(c, QStringLiteral("Use OLD Text method"), 160);
  Label1 = Label(c, QStringLiteral("Brush"), 485, 210, 40, 20, right);
  puBRUSH = new QComboBox(c);
  puBRUSH->setObjectName(QStringLiteral("puBRUSH"));
  puBRUSH->addItem(QStringLiteral("Random"));
  for (int percent = 90; percent >= 10; percent -= 10) puBRUSH->addItem(QStringLiteral("%1% transparent").arg(percent));
  puBRUSH->addItem(QStringLiteral("Opaque"));
  puBRUSH->setGeometry(535, 210, 141, 20);
  puBRUSH->setCurrentIndex(1);

  GroupBox5 = Group(c, QStringLiteral("Rulers"), 245, 135, 225, 105);
  StaticText6 = Label(c, QStringLiteral("Background"), 255, 166, 85, 20, right);
  canvas1_[4] = new winPreferences_Canvas1(4, c);
  canvas1_[4]->move(347, 160);
  canvas1_[5] = new winPreferences_Canvas1(5, c);
  canvas1_[5]->move(347, 197);
  pbdefault11 = Button(c, QStringLiteral("Default"), 392, 209, 70, 20);
  pbdefault11->setObjectName(QStringLiteral("pbdefault11"));
  rbRulerMode_[1] = new winPreferences_rbRulerMode(1, QStringLiteral("Inches"), c);
  rbRulerMode_[1]->setGeometry(391, 180, 71, 20);
  rbRulerMode_[0] = new winPreferences_rbRulerMode(0, QStringLiteral("Pixels"), c);
  rbRulerMode_[0]->setGeometry(391, 160, 70, 20);
  StaticText7 = Label(c, QStringLiteral("Tick Marks"), 255, 203, 85, 20, right);

  GroupBox10 = Group(c, QStringLiteral("Overlay Grid"), 10, 135, 225, 105);
  StaticText22 = Label(c, QStringLiteral("Small Grid"), 20, 166, 85, 20, right);
  canvas1_[6] = new winPreferences_Canvas1(6, c);
  canvas1_[6]->move(112, 160);
  canvas1_[7] = new winPreferences_Canvas1(7, c);
  canvas1_[7]->move(112, 197);
  pbdefault12 = Button(c, QStringLiteral("Default"), 157, 209, 70, 20);
  pbdefault12->setObjectName(QStringLiteral("pbdefault12"));
  StaticText211 = Label(c, QStringLiteral("Large Grid"), 20, 203, 85, 20, right);

  cbCenterPoint->setObjectName(QStringLiteral("cbCenterPoint"));
  cbMetric->setObjectName(QStringLiteral("cbMetric"));
  cbColorPicker->setObjectName(QStringLiteral("cbColorPicker"));
  CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
  cbScrollbar->setObjectName(QStringLiteral("cbScrollbar"));
  cbUpdate->setObjectName(QStringLiteral("cbUpdate"));
  cbTextMethod->setObjectName(QStringLiteral("cbTextMethod"));

  // Keyboard focus: group by group, "Check for Update on Startup" before the box above it.
  QWidget* const order[] = {puGRID,      pbdefault,    pbdefault1, cbCenterPoint, cbMetric,
                            cbColorPicker, CheckBox1,  cbScrollbar, cbUpdate,      cbTextMethod,
                            puBRUSH,     pbdefault11,  rbRulerMode_[1], rbRulerMode_[0], pbdefault12};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

  // Events. Qt reports a change of check mark, row or radio only when the value really changes.
  for (int i = 0; i < 8; ++i) {
    winPreferences_Canvas1* member = canvas1_[i];
    member->Paint = [this, member](Platform::Graphics& g) { Canvas1_Paint(member, g); };
    member->MouseDown = [this, member](int x, int y) { return Canvas1_MouseDown(member, x, y); };
  }
  auto guarded = [this](void (winPreferences::*handler)()) {
    return [this, handler] {
      if (!opening_) (this->*handler)();
    };
  };
  connect(puGRID, &QComboBox::currentIndexChanged, this, guarded(&winPreferences::puGRID_Change));
  connect(puBRUSH, &QComboBox::currentIndexChanged, this, guarded(&winPreferences::puBRUSH_Change));
  connect(cbCenterPoint, &QCheckBox::toggled, this, guarded(&winPreferences::cbCenterPoint_Action));
  connect(cbMetric, &QCheckBox::toggled, this, guarded(&winPreferences::cbMetric_Action));
  connect(cbColorPicker, &QCheckBox::toggled, this, guarded(&winPreferences::cbColorPicker_Action));
  connect(CheckBox1, &QCheckBox::toggled, this, guarded(&winPreferences::CheckBox1_Action));
  connect(cbScrollbar, &QCheckBox::toggled, this, guarded(&winPreferences::cbScrollbar_Action));
  connect(cbUpdate, &QCheckBox::toggled, this, guarded(&winPreferences::cbUpdate_Action));
  connect(cbTextMethod, &QCheckBox::toggled, this, guarded(&winPreferences::cbTextMethod_Action));
  for (int i = 0; i < 2; ++i) {
    winPreferences_rbRulerMode* member = rbRulerMode_[i];
    connect(member, &QRadioButton::toggled, this, [this, member](bool on) {
      if (on && !opening_) rbRulerMode_Action(member);
    });
  }
  connect(pbdefault, &QPushButton::clicked, this, &winPreferences::pbdefault_Action);
  connect(pbdefault1, &QPushButton::clicked, this, &winPreferences::pbdefault1_Action);
  connect(pbdefault11, &QPushButton::clicked, this, &winPreferences::pbdefault11_Action);
  connect(pbdefault12, &QPushButton::clicked, this, &winPreferences::pbdefault12_Action);
}

void winPreferences::closeEvent(QCloseEvent* event) {
  Forget();
  QWidget::closeEvent(event);
}

// ---- Open handlers ----

void winPreferences::puGRID_Open() {
  const QString& size = modOptions::option_Transparent_BG_Size;
  const int row = size.isEmpty() ? -1 : int(kSizes.indexOf(size));
  puGRID->setCurrentIndex(row < 0 ? 2 : row);
}

void winPreferences::cbCenterPoint_Open() { cbCenterPoint->setChecked(modOptions::option_Lasso_CrossHair); }
void winPreferences::cbMetric_Open() { cbMetric->setChecked(modOptions::option_Metric); }
void winPreferences::cbColorPicker_Open() { cbColorPicker->setChecked(modOptions::option_ColorPicker); }
void winPreferences::CheckBox1_Open() { CheckBox1->setChecked(modOptions::option_HelpTags); }
void winPreferences::cbScrollbar_Open() { cbScrollbar->setChecked(!modOptions::option_OS_Scrollbar); }
void winPreferences::cbUpdate_Open() { cbUpdate->setChecked(modOptions::option_AutoCheck_Update); }
void winPreferences::cbTextMethod_Open() { cbTextMethod->setChecked(modOptions::option_UseOldText); }

void winPreferences::puBRUSH_Open() {
  if (modOptions::option_BrushRandom) {
    puBRUSH->setCurrentIndex(0);
  } else {
    // A strength between the popup's steps shows the nearest one, held to 10 .. 100.
    const int row = int(std::lround(modOptions::option_BrushOpacity / 10.0));
    puBRUSH->setCurrentIndex(std::clamp(row, 1, 10));
  }
  modMAIN::Make_Paintbrush_Tip();
}

void winPreferences::rbRulerMode_Open() {
  if (modOptions::option_RulerPixel) rbRulerMode(0)->setChecked(true);
  else rbRulerMode(1)->setChecked(true);
}

// ---- Change handlers ----

void winPreferences::puGRID_Change() {
  const int row = puGRID->currentIndex();
  if (row < 0 || row > 2) return;
  modOptions::option_Transparent_BG_Size = kSizes.mid(row, 1);
  Update_Main_Display();
}

void winPreferences::puBRUSH_Change() {
  const int row = puBRUSH->currentIndex();
  if (row < 0 || row > 10) return;
  if (row == 0) {
    modOptions::option_BrushRandom = true;
  } else {
    modOptions::option_BrushRandom = false;
    modOptions::option_BrushOpacity = row * 10;
  }
}

void winPreferences::cbCenterPoint_Action() { modOptions::option_Lasso_CrossHair = cbCenterPoint->isChecked(); }
void winPreferences::cbColorPicker_Action() { modOptions::option_ColorPicker = cbColorPicker->isChecked(); }
void winPreferences::CheckBox1_Action() { modOptions::option_HelpTags = CheckBox1->isChecked(); }
void winPreferences::cbUpdate_Action() { modOptions::option_AutoCheck_Update = cbUpdate->isChecked(); }
void winPreferences::cbTextMethod_Action() { modOptions::option_UseOldText = cbTextMethod->isChecked(); }

void winPreferences::cbMetric_Action() {
  modOptions::option_Metric = cbMetric->isChecked();
  rbRulerMode(1)->setText(modMAIN::Measurement_Label(true));
  Update_Main_Display();
}

void winPreferences::cbScrollbar_Action() {
  modOptions::option_OS_Scrollbar = !cbScrollbar->isChecked();
  winMAIN* w = winMAIN::instance();
  w->Scroll_To_Top_Left();
  w->Update_Display();
  w->Arrange_Controls();
}

void winPreferences::rbRulerMode_Action(winPreferences_rbRulerMode* member) {
  modOptions::option_RulerPixel = member->Index == 0;
  rbRulerMode(0)->setChecked(modOptions::option_RulerPixel);
  rbRulerMode(1)->setChecked(!modOptions::option_RulerPixel);
  Update_Main_Display();
}

// ---- Swatches ----

void winPreferences::Canvas1_Paint(winPreferences_Canvas1* member, Platform::Graphics& g) {
  g.SetForeColor(Swatch_Setting(member->Index));
  g.FillRect(0, 0, g.Width(), g.Height());
  g.SetForeColor(0x000000);
  g.DrawRect(0, 0, g.Width(), g.Height());
}

bool winPreferences::Canvas1_MouseDown(winPreferences_Canvas1* member, int, int) {
  Color& setting = Swatch_Setting(member->Index);
  setting = modOptions::Select_A_Color(setting);
  member->Invalidate(true);
  Update_Main_Display();
  return false;
}

// ---- Default buttons ----

void winPreferences::pbdefault_Action() {
  modOptions::option_Transparent_BG_Color[0] = 0xDBDBDB;
  modOptions::option_Transparent_BG_Color[1] = 0xFFFFFF;
  modOptions::option_Transparent_BG_Size = QStringLiteral("L");
  puGRID->setCurrentIndex(2);
  Canvas1(0)->Invalidate(true);
  Canvas1(1)->Invalidate(true);
  Update_Main_Display();
}

void winPreferences::pbdefault1_Action() {
  modOptions::option_Background_Color = 0x808080;
  modOptions::option_Background_Handle_Color = 0x000000;
  Canvas1(2)->Invalidate(true);
  Canvas1(3)->Invalidate(true);
  Update_Main_Display();
}

void winPreferences::pbdefault11_Action() {
  // The pixel mode is recorded by the radio's own action, which runs only when the radio changes.
  rbRulerMode(0)->setChecked(true);
  modOptions::option_Ruler_Bcolor = 0xE0E0E0;
  modOptions::option_Ruler_FColor = 0x000000;
  Canvas1(4)->Invalidate(true);
  Canvas1(5)->Invalidate(true);
  Update_Main_Display();
}

void winPreferences::pbdefault12_Action() {
  modOptions::option_Grid_Color[0] = 0xC0C0C0;
  modOptions::option_Grid_Color[1] = 0xA0A0A0;
  Canvas1(6)->Invalidate(true);
  Canvas1(7)->Invalidate(true);
  Update_Main_Display();
}

void winPreferences::Update_Main_Display() {
  modMAIN::Make_Transparent();
  winMAIN* w = winMAIN::instance();
  w->canvas_BG->Invalidate(true);
  w->C_INVALIDATE();
  w->Refresh_Rulers();
}
