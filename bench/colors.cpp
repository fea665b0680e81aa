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

static void Count(benchmark::State& state, const Platform::PicturePtr& pic) {
  bool gray = false;
  int32_t count = 0;
  for (auto _ : state) benchmark::DoNotOptimize(count = ColorOps::CountColors(*pic, gray, false));
  state.counters["colours"] = count;
}

// The photo: every pixel carries noise, so neighbours rarely share a colour.
static void BM_CountColors(benchmark::State& state) { Count(state, Source()); }

// The same gradients without the noise: runs of one colour, as in the flat areas of a picture.
static void BM_CountColorsSmooth(benchmark::State& state) {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  for (int y = 0; y < kHeight; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
    for (int x = 0; x < kWidth; ++x)
      row[x] = qRgb(x * 255 / kWidth, y * 255 / kHeight, (x + y) * 255 / (kWidth + kHeight));
  }
  Count(state, pic);
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Sepia);
PIXMURA_BENCHMARK(BM_CountColors);
PIXMURA_BENCHMARK(BM_CountColorsSmooth);
BENCHMARK_MAIN();
