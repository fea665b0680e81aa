// Blur and Gradient Overlay on the photo at 24 and at 100.8 megapixels (6000 x 4000 and 12000 x 8400,
// 4.2 times the pixels), each beside a memcpy of the same picture in the same run: the time should
// grow with the pixels. After the table, each case is printed as a ratio to the memcpy of its size and
// as the ratio of its 100.8-megapixel time to its 24-megapixel time.
#include <QMap>
#include <cstdio>

#include "BenchPictures.h"
#include "effects/EffectFilters.h"
#include "gradients/modGRADIENT.h"

using namespace BenchPictures;

namespace {

constexpr int kLargeWidth = 12000, kLargeHeight = 8400;

// The photo at 24 (size 0) or 100.8 megapixels (size 1), made when first asked for.
const Platform::PicturePtr& PhotoOfSize(int size) {
  if (size == 0) return Source();
  static const Platform::PicturePtr large = Photo(kLargeWidth, kLargeHeight);
  return large;
}
const char* SizeName(int size) { return size == 0 ? "24 MP" : "100.8 MP"; }

void BM_Memcpy(benchmark::State& state) {
  state.SetLabel(SizeName(int(state.range(0))));
  MemcpyOf(state, PhotoOfSize(int(state.range(0))));
}

void BM_Blur(benchmark::State& state) {
  const Platform::PicturePtr& src = PhotoOfSize(int(state.range(0)));
  state.SetLabel(SizeName(int(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(EffectFilters::Blur(src, double(state.range(1))).get());
}

// The built-in spectrum's seven stops, horizontal (style 0) or radial (style 2).
void Spectrum(int32_t style) {
  modGRADIENT::Gradient.clear();
  for (auto [position, colour] : {std::pair<int32_t, Platform::Color>{0, 0xFF0000}, {16, 0xF900FC}, {33, 0x0000FE},
                                  {50, 0x1EFFF0}, {67, 0x1FFF0A}, {83, 0xFFFF00}, {100, 0xFF0000}})
    modGRADIENT::Add_ColorStop(position, colour);
  modGRADIENT::Gradient_style = style;
  modGRADIENT::gradient_cx = 33;
  modGRADIENT::gradient_cy = 71;
}

// The overlay over the whole picture: the photo with its upper half white, the replace colour, so that
// half the pixels take the gradient. The picture is made again outside the timed part.
void BM_Overlay(benchmark::State& state) {
  const Platform::PicturePtr& photo = PhotoOfSize(int(state.range(0)));
  state.SetLabel(SizeName(int(state.range(0))));
  Spectrum(int32_t(state.range(1)));
  Platform::PicturePtr source = photo->Clone();
  QImage& img = source->Image();
  for (int y = 0; y < img.height() / 2; ++y) std::fill_n(reinterpret_cast<QRgb*>(img.scanLine(y)), img.width(), 0xFFFFFFFFu);
  Platform::PicturePtr area = source->Clone();
  int64_t count = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(count = modGRADIENT::Gradient_Overlay(*area, 0xFFFFFF, nullptr));
    state.PauseTiming();
    area->RefillFrom(*source);
    state.ResumeTiming();
  }
  state.counters["matched"] = double(count);
}

// Keeps each case's time so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (!r.error_occurred) times_[QString::fromStdString(r.run_name.function_name + "/" + r.run_name.args)] = r.GetAdjustedRealTime();
  }
  void PrintRatios() const {
    std::printf("\ncase: time at 24 MP and at 100.8 MP, each / memcpy of its size; 100.8 MP time / 24 MP time\n");
    const double m0 = times_.value(QStringLiteral("BM_Memcpy/0")), m1 = times_.value(QStringLiteral("BM_Memcpy/1"));
    for (auto it = times_.begin(); it != times_.end(); ++it) {
      // The 24-megapixel case names "/0" first: "BM_Blur/0/5" beside "BM_Blur/1/5".
      const QStringList parts = it.key().split(QLatin1Char('/'));
      if (parts.size() < 2 || parts[1] != QLatin1String("0")) continue;
      QStringList large = parts;
      large[1] = QStringLiteral("1");
      const double t0 = it.value(), t1 = times_.value(large.join(QLatin1Char('/')));
      if (m0 <= 0 || m1 <= 0 || t1 <= 0) continue;
      std::printf("  %-16s %9.1f ms %6.2fx  %9.1f ms %6.2fx   %5.2fx\n", qPrintable(it.key()), t0, t0 / m0, t1,
                  t1 / m1, t1 / t0);
    }
  }

 private:
  QMap<QString, double> times_;
};

}  // namespace

BENCHMARK(BM_Memcpy)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(2.0);
BENCHMARK(BM_Blur)->ArgsProduct({{0, 1}, {1, 5, 10}})->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(2.0);
BENCHMARK(BM_Overlay)->ArgsProduct({{0, 1}, {0, 2}})->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(2.0);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
