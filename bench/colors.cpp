// Sepia and the colour count of 24-megapixel pictures.
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

// The count of the photo, the screenshot, the gradients alone (runs of one colour) and pure noise.
static void BM_CountColors(benchmark::State& state) {
  const Platform::PicturePtr& pic = Picture(int(state.range(0)));
  state.SetLabel(KindName(int(state.range(0))));
  bool gray = false;
  int32_t count = 0;
  for (auto _ : state) benchmark::DoNotOptimize(count = ColorOps::CountColors(*pic, gray, false));
  state.counters["colours"] = count;
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Sepia);
PIXMURA_BENCHMARK(BM_CountColors)->DenseRange(kPhoto, kNoisy);
BENCHMARK_MAIN();
