// Nearest-neighbour resizing and the canvas-size change of a 24-megapixel picture.
#include "BenchPictures.h"
#include "core/PictureOps.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void BM_ResizeHalf(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kWidth / 2, kHeight / 2, 32);
  for (auto _ : state) PictureOps::ScaleInto(*Source(), QRect(0, 0, kWidth, kHeight), *dst);
}

static void BM_ResizeDouble(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kWidth * 2, kHeight * 2, 32);
  for (auto _ : state) PictureOps::ScaleInto(*Source(), QRect(0, 0, kWidth, kHeight), *dst);
}

// As the command makes it: a white picture of the new size with the old one copied into its top-left.
static void BM_CanvasSizeLarger(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kWidth + 400, kHeight + 400, 32);
  for (auto _ : state) {
    dst->Image().fill(0xFFFFFFFFu);
    PictureOps::CanvasCopyInto(*Source(), *dst);
  }
}

static void BM_CanvasSizeSmaller(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kWidth - 400, kHeight - 400, 32);
  for (auto _ : state) {
    dst->Image().fill(0xFFFFFFFFu);
    PictureOps::CanvasCopyInto(*Source(), *dst);
  }
}

// As the commands make them: a new picture each time.
static void BM_ResizeNewPicture(benchmark::State& state) {
  const int w = int(kWidth * state.range(0) / 100), h = int(kHeight * state.range(0) / 100);
  for (auto _ : state)
    benchmark::DoNotOptimize(PictureOps::Scale(*Source(), QRect(0, 0, kWidth, kHeight), w, h, 32).get());
}

static void BM_CanvasSizeNewPicture(benchmark::State& state) {
  const int d = int(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(PictureOps::CanvasResized(*Source(), kWidth + d, kHeight + d, 32).get());
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_ResizeHalf);
PIXMURA_BENCHMARK(BM_ResizeDouble);
PIXMURA_BENCHMARK(BM_CanvasSizeLarger);
PIXMURA_BENCHMARK(BM_CanvasSizeSmaller);
PIXMURA_BENCHMARK(BM_ResizeNewPicture)->Arg(50)->Arg(200);
PIXMURA_BENCHMARK(BM_CanvasSizeNewPicture)->Arg(400)->Arg(-400);
BENCHMARK_MAIN();
