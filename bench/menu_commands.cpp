// Image > Clear Image as the user chooses it, on a 24-megapixel document: the fill with the background
// colour, its commit to the undo history and the window's update, beside a plain copy of the picture's
// bytes.
#include "BenchPictures.h"
#include "BenchProgram.h"
#include "app/App.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"

using namespace BenchPictures;

namespace {

void BM_Memcpy(benchmark::State& state) { Memcpy(state); }

// Each round clears to another colour, so that no state of the history equals the one before.
void BM_ClearImage(benchmark::State& state) {
  using namespace modMAIN;
  const int kind = int(state.range(0));
  state.SetLabel(KindName(kind));
  BenchProgram::OpenDocument(Picture(kind)->Clone());
  winMAIN* w = winMAIN::instance();
  uint32_t colour = 0x102030;
  const auto clear = [&] {
    colour = (colour * 2654435761u) & 0xFFFFFFu;
    Draw_Color[2] = colour;
    w->_menu_ClearImage_Action();
  };
  for (int i = 0; i < kHistoryLimit; ++i) clear();  // warm-up: a full history
  for (auto _ : state) clear();
  pic_Stack.clear();
  work_area.reset();
}

}  // namespace

PIXMURA_BENCHMARK(BM_Memcpy);
PIXMURA_BENCHMARK(BM_ClearImage)->Arg(kPhoto);

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
