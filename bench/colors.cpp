// Sepia and the colour count of a 24-megapixel picture.
#include "BenchPictures.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void BM_Sepia(benchmark::State& state) {
  modMAIN::Make_Maps();
  auto pic = Source()->Clone();
  for (auto _ : state) ColorOps::Sepia(*pic, *modMAIN::Map_Sepia_R, *modMAIN::Map_Sepia_G, *modMAIN::Map_Sepia_B);
}

static void BM_CountColors(benchmark::State& state) {
  const auto& pic = Source();
  bool gray = false;
  int32_t count = 0;
  for (auto _ : state) benchmark::DoNotOptimize(count = ColorOps::CountColors(*pic, gray, false));
  state.counters["colours"] = count;
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Sepia);
PIXMURA_BENCHMARK(BM_CountColors);
BENCHMARK_MAIN();
