#include "effects/winEffects.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <cmath>

#include "app/BundleResources.h"
#include "canvas/BusyHold.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classTOOLS.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"
#include "platform/Numbers.h"
#include "platform/WindowInstance.h"

namespace {

// One row of sliders, by index: its caption, its range and the top of its caption and value label (the
// slider stands 2 pixels lower).
struct Row {
  const char* caption;
  float minimum, maximum;
  int top;
};
const Row kRows[10] = {
    {"Exposure", -100, 300, 5},   {"Saturation", -100, 100, 25}, {"Brightness", -100, 100, 52},
    {"Contrast", -100, 100, 72},  {"Sharpness", -100, 100, 99},  {"Blur", 0, 10, 119},
    {"Green", -100, 100, 186},    {"Red", -100, 100, 166},       {"Blue", -100, 100, 206},
    {"Pixelize", 0, 10, 139},
};

QLabel* Label(QWidget* parent, const QString& name, const QString& text, const QRect& bounds) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setGeometry(bounds);
  l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  QFont f = l->font();
  f.setPixelSize(14);
  l->setFont(f);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Qt::black);
  l->setPalette(p);
  return l;
}

QFrame* Separator(QWidget* parent, const QString& name, int top) {
  auto* s = new QFrame(parent);
  s->setObjectName(name);
  s->setGeometry(5, top, 350, 4);
  s->setFrameShape(QFrame::HLine);
  s->setFrameShadow(QFrame::Sunken);
  return s;
}

QPushButton* Button(QWidget* parent, const QString& name, const QString& text, int left) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  b->setGeometry(left, 240, 80, 20);
  // Only the default button answers Return.
  b->setAutoDefault(false);
  return b;
}

// A slider's value as the whole number written in its label.
QString Value_Text(float value) { return QString::number(Platform::ToInt(std::floor(double(value)))); }

// The busy cursor over the whole application while it lives.
class BusyCursor {
 public:
  BusyCursor() {
    const Resources::CursorPtr hourglass = Resources::Hourglass();
    if (hourglass) QApplication::setOverrideCursor(*hourglass);
    else QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

winEffects* winEffects::instance() { return Platform::WindowInstance<winEffects>::instance(); }
winEffects* winEffects::existing() { return Platform::WindowInstance<winEffects>::existing(); }

void winEffects::Show_Modal(QWidget* parent) {
  winEffects* window = instance();
  Platform::ModalHost::RunDialog(window, parent);
  // A window left without Apply or Cancel was cancelled.
  if (!window->Closed()) window->pbCANCEL_Action();
  Platform::WindowInstance<winEffects>::Forget();
  delete window;
}

winEffects::winEffects() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("winEffects"));
  setWindowTitle(QStringLiteral("Photographic Special Effects"));
  setWindowModality(Qt::ApplicationModal);
  setFixedSize(360, 275);
  setSizeGripEnabled(false);

  for (int i = 0; i < 10; ++i) {
    const Row& row = kRows[i];
    lbl[size_t(i)] = Label(this, QStringLiteral("lbl%1").arg(i), QLatin1String(row.caption),
                           QRect(10, row.top, 80, i == 0 ? 20 : 22));
    auto* slider = new RoundSlider(this, QStringLiteral("slideEFFECT%1").arg(i));
    slider->setGeometry(100, row.top + 2, 200, 16);
    slider->minimum = row.minimum;
    slider->maximum = row.maximum;
    slider->liveScroll = true;
    slider->allowCancel = false;
    slider->On.valueChanged = [this, i](float value) { slideEFFECT_valueChanged(i, value); };
    slider->On.MouseUp = [this, i] { slideEFFECT_MouseUp(i); };
    slideEFFECT[size_t(i)] = slider;
    lblVALUE[size_t(i)] = Label(this, QStringLiteral("lblVALUE%1").arg(i), QStringLiteral("-100"), QRect(310, row.top, 30, 22));
  }
  Separator1 = Separator(this, QStringLiteral("Separator1"), 46);
  Separator2 = Separator(this, QStringLiteral("Separator2"), 93);
  Separator3 = Separator(this, QStringLiteral("Separator3"), 160);
  Separator4 = Separator(this, QStringLiteral("Separator4"), 228);

  pbRESET = Button(this, QStringLiteral("pbRESET"), QStringLiteral("Reset"), 10);
  pbCANCEL = Button(this, QStringLiteral("pbCANCEL"), QStringLiteral("Cancel"), 180);
  pbAPPLY = Button(this, QStringLiteral("pbAPPLY"), QStringLiteral("Apply"), 270);
  pbAPPLY->setDefault(true);
  connect(pbRESET, &QPushButton::clicked, this, [this] { pbRESET_Action(); });
  connect(pbCANCEL, &QPushButton::clicked, this, [this] { pbCANCEL_Action(); });
  connect(pbAPPLY, &QPushButton::clicked, this, [this] { pbAPPLY_Action(); });

  for (int i = 0; i < 10; ++i) {
    slideEFFECT[size_t(i)]->Open();
    lblVALUE_Open(i);
  }
  Event_Open();
}

// ---- Events ----

void winEffects::Event_Open() {
  if (winMAIN* main = winMAIN::existing())
    if (main->classTOOLS1) toolsEnabled_ = main->classTOOLS1->isEnabled();
  DozerIvidEffectsLibrary::EFFECTS_START();
}

void winEffects::Event_Close() {
  // The tool palette is given back as it was when the window opened.
  if (winMAIN* main = winMAIN::existing())
    if (main->classTOOLS1) main->classTOOLS1->setEnabled(toolsEnabled_);
}

void winEffects::lblVALUE_Open(int index) {
  lblVALUE[size_t(index)]->setText(Value_Text(slideEFFECT[size_t(index)]->Get_Value()));
}

void winEffects::slideEFFECT_valueChanged(int index, float value) { lblVALUE[size_t(index)]->setText(Value_Text(value)); }

void winEffects::slideEFFECT_MouseUp(int) {
  // A release that reaches the window while a preview runs (it cannot, as user input waits meanwhile)
  // would start a second chain over the first.
  if (busy_) return;
  BusyHold hold(busy_);
  // Whatever the preview processes on its way, the user's clicks and keys wait until it has finished.
  Platform::UserInputHeld held;
  BusyCursor cursor;
  DozerIvidEffectsLibrary::Apply_Effects(Values());
}

EffectFilters::EffectValues winEffects::Values() const {
  EffectFilters::EffectValues v{};
  for (size_t i = 0; i < v.size(); ++i) v[i] = Platform::ToInt(double(slideEFFECT[i]->Get_Value()));
  return v;
}

// ---- Buttons ----

void winEffects::Restore_Original() {
  for (RoundSlider* slider : slideEFFECT) slider->Set_Value(0);
  DozerIvidEffectsLibrary::EFFECTS_RESTORE();
  DozerIvidEffectsLibrary::EFFECTS_Picture_GET();
  winMAIN::instance()->Update_Display();
}

void winEffects::pbRESET_Action() {
  if (busy_ || closed_) return;
  Restore_Original();
}

void winEffects::pbCANCEL_Action() {
  if (busy_ || closed_) return;
  Restore_Original();
  winMAIN::instance()->Update_Display();
  {
    // The main window's repaint; a click queued meanwhile waits for the window to have closed.
    Platform::UserInputHeld held;
    Platform::Environment::ProcessEvents();
  }
  Close_Window();
}

void winEffects::pbAPPLY_Action() {
  if (busy_ || closed_) return;
  winMAIN* main = winMAIN::instance();
  main->Draw_Complete();
  main->Turn_Lasso_OFF();
  Close_Window();
}

void winEffects::Close_Window() {
  closed_ = true;
  Event_Close();
  QDialog::done(QDialog::Rejected);
}

void winEffects::reject() { pbCANCEL_Action(); }

void winEffects::closeEvent(QCloseEvent* event) {
  if (closed_) return;
  event->ignore();
  pbCANCEL_Action();
}
