// The main window's controls and their arrangement.
#include <QLayout>
#include <QPointer>
#include <QResizeEvent>

#include "app/MenuBar1.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classTOOLS.h"

namespace {
QPointer<winMAIN>& Instance() {
  static QPointer<winMAIN> w;
  return w;
}
constexpr int kStatusHeight = 22;
}  // namespace

winMAIN* winMAIN::instance() {
  if (!Instance()) Instance() = new winMAIN();
  return Instance();
}

winMAIN* winMAIN::existing() { return Instance(); }

winMAIN::winMAIN() : QMainWindow(nullptr) {
  setObjectName(QStringLiteral("winMAIN"));
  auto* central = new QWidget(this);
  central->setObjectName(QStringLiteral("central"));
  setCentralWidget(central);
  central->installEventFilter(this);

  canvas_BG = new Platform::Canvas(central, QStringLiteral("canvas_BG"));
  canvas_BG->setAutoFillBackground(true);
  QPalette pal = canvas_BG->palette();
  pal.setColor(QPalette::Window, QColor(0xA0, 0xA0, 0xA0));
  canvas_BG->setPalette(pal);

  Screen_Canvas = new Platform::Canvas(canvas_BG, QStringLiteral("Screen_Canvas"));
  Bind_Screen_Canvas();

  statusbar = new Platform::Canvas(central, QStringLiteral("statusbar"));
  statusbar->Paint = [this](Platform::Graphics& g) { statusbar_Paint(g); };
  pb_BARBER = new QProgressBar(statusbar);
  pb_BARBER->setObjectName(QStringLiteral("pb_BARBER"));
  pb_BARBER->setGeometry(0, 1, 100, 20);
  pb_BARBER->setMaximum(100);
  pb_BARBER->setValue(0);
  pb_BARBER->setTextVisible(false);
  pb_BARBER->hide();

  timer_LASSO = new QTimer(this);
  timer_LASSO->setObjectName(QStringLiteral("timer_LASSO"));
  timer_LASSO->setInterval(200);
  connect(timer_LASSO, &QTimer::timeout, this, &winMAIN::timer_LASSO_Action);
  timer_LASSO->start();

  timer_SPRAYCAN = new QTimer(this);
  timer_SPRAYCAN->setObjectName(QStringLiteral("timer_SPRAYCAN"));
  timer_SPRAYCAN->setInterval(200);
  connect(timer_SPRAYCAN, &QTimer::timeout, this, &winMAIN::timer_SPRAYCAN_Action);

  timer_HELPTAG = new QTimer(this);
  timer_HELPTAG->setObjectName(QStringLiteral("timer_HELPTAG"));
  timer_HELPTAG->setSingleShot(true);
  timer_HELPTAG->setInterval(1000);

  // The tool palette at the window's left edge, and the help tag above every other control.
  classTOOLS1 = new classTOOLS(central, QStringLiteral("classTOOLS1"));
  classTOOLS1->setGeometry(6, 8, 74, 553);
  Create_Palettes(central);
  myHelpTag = new Platform::Canvas(central, QStringLiteral("myHelpTag"));
  myHelpTag->setGeometry(57, 182, 100, 21);
  myHelpTag->setFocusPolicy(Qt::NoFocus);
  // The tag often stands over the control that asked for it; the pointer goes through it.
  myHelpTag->setAttribute(Qt::WA_TransparentForMouseEvents);
  myHelpTag->Paint = [this](Platform::Graphics& g) { myHelpTag_Paint(g); };
  myHelpTag->hide();
  connect(timer_HELPTAG, &QTimer::timeout, this, &winMAIN::timer_HELPTAG_Action);

  setMenuBar(MenuBar1::instance());
  AddMenuHandlers();

  resize(800, 600);
  Arrange_Controls();
}

void winMAIN::Arrange_Controls() {
  // A window that has not been shown yet has not laid out its central area: do it now, so that the
  // view that the opening zoom compares with has its real size.
  if (layout()) layout()->activate();
  QWidget* central = centralWidget();
  const int w = central->width(), h = central->height();
  const int left = classTOOLS1->isHidden() ? 0 : classTOOLS1->x() + classTOOLS1->width() + 2;
  const int top = Arrange_Palettes(left);
  canvas_BG->setGeometry(left, top, std::max(0, w - left), std::max(0, h - kStatusHeight - top));
  statusbar->setGeometry(0, std::max(0, h - kStatusHeight), w, kStatusHeight);
  Update_Display();
}

bool winMAIN::eventFilter(QObject* watched, QEvent* event) {
  if (watched == centralWidget() && event->type() == QEvent::Resize) Arrange_Controls();
  return QMainWindow::eventFilter(watched, event);
}
