#pragma once
// A styled text flattened for laying out: a list of runs in which a run holds at most one line end, always
// as its last characters, and carries the alignment of its paragraph. One measuring or drawing pass
// builds its own and uses it up, taking runs from the front as it lays out lines.
#include <QString>
#include <cstdint>
#include <deque>

#include "platform/StyledText.h"
#include "platform/Types.h"

class FormattedTextRun {
 public:
  QString Text;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  QString TextFont;
  int32_t TextSize = 0;
  Platform::Color TextColor = 0;
  int32_t Alignment = 0;

  FormattedTextRun() = default;
  // The run's text, style and colour, its size made a whole number; the alignment stays 0.
  explicit FormattedTextRun(const Platform::StyleRun& run);
  FormattedTextRun MakeCopy() const { return *this; }
};

class FormattedText {
 public:
  std::deque<FormattedTextRun> StyleRuns;

  // The runs of the styled text, split after each line end, each with its paragraph's alignment.
  explicit FormattedText(const Platform::StyledText& text);
  FormattedText() = default;
  // A copy whose runs are copies of these.
  FormattedText MakeCopy() const;
  // The first paragraph whose start is at most the position and whose end is at least it; 0 when none.
  static int32_t FindParagraph(const Platform::StyledText& text, int32_t position);
};
