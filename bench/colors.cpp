// Sepia and the colour count of 24-megapixel pictures.
#include <string>

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

// The count of the photo, the screenshot, the gradients alone (runs of one colour) and pure noise, on
// one thread (second argument 1) and on as many as the count takes (0).
static void BM_CountColors(benchmark::State& state) {
  const Platform::PicturePtr& pic = Picture(int(state.range(0)));
  const int threads = int(state.range(1));
  state.SetLabel(std::string(KindName(int(state.range(0)))) + (threads == 1 ? ", one thread" : ", all threads"));
  bool gray = false;
  int32_t count = 0;
  for (auto _ : state) benchmark::DoNotOptimize(count = ColorOps::CountColors(*pic, gray, false, threads));
  state.counters["colours"] = count;
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Sepia);
PIXMURA_BENCHMARK(BM_CountColors)->ArgsProduct({{kPhoto, kScreenshot, kSmooth, kNoisy}, {1, 0}})->UseRealTime();
BENCHMARK_MAIN();
