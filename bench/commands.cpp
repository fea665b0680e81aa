// The whole-picture commands as the user calls them, on a 24-megapixel document of the photo and of the
// screenshot: each makes its new picture (or changes the working picture), commits it to the undo history
// and updates the window, beside a plain copy of the picture's bytes.
#include "BenchPictures.h"
#include "BenchProgram.h"
#include "app/App.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

using namespace BenchPictures;

namespace {

// A document of the picture, its only state, with a full history behind it after warm-up.
void Open(int kind) { BenchProgram::OpenDocument(Picture(kind)->Clone()); }

void Run(benchmark::State& state, const std::function<void(int)>& command) {
  const int kind = int(state.range(0));
  state.SetLabel(KindName(kind));
  Open(kind);
  for (int i = 0; i < modMAIN::kHistoryLimit; ++i) command(i);  // warm-up: a full history
  int i = 0;
  for (auto _ : state) command(++i);
  modMAIN::pic_Stack.clear();
  modMAIN::work_area.reset();
}

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }
void BM_Rotate90(benchmark::State& s) { Run(s, [](int) { modMAIN::image_Rotate(90); }); }
void BM_Rotate270(benchmark::State& s) { Run(s, [](int) { modMAIN::image_Rotate(270); }); }
void BM_Rotate180(benchmark::State& s) { Run(s, [](int) { modMAIN::image_Rotate(180); }); }
void BM_FlipHorizontal(benchmark::State& s) { Run(s, [](int) { modMAIN::image_Flip(true); }); }
void BM_Sepia(benchmark::State& s) { Run(s, [](int) { modMAIN::image_Convert_Sepia(); }); }
// A larger and a smaller canvas in turn.
void BM_CanvasSize(benchmark::State& s) {
  Run(s, [](int i) { modMAIN::Resize_Canvas(kWidth + (i % 2 ? 400 : 0), kHeight + (i % 2 ? 400 : 0)); });
}
// Half the size and back.
void BM_Resize(benchmark::State& s) {
  Run(s, [](int i) { modMAIN::Resize_Image(QStringLiteral("I"), i % 2 ? kWidth / 2 : kWidth, i % 2 ? kHeight / 2 : kHeight); });
}
void BM_CountColors(benchmark::State& s) {
  Run(s, [](int) {
    bool gray;
    benchmark::DoNotOptimize(modMAIN::Count_Colors(gray, false));
  });
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Rotate90)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_Rotate270)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_Rotate180)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_FlipHorizontal)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_Sepia)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_CanvasSize)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_Resize)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_CountColors)->Arg(kPhoto)->Arg(kScreenshot);

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
