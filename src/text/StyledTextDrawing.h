#pragma once
// Laying out, measuring and drawing a styled text in lines. A line ends at a line end, or wraps at a blank
// where it reaches the wrap width; it is aligned left, centred or right within the wrap width by its
// paragraph's alignment. A line is made of sections, one for each run or part of a run on it, each
// measured in its own font, size and style on a small picture of its own, never in the target context.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/StyledText.h"
#include "text/FormattedText.h"

class DrawnSection {
 public:
  QString SectionText;

  int32_t SectionTextHeight() const;
  // Gives the context the section's font, size, style and colour.
  void SetTo(Platform::Graphics& g) const;
  // Takes the run's style (not its text). A font name holding "Plain:" is cut before it and trimmed, in
  // the run too.
  void SetFrom(FormattedTextRun& run);
  // The width of the section's text; 0 when its measuring context has the size 0.
  int32_t SectionWidth() const;
  int32_t SectionTextAscent() const;

 private:
  // Makes the measuring picture with its context in the section's style, at the first measurement.
  void LoadGraphics() const;

  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  int32_t TextSize = 0;
  QString TextFont;
  Platform::Color TextColor = 0;
  mutable std::optional<Platform::Graphics> MyGraphics;
  mutable Platform::PicturePtr MyPicture;
};

class DrawnLine {
 public:
  std::vector<DrawnSection> Sections;
  int32_t LineAlignment = 0;

  // The largest text height of the sections; 0 without sections.
  int32_t LineTextHeight() const;
  // The sum of the sections' widths, with 3 pixels more for each section.
  int32_t LineWidth() const;
  // The largest ascent of the sections; 0 without sections.
  int32_t LineTextAscent() const;
};

namespace StyledTextDrawing {

// The text settings that DrawStyledText keeps while it draws and puts back at its end.
inline QString gTextFont;
inline int32_t gTextSize = 0;
inline Platform::Color gTextColor = 0x000000;
inline bool gBold = false;
inline bool gItalic = false;
inline bool gUnderline = false;

// Takes the next line from the front of the text. Every call takes some text while any is left: a word
// wider than the wrap width stands alone on its line, and with a wrap width of 0 or less each line takes
// one character.
DrawnLine PrepareLine(FormattedText& text, int32_t wrap);
// The sum of the lines' heights.
int32_t StyledTextHeight(const Platform::StyledText& text, int32_t wrap);
// The widest line's width plus 3.
int32_t StyledTextWidth(const Platform::StyledText& text, int32_t wrap);
// Draws the text line under line, the top of the first at (x, y). The context's text settings are the
// same afterwards, however the drawing ends.
void DrawStyledText(Platform::Graphics& g, const Platform::StyledText& text, int32_t x, int32_t y, int32_t wrap);
// Draws one line with its top at y, placed within the wrap width by its alignment. Pure white text is
// drawn as &hFEFEFE while a styled text is being placed with a transparent background.
void DrawLine(const DrawnLine& line, Platform::Graphics& g, int32_t x, int32_t y, int32_t wrap);
void SaveGraphicsSettings(Platform::Graphics& g);
void RestoreGraphicsSettings(Platform::Graphics& g);

}  // namespace StyledTextDrawing
