// The navigator's paint of a 24-megapixel picture (the photo and the screenshot) into a small and a large
// navigator, with white shown as transparent and without, beside a plain copy of the picture's bytes. The
// navigator repaints every 200 ms while it is open.
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include "BenchPictures.h"
#include "BenchProgram.h"
#include "app/App.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"

using namespace BenchPictures;

namespace {

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// Arguments: picture kind, canvas width, canvas height, white transparent (0 or 1).
void BM_NavigatorPaint(benchmark::State& state) {
  const int kind = int(state.range(0)), w = int(state.range(1)), h = int(state.range(2));
  state.SetLabel(QStringLiteral("%1 %2x%3%4").arg(KindName(kind)).arg(w).arg(h)
                     .arg(state.range(3) ? " transparent" : "").toStdString());
  modMAIN::work_area = Picture(kind);
  modMAIN::Save_as_Transparent = state.range(3) != 0;
  winTHUMBNAIL* navigator = winTHUMBNAIL::instance();
  QImage canvas(w, h, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&canvas);
    Platform::Graphics g(&p, w, h);
    navigator->Canvas1_Paint(g);
    benchmark::DoNotOptimize(canvas.constBits());
  }
  modMAIN::work_area.reset();
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_NavigatorPaint)
    ->Args({kPhoto, 200, 200, 0})
    ->Args({kPhoto, 1000, 800, 0})
    ->Args({kPhoto, 200, 200, 1})
    ->Args({kPhoto, 1000, 800, 1})
    ->Args({kScreenshot, 1000, 800, 1});

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
