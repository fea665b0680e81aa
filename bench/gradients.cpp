// The gradient renderer over a 24-megapixel picture: horizontal, vertical and radial (the radial one
// with its centre in the middle and off it), the spectrum's seven stops; and the sort of 200,000 stops
// at positions 0 to 100 in random order (so most positions are shared by many stops).
#include <random>

#include "BenchPictures.h"
#include "gradients/modGRADIENT.h"

using namespace BenchPictures;

namespace {
// The built-in spectrum's seven stops.
void Spectrum(int32_t style, int32_t cx = 50, int32_t cy = 50) {
  modGRADIENT::Gradient.clear();
  for (auto [position, colour] : {std::pair<int32_t, Platform::Color>{0, 0xFF0000}, {16, 0xF900FC}, {33, 0x0000FE},
                                  {50, 0x1EFFF0}, {67, 0x1FFF0A}, {83, 0xFFFF00}, {100, 0xFF0000}})
    modGRADIENT::Add_ColorStop(position, colour);
  modGRADIENT::Gradient_style = style;
  modGRADIENT::gradient_cx = cx;
  modGRADIENT::gradient_cy = cy;
}

void Draw(benchmark::State& state) {
  auto pic = Source()->Clone();
  for (auto _ : state) {
    modGRADIENT::Draw_Gradient(*pic, false);
    benchmark::ClobberMemory();
  }
}
}  // namespace

static void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

static void BM_Horizontal(benchmark::State& state) {
  Spectrum(0);
  Draw(state);
}

static void BM_Vertical(benchmark::State& state) {
  Spectrum(1);
  Draw(state);
}

static void BM_Radial(benchmark::State& state) {
  Spectrum(2);
  Draw(state);
}

static void BM_RadialOffCentre(benchmark::State& state) {
  Spectrum(2, 33, 71);
  Draw(state);
}

static void BM_SortStops(benchmark::State& state) {
  std::mt19937 random(99);
  decltype(modGRADIENT::Gradient) unsorted;
  for (int i = 0; i < 200000; ++i) {
    auto stop = std::make_shared<classGradient>();
    stop->Position = int32_t(random() % 101);
    stop->gColor = Platform::Color(i);
    unsorted.push_back(stop);
  }
  for (auto _ : state) {
    state.PauseTiming();
    modGRADIENT::Gradient = unsorted;
    state.ResumeTiming();
    modGRADIENT::Sort_Gradient();
    benchmark::ClobberMemory();
  }
}

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Horizontal);
PIXMURA_BENCHMARK(BM_Vertical);
PIXMURA_BENCHMARK(BM_Radial);
PIXMURA_BENCHMARK(BM_RadialOffCentre);
PIXMURA_BENCHMARK(BM_SortStops);
BENCHMARK_MAIN();
