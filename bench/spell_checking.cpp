// Typing into the Add Text window's text area while its words are checked: one key press (a letter or
// Backspace in turn) in the middle of a text of 20,000 words, and the area's repaint, with the English
// dictionary and without any. A frame is 16.7 ms; only the paragraph that changed is checked again.
#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextEdit>

#include "BenchProgram.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/SpellCheck.h"
#include "platform/StyledText.h"
#include "text/winTEXT.h"

namespace {

// 20,000 words in 200 paragraphs of 100, about one word in ten misspelt.
QString LongText() {
  const QStringList words = {QStringLiteral("the"),     QStringLiteral("quick"),   QStringLiteral("brown"),
                             QStringLiteral("fox"),     QStringLiteral("jumps"),   QStringLiteral("over"),
                             QStringLiteral("lazy"),    QStringLiteral("dog"),     QStringLiteral("painting"),
                             QStringLiteral("pictrue"), QStringLiteral("colour"),  QStringLiteral("window"),
                             QStringLiteral("recieve"), QStringLiteral("layer"),   QStringLiteral("brush"),
                             QStringLiteral("canvas"),  QStringLiteral("gradient"), QStringLiteral("speling"),
                             QStringLiteral("text"),    QStringLiteral("selection")};
  QString text;
  for (int p = 0; p < 200; ++p) {
    if (p > 0) text += QLatin1Char('\n');
    for (int i = 0; i < 100; ++i) {
      if (i > 0) text += QLatin1Char(' ');
      text += words[(p * 7 + i * 3 + i / 5) % words.size()];
    }
  }
  return text;
}

// Argument: 1 with the dictionary, 0 without any.
void BM_TypeIntoLongText(benchmark::State& state) {
  const bool checked = state.range(0) != 0;
  state.SetLabel(checked ? "checked" : "no dictionary");
  Platform::SpellChecker::OverrideLanguages(checked ? std::nullopt
                                                    : std::optional<QStringList>(QStringList{QStringLiteral("zz_ZZ")}));
  modOptions::option_UseOldText = true;
  winMAIN::instance()->drawing_TOOL_SET(modMAIN::TOOL_PENCIL);
  winMAIN::instance()->drawing_TOOL_SET(modMAIN::TOOL_STYLEDTEXT);
  winTEXT* w = winTEXT::existing();
  if (!w) {
    state.SkipWithError("the Add Text window did not open");
    return;
  }
  w->Area_Text().SetText(LongText());
  QApplication::processEvents();
  // The caret at the end of a word in the middle of the text, in view.
  QTextCursor caret(w->inpText->document()->findBlockByNumber(100));
  caret.movePosition(QTextCursor::EndOfWord);
  w->inpText->setTextCursor(caret);
  w->inpText->ensureCursorVisible();
  w->inpText->viewport()->repaint();
  int keys = 0;
  for (auto _ : state) {
    const bool letter = keys++ % 2 == 0;
    QKeyEvent press(QEvent::KeyPress, letter ? Qt::Key_S : Qt::Key_Backspace, Qt::NoModifier,
                    letter ? QStringLiteral("s") : QString());
    QApplication::sendEvent(w->inpText, &press);
    w->inpText->viewport()->repaint();
  }
  state.SetItemsProcessed(keys);
  winTEXT::Close_If_Open();
  QApplication::processEvents();
  Platform::SpellChecker::OverrideLanguages(std::nullopt);
}
BENCHMARK(BM_TypeIntoLongText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return BenchProgram::Run(argc, argv); }
