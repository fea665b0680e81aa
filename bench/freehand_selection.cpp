// The conversion of a free-hand path around a whole 24-megapixel picture into its selection pictures.
#include <QPainter>

#include "BenchPictures.h"
#include "core/FreehandMasks.h"

using namespace BenchPictures;

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// A white picture with a black rectangular path one pixel in from every edge.
static Platform::PicturePtr Path() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  QPainter p(&pic->Image());
  p.setPen(QPen(Qt::black, 1));
  p.drawRect(QRect(1, 1, kWidth - 3, kHeight - 3));
  return pic;
}

static void BM_FreehandConvert(benchmark::State& state) {
  const auto path = Path();
  for (auto _ : state)
    benchmark::DoNotOptimize(FreehandMasks::Convert(*path, QRect(0, 0, kWidth, kHeight), 0xFFFFFF).shape.get());
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_FreehandConvert);
BENCHMARK_MAIN();
