// Saving and loading a 24-megapixel picture as PNG and JPEG, beside ImageMagick's convert doing the
// same in the same run; PNG saving also of the photo and the screenshot of BenchPictures.h. After the
// table, the ratio of convert's time to ours is printed per case (above 1: we are faster), and for PNG
// the ratio of the file sizes (below 1: ours is smaller).
//
// convert is run through QProcess: saving converts raw RGB (cheap to read) into the format, loading
// decodes the file into nothing ("null:"). Both sides use JPEG quality 75, Qt's default. convert is
// told to write 8-bit RGB PNG ("png24:"), the colour type the program writes for a 32-bit picture;
// left to itself it writes a palette for a picture of few colours.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchPictures.h"
#include "platform/Picture.h"
#include "platform/PictureIO.h"

namespace {

constexpr int kWidth = 6000, kHeight = 4000;

QTemporaryDir& Dir() {
  static QTemporaryDir d(QDir::tempPath() + QStringLiteral("/pixmura-bench-XXXXXX"));
  return d;
}
QString PathOf(const char* name) { return Dir().path() + QLatin1Char('/') + QLatin1String(name); }

// A photograph-like picture: smooth gradients with a little fixed noise, so that both encoders work.
const Platform::PicturePtr& Photo() {
  static Platform::PicturePtr p = [] {
    Platform::PicturePtr pic = Platform::Picture::Create(kWidth, kHeight, 32);
    uint32_t seed = 2024;
    for (int y = 0; y < kHeight; ++y) {
      QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
      for (int x = 0; x < kWidth; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const int n = int(seed >> 29);  // 0..7
        row[x] = qRgb((x * 255 / kWidth + n) & 255, (y * 255 / kHeight + n) & 255, ((x + y) / 40 + n) & 255);
      }
    }
    return pic;
  }();
  return p;
}

QString Convert() {
  static const QString path = QStandardPaths::findExecutable(QStringLiteral("convert"));
  return path;
}

bool RunConvert(const QStringList& args) {
  QProcess p;
  p.start(Convert(), args);
  return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The pictures PNG saving is measured on: this program's own, and the photo and the screenshot.
const char* const kPngPictures[] = {"bench", "photo", "screenshot"};
const Platform::PicturePtr& PngPicture(int i) {
  if (i == 1) return BenchPictures::Picture(BenchPictures::kPhoto);
  if (i == 2) return BenchPictures::Picture(BenchPictures::kScreenshot);
  return Photo();
}
QByteArray RawName(int i) { return QByteArray("in-") + kPngPictures[i] + ".rgb"; }

void Prepare() {
  const QImage img = Platform::PictureIO::ImageToWrite(*Photo());
  Platform::PictureIO::Write(img, PathOf("in.png"), "png");
  Platform::PictureIO::Write(img, PathOf("in.jpg"), "jpeg");
  for (int i = 0; i < 3; ++i) {
    QFile raw(PathOf(RawName(i).constData()));
    raw.open(QIODevice::WriteOnly);
    const QImage rgb = PngPicture(i)->Image().convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < kHeight; ++y) raw.write(reinterpret_cast<const char*>(rgb.constScanLine(y)), 3 * kWidth);
  }
}

void Ours_Save(benchmark::State& state, const char* format, const char* file, int picture = 0) {
  for (auto _ : state) {
    const Platform::WriteResult r =
        Platform::PictureIO::Write(Platform::PictureIO::ImageToWrite(*PngPicture(picture)), PathOf(file), format);
    if (!r.ok) state.SkipWithError("write failed");
  }
}

// Opening is timed after one untimed opening on both sides: the first in a process also pays for the
// memory the system hands out fresh (convert pays that in every run, being a new process each time).
void Ours_Load(benchmark::State& state, const char* type, const char* file) {
  Platform::PictureIO::Read(PathOf(file), QLatin1String(type));
  for (auto _ : state) {
    Platform::DecodedPicture d = Platform::PictureIO::Read(PathOf(file), QLatin1String(type));
    if (!d.picture) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(d.picture);
  }
}

void Convert_Save(benchmark::State& state, const char* target, const char* file = "out-convert", int picture = 0) {
  if (Convert().isEmpty()) return state.SkipWithError("convert not found");
  const QString size = QStringLiteral("%1x%2").arg(kWidth).arg(kHeight);
  for (auto _ : state)
    if (!RunConvert({QStringLiteral("-size"), size, QStringLiteral("-depth"), QStringLiteral("8"),
                     QStringLiteral("rgb:") + PathOf(RawName(picture).constData()), QStringLiteral("-quality"),
                     QStringLiteral("75"), QLatin1String(target) + PathOf(file)}))
      state.SkipWithError("convert failed");
}

void Convert_Load(benchmark::State& state, const char* source) {
  if (Convert().isEmpty()) return state.SkipWithError("convert not found");
  RunConvert({QLatin1String(source), QStringLiteral("null:")});
  for (auto _ : state)
    if (!RunConvert({QLatin1String(source), QStringLiteral("null:")})) state.SkipWithError("convert failed");
}

QByteArray PngOut(const char* who, int picture) { return QByteArray("out-") + who + "-" + kPngPictures[picture] + ".png"; }
void PNG_Save_Pixmura(benchmark::State& s) {
  const int i = int(s.range(0));
  s.SetLabel(kPngPictures[i]);
  Ours_Save(s, "png", PngOut("pixmura", i).constData(), i);
}
void PNG_Save_convert(benchmark::State& s) {
  const int i = int(s.range(0));
  s.SetLabel(kPngPictures[i]);
  Convert_Save(s, "png24:", PngOut("convert", i).constData(), i);
}
void PNG_Load_Pixmura(benchmark::State& s) { Ours_Load(s, "png", "in.png"); }
void PNG_Load_convert(benchmark::State& s) {
  static const QByteArray src = (QStringLiteral("png:") + PathOf("in.png")).toLocal8Bit();
  Convert_Load(s, src.constData());
}
void JPEG_Save_Pixmura(benchmark::State& s) { Ours_Save(s, "jpeg", "out.jpg"); }
void JPEG_Save_convert(benchmark::State& s) { Convert_Save(s, "jpeg:"); }
void JPEG_Load_Pixmura(benchmark::State& s) { Ours_Load(s, "jpg", "in.jpg"); }
void JPEG_Load_convert(benchmark::State& s) {
  static const QByteArray src = (QStringLiteral("jpeg:") + PathOf("in.jpg")).toLocal8Bit();
  Convert_Load(s, src.constData());
}

BENCHMARK(PNG_Save_Pixmura)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(PNG_Save_convert)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(PNG_Load_Pixmura)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(PNG_Load_convert)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(JPEG_Save_Pixmura)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(JPEG_Save_convert)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(JPEG_Load_Pixmura)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(JPEG_Load_convert)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

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
    std::printf("\nconvert time / Pixmura time (above 1: Pixmura is faster)\n");
    auto print = [this](const QString& name, const QString& ours, const QString& theirs) {
      if (!times_.contains(ours) || !times_.contains(theirs)) return;
      std::printf("  %-22s %9.1f ms  %9.1f ms  ratio %.2f\n", qPrintable(name), times_[ours], times_[theirs],
                  times_[theirs] / times_[ours]);
    };
    for (int i = 0; i < 3; ++i)
      print(QStringLiteral("PNG_Save ") + QLatin1String(kPngPictures[i]),
            QStringLiteral("PNG_Save_Pixmura/%1").arg(i), QStringLiteral("PNG_Save_convert/%1").arg(i));
    for (const char* c : {"PNG_Load", "JPEG_Save", "JPEG_Load"})
      print(QLatin1String(c), QLatin1String(c) + QStringLiteral("_Pixmura"), QLatin1String(c) + QStringLiteral("_convert"));
    std::printf("\nPNG file sizes: Pixmura, convert (png24:), Pixmura / convert\n");
    for (int i = 0; i < 3; ++i) {
      const double ours = double(QFileInfo(PathOf(PngOut("pixmura", i).constData())).size());
      const double theirs = double(QFileInfo(PathOf(PngOut("convert", i).constData())).size());
      if (ours > 0 && theirs > 0)
        std::printf("  %-12s %12.0f %12.0f  %.3f\n", kPngPictures[i], ours, theirs, ours / theirs);
    }
  }

 private:
  QMap<QString, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Prepare();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
