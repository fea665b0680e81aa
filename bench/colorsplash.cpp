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
  const auto source = Source();
  auto work = source->Clone();
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(work->Image().bits(), source->Image().constBits(), size_t(source->Image().sizeInBytes()));
    state.ResumeTiming();
    ColorOps::Gray(*work, *modMAIN::Map_Gray, 16);
  }
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
