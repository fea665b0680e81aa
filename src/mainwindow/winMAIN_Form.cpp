// The main window as designed: its size, every control with its place, locks and start settings, the
// three timers, and the controls' events bound to the window's handlers.
#include <QGroupBox>
#include <QLayout>
#include <QPointer>
#include <QScrollBar>

#include "app/MenuBar1.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classScrollbar.h"
#include "palettes/classTOOLS.h"

namespace {
QPointer<winMAIN>& Instance() {
  static QPointer<winMAIN> w;
  return w;
}

using Lock = Platform::EdgeLocks;
constexpr int kLeftTop = Lock::Left | Lock::Top;

QScrollBar* Make_OS_Scrollbar(QWidget* parent, const QString& name, Qt::Orientation orientation, QRect place,
                              int pageStep) {
  auto* bar = new QScrollBar(orientation, parent);
  bar->setObjectName(name);
  bar->setGeometry(place);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setSingleStep(1);
  bar->setPageStep(pageStep);
  bar->setTracking(true);
  bar->setFocusPolicy(Qt::StrongFocus);
  bar->hide();
  return bar;
}

Platform::Canvas* Make_Canvas(QWidget* parent, const QString& name, QRect place, bool shown) {
  auto* canvas = new Platform::Canvas(parent, name);
  canvas->setGeometry(place);
  canvas->setFocusPolicy(Qt::NoFocus);
  canvas->setVisible(shown);
  return canvas;
}
}  // namespace

winMAIN* winMAIN::instance() {
  if (!Instance()) Instance() = new winMAIN();
  return Instance();
}

winMAIN* winMAIN::existing() { return Instance(); }

winMAIN::winMAIN() : QMainWindow(nullptr) {
  setObjectName(QStringLiteral("winMAIN"));
  setWindowTitle(QString());
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("central"));
  setCentralWidget(central);
  central->setMinimumSize(kMinimumWidth, kMinimumHeight);
  central->setMaximumSize(32000, 32000);
  // The controls are made at their designed places in the designed content size; the locks take that
  // size as their reference.
  central->resize(kDesignWidth, kDesignHeight);
  central->installEventFilter(this);
  CreateControls(central);

  setMenuBar(MenuBar1::instance());
  AddMenuHandlers();

  // The window's size is the content's plus whatever the frame of the main window adds (the menu bar).
  if (layout()) layout()->activate();
  resize(size() + (QSize(kDesignWidth, kDesignHeight) - central->size()));
  if (layout()) layout()->activate();
  locks_.Apply();
}

void winMAIN::CreateControls(QWidget* central) {
  gbTools = new QGroupBox(central);
  gbTools->setObjectName(QStringLiteral("gbTools"));
  gbTools->setGeometry(2, 2, 78, 582);
  locks_.Lock(gbTools, kLeftTop | Lock::Bottom);

  classTOOLS1 = new classTOOLS(gbTools, QStringLiteral("classTOOLS1"));
  classTOOLS1->setGeometry(4 - 2, 6 - 2, 74, 553);
  locks_.Lock(classTOOLS1, kLeftTop | Lock::Bottom);

  gbColors = new QGroupBox(central);
  gbColors->setObjectName(QStringLiteral("gbColors"));
  gbColors->setGeometry(86, 1, 977, 55);
  locks_.Lock(gbColors, kLeftTop | Lock::Right);

  // The palettes and their page buttons, with their handlers; places inside the palette group.
  Create_Palettes(gbColors);
  const QPoint group = gbColors->pos();
  classCOLORS1->setGeometry(QRect(QPoint(92, 5) - group, QSize(580, 45)));
  classPATTERNS1->setGeometry(QRect(QPoint(658, 5) - group, QSize(230, 45)));
  btnPAT(1)->setGeometry(QRect(QPoint(889, 29) - group, QSize(18, 19)));
  btnPAT(0)->setGeometry(QRect(QPoint(889, 7) - group, QSize(18, 19)));
  btnPAL(1)->setGeometry(QRect(QPoint(931, 7) - group, QSize(18, 19)));
  btnPAL(0)->setGeometry(QRect(QPoint(931, 29) - group, QSize(18, 19)));
  for (QWidget* control : std::initializer_list<QWidget*>{classCOLORS1, classPATTERNS1, btnPAT(1), btnPAT(0),
                                                          btnPAL(1), btnPAL(0)}) {
    control->setFocusPolicy(Qt::NoFocus);
    control->show();
  }

  Scroll_V_OS = Make_OS_Scrollbar(central, QStringLiteral("Scroll_V_OS"), Qt::Vertical, QRect(1047, 56, 16, 527), 20);
  locks_.Lock(Scroll_V_OS, Lock::Top | Lock::Right | Lock::Bottom);
  Scroll_H_OS = Make_OS_Scrollbar(central, QStringLiteral("Scroll_H_OS"), Qt::Horizontal, QRect(82, 567, 965, 16), 50);
  locks_.Lock(Scroll_H_OS, Lock::Left | Lock::Right | Lock::Bottom);
  connect(Scroll_V_OS, &QScrollBar::valueChanged, this, [this] { Scroll_V_OS_ValueChanged(); });
  connect(Scroll_H_OS, &QScrollBar::valueChanged, this, [this] { Scroll_H_OS_ValueChanged(); });
  // The platform bars' own wheel handling is replaced by the window's handlers.
  Scroll_V_OS->installEventFilter(this);
  Scroll_H_OS->installEventFilter(this);

  canvas_BG = Make_Canvas(central, QStringLiteral("canvas_BG"), QRect(82, 56, 867, 413), false);
  locks_.Lock(canvas_BG, Lock::Left | Lock::Top | Lock::Right | Lock::Bottom);
  canvas_BG->setAutoFillBackground(true);
  QPalette pal = canvas_BG->palette();
  pal.setColor(QPalette::Window, QColor(0xA0, 0xA0, 0xA0));
  canvas_BG->setPalette(pal);

  Screen_Canvas = Make_Canvas(canvas_BG, QStringLiteral("Screen_Canvas"), QRect(4, 4, 100, 100), true);
  Bind_Screen_Canvas();

  statusbar = Make_Canvas(central, QStringLiteral("statusbar"), QRect(0, 576, 1048, 24), true);
  locks_.Lock(statusbar, Lock::Left | Lock::Right | Lock::Bottom);
  statusbar->Paint = [this](Platform::Graphics& g) { statusbar_Paint(g); };

  const QPoint bar = statusbar->pos();
  canvasARROW = Make_Canvas(statusbar, QStringLiteral("canvasARROW"), QRect(QPoint(328, 578) - bar, QSize(50, 21)), true);
  locks_.Lock(canvasARROW, kLeftTop | Lock::Bottom);

  Slider_Zoom = new RoundSlider(statusbar, QStringLiteral("Slider_Zoom"));
  Slider_Zoom->minimum = 1;
  Slider_Zoom->maximum = 7;
  Slider_Zoom->setGeometry(QRect(QPoint(390, 581) - bar, QSize(100, 14)));
  Slider_Zoom->liveScroll = true;
  Slider_Zoom->allowCancel = false;
  Slider_Zoom->setFocusPolicy(Qt::NoFocus);
  locks_.Lock(Slider_Zoom, Lock::Left | Lock::Bottom);
  Slider_Zoom->On.Open = [this] { Slider_Zoom_Open(); };
  Slider_Zoom->On.valueChanged = [this](float v) { Slider_Zoom_valueChanged(v); };

  Slider_Pencil = new RoundSlider(statusbar, QStringLiteral("Slider_Pencil"));
  Slider_Pencil->minimum = 1;
  Slider_Pencil->maximum = 10;
  Slider_Pencil->setGeometry(QRect(QPoint(502, 581) - bar, QSize(100, 14)));
  Slider_Pencil->liveScroll = true;
  Slider_Pencil->allowCancel = false;
  Slider_Pencil->setFocusPolicy(Qt::NoFocus);
  locks_.Lock(Slider_Pencil, Lock::Left | Lock::Bottom);
  Slider_Pencil->On.Open = [this] { Slider_Pencil_Open(); };
  Slider_Pencil->On.valueChanged = [this](float v) { Slider_Pencil_valueChanged(v); };

  pb_BARBER = new QProgressBar(statusbar);
  pb_BARBER->setObjectName(QStringLiteral("pb_BARBER"));
  pb_BARBER->setGeometry(QRect(QPoint(623, 580) - bar, QSize(100, 20)));
  pb_BARBER->setMaximum(100);
  pb_BARBER->setValue(0);
  pb_BARBER->setTextVisible(false);
  pb_BARBER->hide();
  locks_.Lock(pb_BARBER, Lock::Left | Lock::Right | Lock::Bottom);

  canvasRULER_[0] = Make_Canvas(central, QStringLiteral("canvasRULER0"), QRect(35, 243, 326, 21), false);
  canvasRULER_[1] = Make_Canvas(central, QStringLiteral("canvasRULER1"), QRect(50, 223, 21, 216), false);
  canvasFiller = Make_Canvas(central, QStringLiteral("canvasFiller"), QRect(28, 445, 100, 100), false);

  myHelpTag = Make_Canvas(central, QStringLiteral("myHelpTag"), QRect(57, 182, 100, 21), false);
  // The tag often stands over the control that asked for it; the pointer goes through it.
  myHelpTag->setAttribute(Qt::WA_TransparentForMouseEvents);
  myHelpTag->Paint = [this](Platform::Graphics& g) { myHelpTag_Paint(g); };

  Scroll_V_Custom = new classScrollbar(central, QStringLiteral("Scroll_V_Custom"));
  Scroll_V_Custom->setGeometry(980, 56, 16, 527);
  Scroll_V_Custom->hide();
  locks_.Lock(Scroll_V_Custom, Lock::Top | Lock::Right | Lock::Bottom);
  Scroll_V_Custom->On.ValueChanged = [this] { Scroll_V_Custom_ValueChanged(); };
  Scroll_V_Custom->MouseWheel = [this](int x, int y, int dx, int dy) {
    return Scroll_V_Custom_MouseWheel(x, y, dx * Wheel_Step(false), dy * Wheel_Step(false));
  };
  Scroll_H_Custom = new classScrollbar(central, QStringLiteral("Scroll_H_Custom"));
  Scroll_H_Custom->setGeometry(78, 543, 965, 16);
  Scroll_H_Custom->hide();
  locks_.Lock(Scroll_H_Custom, Lock::Left | Lock::Right | Lock::Bottom);
  Scroll_H_Custom->On.ValueChanged = [this] { Scroll_H_Custom_ValueChanged(); };
  Scroll_H_Custom->MouseWheel = [this](int x, int y, int dx, int dy) {
    return Scroll_H_Custom_MouseWheel(x, y, dx * Wheel_Step(true), dy * Wheel_Step(true));
  };

  // The help tag stands above every other control.
  myHelpTag->raise();

  timer_HELPTAG = new QTimer(this);
  timer_HELPTAG->setObjectName(QStringLiteral("timer_HELPTAG"));
  timer_HELPTAG->setSingleShot(true);
  timer_HELPTAG->setInterval(1000);
  connect(timer_HELPTAG, &QTimer::timeout, this, &winMAIN::timer_HELPTAG_Action);

  timer_LASSO = new QTimer(this);
  timer_LASSO->setObjectName(QStringLiteral("timer_LASSO"));
  timer_LASSO->setInterval(200);
  connect(timer_LASSO, &QTimer::timeout, this, &winMAIN::timer_LASSO_Action);
  timer_LASSO->start();

  timer_SPRAYCAN = new QTimer(this);
  timer_SPRAYCAN->setObjectName(QStringLiteral("timer_SPRAYCAN"));
  timer_SPRAYCAN->setInterval(200);
  connect(timer_SPRAYCAN, &QTimer::timeout, this, &winMAIN::timer_SPRAYCAN_Action);

  // The end of a resize: the window's resized event comes once the sizes have stopped changing.
  resizeDone_ = new QTimer(this);
  resizeDone_->setSingleShot(true);
  resizeDone_->setInterval(150);
  connect(resizeDone_, &QTimer::timeout, this, &winMAIN::Event_Resized);

  Bind_View_Surroundings();
}

void winMAIN::Open_Controls() {
  // The custom controls' open events, in the order the controls were made.
  classTOOLS1->Open();
  classCOLORS1->Event_Open();
  classPATTERNS1->Event_Open();
  Slider_Zoom->Open();
  Slider_Pencil->Open();
  Scroll_V_Custom->Open();
  Scroll_H_Custom->Open();
}
