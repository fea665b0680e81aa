#pragma once
// Shared set-up of the picture benchmarks: 24-megapixel pictures made here (a photo-like picture of
// smooth gradients with a little noise, a screenshot of flat areas in few colours, the gradients alone
// and pure noise) and the plain memcpy of a picture's bytes that every program prints as its yardstick.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Picture.h"

namespace BenchPictures {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;

inline Platform::PicturePtr Photo(int width = kWidth, int height = kHeight) {
  auto pic = Platform::Picture::Create(width, height, 32);
  uint32_t seed = 12345;
  for (int y = 0; y < height; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 28) - 8;
      const int r = std::clamp(x * 255 / width + noise, 0, 255);
      const int g = std::clamp(y * 255 / height + noise / 2, 0, 255);
      const int b = std::clamp((x + y) * 255 / (width + height) - noise, 0, 255);
      row[x] = qRgb(r, g, b);
    }
  }
  return pic;
}

// A screenshot: flat areas in a few colours, windows with title bars, lines of small dark strokes
// like text, and icons.
inline Platform::PicturePtr Screenshot() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  QImage& img = pic->Image();
  img.fill(qRgb(236, 236, 236));
  const QRgb palette[8] = {qRgb(255, 255, 255), qRgb(250, 250, 250), qRgb(30, 30, 30),   qRgb(52, 101, 164),
                           qRgb(220, 220, 220), qRgb(0, 120, 215),   qRgb(245, 245, 220), qRgb(90, 90, 90)};
  uint32_t seed = 777;
  auto next = [&seed](uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % n;
  };
  auto fill = [&img](int x0, int y0, int w, int h, QRgb c) {
    for (int y = std::max(0, y0); y < std::min(kHeight, y0 + h); ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = std::max(0, x0); x < std::min(kWidth, x0 + w); ++x) row[x] = c;
    }
  };
  for (int k = 0; k < 24; ++k) {
    const int x0 = int(next(kWidth - 800)), y0 = int(next(kHeight - 600));
    const int w = 600 + int(next(1400)), h = 400 + int(next(1000));
    fill(x0, y0, w, h, palette[next(2)]);
    fill(x0, y0, w, 28, palette[3 + next(3)]);
    // Lines of text: short strokes two pixels wide, dark on the window.
    for (int line = y0 + 44; line + 12 < y0 + h - 10; line += 20)
      for (int x = x0 + 12; x < x0 + w - 40;) {
        const int word = 8 + int(next(50));
        for (int i = 0; i < word; i += 3) fill(x + i, line + int(next(3)), 2, 6 + int(next(5)), palette[2 + 5 * next(2)]);
        x += word + 7;
      }
    for (int i = 0; i < 6; ++i) {
      const int ix = x0 + 20 + i * 48;
      fill(ix, y0 + h - 44, 32, 32, palette[3 + next(5)]);
      fill(ix + 8, y0 + h - 36, 16, 16, palette[next(8)]);
    }
  }
  return pic;
}

// The gradients of the photo without its noise: runs of one colour.
inline Platform::PicturePtr Smooth() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  for (int y = 0; y < kHeight; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
    for (int x = 0; x < kWidth; ++x)
      row[x] = qRgb(x * 255 / kWidth, y * 255 / kHeight, (x + y) * 255 / (kWidth + kHeight));
  }
  return pic;
}

// Noise: every pixel a colour of its own, drawn from all 16.7 million.
inline Platform::PicturePtr Noisy() {
  auto pic = Platform::Picture::Create(kWidth, kHeight, 32);
  uint32_t seed = 99;
  for (int y = 0; y < kHeight; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      row[x] = 0xFF000000u | (seed >> 8);
    }
  }
  return pic;
}

// One photo for the whole run of a program.
inline const Platform::PicturePtr& Source() {
  static const Platform::PicturePtr src = Photo();
  return src;
}

// The pictures that benchmarks take as their argument, each made once per run.
enum Kind { kPhoto, kScreenshot, kSmooth, kNoisy };
inline const char* KindName(int kind) {
  static const char* names[] = {"photo", "screenshot", "smooth", "noisy"};
  return names[kind];
}
inline const Platform::PicturePtr& Picture(int kind) {
  switch (kind) {
    case kScreenshot: {
      static const Platform::PicturePtr p = Screenshot();
      return p;
    }
    case kSmooth: {
      static const Platform::PicturePtr p = Smooth();
      return p;
    }
    case kNoisy: {
      static const Platform::PicturePtr p = Noisy();
      return p;
    }
    default:
      return Source();
  }
}

// The yardstick: one memcpy of the picture's bytes into a buffer that is already in memory.
inline void Memcpy(benchmark::State& state, const Platform::PicturePtr& src = Source()) {
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
