// The painting canvas on a 24-megapixel document, beside a plain copy of the picture's bytes: one drag
// step of the line tool (the working picture taken back to the history state where the last line lay,
// the line drawn, the canvas repainted) and one repaint of a transparent document at 25 %.
#include <QDir>
#include <QTemporaryDir>

#include "BenchPictures.h"
#include "BenchProgram.h"
#include "app/App.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"

using namespace BenchPictures;

namespace {

void Open(int kind, bool transparent) {
  using namespace modMAIN;
  pic_Stack.clear();
  work_area.reset();
  Working_Color_Depth = 32;
  pic_Stack.Append(Picture(kind)->Clone());
  Current_Picture = 0;
  Save_as_Transparent = transparent;
  Move_to_WorkArea();
  offset = Point_of(0, 0);
  winMAIN::instance()->Update_Display();
}

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// One drag step that reaches a new pixel: the area of the last line comes back from the history state,
// the line is drawn anew and the canvas repaints.
void BM_LineDragStep(benchmark::State& state) {
  winMAIN* w = winMAIN::instance();
  Open(kPhoto, false);
  w->Set_Zoom(1);
  modMAIN::Last_DrawTool = modMAIN::TOOL_LINE;
  w->drawing_TOOL_SET(modMAIN::TOOL_LINE);
  w->Screen_Canvas_MouseDown(10, 10);
  int i = 0;
  for (auto _ : state) {
    ++i;
    w->Screen_Canvas_MouseDrag(200 + (i % 2), 150);
    w->Screen_Canvas->repaint();
  }
  w->Screen_Canvas_MouseUp(200, 150);
  modMAIN::pic_Stack.clear();
  modMAIN::work_area.reset();
}

// One repaint of the canvas at 25 % of a document whose white shows the checkerboard.
void BM_RepaintQuarterTransparent(benchmark::State& state) {
  winMAIN* w = winMAIN::instance();
  Open(kScreenshot, true);
  w->Set_Zoom(0.25f);
  w->Update_Display();
  for (auto _ : state) w->Screen_Canvas->repaint();
  state.SetLabel(QStringLiteral("canvas %1 x %2").arg(w->Screen_Canvas->width()).arg(w->Screen_Canvas->height()).toStdString());
  modMAIN::pic_Stack.clear();
  modMAIN::work_area.reset();
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_LineDragStep);
PIXMURA_BENCHMARK(BM_RepaintQuarterTransparent);

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
