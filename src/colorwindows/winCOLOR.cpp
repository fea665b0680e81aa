#include "colorwindows/winCOLOR.h"

#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QPalette>

#include "app/modOptions.h"
#include "colorwindows/ColorNotation.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"

namespace {

struct NamedColor {
  const char* name;
  Platform::Color value;
};

// The named colours in popup order. Two names keep a trailing blank; where two names share a colour,
// the later one names it.
constexpr NamedColor kNamedColors[] = {
    {"Red", 0xFF0000}, {"Orange", 0xFFA500}, {"Yellow", 0xFFFF00}, {"Green", 0x008000}, {"Blue", 0x0000FF},
    {"Purple", 0x800080}, {"Magenta", 0xFF00FF}, {"Brown", 0xA52A2A}, {"Gray", 0x808080}, {"Black", 0x000000},
    {"White", 0xFFFFFF},
    {"AliceBlue", 0xF0F8FF}, {"AntiqueWhite", 0xFAEBD7}, {"Aqua", 0x00FFFF}, {"Aquamarine", 0x7FFFD4},
    {"Azure", 0xF0FFFF}, {"Beige", 0xF5F5DC}, {"Bisque", 0xFFE4C4}, {"BlanchedAlmond", 0xFFEBCD},
    {"BlueViolet", 0x8A2BE2}, {"BurlyWood", 0xDEB887}, {"CadetBlue", 0x5F9EA0}, {"Chartreuse", 0x7FFF00},
    {"Chocolate", 0xD2691E}, {"Coral", 0xFF7F50}, {"CornflowerBlue", 0x6495ED}, {"Cornsilk", 0xFFF8DC},
    {"Crimson", 0xDC143C}, {"Cyan", 0x00FFFF}, {"DarkBlue", 0x00008B}, {"DarkCyan", 0x008B8B},
    {"DarkGoldenRod", 0xB8860B}, {"DarkGray", 0xA9A9A9}, {"DarkGreen", 0x006400}, {"DarkKhaki", 0xBDB76B},
    {"DarkMagenta", 0x8B008B}, {"DarkOliveGreen", 0x556B2F}, {"DarkOrange", 0xFF8C00},
    {"DarkOrchid", 0x9932CC}, {"DarkRed", 0x8B0000}, {"DarkSalmon", 0xE9967A}, {"DarkSeaGreen", 0x8FBC8F},
    {"DarkSlateBlue", 0x483D8B}, {"DarkSlateGray", 0x2F4F4F}, {"DarkTurquoise", 0x00CED1},
    {"DarkViolet", 0x9400D3}, {"DeepPink", 0xFF1493}, {"DeepSkyBlue", 0x00BFFF}, {"DimGray", 0x696969},
    {"DodgerBlue", 0x1E90FF}, {"FireBrick", 0xB22222}, {"FloralWhite", 0xFFFAF0}, {"ForestGreen", 0x228B22},
    {"Fuchsia", 0xFF00FF}, {"Gainsboro", 0xDCDCDC}, {"GhostWhite", 0xF8F8FF}, {"Gold", 0xFFD700},
    {"GoldenRod", 0xDAA520}, {"GreenYellow", 0xADFF2F}, {"HoneyDew", 0xF0FFF0}, {"HotPink", 0xFF69B4},
    {"IndianRed ", 0xCD5C5C}, {"Indigo ", 0x4B0082}, {"Ivory", 0xFFFFF0}, {"Khaki", 0xF0E68C},
    {"Lavender", 0xE6E6FA}, {"LavenderBlush", 0xFFF0F5}, {"LawnGreen", 0x7CFC00}, {"LemonChiffon", 0xFFFACD},
    {"LightBlue", 0xADD8E6}, {"LightCoral", 0xF08080}, {"LightCyan", 0xE0FFFF},
    {"LightGoldenRodYellow", 0xFAFAD2}, {"LightGrey", 0xD3D3D3}, {"LightGreen", 0x90EE90},
    {"LightPink", 0xFFB6C1}, {"LightSalmon", 0xFFA07A}, {"LightSeaGreen", 0x20B2AA},
    {"LightSkyBlue", 0x87CEFA}, {"LightSlateGray", 0x778899}, {"LightSteelBlue", 0xB0C4DE},
    {"LightYellow", 0xFFFFE0}, {"Lime", 0x00FF00}, {"LimeGreen", 0x32CD32}, {"Linen", 0xFAF0E6},
    {"Maroon", 0x800000}, {"MediumAquaMarine", 0x66CDAA}, {"MediumBlue", 0x0000CD},
    {"MediumOrchid", 0xBA55D3}, {"MediumPurple", 0x9370DB}, {"MediumSeaGreen", 0x3CB371},
    {"MediumSlateBlue", 0x7B68EE}, {"MediumSpringGreen", 0x00FA9A}, {"MediumTurquoise", 0x48D1CC},
    {"MediumVioletRed", 0xC71585}, {"MidnightBlue", 0x191970}, {"MintCream", 0xF5FFFA},
    {"MistyRose", 0xFFE4E1}, {"Moccasin", 0xFFE4B5}, {"NavajoWhite", 0xFFDEAD}, {"Navy", 0x000080},
    {"OldLace", 0xFDF5E6}, {"Olive", 0x808000}, {"OliveDrab", 0x6B8E23}, {"OrangeRed", 0xFF4500},
    {"Orchid", 0xDA70D6}, {"PaleGoldenRod", 0xEEE8AA}, {"PaleGreen", 0x98FB98}, {"PaleTurquoise", 0xAFEEEE},
    {"PaleVioletRed", 0xDB7093}, {"PapayaWhip", 0xFFEFD5}, {"PeachPuff", 0xFFDAB9}, {"Peru", 0xCD853F},
    {"Pink", 0xFFC0CB}, {"Plum", 0xDDA0DD}, {"PowderBlue", 0xB0E0E6}, {"RosyBrown", 0xBC8F8F},
    {"RoyalBlue", 0x4169E1}, {"SaddleBrown", 0x8B4513}, {"Salmon", 0xFA8072}, {"SandyBrown", 0xF4A460},
    {"SeaGreen", 0x2E8B57}, {"SeaShell", 0xFFF5EE}, {"Sienna", 0xA0522D}, {"Silver", 0xC0C0C0},
    {"SkyBlue", 0x87CEEB}, {"SlateBlue", 0x6A5ACD}, {"SlateGray", 0x708090}, {"Snow", 0xFFFAFA},
    {"SpringGreen", 0x00FF7F}, {"SteelBlue", 0x4682B4}, {"Tan", 0xD2B48C}, {"Teal", 0x008080},
    {"Thistle", 0xD8BFD8}, {"Tomato", 0xFF6347}, {"Turquoise", 0x40E0D0}, {"Violet", 0xEE82EE},
    {"Wheat", 0xF5DEB3}, {"WhiteSmoke", 0xF5F5F5}, {"YellowGreen", 0x9ACD32},
};
static_assert(std::size(kNamedColors) == 140);

// The 48 swatches, column by column: index = column x 6 + row.
constexpr Platform::Color kSwatches[48] = {
    0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF,  // column 0
    0xFF80C0, 0xFF80FF, 0xFF0000, 0xFFFF00, 0x80FF00, 0x00FF40,  // column 1
    0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF, 0x804040, 0xFF8040,  // column 2
    0x00FF00, 0x008080, 0x004080, 0x8080FF, 0x800040, 0xFF0080,  // column 3
    0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0,  // column 4
    0x800080, 0x8000FF, 0x400000, 0x804000, 0x004000, 0x004040,  // column 5
    0x000080, 0x000040, 0x400040, 0x400080, 0x000000, 0x808000,  // column 6
    0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x400040, 0xFFFFFF,  // column 7
};

constexpr int kWell = 23;  // a swatch's pitch: its 22-pixel well and a one-pixel line

QFont Pixels(const QFont& base, int pixels, bool bold = false) {
  QFont f = base;
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QGroupBox* Group(QWidget* parent, const QString& name, const QString& caption, const QRect& place) {
  auto* g = new QGroupBox(caption, parent);
  g->setObjectName(name);
  g->setGeometry(place);
  // Bold at 11 pixels, smaller where the caption would not fit across the box.
  QFont f = Pixels(parent->font(), 11, true);
  while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(caption) > place.width() - 12)
    f.setPixelSize(f.pixelSize() - 1);
  g->setFont(f);
  return g;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const QRect& place) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(place);
  b->setFont(Pixels(parent->font(), 12));
  // Neither button is the default: Return presses nothing.
  b->setAutoDefault(false);
  b->setDefault(false);
  return b;
}

}  // namespace

winCOLOR::winCOLOR(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("winCOLOR"));
  setWindowTitle(QStringLiteral("Select Color"));
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(335, 315);
  setSizeGripEnabled(false);

  // The group boxes go first so that the controls drawn over them stay on top.
  GroupBox3 = Group(this, QStringLiteral("GroupBox3"), QStringLiteral("Sample"), QRect(10, 0, 183, 50));
  GroupBox2 = Group(this, QStringLiteral("GroupBox2"), QStringLiteral("Named Colors"), QRect(10, 220, 183, 47));
  GroupBox1 = Group(this, QStringLiteral("GroupBox1"), QStringLiteral("Red, Green, Blue [RGB]"),
                    QRect(205, 0, 120, 305));

  canvasSAMPLE = new Platform::Canvas(this, QStringLiteral("canvasSAMPLE"));
  canvasSAMPLE->setGeometry(15, 20, 173, 24);
  canvasSAMPLE->setFocusPolicy(Qt::NoFocus);
  canvasSAMPLE->Paint = [this](Platform::Graphics& g) { canvasSAMPLE_Paint(g); };

  puColorMode = new QComboBox(this);
  puColorMode->setObjectName(QStringLiteral("puColorMode"));
  puColorMode->setGeometry(10, 56, 183, 20);
  puColorMode->setFont(Pixels(font(), 12));
  puColorMode->addItems({QStringLiteral("RGB as HEX"), QStringLiteral("RGB as Value"), QStringLiteral("RGB as Pct%")});
  puColorMode->setCurrentIndex(0);

  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(10, 81, 183, 137);
  Canvas1->setFocusPolicy(Qt::NoFocus);
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };
  Canvas1->MouseDown = [this](int x, int y) { return Canvas1_MouseDown(x, y); };

  puNamedColors = new QComboBox(this);
  puNamedColors->setObjectName(QStringLiteral("puNamedColors"));
  puNamedColors->setGeometry(19, 240, 163, 20);
  puNamedColors->setFont(Pixels(font(), 12));
  puNamedColors->setMaxVisibleItems(20);

  pbCancel = Button(this, QStringLiteral("pbCancel"), QStringLiteral("Cancel"), QRect(63, 280, 60, 20));
  pbOK = Button(this, QStringLiteral("pbOK"), QStringLiteral("OK"), QRect(133, 280, 60, 20));

  RGBValue = new QLineEdit(QStringLiteral("888.8%"), this);
  RGBValue->setObjectName(QStringLiteral("RGBValue"));
  RGBValue->setGeometry(210, 20, 110, 20);
  RGBValue->setFont(Pixels(font(), 12));
  RGBValue->setReadOnly(true);
  RGBValue->setAlignment(Qt::AlignCenter);
  RGBValue->setAttribute(Qt::WA_MacShowFocusRect, false);

  for (int i = 0; i < 3; ++i) {
    auto* s = new QSlider(Qt::Vertical, this);
    s->setObjectName(QStringLiteral("SliderRGB%1").arg(i));
    s->setGeometry(225 + 34 * i, 43, 16, 256);
    // The slider holds the negated component; the full component stands at the top.
    s->setRange(-255, 0);
    s->setValue(0);
    s->setSingleStep(1);
    s->setPageStep(16);
    s->setTracking(true);
    s->setInvertedAppearance(true);
    s->setInvertedControls(true);
    // The groove is not filled: a fill would measure the slider's value, the opposite of the component.
    QPalette plain = s->palette();
    plain.setColor(QPalette::Highlight, plain.color(QPalette::Window));
    s->setPalette(plain);
    SliderRGB[i] = s;
  }

  // Every change of a control's value reaches its handler, the program's own changes included.
  for (QSlider* s : SliderRGB) connect(s, &QSlider::valueChanged, this, [this] { SliderRGB_ValueChanged(); });
  connect(puNamedColors, &QComboBox::currentIndexChanged, this, [this] { puNamedColors_Change(); });
  connect(puColorMode, &QComboBox::currentIndexChanged, this, [this] { puColorMode_Change(); });
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });
  connect(pbCancel, &QPushButton::clicked, this, [this] { pbCancel_Action(); });

  // The controls open before the window.
  puNamedColors_Open();
  puColorMode_Open();
  Event_Open();
}

// ---- Named colours ----

void winCOLOR::Add_Color(const QString& name, Platform::Color c) {
  puNamedColors->addItem(name);
  Color_Name.insert(c, name);
  Color_Value.insert(name, c);
}

void winCOLOR::puNamedColors_Open() {
  Color_Name.clear();
  Color_Value.clear();
  puNamedColors->addItem(QStringLiteral(" "));
  for (const NamedColor& n : kNamedColors) Add_Color(QString::fromLatin1(n.name), n.value);
}

void winCOLOR::puNamedColors_Change() {
  if (No_Namelist) return;
  const auto found = Color_Value.constFind(puNamedColors->currentText());
  if (found == Color_Value.constEnd()) return;
  working_color = *found;
  No_Scroll = true;
  Set_Sample();
  Set_Scrollbars();
  No_Scroll = false;
}

void winCOLOR::Set_Namelist() {
  int row = 0;
  const auto found = Color_Name.constFind(working_color);
  if (found != Color_Name.constEnd()) {
    for (int i = 1; i < puNamedColors->count(); ++i) {
      if (puNamedColors->itemText(i) == *found) {
        row = i;
        break;
      }
    }
  }
  puNamedColors->setCurrentIndex(row);
}

// ---- Notation of the read-out ----

void winCOLOR::puColorMode_Open() { puColorMode->setCurrentIndex(modOptions::option_Color_Picker_Mode); }

void winCOLOR::puColorMode_Change() { Update_Display(); }

void winCOLOR::puColorMode_Close() { modOptions::option_Color_Picker_Mode = puColorMode->currentIndex(); }

QString winCOLOR::OutFmt(int32_t v) const { return ColorWindows::Component_Text(puColorMode->currentIndex(), v); }

void winCOLOR::Update_RGBValue() {
  QString text;
  for (int i = 0; i < 3; ++i) {
    if (i > 0 && puColorMode->currentIndex() > 0) text += QLatin1Char('/');
    text += OutFmt(std::abs(SliderRGB[i]->value()));
  }
  RGBValue->setText(text);
}

void winCOLOR::Update_Display() { Update_RGBValue(); }

// ---- Sliders ----

void winCOLOR::Set_Sliders(Platform::Color c) {
  SliderRGB[0]->setValue(-Platform::Red(c));
  SliderRGB[1]->setValue(-Platform::Green(c));
  SliderRGB[2]->setValue(-Platform::Blue(c));
}

void winCOLOR::Set_Scrollbars() { Set_Sliders(working_color); }

void winCOLOR::SliderRGB_ValueChanged() {
  Update_RGBValue();
  if (No_Scroll || Busy) return;
  working_color = Platform::RGB(std::abs(SliderRGB[0]->value()), std::abs(SliderRGB[1]->value()),
                                std::abs(SliderRGB[2]->value()));
  No_Namelist = true;
  Set_Sample();
  Set_Namelist();
  No_Namelist = false;
}

// ---- Sample and swatches ----

void winCOLOR::Set_Sample() { canvasSAMPLE->Invalidate(true); }

void winCOLOR::canvasSAMPLE_Paint(Platform::Graphics& g) {
  modMAIN::RenderMode(g, true);
  g.SetForeColor(working_color);
  g.FillRect(0, 0, g.Width(), g.Height());
  g.SetForeColor(0x000000);
  g.DrawRect(0, 0, g.Width(), g.Height());
}

void winCOLOR::Canvas1_Paint(Platform::Graphics& g) {
  modMAIN::RenderMode(g, true);
  g.SetForeColor(0xE8E8E8);
  g.FillRect(0, 0, g.Width(), g.Height());
  for (int c = 0; c < 8; ++c)
    for (int r = 0; r < 6; ++r) modMAIN::Draw_ColorWell(g, c * kWell, r * kWell, y_colors[c * 6 + r], false);
}

bool winCOLOR::Canvas1_MouseDown(int x, int y) {
  for (int c = 0; c < 8; ++c) {
    for (int r = 0; r < 6; ++r) {
      if (x < c * kWell || x > c * kWell + 21 || y < r * kWell || y > r * kWell + 21) continue;
      working_color = y_colors[c * 6 + r];
      No_Namelist = true;
      Set_Sample();
      Set_Namelist();
      No_Namelist = false;
      Busy = true;
      Set_Sliders(working_color);
      Busy = false;
      return false;
    }
  }
  return false;
}

// ---- Buttons and window events ----

void winCOLOR::pbOK_Action() { done(QDialog::Accepted); }

void winCOLOR::pbCancel_Action() { done(QDialog::Rejected); }

void winCOLOR::reject() { pbCancel_Action(); }

void winCOLOR::done(int result) {
  if (!closed_) {
    closed_ = true;
    if (result == QDialog::Accepted) {
      modMAIN::Dialog_Color = working_color;
      modMAIN::Dialog_Cancel = false;
    } else {
      modMAIN::Dialog_Cancel = true;
    }
    puColorMode_Close();
    Event_Close();
  }
  QDialog::done(result);
}

void winCOLOR::Event_Open() {
  Busy = true;
  working_color = modMAIN::Dialog_Color & 0xFFFFFFu;
  Set_Sliders(working_color);
  Busy = false;
  y_colors.clear();
  for (Platform::Color c : kSwatches) y_colors.Append(c);
  Update_Display();
}

void winCOLOR::Event_Activate() {
  No_Scroll = true;
  No_Namelist = true;
  Set_Scrollbars();
  Set_Namelist();
  Set_Sample();
  No_Scroll = false;
  No_Namelist = false;
}

void winCOLOR::Event_Close() { modMAIN::Dialog_Color = working_color; }

void winCOLOR::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The first showing counts as an activation even when the window manager does not activate it.
  if (!shown_) {
    shown_ = true;
    Event_Activate();
  }
}

bool winCOLOR::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && shown_) Event_Activate();
  return QDialog::event(event);
}
