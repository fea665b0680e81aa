#pragma once
// Shared set-up of the picture benchmarks: a 24-megapixel photo-like picture (smooth gradients with a
// little noise) and the plain memcpy of its bytes that every program prints as its yardstick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Picture.h"

namespace BenchPictures {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

inline Platform::PicturePtr Photo() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  uint32_t seed = 12345;
  for (int y = 0; y < kHeight; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 28) - 8;
      const int r = std::clamp(x * 255 / kWidth + noise, 0, 255);
      const int g = std::clamp(y * 255 / kHeight + noise / 2, 0, 255);
      const int b = std::clamp((x + y) * 255 / (kWidth + kHeight) - noise, 0, 255);
      row[x] = qRgb(r, g, b);
    }
  }
  return pic;
}

// One photo for the whole run of a program.
inline const Platform::PicturePtr& Source() {
  static const Platform::PicturePtr src = Photo();
  return src;
}

// The yardstick: one memcpy of the picture's bytes into a buffer that is already in memory.
inline void Memcpy(benchmark::State& state) {
  const Platform::PicturePtr& src = Source();
  const size_t bytes = size_t(src->Image().sizeInBytes());
  std::vector<uchar> dst(bytes, 1);
  for (auto _ : state) {
    std::memcpy(dst.data(), src->Image().constBits(), bytes);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

}  // namespace BenchPictures

// Every benchmark of the programs: milliseconds, after a warm-up.
#define PIXMURA_BENCHMARK(fn) BENCHMARK(fn)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(2.0)
