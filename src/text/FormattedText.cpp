#include "text/FormattedText.h"

#include <QStringList>
#include <algorithm>
#include <vector>

#include "platform/Numbers.h"

FormattedTextRun::FormattedTextRun(const Platform::StyleRun& run)
    : Text(run.Text),
      Bold(run.Bold),
      Italic(run.Italic),
      Underline(run.Underline),
      TextFont(run.Font),
      TextSize(Platform::ToInt(run.Size)),
      TextColor(run.TextColor & 0xFFFFFFu) {}

namespace {
// The paragraphs follow each other, so their starts and their ends both grow: the first one that ends at
// or after the position is the only one that may hold it, and it is found by halving.
int32_t Paragraph_Of(const std::vector<Platform::Paragraph>& paragraphs, int32_t position) {
  const auto it = std::partition_point(paragraphs.begin(), paragraphs.end(),
                                       [position](const Platform::Paragraph& p) { return p.EndPos < position; });
  if (it == paragraphs.end() || it->StartPos > position) return 0;
  return int32_t(it - paragraphs.begin());
}
}  // namespace

FormattedText::FormattedText(const Platform::StyledText& text) {
  const QString eol = Platform::EndOfLine();
  const std::vector<Platform::Paragraph> paragraphs = text.Paragraphs();
  for (Platform::StyleRun run : text.StyleRuns()) {
    run.Text = Platform::ReplaceLineEndings(run.Text, eol);
    const int32_t index = Paragraph_Of(paragraphs, run.Start);
    const int32_t alignment = size_t(index) < paragraphs.size() ? paragraphs[size_t(index)].Alignment : 0;
    // Each line end closes a run of its own; the last part, even an empty one, is a run too.
    const QStringList fields = run.Text.split(eol);
    for (qsizetype j = 0; j < fields.size(); ++j) {
      FormattedTextRun part(run);
      part.Text = j + 1 < fields.size() ? fields[j] + eol : fields[j];
      part.Alignment = alignment;
      StyleRuns.push_back(std::move(part));
    }
  }
}

FormattedText FormattedText::MakeCopy() const {
  FormattedText copy;
  for (const FormattedTextRun& run : StyleRuns) copy.StyleRuns.push_back(run.MakeCopy());
  return copy;
}

int32_t FormattedText::FindParagraph(const Platform::StyledText& text, int32_t position) {
  return Paragraph_Of(text.Paragraphs(), position);
}
