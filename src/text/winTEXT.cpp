#include "text/winTEXT.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/SpellCheck.h"
#include "platform/StyledText.h"
#include "platform/Text.h"
#include "text/StyledTextDrawing.h"
#include "text/TextWindowControls.h"
#include "text/classTEXT2.h"
#include "text/modTEXT_INPUT.h"

using namespace modMAIN;
using TextWindows::Bevel;
using TextWindows::Caption_Font;

namespace {
constexpr int kDesignWidth = 602;
constexpr int kDesignHeight = 319;
constexpr int32_t kWrap = 9999;

QPointer<winTEXT>& Current() {
  static QPointer<winTEXT> w;
  return w;
}

classTEXT2& Text_Object() { return Platform::Deref(Info_Text2.get(), "the single-line text object"); }

QFont Pixel_Font(const QString& family, int pixels) {
  QFont f(family);
  f.setPixelSize(std::max(1, pixels));
  return f;
}

}  // namespace

// Marks a handler of the window as under way; a deletion asked for meanwhile waits for its end.
class Handling {
 public:
  explicit Handling(winTEXT* w) : w_(w) { ++w_->handling_; }
  ~Handling() {
    if (--w_->handling_ == 0 && w_->deletePending_) w_->deleteLater();
  }
  Handling(const Handling&) = delete;
  Handling& operator=(const Handling&) = delete;

 private:
  winTEXT* w_;
};

winTEXT* winTEXT::instance() {
  if (!Current()) Current() = new winTEXT();
  return Current();
}

winTEXT* winTEXT::existing() { return Current(); }

void winTEXT::Show_Window() {
  winTEXT* w = instance();
  w->show();
  w->raise();
  w->activateWindow();
}

void winTEXT::Close_If_Open() {
  if (winTEXT* w = existing()) w->Close_Window();
}

QString winTEXT::Area_Help_Tag() {
  return QStringLiteral("Click Color Palette above to ") + QChar(13) + QStringLiteral("change Font or Background color");
}

winTEXT::winTEXT()
    : QWidget(winMAIN::instance(), Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                       Qt::WindowMinMaxButtonsHint | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("winTEXT"));
  setWindowTitle(QStringLiteral("Add Text"));
  setMinimumSize(473, 233);
  setMaximumSize(32000, 32000);
  resize(kDesignWidth, kDesignHeight);
  Make_Controls();
  Arrange();
  // Making the window opens its controls and then the window itself.
  inpText_Open();
  btnBOLD_Open();
  btnITALIC_Open();
  btnUNDERLINE_Open();
  puFONT_Open();
  puSIZE_Open();
  cbTRANS_Open(0);
  cbTRANS_Open(1);
  Event_Open();
}

winTEXT::~winTEXT() = default;

void winTEXT::Make_Controls() {
  inpText = new QTextEdit(this);
  inpText->setObjectName(QStringLiteral("inpText"));
  inpText->setAcceptRichText(true);
  inpText->setTabChangesFocus(true);
  inpText->setLineWrapMode(QTextEdit::NoWrap);
  inpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  inpText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  inpText->setFont(Pixel_Font(QStringLiteral("Arial"), 14));
  QPalette pal = inpText->palette();
  pal.setColor(QPalette::Text, Qt::black);
  pal.setColor(QPalette::Base, Qt::white);
  // The selection shows only while the area has the focus.
  pal.setColor(QPalette::Inactive, QPalette::Highlight, Qt::transparent);
  pal.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
  inpText->setPalette(pal);
  area_ = std::make_unique<Platform::StyledText>(inpText->document());
  inpText->installEventFilter(this);
  connect(inpText, &QTextEdit::selectionChanged, this, [this] { inpText_SelChange(); });
  connect(inpText, &QTextEdit::cursorPositionChanged, this, [this] { inpText_SelChange(); });
  // Unknown words are underlined as the user types; the area owns the checking.
  new Platform::SpellCheck(inpText);

  puFONT = new QComboBox(this);
  puFONT->setObjectName(QStringLiteral("puFONT"));
  connect(puFONT, &QComboBox::currentIndexChanged, this, [this] { puFONT_Change(); });
  puSIZE = new QComboBox(this);
  puSIZE->setObjectName(QStringLiteral("puSIZE"));
  connect(puSIZE, &QComboBox::currentIndexChanged, this, [this] { puSIZE_Change(); });

  const QFont base = font();
  btnBOLD = Bevel(this, QStringLiteral("btnBOLD"), QStringLiteral("B"));
  btnBOLD->setFont(Caption_Font(base, 14, true));
  btnITALIC = Bevel(this, QStringLiteral("btnITALIC"), QStringLiteral("I"));
  btnITALIC->setFont(Caption_Font(base, 14, false, true));
  btnUNDERLINE = Bevel(this, QStringLiteral("btnUNDERLINE"), QStringLiteral("U"));
  btnUNDERLINE->setFont(Caption_Font(base, 14, false, false, true));
  btn_Color = Bevel(this, QStringLiteral("btn_Color"), QString());
  if (const Platform::PicturePtr spot = Resources::color_spot())
    btn_Color->setIcon(QIcon(QPixmap::fromImage(spot->ToARGB())));
  connect(btnBOLD, &QPushButton::clicked, this, [this] { btnBOLD_Action(); });
  connect(btnITALIC, &QPushButton::clicked, this, [this] { btnITALIC_Action(); });
  connect(btnUNDERLINE, &QPushButton::clicked, this, [this] { btnUNDERLINE_Action(); });
  connect(btn_Color, &QPushButton::clicked, this, [this] { btn_Color_Action(); });

  btnCANCEL = new QPushButton(QStringLiteral("Cancel"), this);
  btnCANCEL->setObjectName(QStringLiteral("btnCANCEL"));
  btnPLACE = new QPushButton(QStringLiteral("Place"), this);
  btnPLACE->setObjectName(QStringLiteral("btnPLACE"));
  for (QPushButton* b : {btnCANCEL, btnPLACE}) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
  connect(btnCANCEL, &QPushButton::clicked, this, [this] { btnCANCEL_Action(); });
  connect(btnPLACE, &QPushButton::clicked, this, [this] { btnPLACE_Action(); });

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  Label1 = new QLabel(QStringLiteral("Transparent"), GroupBox1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Label1->setGeometry(22 - 10, 283 - 278, 100, 20);
  const char* const captions[] = {"Text", "Background"};
  for (int32_t i = 0; i < 2; ++i) {
    auto* box = new QCheckBox(QString::fromLatin1(captions[i]), GroupBox1);
    box->setObjectName(QStringLiteral("cbTRANS%1").arg(i));
    box->setGeometry((i == 0 ? 126 : 228) - 10, 283 - 278, 100, 20);
    connect(box, &QCheckBox::clicked, this, [this, i] { cbTRANS_Action(i); });
    cbTRANS.Append(box);
  }

  setTabOrder(inpText, puFONT);
  setTabOrder(puFONT, puSIZE);
  setTabOrder(puSIZE, cbTRANS[0]);
  setTabOrder(cbTRANS[0], cbTRANS[1]);
  setTabOrder(cbTRANS[1], btnCANCEL);
  setTabOrder(btnCANCEL, btnPLACE);
}

void winTEXT::Arrange() {
  if (!inpText) return;
  const int w = width(), h = height();
  // Distances to the bottom edge at the design size keep the lower controls in place; the two buttons on
  // the right keep their distance to the right edge too.
  const auto bottom = [h](int top) { return h - (kDesignHeight - top); };
  const auto right = [w](int left) { return w - (kDesignWidth - left); };
  inpText->setGeometry(10, 6, w - 20, h - (kDesignHeight - 230));
  puFONT->setGeometry(10, bottom(246), 180, 20);
  puSIZE->setGeometry(198, bottom(246), 60, 20);
  btnBOLD->setGeometry(265, bottom(246), 22, 22);
  btnITALIC->setGeometry(290, bottom(246), 22, 22);
  btnUNDERLINE->setGeometry(315, bottom(246), 22, 22);
  btn_Color->setGeometry(340, bottom(246), 22, 22);
  btnCANCEL->setGeometry(right(502), bottom(246), 80, 20);
  btnPLACE->setGeometry(right(502), bottom(278), 80, 20);
  GroupBox1->setGeometry(10, bottom(278), 352, 31);
}

Platform::StyledText& winTEXT::Area_Text() { return *area_; }

int32_t winTEXT::SelStart() const { return int32_t(inpText->textCursor().selectionStart()); }

int32_t winTEXT::SelLength() const {
  const QTextCursor c = inpText->textCursor();
  return int32_t(c.selectionEnd() - c.selectionStart());
}

void winTEXT::Set_BackColor(Platform::Color colour) {
  backColor_ = colour & 0xFFFFFFu;
  QPalette pal = inpText->palette();
  pal.setColor(QPalette::Base, QColor::fromRgb(Platform::ToQRgb(backColor_)));
  inpText->setPalette(pal);
}

void winTEXT::Set_TextColor(Platform::Color colour) { Area_Text().SetTextColor(SelStart(), SelLength(), colour); }

// ---- Control handlers ----

void winTEXT::inpText_SelChange() { Update_FontInfo(); }

void winTEXT::inpText_Open() {
  Platform::StyledText& area = Area_Text();
  {
    // The text offered and its style reach the area as one edit, laid out once.
    const Platform::StyledText::OneEdit edit(area);
    if (myOriginalStyledText && !myOriginalStyledText->Text().isEmpty()) {
      area.CopyFrom(*myOriginalStyledText);
    } else {
      const classTEXT2& object = Text_Object();
      inpText->selectAll();
      area.SetText(object.Text());
      inpText->setFont(Pixel_Font(object.TextFont(), object.TextSize()));
      // All of the new text, as selecting it all would give, without laying the area out to show the
      // selection's end while the edit is still under way.
      const int32_t s = 0, n = area.Length();
      area.SetFont(s, n, object.TextFont());
      area.SetSize(s, n, object.TextSize());
      area.SetTextColor(s, n, Draw_Color[1]);
      QTextCharFormat typing;
      typing.setFontFamilies(QStringList{object.TextFont()});
      typing.setProperty(QTextFormat::FontPixelSize, std::max(1, int(object.TextSize())));
      typing.setForeground(QColor::fromRgb(Platform::ToQRgb(Draw_Color[1])));
      inpText->mergeCurrentCharFormat(typing);
    }
  }
  inpText->selectAll();
  Set_BackColor(Draw_Color[2]);
  inpText->setToolTip(modOptions::option_HelpTags ? QString(Area_Help_Tag()).replace(QChar(13), QChar('\n')) : QString());
}

void winTEXT::btnBOLD_Action() {
  const int32_t s = SelStart(), n = SelLength();
  Area_Text().SetBold(s, n, !Area_Text().Bold(s, n));
}

void winTEXT::btnITALIC_Action() {
  const int32_t s = SelStart(), n = SelLength();
  Area_Text().SetItalic(s, n, !Area_Text().Italic(s, n));
}

void winTEXT::btnUNDERLINE_Action() {
  const int32_t s = SelStart(), n = SelLength();
  Area_Text().SetUnderline(s, n, !Area_Text().Underline(s, n));
}

void winTEXT::btnBOLD_Open() { btnBOLD->setToolTip(modOptions::option_HelpTags ? QStringLiteral("Bold") : QString()); }
void winTEXT::btnITALIC_Open() {
  btnITALIC->setToolTip(modOptions::option_HelpTags ? QStringLiteral("Italic") : QString());
}
void winTEXT::btnUNDERLINE_Open() {
  btnUNDERLINE->setToolTip(modOptions::option_HelpTags ? QStringLiteral("Underline") : QString());
}

void winTEXT::puFONT_Open() { modTEXT_INPUT::LB_FONTS(puFONT); }

void winTEXT::puFONT_Change() {
  if (!Ready || Busy || puFONT->currentIndex() < 0) return;
  const QString name = puFONT->currentText();
  Area_Text().SetFont(SelStart(), SelLength(), name);
  Text_Object().TextFont(name);
  Update_FontInfo();
}

void winTEXT::puSIZE_Open() { modTEXT_INPUT::LB_FONTSIZE(puSIZE); }

void winTEXT::puSIZE_Change() {
  const int32_t size = Platform::ToInt(Platform::Val(puSIZE->currentText()));
  if (!Ready || Busy || puSIZE->currentIndex() < 0) return;
  Area_Text().SetSize(SelStart(), SelLength(), size);
  Text_Object().TextSize(size);
  Update_FontInfo();
}

void winTEXT::Update_FontInfo() {
  if (!puFONT) return;
  Busy = true;
  const int32_t len = std::max(SelLength(), 1);
  QString name = Area_Text().Font(SelStart(), len);
  name.remove(QChar(0));
  if (name.isEmpty()) name = Text_Object().TextFont();
  if (name.isEmpty()) {
    puFONT->setCurrentIndex(-1);
  } else {
    // Every row that begins the name is a match and the last one wins: in the sorted list, the longest.
    int K = -1;
    for (int i = 0; i < puFONT->count(); ++i)
      if (Platform::StartsWith(name, puFONT->itemText(i))) K = i;
    // A family that is not installed shows the family the text is drawn in instead.
    if (K < 0) K = modTEXT_INPUT::Row_In_Use(puFONT, name);
    if (K >= 0 && K != puFONT->currentIndex()) puFONT->setCurrentIndex(K);
  }
  Busy = false;
}

void winTEXT::btn_Color_Action() {
  const Platform::Color c = modOptions::Select_A_Color(Draw_Color[1]);
  if (c != Draw_Color[1]) winMAIN::instance()->classCOLORS1->Set_Color(1, c);
}

void winTEXT::cbTRANS_Action(int32_t index) {
  if (index == 0 && cbTRANS[0]->isChecked()) cbTRANS[1]->setChecked(false);
  if (index == 1 && cbTRANS[1]->isChecked()) cbTRANS[0]->setChecked(false);
}

void winTEXT::cbTRANS_Open(int32_t index) {
  cbTRANS[index]->setChecked(Dragging_Text_Mode == (index == 0 ? 2 : 1));
}

void winTEXT::Clone_StyledText(const Platform::StyledText& source, Platform::StyledText& destination) {
  int32_t i = 0;
  for (const Platform::StyleRun& from : source.StyleRuns()) {
    Platform::StyleRun run;
    run.Bold = from.Bold;
    run.Font = from.Font;
    run.Italic = from.Italic;
    run.Size = from.Size;
    run.Text = from.Text;
    run.TextColor = from.TextColor;
    run.Underline = from.Underline;
    destination.InsertStyleRun(run, i++);
  }
}

void winTEXT::btnPLACE_Action() {
  Handling handling(this);
  // Nothing to place: a text without characters would make a picture without rows.
  if (Area_Text().Length() == 0) {
    Platform::Environment::Beep();
    return;
  }
  winMAIN* main = winMAIN::instance();
  Platform::Color bg = BackColor();
  if (bg == 0xFFFFFF) bg = 0xFEFEFE;

  // The text as typed, measured, and its picture made before anything changes: a picture too large to
  // make leaves everything as it was.
  auto placed = std::make_shared<Platform::StyledText>();
  auto original = std::make_shared<Platform::StyledText>();
  Clone_StyledText(Area_Text(), *placed);
  Clone_StyledText(Area_Text(), *original);
  const int32_t W = StyledTextDrawing::StyledTextWidth(*placed, kWrap);
  const int32_t H = StyledTextDrawing::StyledTextHeight(*placed, kWrap);
  Platform::PicturePtr picture;
  try {
    picture = Platform::Picture::Create(W, H, 32);
  } catch (const Platform::OutOfMemoryException&) {
    Out_Of_Memory_Message();
    return;
  }
  // Whatever the selection held is ended first, so that it is dropped as itself and the text's own
  // placement state, set below, stays as it is set.
  main->Reset_Everything();

  Dragging_Text_Mode = 0;
  myStyledText = placed;
  myOriginalStyledText = original;
  drag_Picture = picture;
  Platform::Graphics g = drag_Picture->Graphics();
  RenderMode(g, modOptions::option_AntiAlias);

  Platform::Color fill;
  if (cbTRANS[1]->isChecked()) {
    fill = 0xFFFFFF;
    Dragging_Text_Mode = 1;
  } else {
    if (BackColor() == 0xFFFFFF && cbTRANS[0]->isChecked()) Set_BackColor(0xFEFEFE);
    fill = BackColor();
  }
  if (cbTRANS[0]->isChecked()) {
    inpText->selectAll();
    Area_Text().SetTextColor(0, Area_Text().Length(), 0x000000);
    fill = bg;
    Dragging_Text_Mode = 2;
  }
  Dragging_Text = true;
  inpText->viewport()->update();

  // In the knock-out mode the placed text is the black text; the original keeps the colours as typed.
  myStyledText = std::make_shared<Platform::StyledText>();
  Clone_StyledText(Area_Text(), *myStyledText);

  drag_Picture->Transparent = 0;
  g.SetForeColor(fill);
  g.FillRect(0, 0, W, H);
  StyledTextDrawing::DrawStyledText(g, *myStyledText, 2, 0, kWrap);

  active_TEXTMODE = true;
  Set_Active_Lasso(true);
  classRECTANGLE& box = Platform::Deref(img_lasso.get(), "the selection rectangle");
  box.set_Top_Left(Point_of(offset.x + 3, offset.y + 3));
  box.set_Bot_Right(Point_of(offset.x + 3 + drag_Picture->Width(), offset.y + 3 + drag_Picture->Height()));
  active_DRAG = true;
  main->drawing_TOOL_SET(TOOL_GRABBER);
  main->Update_Display();
  img_DRAG_DROP = box.Top_Left();
  Close_Window();
}

void winTEXT::btnCANCEL_Action() {
  Handling handling(this);
  winMAIN::instance()->Revert_to_Last_Draw_Tool(false);
  Close_Window();
}

// ---- Window events ----

void winTEXT::Event_Open() {
  Ready = true;
  if (winTEXT_Left >= 0) {
    setGeometry(winTEXT_Left, winTEXT_Top, winTEXT_Width, winTEXT_Height);
  } else {
    const QRect m = winMAIN::instance()->geometry();
    const int left = std::max(0, m.x() + (m.width() - width()) / 2);
    const int top = std::max(0, m.y() + (m.height() - height()) / 2);
    setGeometry(left, top, width(), height());
  }
  placed_ = true;
  winTEXT_Open = true;
  Update_FontInfo();
  winMAIN::instance()->Set_myHelpTag(false, 0, 0, QString());
  inpText->setFocus(Qt::OtherFocusReason);
}

void winTEXT::Event_Activate() { inpText->setFocus(Qt::ActiveWindowFocusReason); }

void winTEXT::Event_Moved() {
  if (!placed_) return;
  winTEXT_Left = geometry().x();
  winTEXT_Top = geometry().y();
  winTEXT_Width = width();
  winTEXT_Height = height();
}

void winTEXT::Event_Resized() {
  Arrange();
  Event_Moved();
}

void winTEXT::Event_Close() { winTEXT_Open = false; }

void winTEXT::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  Event_Moved();
}

void winTEXT::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Event_Resized();
}

bool winTEXT::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && inpText) Event_Activate();
  return QWidget::event(e);
}

namespace {
bool Is_Escape(QEvent* e) {
  if (e->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(e);
  return key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
}
}  // namespace

void winTEXT::keyPressEvent(QKeyEvent* e) {
  if (Is_Escape(e)) {
    btnCANCEL->click();
    return;
  }
  QWidget::keyPressEvent(e);
}

bool winTEXT::eventFilter(QObject* watched, QEvent* e) {
  if (watched == inpText && Is_Escape(e)) {
    btnCANCEL->click();
    return true;
  }
  return QWidget::eventFilter(watched, e);
}

void winTEXT::Close_Window() {
  if (!closed_) close();
}

void winTEXT::closeEvent(QCloseEvent* e) {
  e->accept();
  if (closed_) return;
  closed_ = true;
  Event_Close();
  // The next use makes a new window; this one goes once its handlers have returned.
  if (Current() == this) Current() = nullptr;
  if (handling_ > 0) deletePending_ = true;
  else deleteLater();
}
