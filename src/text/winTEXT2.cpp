#include "text/winTEXT2.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classTOOLS.h"
#include "platform/Numbers.h"
#include "platform/UpDownArrows.h"
#include "text/Text2Placement.h"
#include "text/classTEXT2.h"
#include "text/TextWindowControls.h"
#include "text/modTEXT_INPUT.h"

using namespace modMAIN;
using TextWindows::Bevel;
using TextWindows::Caption_Font;

namespace {
QPointer<winTEXT2>& Current() {
  static QPointer<winTEXT2> w;
  return w;
}

classTEXT2& Text_Object() { return Platform::Deref(Info_Text2.get(), "the single-line text object"); }

QLabel* Label(QWidget* parent, const QString& name, const QString& text, const QRect& place, Qt::Alignment align) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(place);
  l->setAlignment(align | Qt::AlignVCenter);
  return l;
}
}  // namespace

winTEXT2* winTEXT2::instance() {
  if (!Current()) Current() = new winTEXT2();
  return Current();
}

winTEXT2* winTEXT2::existing() { return Current(); }

void winTEXT2::Close_If_Open() {
  if (winTEXT2* w = existing()) w->Close_Window();
}

winTEXT2::winTEXT2()
    : QWidget(winMAIN::instance(), Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("winTEXT2"));
  setWindowTitle(QStringLiteral("Text Options"));
  setFixedSize(265, 290);
  Make_Controls();
  // Making the window opens its controls and then the window itself.
  Busy = true;
  puFONT_Open();
  puSIZE_Open();
  Busy = false;
  Style_Buttons_Open();
  slide_Rotate->Open();
  valShadow_Open(0);
  valShadow_Open(1);
  Event_Open();
}

void winTEXT2::Make_Controls() {
  inpText = new QLineEdit(this);
  inpText->setObjectName(QStringLiteral("inpText"));
  inpText->setGeometry(10, 10, 245, 22);
  inpText->setMaxLength(std::numeric_limits<int>::max());
  QPalette white = inpText->palette();
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::Text, Qt::black);
  inpText->setPalette(white);
  connect(inpText, &QLineEdit::textChanged, this, [this] { inpText_TextChange(); });
  connect(inpText, &QLineEdit::selectionChanged, this, [this] { inpText_SelChange(); });
  connect(inpText, &QLineEdit::cursorPositionChanged, this, [this] { inpText_SelChange(); });

  Label1 = Label(this, QStringLiteral("Label1"), QStringLiteral("Font"), QRect(10, 40, 28, 20), Qt::AlignRight);
  puFONT = new QComboBox(this);
  puFONT->setObjectName(QStringLiteral("puFONT"));
  puFONT->setGeometry(43, 40, 212, 20);
  connect(puFONT, &QComboBox::currentIndexChanged, this, [this] { puFONT_Change(); });

  Label2 = Label(this, QStringLiteral("Label2"), QStringLiteral("Size"), QRect(10, 70, 28, 20), Qt::AlignRight);
  puSIZE = new QComboBox(this);
  puSIZE->setObjectName(QStringLiteral("puSIZE"));
  puSIZE->setGeometry(43, 70, 67, 20);
  connect(puSIZE, &QComboBox::currentIndexChanged, this, [this] { puSIZE_Change(); });

  const QFont base = font();
  btnBOLD = Bevel(this, QStringLiteral("btnBOLD"), QStringLiteral("B"), QRect(183, 70, 22, 22));
  btnBOLD->setFont(Caption_Font(base, 14, true));
  btnITALIC = Bevel(this, QStringLiteral("btnITALIC"), QStringLiteral("I"), QRect(208, 70, 22, 22));
  btnITALIC->setFont(Caption_Font(base, 14, false, true));
  btnUNDERLINE = Bevel(this, QStringLiteral("btnUNDERLINE"), QStringLiteral("U"), QRect(233, 70, 22, 22));
  btnUNDERLINE->setFont(Caption_Font(base, 14, false, false, true));
  connect(btnBOLD, &QPushButton::clicked, this, [this] { btnBOLD_Action(); });
  connect(btnITALIC, &QPushButton::clicked, this, [this] { btnITALIC_Action(); });
  connect(btnUNDERLINE, &QPushButton::clicked, this, [this] { btnUNDERLINE_Action(); });

  GroupBox1 = new QGroupBox(QStringLiteral("Rotation"), this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(10, 100, 245, 75);
  slide_Rotate = new RoundSlider(this, QStringLiteral("slide_Rotate"));
  slide_Rotate->setGeometry(20, 124, 225, 20);
  slide_Rotate->minimum = -90;
  slide_Rotate->maximum = 90;
  slide_Rotate->liveScroll = true;
  slide_Rotate->allowCancel = false;
  slide_Rotate->On.Open = [this] { slide_Rotate_Open(); };
  slide_Rotate->On.valueChanged = [this](float) { slide_Rotate_valueChanged(); };
  const char* const angles[] = {"-90", "-45", "0", "45", "90"};
  for (int32_t i = 0; i < 5; ++i) {
    QPushButton* b = Bevel(this, QStringLiteral("bbAngle%1").arg(i), QString::fromLatin1(angles[i]),
                           QRect(20 + 45 * i, 148, 45, 16));
    b->setFont(Caption_Font(base, 9, true));
    QPalette pal = b->palette();
    pal.setColor(QPalette::ButtonText, QColor::fromRgb(i == 4 ? 0x000000 : 0xC80000));
    b->setPalette(pal);
    connect(b, &QPushButton::clicked, this, [this, i] { bbAngle_Action(i); });
    bbAngle.Append(b);
  }

  GroupBox2 = new QGroupBox(QStringLiteral("Shadow"), this);
  GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
  GroupBox2->setGeometry(10, 185, 245, 57);
  for (int32_t i = 0; i < 2; ++i) {
    const int left = 20 + 75 * i;
    lblShadow.Append(Label(this, QStringLiteral("lblShadow%1").arg(i), i == 0 ? QStringLiteral("X:") : QStringLiteral("Y:"),
                           QRect(left, 210, 15, 20), Qt::AlignRight));
    valShadow.Append(Label(this, QStringLiteral("valShadow%1").arg(i), QString(), QRect(left + 20, 210, 20, 20),
                           Qt::AlignLeft));
    auto* arrows = new Platform::UpDownArrows(this, QStringLiteral("UD_Shadow%1").arg(i));
    arrows->setGeometry(left + 45, 210, 13, 23);
    arrows->Up = [this, i] { UD_Shadow_Up(i); };
    arrows->Down = [this, i] { UD_Shadow_Down(i); };
    UD_Shadow.Append(arrows);
  }
  bbReset = Bevel(this, QStringLiteral("bbReset"), QStringLiteral("Reset"), QRect(195, 210, 50, 22));
  connect(bbReset, &QPushButton::clicked, this, [this] { bbReset_Action(); });

  pbCancel = new QPushButton(QStringLiteral("Cancel"), this);
  pbCancel->setObjectName(QStringLiteral("pbCancel"));
  pbCancel->setGeometry(10, 253, 80, 20);
  pbPIN = new QPushButton(QStringLiteral("Pin Text"), this);
  pbPIN->setObjectName(QStringLiteral("pbPIN"));
  pbPIN->setGeometry(175, 253, 80, 20);
  // Neither is the default or the cancel button: Return and Escape in the window press nothing.
  for (QPushButton* b : {pbCancel, pbPIN}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(pbCancel, &QPushButton::clicked, this, [this] { pbCancel_Action(); });
  connect(pbPIN, &QPushButton::clicked, this, [this] { pbPIN_Action(); });

  // The keyboard goes from the size to the font, the field, Cancel and Pin Text.
  setTabOrder(puSIZE, puFONT);
  setTabOrder(puFONT, inpText);
  setTabOrder(inpText, pbCancel);
  setTabOrder(pbCancel, pbPIN);
}

// ---- Control handlers ----

void winTEXT2::puSIZE_Change() {
  if (Busy || puSIZE->currentIndex() < 0) return;
  Text_Object().TextSize(Platform::ToInt(Platform::Val(puSIZE->currentText())));
}

void winTEXT2::puSIZE_Open() {
  Busy = true;
  modTEXT_INPUT::LB_FONTSIZE(puSIZE);
  Busy = false;
}

void winTEXT2::puFONT_Change() {
  if (Busy || puFONT->currentIndex() < 0) return;
  Text_Object().TextFont(puFONT->currentText());
}

void winTEXT2::puFONT_Open() {
  Busy = true;
  modTEXT_INPUT::LB_FONTS(puFONT);
  Busy = false;
}

void winTEXT2::inpText_TextChange() { Text_Object().Text(inpText->text()); }

void winTEXT2::inpText_SelChange() {
  const bool any = inpText->hasSelectedText();
  xSelStart = any ? inpText->selectionStart() : inpText->cursorPosition();
  xSelLength = any ? int32_t(inpText->selectedText().size()) : 0;
}

void winTEXT2::btnUNDERLINE_Action() { Text_Object().Underline(!Text_Object().Underline()); }
void winTEXT2::btnITALIC_Action() { Text_Object().Italic(!Text_Object().Italic()); }
void winTEXT2::btnBOLD_Action() { Text_Object().Bold(!Text_Object().Bold()); }

void winTEXT2::Style_Buttons_Open() {
  const bool tags = modOptions::option_HelpTags;
  btnBOLD->setToolTip(tags ? QStringLiteral("Bold") : QString());
  btnITALIC->setToolTip(tags ? QStringLiteral("Italic") : QString());
  btnUNDERLINE->setToolTip(tags ? QStringLiteral("Underline") : QString());
}

void winTEXT2::bbAngle_Action(int32_t index) { slide_Rotate->Set_Value(float((index - 2) * 45)); }

void winTEXT2::slide_Rotate_valueChanged() { Text_Object().Rotate(Platform::ToInt(slide_Rotate->Get_Value())); }

void winTEXT2::slide_Rotate_Open() {
  // The slider shows the angle in -90..90: a stored 315 (for -45) shows as -45.
  const int32_t r = Text_Object().Rotate();
  slide_Rotate->Set_Value(float(r > 180 ? r - 360 : r));
}

void winTEXT2::UD_Shadow_Up(int32_t index) { Change_Offset(index, 1); }
void winTEXT2::UD_Shadow_Down(int32_t index) { Change_Offset(index, -1); }

void winTEXT2::valShadow_Open(int32_t index) {
  valShadow[index]->setText(QString::number(Text_Object().Shadow_Offset(index)));
}

void winTEXT2::bbReset_Action() {
  Change_Offset(0, -99);
  Change_Offset(1, -99);
}

void winTEXT2::Change_Offset(int32_t index, int32_t delta) {
  if (index != 0 && index != 1) return;
  const int64_t current = Text_Object().Shadow_Offset(index);
  int64_t value = delta == -99 ? 0 : current + delta;
  value = std::min<int64_t>(std::max<int64_t>(value, -15), 15);
  valShadow[index]->setText(QString::number(value));
  Text_Object().Shadow_Offset(index, int32_t(value));
}

void winTEXT2::Set_New_Focus() {
  inpText->setText(Text_Object().Text());
  activateWindow();
  inpText->setFocus(Qt::OtherFocusReason);
  inpText->selectAll();
  inpText_SelChange();
}

void winTEXT2::pbPIN_Action() {
  // The text goes where the user left the box. Ending the selection draws it, closes this window and
  // commits; nothing of this window is touched afterwards. Then a new box with the same text.
  img_DRAG_DROP = Platform::Deref(img_lasso.get(), "the selection rectangle").Top_Left();
  winMAIN::instance()->Turn_Lasso_OFF();
  Initialize_TEXT2();
}

void winTEXT2::pbCancel_Action() {
  // The box is dropped without drawing: the picture stays as it was and no undo step is made.
  active_DRAG = false;
  winMAIN* main = winMAIN::instance();
  main->Turn_Lasso_OFF();
  main->Reset_Everything();
  main->Revert_to_Last_Draw_Tool(false);
  Close_If_Open();
}

// ---- Window events ----

void winTEXT2::Event_Open() {
  winMAIN* main = winMAIN::instance();
  main->classTOOLS1->setEnabled(false);
  main->statusbar->setEnabled(false);
  // First time in this run: right edges lined up, 10 pixels below the main window's top.
  if (txt_box[0] < -999) {
    const QRect m = main->geometry();
    txt_box[0] = m.x() + m.width() - width();
    txt_box[1] = m.y() + 10;
  }
  setGeometry(txt_box[0], txt_box[1], width(), height());
}

void winTEXT2::Event_MouseEnter() {
  inpText->setSelection(xSelStart, xSelLength);
  inpText->setFocus(Qt::OtherFocusReason);
}

void winTEXT2::enterEvent(QEnterEvent* e) {
  Event_MouseEnter();
  QWidget::enterEvent(e);
}

void winTEXT2::Event_CancelClose() {
  txt_box[0] = geometry().x();
  txt_box[1] = geometry().y();
}

void winTEXT2::Event_Close() {
  if (winMAIN* main = winMAIN::existing()) {
    main->classTOOLS1->setEnabled(true);
    main->statusbar->setEnabled(true);
  }
}

void winTEXT2::Close_Window() {
  if (closed_) return;
  closing_ = true;
  close();
}

void winTEXT2::closeEvent(QCloseEvent* e) {
  if (closed_) {
    e->accept();
    return;
  }
  if (!closing_) {
    // Closed by the window manager (there is no close box): the same as Cancel. Cancel's own close of
    // this window comes back here while the close is under way and does nothing more.
    closing_ = true;
    pbCancel_Action();
  }
  Event_CancelClose();
  e->accept();
  closed_ = true;
  // The next use makes a new window; this one goes once its handlers have returned.
  if (Current() == this) Current() = nullptr;
  Event_Close();
  deleteLater();
}
