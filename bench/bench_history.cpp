// The commit to the undo history and the rebuild of the working picture on 24-megapixel pictures, beside
// a plain copy of the same bytes; before the table, what eleven states hold after ten brush-sized edits
// and after ten whole-picture edits, of a photo and of a screenshot: the history's own memory (shared
// tiles counted once) and the growth of the process's resident memory, both in whole pictures.
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QGuiApplication>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "BenchPictures.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"

using namespace BenchPictures;

namespace {

constexpr double kFull = double(kWidth) * kHeight * 4;

double ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return double(resident) * double(sysconf(_SC_PAGESIZE));
}

// A document of the picture at the depth: its only state and the working picture.
void Open(const Platform::PicturePtr& picture, int depth) {
  using namespace modMAIN;
  pic_Stack.clear();
  work_area.reset();
  Working_Color_Depth = depth;
  pic_Stack.Append(picture->CopyAtDepth(depth));
  Current_Picture = 0;
  Save_as_Transparent = false;
  Move_to_WorkArea();
}

void Close() {
  modMAIN::pic_Stack.clear();
  modMAIN::work_area.reset();
  malloc_trim(0);
}

// A brush-sized edit: a 40 x 40 square somewhere else each time, which the working picture is told of,
// as the drawing routines tell it.
void BrushEdit(int i) {
  const int x0 = (i * 523) % (kWidth - 40), y0 = (i * 311) % (kHeight - 40);
  QImage& img = modMAIN::work_area->ImageFor(QRect(x0, y0, 40, 40));
  for (int y = y0; y < y0 + 40; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = x0; x < x0 + 40; ++x) row[x] = qRgb(i * 37 & 255, 20, 200);
  }
}

// A whole-picture edit through the whole plane: every pixel's colour inverted.
void WholeEdit(int) {
  QImage& img = modMAIN::work_area->Image();
  for (int y = 0; y < kHeight; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < kWidth; ++x) row[x] ^= 0x00FFFFFFu;
  }
}

void ReportMemory() {
  std::printf("Eleven states (the first and ten commits) of a %d x %d picture, in whole pictures of %.0f MiB:\n",
              kWidth, kHeight, kFull / (1 << 20));
  for (int kind : {kPhoto, kScreenshot}) {
    for (bool whole : {false, true}) {
      // Each case in a process of its own, so that what one case left in the heap does not count in
      // another's growth.
      std::fflush(stdout);
      const pid_t child = fork();
      if (child != 0) {
        waitpid(child, nullptr, 0);
        continue;
      }
      Picture(kind);  // made before measuring
      const double before = ResidentBytes();
      Open(Picture(kind), 32);
      for (int i = 1; i <= 10; ++i) {
        if (whole) WholeEdit(i);
        else BrushEdit(i);
        modMAIN::Move_to_Image();
      }
      std::printf("  %-10s %-20s history %.2f, process grew by %.2f (history and working picture)\n",
                  KindName(kind), whole ? "whole-picture edits" : "brush-sized edits",
                  double(modMAIN::History_Bytes()) / kFull, (ResidentBytes() - before) / kFull);
      std::fflush(stdout);
      _exit(0);
    }
  }
  std::printf("\n");
  std::fflush(stdout);
}

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// A commit after a brush-sized edit, with a full history (each commit drops the oldest state).
void BM_Commit_BrushEdit(benchmark::State& state) {
  Open(Picture(int(state.range(0))), int(state.range(1)));
  state.SetLabel(KindName(int(state.range(0))));
  int i = 0;
  for (; i < modMAIN::kHistoryLimit; ++i) {
    BrushEdit(i);
    modMAIN::Move_to_Image();
  }
  for (auto _ : state) {
    state.PauseTiming();
    BrushEdit(++i);
    state.ResumeTiming();
    modMAIN::Move_to_Image();
  }
  Close();
}

// A commit after a whole-picture edit: every tile is new.
void BM_Commit_WholeEdit(benchmark::State& state) {
  Open(Picture(int(state.range(0))), 32);
  state.SetLabel(KindName(int(state.range(0))));
  for (int i = 0; i < modMAIN::kHistoryLimit; ++i) {
    WholeEdit(i);
    modMAIN::Move_to_Image();
  }
  for (auto _ : state) {
    state.PauseTiming();
    WholeEdit(0);
    state.ResumeTiming();
    modMAIN::Move_to_Image();
  }
  Close();
}

// Undo and Redo: the working picture rebuilt from a state kept as tiles, by turns the state before a
// brush-sized edit and the state after it: only the tiles in which the two differ come back.
void BM_Rebuild(benchmark::State& state) {
  Open(Picture(int(state.range(0))), int(state.range(1)));
  state.SetLabel(KindName(int(state.range(0))));
  BrushEdit(1);
  modMAIN::Move_to_Image();
  modMAIN::Move_to_WorkArea();  // warm-up
  for (auto _ : state) {
    modMAIN::Current_Picture = 1 - modMAIN::Current_Picture;
    modMAIN::Move_to_WorkArea();
    benchmark::DoNotOptimize(modMAIN::work_area.get());
  }
  Close();
}

// The same after a write through the whole plane, which leaves nothing known of what changed: the whole
// working picture comes back.
void BM_RebuildAfterWholeWrite(benchmark::State& state) {
  Open(Picture(int(state.range(0))), int(state.range(1)));
  state.SetLabel(KindName(int(state.range(0))));
  BrushEdit(1);
  modMAIN::Move_to_Image();
  for (auto _ : state) {
    state.PauseTiming();
    modMAIN::work_area->Image();
    state.ResumeTiming();
    modMAIN::Move_to_WorkArea();
    benchmark::DoNotOptimize(modMAIN::work_area.get());
  }
  Close();
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Commit_BrushEdit)->ArgsProduct({{kPhoto, kScreenshot}, {32, 24}});
PIXMURA_BENCHMARK(BM_Commit_WholeEdit)->Arg(kPhoto)->Arg(kScreenshot);
PIXMURA_BENCHMARK(BM_Rebuild)->ArgsProduct({{kPhoto, kScreenshot}, {32, 24}});
PIXMURA_BENCHMARK(BM_RebuildAfterWholeWrite)->ArgsProduct({{kPhoto}, {32, 24}});

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  ReportMemory();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
