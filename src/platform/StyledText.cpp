#include "platform/StyledText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>

namespace Platform {

QString EndOfLine() { return QStringLiteral("\n"); }

QString ReplaceLineEndings(const QString& text, const QString& with) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c == QLatin1Char('\r')) {
      if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ++i;
      out += with;
    } else if (c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
      out += with;
    } else {
      out += c;
    }
  }
  return out;
}

namespace {
bool SameStyle(const StyleRun& a, const StyleRun& b) {
  return a.Font == b.Font && a.Size == b.Size && a.Bold == b.Bold && a.Italic == b.Italic &&
         a.Underline == b.Underline && a.TextColor == b.TextColor;
}

// Adds text in a style at a position: to the last run when it has the same style and ends there.
void Append(std::vector<StyleRun>& runs, StyleRun style, const QString& text, int32_t start) {
  if (!runs.empty()) {
    StyleRun& last = runs.back();
    if (SameStyle(last, style) && last.Start + last.Text.size() == start) {
      last.Text += text;
      return;
    }
  }
  style.Text = text;
  style.Start = start;
  runs.push_back(std::move(style));
}

QTextCharFormat FormatOf(const StyleRun& run) {
  QTextCharFormat f;
  if (!run.Font.isEmpty()) f.setFontFamilies(QStringList{run.Font});
  if (run.Size > 0) f.setProperty(QTextFormat::FontPixelSize, std::max(1, int(std::lround(run.Size))));
  f.setFontWeight(run.Bold ? QFont::Bold : QFont::Normal);
  f.setFontItalic(run.Italic);
  f.setFontUnderline(run.Underline);
  f.setForeground(QColor::fromRgb(ToQRgb(run.TextColor)));
  return f;
}
}  // namespace

StyledText::StyledText() : own_(std::make_unique<QTextDocument>()), doc_(own_.get()) {}

StyledText::StyledText(QTextDocument* document) : doc_(document) {}

StyledText::~StyledText() = default;

StyledText::OneEdit::OneEdit(const StyledText& text) : doc_(text.doc_) { QTextCursor(doc_).beginEditBlock(); }

StyledText::OneEdit::~OneEdit() { QTextCursor(doc_).endEditBlock(); }

QString StyledText::Text() const { return ReplaceLineEndings(doc_->toPlainText(), EndOfLine()); }

int32_t StyledText::Length() const { return int32_t(std::max(0, doc_->characterCount() - 1)); }

void StyledText::SetText(const QString& text) {
  QTextCursor c(doc_);
  c.setPosition(0);
  const QTextCharFormat first = FormatAt(0);
  c.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  c.insertText(ReplaceLineEndings(text, EndOfLine()), first);
}

void StyledText::CopyFrom(const StyledText& other) {
  if (&other == this) return;
  QTextCursor c(doc_);
  c.select(QTextCursor::Document);
  c.removeSelectedText();
  c.insertFragment(QTextDocumentFragment(other.doc_));
}

StyleRun StyledText::StyleOf(const QTextCharFormat& format) const {
  const QFont base = doc_->defaultFont();
  const QFont f = format.font().resolve(base);
  StyleRun s;
  s.Font = f.family();
  s.Size = f.pixelSize() > 0 ? f.pixelSize() : (f.pointSizeF() > 0 ? f.pointSizeF() : 12);
  s.Bold = f.bold();
  s.Italic = f.italic();
  s.Underline = f.underline();
  s.TextColor = format.hasProperty(QTextFormat::ForegroundBrush) ? FromQRgb(format.foreground().color().rgb()) : 0;
  return s;
}

std::vector<StyleRun> StyledText::StyleRuns() const {
  std::vector<StyleRun> runs;
  for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.isValid()) Append(runs, StyleOf(f.charFormat()), ReplaceLineEndings(f.text(), EndOfLine()), f.position());
    }
    // The paragraph border reads as a line end in its own style, the one it was typed in, which the
    // document gives as the character format of the paragraph that follows it.
    const QTextBlock next = b.next();
    if (next.isValid()) Append(runs, StyleOf(next.charFormat()), EndOfLine(), b.position() + b.length() - 1);
  }
  return runs;
}

void StyledText::InsertStyleRun(const StyleRun& run, int32_t index) {
  const std::vector<StyleRun> runs = StyleRuns();
  const int32_t at = index >= 0 && size_t(index) < runs.size() ? runs[size_t(index)].Start : Length();
  QTextCursor c(doc_);
  c.setPosition(at);
  c.insertText(ReplaceLineEndings(run.Text, EndOfLine()), FormatOf(run));
}

std::vector<Paragraph> StyledText::Paragraphs() const {
  std::vector<Paragraph> out;
  for (QTextBlock b = doc_->begin(); b.isValid(); b = b.next()) {
    Paragraph p;
    p.StartPos = b.position();
    p.EndPos = b.next().isValid() ? b.next().position() : Length();
    const Qt::Alignment a = b.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter) p.Alignment = 2;
    else if (a & (Qt::AlignRight | Qt::AlignTrailing)) p.Alignment = 3;
    else if (a & Qt::AlignJustify) p.Alignment = 1;
    out.push_back(p);
  }
  return out;
}

void StyledText::SetAlignment(int32_t index, int32_t code) {
  QTextBlock b = doc_->findBlockByNumber(index);
  if (!b.isValid()) return;
  QTextBlockFormat f;
  f.setAlignment(code == 2 ? Qt::AlignHCenter : code == 3 ? Qt::AlignRight : code == 1 ? Qt::AlignJustify : Qt::AlignLeft);
  QTextCursor c(b);
  c.mergeBlockFormat(f);
}

QTextCharFormat StyledText::FormatAt(int32_t start) const {
  // The format of the character before the cursor: place it just after the character wanted.
  QTextCursor c(doc_);
  c.setPosition(std::clamp(start + 1, 0, Length()));
  return c.charFormat();
}

void StyledText::Change(int32_t start, int32_t length, const std::function<void(QTextCharFormat&)>& change) {
  const int32_t from = std::clamp(start, 0, Length());
  const int32_t to = int32_t(std::clamp(int64_t(start) + std::max(0, length), int64_t(from), int64_t(Length())));
  // Piece by piece, each of one format: a stretch of a fragment, or a paragraph border, whose format is
  // kept as the next paragraph's character format. The pieces make one edit, however many there are.
  const OneEdit edit(*this);
  for (int32_t pos = from; pos < to;) {
    QTextCursor c(doc_);
    c.setPosition(pos);
    const QTextBlock b = c.block();
    int32_t end = pos + 1;
    QTextCharFormat f = b.next().isValid() ? b.next().charFormat() : b.charFormat();
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      if (frag.position() <= pos && pos < frag.position() + frag.length()) {
        end = std::min<int32_t>(to, frag.position() + frag.length());
        f = frag.charFormat();
        break;
      }
    }
    change(f);
    c.setPosition(end, QTextCursor::KeepAnchor);
    c.setCharFormat(f);
    pos = end;
  }
}

QString StyledText::Font(int32_t start, int32_t) const { return StyleOf(FormatAt(start)).Font; }
double StyledText::Size(int32_t start, int32_t) const { return StyleOf(FormatAt(start)).Size; }
bool StyledText::Bold(int32_t start, int32_t) const { return StyleOf(FormatAt(start)).Bold; }
bool StyledText::Italic(int32_t start, int32_t) const { return StyleOf(FormatAt(start)).Italic; }
bool StyledText::Underline(int32_t start, int32_t) const { return StyleOf(FormatAt(start)).Underline; }
Color StyledText::TextColor(int32_t start, int32_t) const { return StyleOf(FormatAt(start)).TextColor; }

void StyledText::SetFont(int32_t start, int32_t length, const QString& name) {
  Change(start, length, [&name](QTextCharFormat& f) { f.setFontFamilies(QStringList{name}); });
}

void StyledText::SetSize(int32_t start, int32_t length, double size) {
  // A size in points (from pasted text) gives way to the size in pixels.
  const int pixels = std::max(1, int(std::lround(size)));
  Change(start, length, [pixels](QTextCharFormat& f) {
    f.clearProperty(QTextFormat::FontPointSize);
    f.setProperty(QTextFormat::FontPixelSize, pixels);
  });
}

void StyledText::SetBold(int32_t start, int32_t length, bool on) {
  Change(start, length, [on](QTextCharFormat& f) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
}

void StyledText::SetItalic(int32_t start, int32_t length, bool on) {
  Change(start, length, [on](QTextCharFormat& f) { f.setFontItalic(on); });
}

void StyledText::SetUnderline(int32_t start, int32_t length, bool on) {
  Change(start, length, [on](QTextCharFormat& f) { f.setFontUnderline(on); });
}

void StyledText::SetTextColor(int32_t start, int32_t length, Color colour) {
  const QColor c = QColor::fromRgb(ToQRgb(colour));
  Change(start, length, [&c](QTextCharFormat& f) { f.setForeground(c); });
}

}  // namespace Platform
