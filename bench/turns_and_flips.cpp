// Flips, quarter and half turns and the free rotation of a 24-megapixel picture.
#include "BenchPictures.h"
#include "core/PictureOps.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void BM_FlipHorizontal(benchmark::State& state) {
  auto pic = Source()->Clone();
  for (auto _ : state) PictureOps::Flip(*pic, QRect(0, 0, kWidth, kHeight), true);
}

static void BM_FlipVertical(benchmark::State& state) {
  auto pic = Source()->Clone();
  for (auto _ : state) PictureOps::Flip(*pic, QRect(0, 0, kWidth, kHeight), false);
}

static void BM_Turn90(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kHeight, kWidth, 32);
  for (auto _ : state) PictureOps::Turn90Into(*Source(), *dst);
}

static void BM_Turn270(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kHeight, kWidth, 32);
  for (auto _ : state) PictureOps::Turn270Into(*Source(), *dst);
}

static void BM_Turn180(benchmark::State& state) {
  auto dst = Platform::Picture::Create(kWidth, kHeight, 32);
  for (auto _ : state) PictureOps::Turn180Into(*Source(), *dst);
}

// As the turn command makes it: a new picture for every turn, of the photo and of the screenshot.
static void BM_TurnNewPicture(benchmark::State& state) {
  const int angle = int(state.range(0));
  const Platform::PicturePtr& src = Picture(int(state.range(1)));
  state.SetLabel(KindName(int(state.range(1))));
  for (auto _ : state) benchmark::DoNotOptimize(PictureOps::Turn(*src, angle).get());
}

// The free rotation as the command makes it: a white picture of the turned size, then every source
// pixel mapped onto it.
static void BM_FreeRotate(benchmark::State& state) {
  const double degrees = double(state.range(0));
  const QSize size = PictureOps::FreeRotatedSize(kWidth, kHeight, degrees);
  auto dst = Platform::Picture::Create(size.width(), size.height(), 32);
  for (auto _ : state) {
    dst->Image().fill(0xFFFFFFFFu);
    PictureOps::FreeRotateInto(*Source(), *dst, degrees);
  }
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_FlipHorizontal);
PIXMURA_BENCHMARK(BM_FlipVertical);
PIXMURA_BENCHMARK(BM_Turn90);
PIXMURA_BENCHMARK(BM_Turn270);
PIXMURA_BENCHMARK(BM_Turn180);
PIXMURA_BENCHMARK(BM_TurnNewPicture)->ArgsProduct({{90, 270, 180}, {kPhoto, kScreenshot}});
PIXMURA_BENCHMARK(BM_FreeRotate)->Arg(30)->Arg(45);
BENCHMARK_MAIN();
