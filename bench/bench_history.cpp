// The commit to the undo history and the rebuild of the working picture, on a 24-megapixel picture,
// beside a plain copy of the same bytes.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstring>
#include <vector>

#include "core/EditingState.h"
#include "core/UndoHistory.h"

namespace {
constexpr int kW = 6000, kH = 4000;

void Setup(int depth) {
  using namespace modMAIN;
  pic_Stack.clear();
  Working_Color_Depth = depth;
  pic_Stack.Append(Platform::Picture::Create(kW, kH, depth));
  Current_Picture = 0;
  Save_as_Transparent = false;
  Move_to_WorkArea();
}

void BM_Memcpy(benchmark::State& state) {
  const size_t bytes = size_t(kW) * kH * 4;
  std::vector<char> a(bytes, 1), b(bytes, 0);  // both touched before timing
  for (auto _ : state) {
    std::memcpy(b.data(), a.data(), bytes);
    benchmark::DoNotOptimize(b.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_Move_to_Image(benchmark::State& state) {
  Setup(int(state.range(0)));
  // Warm-up: a full history, as in any editing session after ten steps; from then on each commit
  // takes the place of the oldest state.
  for (int i = 0; i < modMAIN::kHistoryLimit; ++i) modMAIN::Move_to_Image();
  for (auto _ : state) {
    modMAIN::Move_to_Image();
    benchmark::DoNotOptimize(modMAIN::pic_Stack.back().get());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  modMAIN::pic_Stack.clear();
}

void BM_Move_to_WorkArea(benchmark::State& state) {
  Setup(int(state.range(0)));
  modMAIN::Move_to_WorkArea();  // warm-up
  for (auto _ : state) {
    modMAIN::Move_to_WorkArea();
    benchmark::DoNotOptimize(modMAIN::work_area.get());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 4);
  modMAIN::pic_Stack.clear();
  modMAIN::work_area.reset();
}
}  // namespace

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Move_to_Image)->Arg(32)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Move_to_WorkArea)->Arg(32)->Arg(24)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
