// The polygon and the brush on a 24-megapixel document, beside a plain copy of the picture's bytes: one
// rubber-band step of a 50-vertex polygon (the working picture taken back to the history state where the
// polygon lay, the edges and the band drawn, the canvas repainted) and one brush stroke step across 100 pixels at size 10 (the
// stamps along the line and the redisplay).
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

void Open() {
  using namespace modMAIN;
  pic_Stack.clear();
  work_area.reset();
  Working_Color_Depth = 32;
  pic_Stack.Append(Picture(kPhoto)->Clone());
  Current_Picture = 0;
  Save_as_Transparent = false;
  Move_to_WorkArea();
  offset = Point_of(0, 0);
  winMAIN::instance()->Set_Zoom(1);
  winMAIN::instance()->Update_Display();
}

void Close() {
  modMAIN::pic_Stack.clear();
  modMAIN::work_area.reset();
}

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// 50 vertices on a zigzag, then one drag step to a new pixel.
void BM_PolygonBandStep(benchmark::State& state) {
  winMAIN* w = winMAIN::instance();
  Open();
  modMAIN::Last_DrawTool = modMAIN::TOOL_POLYGON;
  w->drawing_TOOL_SET(modMAIN::TOOL_POLYGON);
  for (int v = 0; v < 50; ++v) {
    w->Screen_Canvas_MouseDown(20 + v * 10, v % 2 ? 40 : 300);
    w->Screen_Canvas_MouseUp(20 + v * 10, v % 2 ? 40 : 300);
  }
  w->Screen_Canvas_MouseDown(600, 350);
  int i = 0;
  for (auto _ : state) {
    ++i;
    w->Screen_Canvas_MouseDrag(600 + (i % 2), 350);
    w->Screen_Canvas->repaint();
  }
  w->Screen_Canvas_MouseUp(600, 350);
  w->Turn_Polygon_OFF();
  Close();
}

// A size-10 brush dragged back and forth between two points 100 pixels apart.
void BM_BrushStrokeStep(benchmark::State& state) {
  winMAIN* w = winMAIN::instance();
  Open();
  modMAIN::size_BRUSH = 10;
  modOptions::option_BrushRandom = false;
  modOptions::option_BrushOpacity = 60;
  modMAIN::Last_DrawTool = modMAIN::TOOL_PENCIL;
  w->drawing_TOOL_SET(modMAIN::TOOL_BRUSH);
  w->Screen_Canvas_MouseDown(100, 200);
  int i = 0;
  for (auto _ : state) {
    ++i;
    w->Screen_Canvas_MouseDrag(i % 2 ? 200 : 100, 200);
    w->Screen_Canvas->repaint();
  }
  w->Screen_Canvas_MouseUp(100, 200);
  Close();
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_PolygonBandStep);
PIXMURA_BENCHMARK(BM_BrushStrokeStep);

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
