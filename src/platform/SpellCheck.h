#pragma once
// Spell checking as the user types, over Enchant: the dictionary of the user's language (English when
// none is installed for it) together with the user's personal word list.
//
// A SpellCheck attached to a text area underlines every word that the dictionary does not know with the
// platform's spell-check underline, checking again only the paragraphs that change. The underline lives
// in the layout of the area's document, never in its character formats: whatever reads the document's
// text and styles (copies, pictures, the clipboard) never sees it. A contextual click on an underlined
// word offers suggestions, "Ignore Spelling" and "Learn Spelling" above the area's usual menu.
//
// Without Enchant or without any dictionary the area is left exactly as it was: no underline and no
// spelling entry in its menu.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QSyntaxHighlighter>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QMenu;
class QPoint;
class QTextEdit;

namespace Platform {

// One dictionary of Enchant for as long as the object lives.
class SpellChecker {
 public:
  // The dictionary of the first of Languages() that has one; not usable when none has one or Enchant
  // fails.
  SpellChecker();
  ~SpellChecker();
  SpellChecker(const SpellChecker&) = delete;
  SpellChecker& operator=(const SpellChecker&) = delete;

  bool Usable() const;
  // The language of the dictionary in use; empty when not usable.
  QString Language() const;

  // Whether the dictionary, the personal word list or the words ignored here know the word; every word
  // is known while the checker is not usable.
  bool Knows(const QString& word);
  // At most `most` corrections for the word, the likeliest first.
  QStringList Suggestions(const QString& word, int most);
  // The word counts as known for the rest of this checker's life.
  void Ignore(const QString& word);
  // Adds the word to the user's personal word list, which every later checker reads.
  void Learn(const QString& word);

  // The languages whose dictionaries are tried, in order, for a locale's name ("de_DE", "C"): the
  // locale's own, then English.
  static QStringList LanguagesOf(const QString& localeName);
  // Those of the user's locale, unless a test names others.
  static QStringList Languages();
  static void OverrideLanguages(std::optional<QStringList> languages);

 private:
  struct Dictionary;
  std::unique_ptr<Dictionary> dict_;
  // Answers already given: a paragraph checked again after a key press costs lookups, not dictionary calls.
  QHash<QString, bool> known_;
};

// A word of a text: its first character's position and its characters.
struct SpellingWord {
  int32_t Start = 0;
  QString Text;
  int32_t End() const { return Start + int32_t(Text.size()); }
};

// The words of a paragraph that are checked: runs of letters (apostrophes inside them included); words
// holding digits are left alone.
std::vector<SpellingWord> WordsToCheck(const QString& paragraph);

// The underlining of a document's unknown words.
class SpellingHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  SpellingHighlighter(QTextDocument* document, SpellChecker* checker);
  // The unknown word at a position of the document (a position inside it or at either of its ends).
  std::optional<SpellingWord> UnknownWordAt(int32_t position);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  SpellChecker* checker_;
};

class SpellCheck : public QObject {
  Q_OBJECT
 public:
  // Checks the area's text as the user types and gives its contextual menu the spelling entries; a
  // child of the area, it lasts as long as the area does.
  explicit SpellCheck(QTextEdit* area);
  ~SpellCheck() override;

  // Whether a dictionary is in use.
  bool Active() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // The area's contextual menu at a point of its viewport, for the word at a position of its text.
  void Show_Menu(const QPoint& at, int32_t position);
  // Puts the suggestions and the spelling commands for the word at the top of the menu.
  void Add_Spelling_Entries(QMenu* menu, const SpellingWord& word);
  // The word replaced by the text in the style of its first character, as one edit of the area.
  void Replace(const SpellingWord& word, const QString& with);

  QTextEdit* area_;
  std::unique_ptr<SpellChecker> checker_;
  // Owned by the document, which may go first.
  QPointer<SpellingHighlighter> highlighter_;
};

}  // namespace Platform
