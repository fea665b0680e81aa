// The photographic effects on a 24-megapixel picture, beside memcpy of its bytes and, for blurring and
// sharpening, beside ImageMagick's convert doing its own blur and sharpen of the same picture in the
// same run (raw RGB in and out; convert's plain copy of the raw picture shows what reading and writing
// cost it). After the table, each case's time is printed as a ratio to memcpy, and convert's time as a
// ratio to ours (above 1: ours is faster).
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchPictures.h"
#include "core/ColorMaps.h"
#include "effects/EffectFilters.h"

using namespace BenchPictures;
namespace EF = EffectFilters;

namespace {

// A working copy of the photo, refilled from it outside the timed part when a case changes it.
Platform::PicturePtr Copy() { return Source()->Clone(); }

void Refill(benchmark::State& state, const Platform::PicturePtr& pic) {
  state.PauseTiming();
  pic->RefillFrom(*Source(), true);
  state.ResumeTiming();
}

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// Every case that changes its picture in place starts each run from a fresh copy of the photo (made
// outside the timed part), so that no run finds the picture left in the caches by the run before.
void Mapped(benchmark::State& state, const EF::ChannelMap& map) {
  auto pic = Copy();
  for (auto _ : state) {
    EF::ApplyMap(*pic, map);
    Refill(state, pic);
  }
}

void BM_Exposure(benchmark::State& state) { Mapped(state, EF::ExposureMap(50)); }
void BM_Brightness(benchmark::State& state) { Mapped(state, EF::BrightnessMap(30)); }
void BM_Contrast(benchmark::State& state) { Mapped(state, EF::ContrastMap(40, 127)); }

void BM_Invert(benchmark::State& state) {
  EF::ChannelMap invert;
  for (int i = 0; i < 256; ++i) invert[size_t(i)] = 255 - i;
  Mapped(state, invert);
}

void BM_Gain(benchmark::State& state) {
  EF::ChannelMap r, g, b;
  EF::GainMaps(20, -30, 10, r, g, b);
  auto pic = Copy();
  for (auto _ : state) {
    EF::ApplyMaps(*pic, r, g, b);
    Refill(state, pic);
  }
}

void BM_Saturation(benchmark::State& state) {
  auto pic = Copy();
  for (auto _ : state) {
    EF::Saturate(*pic, 40);
    Refill(state, pic);
  }
}

void BM_RedEye(benchmark::State& state) {
  auto pic = Copy();
  for (auto _ : state) {
    EF::RemoveRedEye(*pic);
    Refill(state, pic);
  }
}

// The "Pixelize" slider's factor: 2 x its value.
void BM_Pixelize(benchmark::State& state) {
  auto pic = Copy();
  for (auto _ : state) {
    EF::Pixelize(pic, double(state.range(0)));
    Refill(state, pic);
  }
}

void BM_Blur(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(EF::Blur(Source(), double(state.range(0))));
}

// The "Sharpness" slider at 50: amount 500 against the strength-1 blur.
void BM_Sharpen(benchmark::State& state) {
  auto pic = Copy();
  for (auto _ : state) {
    EF::Sharpen(pic, 500, 1);
    Refill(state, pic);
  }
}

// A preview with every slider away from 0.
void BM_Chain(benchmark::State& state) {
  const EF::EffectValues values{40, -30, 20, 35, 20, 3, -20, 30, 10, 2};
  auto pic = Copy();
  for (auto _ : state) {
    benchmark::DoNotOptimize(EF::Chain(pic, values));
    Refill(state, pic);
  }
}

// ---- ImageMagick's convert on the same picture ----

QTemporaryDir& Dir() {
  static QTemporaryDir d(QDir::tempPath() + QStringLiteral("/pixmura-bench-XXXXXX"));
  return d;
}

QString PathOf(const char* name) { return Dir().path() + QLatin1Char('/') + QLatin1String(name); }

QString Convert() {
  static const QString path = QStandardPaths::findExecutable(QStringLiteral("convert"));
  return path;
}

void WriteRawPhoto() {
  QFile raw(PathOf("in.rgb"));
  if (!raw.open(QIODevice::WriteOnly)) return;
  const QImage rgb = Source()->Image().convertToFormat(QImage::Format_RGB888);
  for (int y = 0; y < kHeight; ++y) raw.write(reinterpret_cast<const char*>(rgb.constScanLine(y)), 3 * kWidth);
}

// convert reading the raw picture, applying the operation (none for the plain copy) and writing raw RGB.
void ConvertRun(benchmark::State& state, const QStringList& operation) {
  if (Convert().isEmpty()) return state.SkipWithError("convert not found");
  const QString size = QStringLiteral("%1x%2").arg(kWidth).arg(kHeight);
  QStringList args{QStringLiteral("-size"), size, QStringLiteral("-depth"), QStringLiteral("8"),
                   QStringLiteral("rgb:") + PathOf("in.rgb")};
  args << operation << QStringLiteral("rgb:") + PathOf("out.rgb");
  for (auto _ : state) {
    QProcess p;
    p.start(Convert(), args);
    if (!p.waitForFinished(600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
      state.SkipWithError("convert failed");
  }
}

void Convert_Copy(benchmark::State& state) { ConvertRun(state, {}); }
void Convert_Blur(benchmark::State& state) {
  ConvertRun(state, {QStringLiteral("-blur"), QStringLiteral("0x%1").arg(state.range(0))});
}
void Convert_Sharpen(benchmark::State& state) { ConvertRun(state, {QStringLiteral("-sharpen"), QStringLiteral("0x1")}); }

// Keeps each case's time so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (!r.error_occurred) {
        std::string name = r.run_name.function_name;
        if (!r.run_name.args.empty()) name += "/" + r.run_name.args;
        times_[QString::fromStdString(name)] = r.GetAdjustedRealTime();
      }
  }
  void PrintRatios() const {
    const double memcpy = times_.value(QStringLiteral("BM_Memcpy"));
    if (memcpy > 0) {
      std::printf("\ntime / memcpy of the picture's bytes (%.2f ms)\n", memcpy);
      for (auto it = times_.begin(); it != times_.end(); ++it)
        if (it.key().startsWith(QLatin1String("BM_")))
          std::printf("  %-20s %8.2f ms  %6.2fx\n", qPrintable(it.key()), it.value(), it.value() / memcpy);
    }
    std::printf("\nconvert time / ours (above 1: ours is faster)\n");
    const QString pairs[][2] = {{QStringLiteral("BM_Blur/1"), QStringLiteral("Convert_Blur/1")},
                                {QStringLiteral("BM_Blur/5"), QStringLiteral("Convert_Blur/5")},
                                {QStringLiteral("BM_Blur/10"), QStringLiteral("Convert_Blur/10")},
                                {QStringLiteral("BM_Sharpen"), QStringLiteral("Convert_Sharpen")}};
    for (const auto& p : pairs) {
      if (!times_.contains(p[0]) || !times_.contains(p[1])) continue;
      std::printf("  %-12s %9.1f ms  convert %9.1f ms  ratio %.2f\n", qPrintable(p[0]), times_[p[0]], times_[p[1]],
                  times_[p[1]] / times_[p[0]]);
    }
    if (times_.contains(QStringLiteral("Convert_Copy")))
      std::printf("  convert's plain copy of the raw picture: %.1f ms\n", times_[QStringLiteral("Convert_Copy")]);
  }

 private:
  QMap<QString, double> times_;
};

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_Exposure);
PIXMURA_BENCHMARK(BM_Saturation);
PIXMURA_BENCHMARK(BM_Brightness);
PIXMURA_BENCHMARK(BM_Contrast);
PIXMURA_BENCHMARK(BM_Gain);
PIXMURA_BENCHMARK(BM_Invert);
PIXMURA_BENCHMARK(BM_RedEye);
PIXMURA_BENCHMARK(BM_Pixelize)->Arg(2)->Arg(20);
PIXMURA_BENCHMARK(BM_Blur)->Arg(1)->Arg(5)->Arg(10);
PIXMURA_BENCHMARK(BM_Sharpen);
PIXMURA_BENCHMARK(BM_Chain);
BENCHMARK(Convert_Copy)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(Convert_Blur)->Arg(1)->Arg(5)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(Convert_Sharpen)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  WriteRawPhoto();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
