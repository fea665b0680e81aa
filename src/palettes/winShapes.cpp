#include "palettes/winShapes.h"

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classTOOLS.h"
#include "palettes/modSHAPES.h"
#include "platform/ModalHost.h"

namespace {
constexpr int kPitch = 66;  // a 65-pixel tile and a one-pixel gap
constexpr int kMargin = 3;
}  // namespace

winShapes::winShapes(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("winShapes"));
  setWindowTitle(QStringLiteral("Shapes Gallery"));
  setWindowFlag(Qt::Sheet);
  setWindowModality(Qt::WindowModal);
  setMinimumSize(64, 64);
  resize(401, 275);

  Canvas1 = new Platform::Canvas(this, QStringLiteral("Canvas1"));
  Canvas1->setGeometry(0, 0, 401, 244);
  Canvas1->setFocusPolicy(Qt::NoFocus);
  Canvas1->Paint = [this](Platform::Graphics& g) { Canvas1_Paint(g); };
  Canvas1->MouseDown = [this](int x, int y) { return Canvas1_MouseDown(x, y); };

  PushButton1 = new QPushButton(QStringLiteral("Cancel"), this);
  PushButton1->setObjectName(QStringLiteral("PushButton1"));
  PushButton1->setGeometry(309, 247, 80, 20);
  PushButton1->setAutoDefault(false);
  PushButton1->setDefault(false);
  connect(PushButton1, &QPushButton::clicked, this, [this] { PushButton1_Action(); });

  // The window is made anew for every showing, so its open handler runs here.
  Event_Open();
}

void winShapes::Event_Open() {
  h = 4;
  w = 6;
  if (modSHAPES::Shape_List.Ubound() > 23) {
    h = 6;
    w = 8;
  }
  resize(67 * w - 1, 67 * h + 26);
  Canvas1->resize(width(), height() - 25);
  PushButton1->move(width() - PushButton1->width() - 8, height() - 24);
  Temp_Shape = modSHAPES::Current_Shape;
}

void winShapes::Canvas1_Paint(Platform::Graphics& g) {
  modMAIN::RenderMode(g, true);
  g.SetForeColor(0xE8E8E8);
  g.FillRect(0, 0, g.Width(), g.Height());
  int32_t i = 0;
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c) modSHAPES::Sample_Shape(g, kMargin + kPitch * c, kMargin + kPitch * r, i++);
}

bool winShapes::Canvas1_MouseDown(int x, int y) {
  int32_t i = 0;
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c, ++i) {
      if (i > modSHAPES::Shape_List.Ubound()) continue;
      const int left = kMargin + kPitch * c, top = kMargin + kPitch * r;
      if (x >= left && x <= left + 64 && y >= top && y <= top + 64) modSHAPES::Current_Shape = i;
    }
  winMAIN* main = winMAIN::instance();
  main->drawing_TOOL_SET(modMAIN::TOOL_SHAPE);
  main->classTOOLS1->Invalidate(true);
  accept();
  return false;
}

void winShapes::PushButton1_Action() {
  modSHAPES::Current_Shape = Temp_Shape;
  QDialog::reject();
}

void winShapes::reject() { PushButton1_Action(); }

void winShapes::Show_Sheet() {
  winShapes window(winMAIN::existing());
  Platform::ModalHost::RunDialog(&window, winMAIN::existing(), true);
}
