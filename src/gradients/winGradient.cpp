#include "gradients/winGradient.h"

#include <QCloseEvent>
#include <cmath>
#include <QMouseEvent>

#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "mainwindow/winMAIN.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"
#include "platform/WindowInstance.h"

namespace {

QPushButton* Button(QWidget* parent, const QString& name, const QString& text, const QRect& bounds) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setGeometry(bounds);
  // Only the default button answers Return, whichever control has the focus.
  b->setAutoDefault(false);
  return b;
}

QScrollBar* ScrollBar(QWidget* parent, const QString& name, Qt::Orientation orientation, const QRect& bounds) {
  auto* s = new QScrollBar(orientation, parent);
  s->setObjectName(name);
  s->setGeometry(bounds);
  s->setRange(0, 100);
  s->setValue(0);
  s->setSingleStep(1);
  s->setPageStep(5);
  s->setTracking(true);
  return s;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text, const QRect& bounds, Qt::Alignment align) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(bounds);
  l->setAlignment(align | Qt::AlignVCenter);
  return l;
}

// The width of the stop strip.
constexpr int kStripWidth = 406;

}  // namespace

winGradient* winGradient::instance() { return Platform::WindowInstance<winGradient>::instance(); }
winGradient* winGradient::existing() { return Platform::WindowInstance<winGradient>::existing(); }

winGradient::winGradient() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  // Cancel gives back what the gradient is now.
  Take_Snapshot();

  setObjectName(QStringLiteral("winGradient"));
  setWindowTitle(QStringLiteral("Gradient Editor"));
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(651, 190);
  setSizeGripEnabled(false);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
  GroupBox1->setGeometry(141, 10, 400, 30);
  const char* captions[3] = {"Horizontal", "Vertical", "Radial"};
  const QRect places[3] = {QRect(148, 15, 94, 20), QRect(308, 15, 80, 20), QRect(432, 15, 80, 20)};
  for (int i = 0; i < 3; ++i) {
    rb[i] = new QRadioButton(QString::fromLatin1(captions[i]), GroupBox1);
    rb[i]->setObjectName(QStringLiteral("rb%1").arg(i));
    rb[i]->setGeometry(places[i].translated(-141, -10));
    rb[i]->setFocusPolicy(Qt::ClickFocus);
  }

  canvasGradient = new Platform::Canvas(this, QStringLiteral("canvasGradient"));
  canvasGradient->setGeometry(141, 45, 400, 40);
  canvasGradient->setEnabled(false);
  canvasSTOPS = new Platform::Canvas(this, QStringLiteral("canvasSTOPS"));
  canvasSTOPS->setGeometry(138, 85, kStripWidth, 20);
  canvasSTOPS->installEventFilter(this);
  sb_position = ScrollBar(this, QStringLiteral("sb_position"), Qt::Horizontal, QRect(141, 107, 360, 16));
  lblPosition = Label(this, QStringLiteral("lblPosition"), QStringLiteral("888%"), QRect(506, 105, 35, 20), Qt::AlignRight);
  CanvasRadial = new Platform::Canvas(this, QStringLiteral("CanvasRadial"));
  CanvasRadial->setGeometry(26, 10, 100, 100);
  sb_radial_y = ScrollBar(this, QStringLiteral("sb_radial_y"), Qt::Vertical, QRect(10, 10, 16, 100));
  sb_radial_x = ScrollBar(this, QStringLiteral("sb_radial_x"), Qt::Horizontal, QRect(26, 110, 100, 16));
  StaticText1 = Label(this, QStringLiteral("StaticText1"), QStringLiteral("Replace this color"), QRect(190, 131, 117, 20),
                      Qt::AlignLeft);
  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(308, 130, 21, 21);
  StaticText2 = Label(this, QStringLiteral("StaticText2"), QStringLiteral("with the above Gradient."),
                      QRect(334, 131, 160, 20), Qt::AlignLeft);
  for (QLabel* l : {StaticText1, StaticText2}) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
  }
  pbNEW = Button(this, QStringLiteral("pbNEW"), QStringLiteral("New"), QRect(561, 10, 80, 20));
  pbLOAD = Button(this, QStringLiteral("pbLOAD"), QStringLiteral("Load"), QRect(561, 40, 80, 20));
  pbSAVE = Button(this, QStringLiteral("pbSAVE"), QStringLiteral("Save"), QRect(561, 70, 80, 20));
  pbREVERSE = Button(this, QStringLiteral("pbREVERSE"), QStringLiteral("Reverse"), QRect(561, 98, 80, 20));
  pbcenter = Button(this, QStringLiteral("pbcenter"), QStringLiteral("Center"), QRect(34, 130, 80, 20));
  pbCANCEL = Button(this, QStringLiteral("pbCANCEL"), QStringLiteral("Cancel"), QRect(471, 160, 80, 20));
  pbOK = Button(this, QStringLiteral("pbOK"), QStringLiteral("OK"), QRect(561, 160, 80, 20));
  pbOK->setDefault(true);
  for (QScrollBar* s : {sb_position, sb_radial_x, sb_radial_y}) s->setFocusPolicy(Qt::NoFocus);

  // Keyboard focus goes through the push buttons in this order.
  setTabOrder(pbNEW, pbLOAD);
  setTabOrder(pbLOAD, pbSAVE);
  setTabOrder(pbSAVE, pbREVERSE);
  setTabOrder(pbREVERSE, pbcenter);
  setTabOrder(pbcenter, pbCANCEL);
  setTabOrder(pbCANCEL, pbOK);

  // ---- Events ----
  canvasGradient->Paint = [this](Platform::Graphics& g) { canvasGradient_Paint(g); };
  canvasSTOPS->Paint = [this](Platform::Graphics& g) { canvasSTOPS_Paint(g); };
  canvasSTOPS->MouseDown = [this](int x, int y) { return canvasSTOPS_MouseDown(x, y); };
  canvasSTOPS->MouseDrag = [this](int x, int y) { canvasSTOPS_MouseDrag(x, y); };
  canvasSTOPS->MouseUp = [this](int x, int y) { canvasSTOPS_MouseUp(x, y); };
  CanvasRadial->Paint = [this](Platform::Graphics& g) { CanvasRadial_Paint(g); };
  CanvasRadial->MouseDown = [this](int x, int y) { return CanvasRadial_MouseDown(x, y); };
  CanvasRadial->MouseDrag = [this](int x, int y) { CanvasRadial_MouseDrag(x, y); };
  CanvasRadial->MouseUp = [this](int x, int y) { CanvasRadial_MouseUp(x, y); };
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };
  Canvas1->MouseDown = [this](int x, int y) { return Canvas1_MouseDown(x, y); };
  // A scroll bar set from the code runs its handler whenever its value changes, as a user's move does.
  connect(sb_position, &QScrollBar::valueChanged, this, [this] { sb_position_ValueChanged(); });
  connect(sb_radial_x, &QScrollBar::valueChanged, this, [this] { sb_radial_x_ValueChanged(); });
  connect(sb_radial_y, &QScrollBar::valueChanged, this, [this] { sb_radial_y_ValueChanged(); });
  // A radio button switched on, by a click or from the code, runs its action.
  for (int i = 0; i < 3; ++i)
    connect(rb[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) rb_Action(i);
    });
  connect(pbcenter, &QPushButton::clicked, this, [this] { pbcenter_Action(); });
  connect(pbNEW, &QPushButton::clicked, this, [this] { pbNEW_Action(); });
  connect(pbLOAD, &QPushButton::clicked, this, [this] { pbLOAD_Action(); });
  connect(pbSAVE, &QPushButton::clicked, this, [this] { pbSAVE_Action(); });
  connect(pbREVERSE, &QPushButton::clicked, this, [this] { pbREVERSE_Action(); });
  connect(pbCANCEL, &QPushButton::clicked, this, [this] { pbCANCEL_Action(); });
  connect(pbOK, &QPushButton::clicked, this, [this] { pbOK_Action(); });

  // ---- Opening: the controls' open steps, then the window's ----
  canvasGradient_Open();
  Canvas1_Open();
  sb_radial_y_Open();
  sb_radial_x_Open();
  for (int i = 0; i < 3; ++i) rb_Open(i);
  Event_Open();
}

winGradient::~winGradient() { Platform::WindowInstance<winGradient>::Forget(); }

void winGradient::Show() {
  winGradient* window = instance();
  Platform::ModalHost::RunDialog(window, winMAIN::existing());
  if (!window->Closed()) window->pbCANCEL_Action();
  delete window;
}

// ---- Opening ----

void winGradient::canvasGradient_Open() {
  temp_picture = Platform::Picture::Create(canvasGradient->width(), canvasGradient->height(), 32);
}

void winGradient::Canvas1_Open() { modGRADIENT::Gradient_Replace_Color = modMAIN::Draw_Color[1]; }

void winGradient::sb_radial_y_Open() { sb_radial_y->setValue(modGRADIENT::gradient_cy); }

void winGradient::sb_radial_x_Open() { sb_radial_x->setValue(modGRADIENT::gradient_cx); }

void winGradient::rb_Open(int index) {
  rb[index]->setChecked(index == modGRADIENT::Gradient_style);
  Set_Buttons();
}

void winGradient::Event_Open() {
  Update_Gradient(false);
  update_Gradient_title();
  modGRADIENT::Gradient_Changed = false;
  Unselect_ColorStop();
  old_path = modGRADIENT::Gradient_Path;
}

// ---- Drawing ----

void winGradient::Update_Gradient(bool sort_stops) {
  if (sort_stops) modGRADIENT::Sort_Gradient();
  canvasSTOPS->Invalidate();
  if (temp_picture) {
    modGRADIENT::Draw_Gradient(*temp_picture, true);
    Platform::Graphics g(temp_picture);
    g_border(g);
  }
  canvasGradient->Invalidate();
  CanvasRadial->Invalidate();
}

void winGradient::g_border(Platform::Graphics& g) {
  const int W = g.Width(), H = g.Height();
  // Hard one-pixel lines.
  g.SetAntiAlias(false);
  g.SetForeColor(0x6D6D6D);
  g.DrawRect(0, 0, W, H);
  g.DrawRect(1, 1, W - 2, H - 2);
  g.SetForeColor(0xFFFFFF);
  g.DrawLine(W - 1, 0, W - 1, H - 1);
  g.DrawLine(0, H - 1, W, H - 1);
}

void winGradient::canvasGradient_Paint(Platform::Graphics& g) {
  if (temp_picture) g.DrawPicture(temp_picture, 0, 0);
}

void winGradient::CanvasRadial_Paint(Platform::Graphics& g) {
  const Platform::PicturePtr preview = Platform::Picture::Create(g.Width(), g.Height(), 32);
  modGRADIENT::Draw_Gradient(*preview, false);
  g.DrawPicture(preview, 0, 0);
  g_border(g);
}

void winGradient::Canvas1_Paint(Platform::Graphics& g) {
  modMAIN::Draw_ColorWell(g, 0, 0, modGRADIENT::Gradient_Replace_Color, false);
}

void winGradient::update_Gradient_title() { setWindowTitle(modGRADIENT::Get_Gradient_Name()); }

// ---- Style and radial centre ----

void winGradient::rb_Action(int index) {
  if (index != modGRADIENT::Gradient_style) {
    modGRADIENT::Gradient_style = index;
    modGRADIENT::Gradient_Changed = true;
    CanvasRadial->Invalidate();
  }
  Set_Buttons();
}

void winGradient::Set_Buttons() {
  const bool radial = rb[2]->isChecked();
  sb_radial_x->setEnabled(radial);
  sb_radial_y->setEnabled(radial);
  CanvasRadial->setEnabled(radial);
  pbcenter->setEnabled(radial);
  if (radial) {
    const Resources::CursorPtr cross = Resources::cursor_crosshair();
    CanvasRadial->setCursor(cross ? *cross : QCursor(Qt::CrossCursor));
  } else {
    CanvasRadial->setCursor(Qt::PointingHandCursor);
  }
}

bool winGradient::CanvasRadial_MouseDown(int, int) { return true; }

void winGradient::CanvasRadial_MouseDrag(int x, int y) {
  modGRADIENT::gradient_cx = Platform::ToInt(double(x) / CanvasRadial->width() * 100.0);
  modGRADIENT::gradient_cy = Platform::ToInt(double(y) / CanvasRadial->height() * 100.0);
  CanvasRadial->Invalidate();
}

void winGradient::CanvasRadial_MouseUp(int x, int y) {
  sb_radial_x->setValue(Platform::ToInt(double(x) / CanvasRadial->width() * 100.0));
  sb_radial_y->setValue(Platform::ToInt(double(y) / CanvasRadial->height() * 100.0));
}

void winGradient::sb_radial_x_ValueChanged() {
  modGRADIENT::gradient_cx = sb_radial_x->value();
  CanvasRadial->Invalidate();
  modGRADIENT::Gradient_Changed = true;
}

void winGradient::sb_radial_y_ValueChanged() {
  modGRADIENT::gradient_cy = sb_radial_y->value();
  CanvasRadial->Invalidate();
  modGRADIENT::Gradient_Changed = true;
}

void winGradient::pbcenter_Action() {
  sb_radial_x->setValue(50);
  sb_radial_y->setValue(50);
  CanvasRadial->Invalidate();
  modGRADIENT::Gradient_Changed = true;
}

// ---- The replace colour ----

bool winGradient::Canvas1_MouseDown(int, int) {
  const Platform::Color chosen = modOptions::Select_A_Color(modGRADIENT::Gradient_Replace_Color);
  if (!modMAIN::Dialog_Cancel) {
    modGRADIENT::Gradient_Replace_Color = chosen;
    Canvas1->Invalidate();
  }
  return false;
}

// ---- Commands ----

void winGradient::pbNEW_Action() {
  modGRADIENT::Gradient_Path.reset();
  update_Gradient_title();
  for (int i = 0; i < 3; ++i) {
    if (rb[i]->isChecked()) {
      modGRADIENT::Gradient_style = i;
      break;
    }
  }
  modGRADIENT::Gradient.clear();
  modGRADIENT::gradient_cx = 50;
  modGRADIENT::gradient_cy = 50;
  sb_radial_x->setValue(modGRADIENT::gradient_cx);
  sb_radial_y->setValue(modGRADIENT::gradient_cy);
  const Platform::Color first = modGRADIENT::Gradient_Replace_Color & 0xFFFFFFu;
  modGRADIENT::Add_ColorStop(0, first);
  modGRADIENT::Add_ColorStop(100, first == 0xFFFFFF ? 0x000000 : 0xFFFFFF);
  modGRADIENT::Gradient_Changed = true;
  Unselect_ColorStop();
  Update_Gradient(true);
}

void winGradient::pbLOAD_Action() {
  modGRADIENT::Load_Gradient(true);
  if (modMAIN::Dialog_Cancel) return;
  sb_radial_x->setValue(modGRADIENT::gradient_cx);
  sb_radial_y->setValue(modGRADIENT::gradient_cy);
  Unselect_ColorStop();
  Update_Gradient(true);
  update_Gradient_title();
  // A style outside the three buttons switches none on and counts as not radial.
  const int style = modGRADIENT::Gradient_style;
  if (style >= 0 && style <= 2) {
    if (rb[style]->isChecked()) rb_Action(style);
    else rb[style]->setChecked(true);
  } else {
    for (QRadioButton* b : rb) b->setAutoExclusive(false);
    for (QRadioButton* b : rb) b->setChecked(false);
    for (QRadioButton* b : rb) b->setAutoExclusive(true);
    Set_Buttons();
  }
  Take_Snapshot();
}

void winGradient::pbSAVE_Action() {
  modGRADIENT::Save_Gradient(true, QString());
  update_Gradient_title();
  if (!modMAIN::Dialog_Cancel && !modGRADIENT::Gradient_Changed) Take_Snapshot();
}

void winGradient::pbREVERSE_Action() {
  for (const auto& stop : modGRADIENT::Gradient) stop->Position = 100 - stop->Position;
  modGRADIENT::Gradient_Changed = true;
  Unselect_ColorStop();
  Update_Gradient(true);
}

void winGradient::pbOK_Action() {
  modMAIN::Dialog_Cancel = false;
  closed_ = true;
  QDialog::accept();
}

void winGradient::pbCANCEL_Action() {
  Restore_Snapshot();
  modMAIN::Dialog_Cancel = true;
  closed_ = true;
  QDialog::reject();
}

void winGradient::reject() { pbCANCEL_Action(); }

bool winGradient::eventFilter(QObject* watched, QEvent* event) {
  // Control with the primary button is a contextual click as well.
  if (watched == canvasSTOPS && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    control_press_ = mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ControlModifier);
  }
  return QDialog::eventFilter(watched, event);
}

void winGradient::closeEvent(QCloseEvent* event) {
  // Only OK and Cancel close the window.
  if (!closed_) event->ignore();
}

void winGradient::Take_Snapshot() {
  snapshot_.stops.clear();
  for (const auto& stop : modGRADIENT::Gradient) snapshot_.stops.emplace_back(stop->Position, stop->gColor);
  snapshot_.style = modGRADIENT::Gradient_style;
  snapshot_.cx = modGRADIENT::gradient_cx;
  snapshot_.cy = modGRADIENT::gradient_cy;
  snapshot_.path = modGRADIENT::Gradient_Path;
  snapshot_.changed = modGRADIENT::Gradient_Changed;
}

void winGradient::Restore_Snapshot() {
  modGRADIENT::Gradient.clear();
  for (const auto& [position, colour] : snapshot_.stops) modGRADIENT::Add_ColorStop(position, colour);
  modGRADIENT::Gradient_style = snapshot_.style;
  modGRADIENT::gradient_cx = snapshot_.cx;
  modGRADIENT::gradient_cy = snapshot_.cy;
  modGRADIENT::Gradient_Path = snapshot_.path;
  modGRADIENT::Gradient_Changed = snapshot_.changed;
  stop_index = -1;
}

// ---- The stop strip ----

int32_t winGradient::Center_Stop(int32_t index) const {
  return Platform::ToInt(double(modGRADIENT::Gradient[index]->Position) / 100.0 * (kStripWidth - 11) + 5);
}

int32_t winGradient::Strip_Position(int x) const {
  return Platform::ToInt(std::floor(double(x - 5) / double(kStripWidth - 11) * 100.0));
}

void winGradient::Draw_Color_Stop(Platform::Graphics& g, int32_t index) {
  const classGradient& stop = *modGRADIENT::Gradient[index];
  const int c = Center_Stop(index);
  // Hard one-pixel lines.
  g.SetAntiAlias(false);
  g.SetForeColor(stop.gColor);
  g.FillRect(c - 5, 8, 11, 11);
  g.SetForeColor(0x000000);
  g.DrawRect(c - 5, 8, 11, 11);
  g.SetForeColor(0x6D6D6D);
  g.DrawRect(c - 4, 8, 9, 10);
  g.SetForeColor(0xFFFFFF);
  g.DrawLine(c - 4, 9, c + 4, 9);
  g.DrawLine(c - 4, 9, c - 4, 17);
  if (stop.gSelected) {
    g.SetForeColor(0x000000);
    for (int k = c - 5; k <= c + 5; ++k) g.DrawLine(c, 0, k, 8);
  }
  const bool end = index == 0 || index == modGRADIENT::Gradient.Ubound();
  g.SetForeColor(end ? 0xA0A0A0 : 0x000000);
  g.DrawLine(c - 5, 8, c, 0);
  g.DrawLine(c, 0, c + 5, 8);
}

void winGradient::canvasSTOPS_Paint(Platform::Graphics& g) {
  g.SetForeColor(0xEDEDED);
  g.FillRect(0, 0, g.Width(), g.Height());
  for (int i = 0; i <= modGRADIENT::Gradient.Ubound(); ++i) Draw_Color_Stop(g, i);
}

bool winGradient::canvasSTOPS_MouseDown(int x, int) {
  int32_t p = Strip_Position(x);
  if (p == 0) p = 1;
  else if (p == 100) p = 99;
  // Read before the colour question, which may change the keys held.
  const bool contextual = canvasSTOPS->ContextualClick() || control_press_;
  Unselect_ColorStop();
  for (int i = 0; i <= modGRADIENT::Gradient.Ubound(); ++i) {
    const int c = Center_Stop(i);
    if (c - 5 <= x && x <= c + 5) {
      Select_ColorStop(i);
      break;
    }
  }
  if (stop_index == -1) {
    modGRADIENT::Add_ColorStop(p, 0xFFFFFF);
    Select_ColorStop(modGRADIENT::Gradient.Ubound());
    modGRADIENT::Gradient_Changed = true;
    Update_Gradient(true);
    return false;
  }
  if (contextual) {
    classGradient& stop = *modGRADIENT::Gradient[stop_index];
    const Platform::Color chosen = modOptions::Select_A_Color(stop.gColor);
    if (!modMAIN::Dialog_Cancel) {
      stop.gColor = chosen;
      modGRADIENT::Gradient_Changed = true;
      Update_Gradient(false);
    }
    return false;
  }
  busy = stop_index >= 1 && stop_index < modGRADIENT::Gradient.Ubound();
  return busy;
}

void winGradient::canvasSTOPS_MouseDrag(int x, int) {
  if (stop_index < 0) return;
  const int32_t p = Strip_Position(x);
  sb_position->setValue(p);
  modGRADIENT::Gradient[stop_index]->Position = p;
  modGRADIENT::Gradient_Changed = true;
  Update_Gradient(true);
  // The label shows the position itself, also beyond the scroll bar's range.
  lblPosition->setText(QString::number(p) + QLatin1Char('%'));
}

void winGradient::canvasSTOPS_MouseUp(int, int) {
  if (stop_index != -1) {
    const int32_t position = modGRADIENT::Gradient[stop_index]->Position;
    if (position < 0 || position > 100) {
      modGRADIENT::Gradient.Remove(stop_index);
      modGRADIENT::Gradient_Changed = true;
      stop_index = -1;
      Unselect_ColorStop();
    }
  }
  Update_Gradient(true);
  busy = false;
}

void winGradient::Select_ColorStop(int32_t index) {
  busy = true;
  Unselect_ColorStop();
  stop_index = index;
  classGradient& stop = *modGRADIENT::Gradient[index];
  lblPosition->setVisible(true);
  lblPosition->setText(QString::number(stop.Position) + QLatin1Char('%'));
  sb_position->setValue(stop.Position);
  sb_position->setEnabled(true);
  // The label shows the stop's own position, also beyond the scroll bar's range.
  lblPosition->setText(QString::number(stop.Position) + QLatin1Char('%'));
  stop.gSelected = true;
  canvasSTOPS->Invalidate();
  busy = false;
}

void winGradient::Unselect_ColorStop() {
  bool removed = false;
  for (const auto& stop : modGRADIENT::Gradient) {
    if (stop->gSelected) {
      stop->gSelected = false;
      removed = true;
      break;
    }
  }
  stop_index = -1;
  if (removed) canvasSTOPS->Invalidate();
  sb_position->setEnabled(false);
  lblPosition->setVisible(false);
}

void winGradient::sb_position_ValueChanged() {
  lblPosition->setText(QString::number(sb_position->value()) + QLatin1Char('%'));
  if (!busy && stop_index >= 0) {
    modGRADIENT::Gradient[stop_index]->Position = sb_position->value();
    modGRADIENT::Gradient_Changed = true;
    Update_Gradient(true);
    busy = false;
  }
}
