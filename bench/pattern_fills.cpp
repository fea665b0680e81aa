// Pattern fills and the flood fill on a 24-megapixel picture.
#include "BenchPictures.h"
#include "core/PatternFills.h"

using namespace BenchPictures;

namespace {
// A two-colour tile: a checkerboard of 4-pixel squares.
PatternFills::Tile Checker() {
  PatternFills::Tile t;
  for (int y = 0; y < PatternFills::kTileSize; ++y)
    for (int x = 0; x < PatternFills::kTileSize; ++x)
      t[size_t(y * PatternFills::kTileSize + x)] = ((x / 4 + y / 4) % 2) ? 0xFF112233u : 0xFFFFFFFFu;
  return t;
}

// A white picture with a black wall that the flood has to go round: the region is all but the wall.
Platform::PicturePtr Walled() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  for (int y = 0; y < kHeight - 200; ++y) reinterpret_cast<QRgb*>(pic->Image().scanLine(y))[kWidth / 2] = 0xFF000000u;
  return pic;
}
}  // namespace

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void BM_FloodPlain(benchmark::State& state) {
  auto pic = Walled();
  bool grey = false;
  for (auto _ : state) {
    // Each run floods the area the last one filled, in the other colour.
    grey = !grey;
    benchmark::DoNotOptimize(PatternFills::Flood(*pic, 10, 10, grey ? 0x808080 : 0xFFFFFF));
  }
}

static void BM_FloodPattern(benchmark::State& state) {
  const auto walled = Walled();
  auto pic = walled->Clone();
  const PatternFills::Tile tile = Checker();
  for (auto _ : state) {
    benchmark::DoNotOptimize(PatternFills::FloodPattern(*pic, 10, 10, tile));
    state.PauseTiming();
    pic->RefillFrom(*walled);
    state.ResumeTiming();
  }
}

static void BM_FillRectPattern(benchmark::State& state) {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  const PatternFills::Tile tile = Checker();
  for (auto _ : state) PatternFills::Fill(*pic, QRect(0, 0, kWidth, kHeight), tile, false);
}

static void BM_FillRectPatternWhiteTransparent(benchmark::State& state) {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  const PatternFills::Tile tile = Checker();
  for (auto _ : state) PatternFills::Fill(*pic, QRect(0, 0, kWidth, kHeight), tile, true);
}

static void BM_FillOvalPattern(benchmark::State& state) {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  const PatternFills::Tile tile = Checker();
  for (auto _ : state) PatternFills::Fill(*pic, QRect(0, 0, kWidth, kHeight), tile, false, PatternFills::Shape::Oval);
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_FloodPlain);
PIXMURA_BENCHMARK(BM_FloodPattern);
PIXMURA_BENCHMARK(BM_FillRectPattern);
PIXMURA_BENCHMARK(BM_FillRectPatternWhiteTransparent);
PIXMURA_BENCHMARK(BM_FillOvalPattern);
BENCHMARK_MAIN();
