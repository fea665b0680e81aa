// The partial colour mode on a 24-megapixel picture: the grey conversion in place, and one rectangle
// drag step (the working picture rebuilt from a history state, then a 2000 x 2000 copy from the colour
// copy).
#include "BenchPictures.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void BM_GreyConversion(benchmark::State& state) {
  modMAIN::Make_Maps();
  auto work = Source()->Clone();
  // Greying a grey picture costs what greying the colour one does: every pixel is read, worked out and
  // written back.
  for (auto _ : state) ColorOps::Gray(*work, *modMAIN::Map_Gray, 16);
}

static void BM_RectangleDragStep(benchmark::State& state) {
  const auto state_picture = Source();
  const auto colour = Source()->Clone();
  auto work = state_picture->Clone();
  for (auto _ : state) {
    work->RefillFrom(*state_picture, true);
    modColorSplash::Copy_Rect(colour->Image(), work->Image(), 1000, 1000, 2000, 2000);
    benchmark::DoNotOptimize(work->Image().constBits());
  }
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_GreyConversion);
PIXMURA_BENCHMARK(BM_RectangleDragStep);
BENCHMARK_MAIN();
