// The four picture frames of a 24-megapixel picture, drawn in place (the commit apart).
#include "BenchPictures.h"
#include "effects/modFRAME.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void Frame(benchmark::State& state, modFRAME::FrameShape shape, bool feathered) {
  auto work = Source()->Clone();
  for (auto _ : state) modFRAME::Frame_Picture(*work, shape, feathered, 0xFF8000);
}

static void BM_SolidRectangle(benchmark::State& s) { Frame(s, modFRAME::FrameShape::Rectangle, false); }
static void BM_FeatheredRectangle(benchmark::State& s) { Frame(s, modFRAME::FrameShape::Rectangle, true); }
static void BM_SolidOval(benchmark::State& s) { Frame(s, modFRAME::FrameShape::Oval, false); }
static void BM_FeatheredOval(benchmark::State& s) { Frame(s, modFRAME::FrameShape::Oval, true); }

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_SolidRectangle);
PIXMURA_BENCHMARK(BM_FeatheredRectangle);
PIXMURA_BENCHMARK(BM_SolidOval);
PIXMURA_BENCHMARK(BM_FeatheredOval);
BENCHMARK_MAIN();
