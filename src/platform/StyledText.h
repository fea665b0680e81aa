#pragma once
// A styled text: text in several fonts, sizes, styles and colours, kept in a QTextDocument, read as style
// runs (stretches of one style) and paragraphs (with their alignment codes) on one scale of character
// positions. A text area's document can be read and changed through a StyledText that looks at it.
//
// The document keeps no line-end character in its paragraphs' text; here every paragraph border reads as
// the line end "\n" at the border's position, in the style it was typed in (joined to the run before it
// when the styles agree), so that a style run reads as the text holds it. Line separators inside a
// paragraph read as "\n" too.
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Types.h"

class QTextDocument;
class QTextCharFormat;

namespace Platform {

// The line end of the platform: every line end of a styled text reads as this one sequence.
QString EndOfLine();
// The text with each of its line ends (carriage return and line feed together, either alone, and the
// line and paragraph separators) replaced by the given sequence.
QString ReplaceLineEndings(const QString& text, const QString& with);

// One stretch of text in one style.
struct StyleRun {
  QString Text;
  QString Font;
  double Size = 0;  // pixels
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  Color TextColor = 0;
  int32_t Start = 0;  // the position of its first character in the whole text
};

// One paragraph: its first position, its end (the start of the next paragraph; for the last, the end of
// the text) and its alignment code: 0 left, 1 justified, 2 centred, 3 right.
struct Paragraph {
  int32_t StartPos = 0;
  int32_t EndPos = 0;
  int32_t Alignment = 0;
};

class StyledText {
 public:
  // An empty styled text with a document of its own.
  StyledText();
  // The styled text of a document kept elsewhere (a text area's); the document must outlive this object.
  explicit StyledText(QTextDocument* document);
  ~StyledText();
  StyledText(const StyledText&) = delete;
  StyledText& operator=(const StyledText&) = delete;

  QTextDocument* Document() const { return doc_; }

  // The changes made while one of these lives reach the document as one edit: a text area lays the
  // document out once for all of them, and one undo takes them all back.
  class OneEdit {
   public:
    explicit OneEdit(const StyledText& text);
    ~OneEdit();
    OneEdit(const OneEdit&) = delete;
    OneEdit& operator=(const OneEdit&) = delete;

   private:
    QTextDocument* doc_;
  };

  // The whole text, paragraph borders as "\n".
  QString Text() const;
  int32_t Length() const;
  // Replaces the whole text; the new text takes the style of the first character.
  void SetText(const QString& text);
  // Makes this text a copy of the other one: its text, style runs and paragraphs.
  void CopyFrom(const StyledText& other);

  // The style runs, in order: each the longest stretch of one font, size, style and colour.
  std::vector<StyleRun> StyleRuns() const;
  int32_t StyleRunCount() const { return int32_t(StyleRuns().size()); }
  // Inserts the run's text in its style where run `index` starts (at the end when there is no such run).
  void InsertStyleRun(const StyleRun& run, int32_t index);

  std::vector<Paragraph> Paragraphs() const;
  int32_t ParagraphCount() const { return int32_t(Paragraphs().size()); }
  // Gives paragraph `index` the alignment code (0 left, 1 justified, 2 centred, 3 right).
  void SetAlignment(int32_t index, int32_t code);

  // Attributes over a range (start, length). The readers report the range's first character, or the
  // last character of the text when the range starts at its end; the setters change every character of
  // the range, clipped to the text.
  QString Font(int32_t start, int32_t length) const;
  void SetFont(int32_t start, int32_t length, const QString& name);
  double Size(int32_t start, int32_t length) const;
  void SetSize(int32_t start, int32_t length, double size);
  bool Bold(int32_t start, int32_t length) const;
  void SetBold(int32_t start, int32_t length, bool on);
  bool Italic(int32_t start, int32_t length) const;
  void SetItalic(int32_t start, int32_t length, bool on);
  bool Underline(int32_t start, int32_t length) const;
  void SetUnderline(int32_t start, int32_t length, bool on);
  Color TextColor(int32_t start, int32_t length) const;
  void SetTextColor(int32_t start, int32_t length, Color colour);

  // The style of a character format, resolved against the document's default font.
  StyleRun StyleOf(const QTextCharFormat& format) const;

 private:
  QTextCharFormat FormatAt(int32_t start) const;
  // Changes the format of every character of the range, paragraph borders included.
  void Change(int32_t start, int32_t length, const std::function<void(QTextCharFormat&)>& change);

  std::unique_ptr<QTextDocument> own_;
  QTextDocument* doc_ = nullptr;
};

using StyledTextPtr = std::shared_ptr<StyledText>;

}  // namespace Platform
