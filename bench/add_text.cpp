// The Add Text window with a text of 20,000 lines: its opening (the first one, which offers the single-line
// text object's text and styles all of it, and one after a Place, which offers the placed text), and a
// change of font, size or bold over all of it, each with the repaint that follows. Every line is one piece
// of text to style: the words and the line end after them.
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTextEdit>

#include "BenchProgram.h"
#include "core/EditingState.h"
#include "platform/StyledText.h"
#include "text/classTEXT2.h"
#include "text/winTEXT.h"

namespace {

constexpr int kLines = 20000;

QString Lines() {
  QStringList lines;
  for (int i = 0; i < kLines; ++i) lines << QStringLiteral("Line %1 of the text to style").arg(i);
  return lines.join(QLatin1Char('\n'));
}

// Lets the window lay itself out and paint, and a closed one go.
void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The text offered at the window's opening: the text object's (argument 0) or the placed one (1).
void Offer(bool placed) {
  using namespace modMAIN;
  myOriginalStyledText = std::make_shared<Platform::StyledText>();
  if (placed) {
    Platform::StyleRun run;
    run.Text = Lines();
    run.Font = QStringLiteral("DejaVu Sans");
    run.Size = 18;
    run.TextColor = 0x102030;
    myOriginalStyledText->InsertStyleRun(run, 0);
  } else {
    Info_Text2->Text(Lines());
  }
}

void BM_AddTextOpen(benchmark::State& state) {
  const bool placed = state.range(0) != 0;
  state.SetLabel(placed ? "after a Place" : "first opening");
  Offer(placed);
  for (auto _ : state) {
    winTEXT::Show_Window();
    Settle();
    state.PauseTiming();
    winTEXT::Close_If_Open();
    Settle();
    state.ResumeTiming();
  }
  modMAIN::myOriginalStyledText = std::make_shared<Platform::StyledText>();
  modMAIN::Info_Text2->Text(QStringLiteral("Enter Text Here"));
}

// Argument: 0 the font popup, 1 the size popup, 2 the bold button; each iteration changes all lines.
void BM_AddTextStyleChange(benchmark::State& state) {
  const int control = int(state.range(0));
  state.SetLabel(control == 0 ? "font" : control == 1 ? "size" : "bold");
  Offer(true);
  winTEXT::Show_Window();
  Settle();
  winTEXT* w = winTEXT::existing();
  w->inpText->selectAll();
  QComboBox* popup = control == 0 ? w->puFONT : w->puSIZE;
  const int rows[2] = {popup->findText(control == 0 ? QStringLiteral("DejaVu Serif") : QStringLiteral("24")),
                       popup->findText(control == 0 ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("36"))};
  int turn = 0;
  for (auto _ : state) {
    if (control == 2) w->btnBOLD->click();
    else popup->setCurrentIndex(rows[turn++ & 1]);
    Settle();
  }
  winTEXT::Close_If_Open();
  Settle();
  modMAIN::myOriginalStyledText = std::make_shared<Platform::StyledText>();
}

}  // namespace

BENCHMARK(BM_AddTextOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(2.0);
BENCHMARK(BM_AddTextStyleChange)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(2.0);

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
