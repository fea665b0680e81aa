#include "text/StyledTextDrawing.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "core/EditingState.h"
#include "platform/Numbers.h"

namespace {
// The font of a context as its renderer draws it: the old renderer draws text without anti-aliasing,
// which the painter's render hints alone do not give, so the font itself says so. Measures come from the
// same font, so that they match what is drawn.
QFont Rendered_Font(const Platform::Graphics& g) {
  QFont f = g.Font();
  if (!g.AntiAlias()) f.setStyleStrategy(QFont::NoAntialias);
  return f;
}
}  // namespace

// ---- DrawnSection ----

void DrawnSection::SetFrom(FormattedTextRun& run) {
  const qsizetype cut = run.TextFont.indexOf(QLatin1String("Plain:"));
  if (cut >= 0) run.TextFont = run.TextFont.left(cut).trimmed();
  Bold = run.Bold;
  Italic = run.Italic;
  Underline = run.Underline;
  TextFont = run.TextFont;
  TextSize = run.TextSize;
  TextColor = run.TextColor;
}

void DrawnSection::SetTo(Platform::Graphics& g) const {
  g.SetTextFont(TextFont);
  g.SetTextSize(TextSize);
  g.SetBold(Bold);
  g.SetItalic(Italic);
  g.SetUnderline(Underline);
  g.SetForeColor(TextColor);
}

void DrawnSection::LoadGraphics() const {
  if (MyGraphics) return;
  // Only its context's settings are used: its pixels are never read.
  MyPicture = Platform::Picture::CreateUnfilled(128, 128, 32);
  MyGraphics.emplace(MyPicture);
  SetTo(*MyGraphics);
}

int32_t DrawnSection::SectionTextHeight() const {
  LoadGraphics();
  return int32_t(std::ceil(QFontMetricsF(Rendered_Font(*MyGraphics)).height()));
}

int32_t DrawnSection::SectionTextAscent() const {
  LoadGraphics();
  return int32_t(std::ceil(QFontMetricsF(Rendered_Font(*MyGraphics)).ascent()));
}

int32_t DrawnSection::SectionWidth() const {
  LoadGraphics();
  if (MyGraphics->State().textSize == 0) return 0;
  return Platform::ToInt(QFontMetricsF(Rendered_Font(*MyGraphics)).horizontalAdvance(SectionText));
}

// ---- DrawnLine ----

int32_t DrawnLine::LineTextHeight() const {
  int32_t h = 0;
  for (const DrawnSection& s : Sections) h = std::max(h, s.SectionTextHeight());
  return h;
}

int32_t DrawnLine::LineTextAscent() const {
  int32_t a = 0;
  for (const DrawnSection& s : Sections) a = std::max(a, s.SectionTextAscent());
  return a;
}

int32_t DrawnLine::LineWidth() const {
  int64_t w = 0;
  for (const DrawnSection& s : Sections) w += int64_t(s.SectionWidth()) + 3;
  return Platform::ClampInt(w);
}

// ---- StyledTextDrawing ----

namespace StyledTextDrawing {

namespace {
// The characters that make up the first character of the text (two for a surrogate pair).
qsizetype First_Character(const QString& text) {
  if (text.isEmpty()) return 0;
  return text.size() >= 2 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate() ? 2 : 1;
}

// Puts the context's text settings back however the drawing ends.
class Settings_Kept {
 public:
  explicit Settings_Kept(Platform::Graphics& g) : g_(g) { SaveGraphicsSettings(g_); }
  ~Settings_Kept() { RestoreGraphicsSettings(g_); }
  Settings_Kept(const Settings_Kept&) = delete;
  Settings_Kept& operator=(const Settings_Kept&) = delete;

 private:
  Platform::Graphics& g_;
};
}  // namespace

DrawnLine PrepareLine(FormattedText& text, int32_t wrap) {
  DrawnLine line;
  const QString eol = Platform::EndOfLine();
  int64_t used = 0;
  while (!text.StyleRuns.empty()) {
    FormattedTextRun& run = text.StyleRuns.front();
    line.LineAlignment = run.Alignment;
    line.Sections.emplace_back();
    DrawnSection& section = line.Sections.back();
    section.SetFrom(run);
    section.SectionText = run.Text;

    if (wrap <= 0) {
      // Nothing is narrower than the wrap width: one character makes the line.
      const qsizetype n = First_Character(run.Text);
      section.SectionText = run.Text.left(n);
      run.Text = run.Text.mid(n);
      if (run.Text.isEmpty()) text.StyleRuns.pop_front();
      break;
    }

    const int32_t width = section.SectionWidth();
    if (used + width < wrap) {
      const bool ends = section.SectionText.contains(eol);
      text.StyleRuns.pop_front();
      if (ends) break;
      used += width;
      continue;
    }

    // The run does not fit: as many of its words as fit, each with its blank, stay on this line.
    const QStringList fields = run.Text.split(QLatin1Char(' '));
    const qsizetype n = fields.size();
    section.SectionText.clear();
    qsizetype i = 1;
    while (used + section.SectionWidth() < wrap && i <= n) {
      section.SectionText += fields[i - 1] + QLatin1Char(' ');
      ++i;
    }
    // The word added last made it too wide: it goes back with its blank.
    if (i > 1) section.SectionText.chop(fields[i - 2].size() + 1);
    if (section.SectionText.isEmpty() && line.Sections.size() == 1) {
      // A first word wider than the whole line stands alone on it, with its blank when it has one.
      section.SectionText = n > 1 ? fields[0] + QLatin1Char(' ') : run.Text;
    }
    run.Text = run.Text.mid(std::min(section.SectionText.size(), run.Text.size()));
    if (run.Text.isEmpty()) text.StyleRuns.pop_front();
    break;
  }
  return line;
}

int32_t StyledTextHeight(const Platform::StyledText& styled, int32_t wrap) {
  FormattedText text(styled);
  int64_t h = 0;
  while (!text.StyleRuns.empty()) h += PrepareLine(text, wrap).LineTextHeight();
  return Platform::ClampInt(h);
}

int32_t StyledTextWidth(const Platform::StyledText& styled, int32_t wrap) {
  FormattedText text(styled);
  int32_t w = 0;
  while (!text.StyleRuns.empty()) w = std::max(w, PrepareLine(text, wrap).LineWidth());
  return Platform::ClampInt(int64_t(w) + 3);
}

void DrawStyledText(Platform::Graphics& g, const Platform::StyledText& styled, int32_t x, int32_t y, int32_t wrap) {
  Settings_Kept kept(g);
  FormattedText text(styled);
  int64_t top = y;
  while (!text.StyleRuns.empty()) {
    const DrawnLine line = PrepareLine(text, wrap);
    DrawLine(line, g, x, Platform::ClampInt(top), wrap);
    top += line.LineTextHeight();
  }
}

void DrawLine(const DrawnLine& line, Platform::Graphics& g, int32_t x, int32_t y, int32_t wrap) {
  const int32_t ascent = line.LineTextAscent();
  double position = x;
  if (line.LineAlignment == 2) position = Platform::ToInt(x + (double(wrap) - line.LineWidth()) / 2);
  else if (line.LineAlignment == 3) position = double(x) + wrap - line.LineWidth();
  for (const DrawnSection& section : line.Sections) {
    section.SetTo(g);
    if (g.ForeColor() == 0xFFFFFF && modMAIN::Dragging_Text_Mode == 1) g.SetForeColor(0xFEFEFE);
    const QFont font = Rendered_Font(g);
    const QColor colour = QColor::fromRgb(Platform::ToQRgb(g.ForeColor()));
    g.WithPainter([&](QPainter& p) {
      p.setFont(font);
      p.setPen(colour);
      p.drawText(QPointF(position, double(y) + ascent), section.SectionText);
    });
    position = Platform::ToInt(position + QFontMetricsF(font).horizontalAdvance(section.SectionText));
  }
}

void SaveGraphicsSettings(Platform::Graphics& g) {
  const Platform::DrawState& s = g.State();
  gTextFont = s.textFont;
  gTextSize = Platform::ToInt(s.textSize);
  gTextColor = s.foreColor;
  gBold = s.bold;
  gItalic = s.italic;
  gUnderline = s.underline;
}

void RestoreGraphicsSettings(Platform::Graphics& g) {
  g.SetTextFont(gTextFont);
  g.SetTextSize(gTextSize);
  g.SetForeColor(gTextColor);
  g.SetBold(gBold);
  g.SetItalic(gItalic);
  g.SetUnderline(gUnderline);
}

}  // namespace StyledTextDrawing
