// Painting on a photo opened from a JPEG file, in a 1440 x 960 window, at 25 % (the zoom a 24-megapixel
// photo opens at) and at 100 %, on a 1-megapixel and a 24-megapixel photo, each beside a plain copy of
// that photo's bytes: one drag step of every tool through the real canvas with its repaint, a stroke's
// release (the commit and the repaint), and Undo and Redo chosen from the Edit menu with the repaint.
//
// Arguments of every benchmark: the photo's megapixels (1 or 24) and the zoom in per cent; the drag
// steps also take the tool.
#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>

#include "BenchPictures.h"
#include "BenchProgram.h"
#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/PictureFiles.h"
#include "mainwindow/winMAIN.h"
#include "palettes/modSHAPES.h"
#include "platform/FolderItem.h"

using namespace BenchPictures;
using namespace modMAIN;

namespace {

// 1 megapixel in the 24-megapixel photo's proportions.
constexpr int kSmallW = 1224, kSmallH = 816;

const Platform::PicturePtr& SmallPhoto() {
  static const Platform::PicturePtr p = Photo(kSmallW, kSmallH);
  return p;
}
const Platform::PicturePtr& PhotoOf(int megapixels) { return megapixels == 1 ? SmallPhoto() : Source(); }

// The photo saved once as a JPEG file, as a camera gives it.
Platform::FolderItemPtr PhotoFile(int megapixels) {
  static QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/photo%1.jpg").arg(megapixels);
  if (!QFile::exists(path)) PhotoOf(megapixels)->Image().save(path, "JPG", 92);
  return Platform::FolderItem::FromPath(path);
}

winMAIN* Main() { return winMAIN::instance(); }

void Repaint() { Main()->Screen_Canvas->repaint(); }

// Opens the photo as the user does, in the window of 1440 x 960, at the zoom; the view shows the top-left.
void Open(benchmark::State& state, int megapixels, int zoomPercent) {
  winMAIN* w = Main();
  w->Reset_Everything();
  w->SetWindowModified(false);
  if (w->size() != QSize(1440, 960)) {
    w->resize(1440, 960);
    QCoreApplication::processEvents();
  }
  if (!Open_File(PhotoFile(megapixels))) state.SkipWithError("the photo did not open");
  w->Set_Zoom(zoomPercent / 100.0f);
  w->Arrange_Controls();
  w->Update_Display();
  Repaint();
  state.SetLabel(QStringLiteral("%1 MP at %2 %, canvas %3 x %4")
                     .arg(megapixels)
                     .arg(zoomPercent)
                     .arg(w->Screen_Canvas->width())
                     .arg(w->Screen_Canvas->height())
                     .toStdString());
}

void Close() {
  winMAIN* w = Main();
  w->Reset_Everything();
  w->SetWindowModified(false);
}

void Choose(const char* item) {
  MenuBar1::instance()->Enable_Menu_Items();
  MenuBar1::instance()->Item(QString::fromLatin1(item))->trigger();
}

// The tools of the drag steps (codes of drawing_TOOL), the selection's band and the floating move.
constexpr int kFloatingMove = 1000;

void UseTool(int tool) {
  winMAIN* w = Main();
  size_BRUSH = 5;
  size_ERASER = 3;
  size_SPRAYCAN = 5;
  modOptions::option_BrushRandom = false;
  modOptions::option_BrushOpacity = 60;
  modOptions::option_ArrowHead = 0;
  modSHAPES::Current_Shape = 0;
  Drawing_Fillmode = 3;
  Last_DrawTool = tool;
  w->drawing_TOOL_SET(tool);
}

void Press(int x, int y) {
  Main()->Screen_Canvas_MouseDown(x, y);
  Repaint();
}
void Drag(int x, int y) {
  Main()->Screen_Canvas_MouseDrag(x, y);
  Repaint();
}
void Release(int x, int y) {
  Main()->Screen_Canvas_MouseUp(x, y);
  Repaint();
}

// A selection from (40, 40) to (240, 160) on the canvas, lifted: it floats.
void LiftSelection() {
  UseTool(TOOL_LASSO);
  Press(40, 40);
  Drag(240, 160);
  Release(240, 160);
  Main()->Screen_Canvas_MouseMove(100, 100);  // over the selection: the grabber
  Press(100, 100);
}

void BM_Memcpy(benchmark::State& state) {
  state.SetLabel(QStringLiteral("%1 MP").arg(state.range(0)).toStdString());
  MemcpyOf(state, PhotoOf(int(state.range(0))));
}

// One drag step that reaches a new pixel. The stroke tools go back and forth over 12 x 4 canvas pixels;
// the band tools and the selection band keep their press point and stretch to 200 x 120 canvas pixels;
// the floating selection (200 x 120 canvas pixels) moves back and forth by 10 x 5.
void BM_DragStep(benchmark::State& state) {
  const int tool = int(state.range(0));
  Open(state, int(state.range(1)), int(state.range(2)));
  QPoint a(240, 160), b(241, 161);
  switch (tool) {
    case kFloatingMove:
      LiftSelection();
      a = QPoint(100, 100);
      b = QPoint(110, 105);
      break;
    case TOOL_PENCIL:
    case TOOL_BRUSH:
    case TOOL_ERASER:
    case TOOL_SPRAYCAN:
      UseTool(tool);
      Press(100, 100);
      a = QPoint(100, 100);
      b = QPoint(112, 104);
      break;
    default:
      UseTool(tool);
      Press(40, 40);
      break;
  }
  Drag(a.x(), a.y());
  int i = 0;
  for (auto _ : state) {
    const QPoint p = ++i % 2 ? b : a;
    Drag(p.x(), p.y());
  }
  Release(a.x(), a.y());
  Close();
}

// The release of a brush stroke of three steps: the commit to a full history and the repaint.
void BM_Release(benchmark::State& state) {
  Open(state, int(state.range(0)), int(state.range(1)));
  UseTool(TOOL_BRUSH);
  const auto stroke = [](int i) {
    const int x = 60 + (i * 37) % 200, y = 60 + (i * 23) % 100;
    Press(x, y);
    Drag(x + 6, y + 2);
    Drag(x + 12, y + 4);
    Drag(x + 18, y + 6);
  };
  int i = 0;
  for (; i < 12; ++i) {
    stroke(i);
    Release(78, 66);
  }
  for (auto _ : state) {
    state.PauseTiming();
    stroke(++i);
    state.ResumeTiming();
    Release(78, 66);
  }
  Close();
}

// The first release after opening, where the history holds only the photo as it was read.
void BM_FirstRelease(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Open(state, int(state.range(0)), int(state.range(1)));
    UseTool(TOOL_BRUSH);
    Press(60, 60);
    Drag(66, 62);
    Drag(72, 64);
    state.ResumeTiming();
    Release(72, 64);
  }
  Close();
}

// Undo or Redo (argument 3: 0 undo, 1 redo) chosen from the Edit menu after brush strokes, with the
// repaint; the other command, untimed, goes back.
void BM_UndoRedo(benchmark::State& state) {
  Open(state, int(state.range(0)), int(state.range(1)));
  const bool redo = state.range(2) != 0;
  UseTool(TOOL_BRUSH);
  for (int i = 0; i < 4; ++i) {
    const int x = 60 + i * 40;
    Press(x, 80);
    Drag(x + 20, 90);
    Release(x + 20, 90);
  }
  if (redo) {
    Choose("menu_UnDo");
    Repaint();
  }
  for (auto _ : state) {
    Choose(redo ? "menu_ReDo" : "menu_UnDo");
    Repaint();
    state.PauseTiming();
    Choose(redo ? "menu_UnDo" : "menu_ReDo");
    Repaint();
    state.ResumeTiming();
  }
  Close();
}

void DragSteps(benchmark::internal::Benchmark* b) {
  for (int tool : {int(TOOL_PENCIL), int(TOOL_BRUSH), int(TOOL_SPRAYCAN), int(TOOL_ERASER), int(TOOL_LINE),
                   int(TOOL_RECT), int(TOOL_OVAL), int(TOOL_SHAPE), int(TOOL_LASSO), kFloatingMove})
    for (int megapixels : {1, 24})
      for (int zoom : {25, 100}) b->Args({tool, megapixels, zoom});
  b->ArgNames({"tool", "MP", "zoom"});
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy)->Arg(1)->Arg(24)->ArgName("MP");
PIXMURA_BENCHMARK(BM_DragStep)->Apply(DragSteps);
PIXMURA_BENCHMARK(BM_Release)->ArgsProduct({{1, 24}, {25, 100}})->ArgNames({"MP", "zoom"});
BENCHMARK(BM_FirstRelease)->Unit(benchmark::kMillisecond)->Iterations(6)->Args({24, 25})->ArgNames({"MP", "zoom"});
PIXMURA_BENCHMARK(BM_UndoRedo)->ArgsProduct({{1, 24}, {25, 100}, {0, 1}})->ArgNames({"MP", "zoom", "redo"});

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
