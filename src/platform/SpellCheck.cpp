#include "platform/SpellCheck.h"

#include <enchant.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMenu>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace Platform {

namespace {
std::optional<QStringList>& Languages_Override() {
  static std::optional<QStringList> languages;
  return languages;
}
}  // namespace

// ---- The dictionary ----

struct SpellChecker::Dictionary {
  EnchantBroker* broker = nullptr;
  EnchantDict* dict = nullptr;
  QString language;

  Dictionary() {
    broker = enchant_broker_init();
    if (!broker) return;
    for (const QString& tag : SpellChecker::Languages()) {
      const QByteArray t = tag.toUtf8();
      if (t.isEmpty() || !enchant_broker_dict_exists(broker, t.constData())) continue;
      dict = enchant_broker_request_dict(broker, t.constData());
      if (dict) {
        language = tag;
        break;
      }
    }
  }
  ~Dictionary() {
    if (dict) enchant_broker_free_dict(broker, dict);
    if (broker) enchant_broker_free(broker);
  }
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;
};

SpellChecker::SpellChecker() : dict_(std::make_unique<Dictionary>()) {}

SpellChecker::~SpellChecker() = default;

bool SpellChecker::Usable() const { return dict_->dict != nullptr; }

QString SpellChecker::Language() const { return dict_->language; }

bool SpellChecker::Knows(const QString& word) {
  if (!Usable() || word.isEmpty()) return true;
  const auto found = known_.constFind(word);
  if (found != known_.cend()) return *found;
  const QByteArray w = word.toUtf8();
  // 0: known; above 0: unknown; below 0: Enchant could not tell, which underlines nothing.
  const bool knows = enchant_dict_check(dict_->dict, w.constData(), w.size()) <= 0;
  known_.insert(word, knows);
  return knows;
}

QStringList SpellChecker::Suggestions(const QString& word, int most) {
  QStringList out;
  if (!Usable() || word.isEmpty() || most <= 0) return out;
  const QByteArray w = word.toUtf8();
  size_t count = 0;
  char** list = enchant_dict_suggest(dict_->dict, w.constData(), w.size(), &count);
  for (size_t i = 0; list && i < count && out.size() < most; ++i) {
    const QString s = QString::fromUtf8(list[i]);
    if (!s.isEmpty() && s != word && !out.contains(s)) out << s;
  }
  if (list) enchant_dict_free_string_list(dict_->dict, list);
  return out;
}

void SpellChecker::Ignore(const QString& word) {
  if (!Usable() || word.isEmpty()) return;
  const QByteArray w = word.toUtf8();
  enchant_dict_add_to_session(dict_->dict, w.constData(), w.size());
  // The dictionary may now accept other forms of the word too.
  known_.clear();
}

void SpellChecker::Learn(const QString& word) {
  if (!Usable() || word.isEmpty()) return;
  const QByteArray w = word.toUtf8();
  enchant_dict_add(dict_->dict, w.constData(), w.size());
  known_.clear();
}

QStringList SpellChecker::LanguagesOf(const QString& localeName) {
  QStringList out;
  // "C" and "POSIX" name no language. Enchant itself falls back from a language and region ("de_AT") to
  // any dictionary of the language.
  const QString name = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
  if (!name.isEmpty() && name != QLatin1String("C") && name != QLatin1String("POSIX")) out << name;
  for (const QString& english : {QStringLiteral("en_US"), QStringLiteral("en")})
    if (!out.contains(english)) out << english;
  return out;
}

QStringList SpellChecker::Languages() {
  if (Languages_Override()) return *Languages_Override();
  return LanguagesOf(QLocale::system().name());
}

void SpellChecker::OverrideLanguages(std::optional<QStringList> languages) {
  Languages_Override() = std::move(languages);
}

// ---- Words ----

std::vector<SpellingWord> WordsToCheck(const QString& paragraph) {
  std::vector<SpellingWord> words;
  QTextBoundaryFinder finder(QTextBoundaryFinder::Word, paragraph);
  qsizetype start = -1;
  for (qsizetype at = finder.position(); at >= 0; at = finder.toNextBoundary()) {
    const QTextBoundaryFinder::BoundaryReasons why = finder.boundaryReasons();
    if (start >= 0 && (why & QTextBoundaryFinder::EndOfItem)) {
      const QString text = paragraph.mid(start, at - start);
      bool letter = false, digit = false;
      for (const QChar c : text) {
        letter |= c.isLetter();
        digit |= c.isDigit();
      }
      if (letter && !digit) words.push_back({int32_t(start), text});
      start = -1;
    }
    if (why & QTextBoundaryFinder::StartOfItem) start = at;
  }
  return words;
}

// ---- The underline ----

SpellingHighlighter::SpellingHighlighter(QTextDocument* document, SpellChecker* checker)
    : QSyntaxHighlighter(document), checker_(checker) {}

void SpellingHighlighter::highlightBlock(const QString& text) {
  QTextCharFormat unknown;
  unknown.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
  unknown.setUnderlineColor(Qt::red);
  for (const SpellingWord& word : WordsToCheck(text))
    if (!checker_->Knows(word.Text)) setFormat(word.Start, int(word.Text.size()), unknown);
}

std::optional<SpellingWord> SpellingHighlighter::UnknownWordAt(int32_t position) {
  const QTextBlock block = document()->findBlock(position);
  if (!block.isValid()) return std::nullopt;
  const int32_t inBlock = position - block.position();
  for (SpellingWord word : WordsToCheck(block.text())) {
    if (word.Start <= inBlock && inBlock <= word.End() && !checker_->Knows(word.Text)) {
      word.Start += block.position();
      return word;
    }
  }
  return std::nullopt;
}

// ---- The text area ----

SpellCheck::SpellCheck(QTextEdit* area)
    : QObject(area), area_(area), checker_(std::make_unique<SpellChecker>()) {
  setObjectName(QStringLiteral("spellCheck"));
  if (checker_->Usable()) highlighter_ = new SpellingHighlighter(area->document(), checker_.get());
  // Mouse clicks reach the area's viewport, the menu key the area itself.
  area->viewport()->installEventFilter(this);
  area->installEventFilter(this);
}

SpellCheck::~SpellCheck() {
  // The highlighter belongs to the document, which may outlive this object: it must not keep using the
  // checker that goes now.
  delete highlighter_;
}

bool SpellCheck::Active() const { return highlighter_ != nullptr; }

bool SpellCheck::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() != QEvent::ContextMenu || (watched != area_ && watched != area_->viewport()))
    return QObject::eventFilter(watched, e);
  const auto* menu = static_cast<QContextMenuEvent*>(e);
  QPoint at;
  int32_t position;
  if (watched == area_->viewport() && menu->reason() != QContextMenuEvent::Keyboard) {
    at = menu->pos();
    position = area_->cursorForPosition(at).position();
  } else {
    at = area_->cursorRect().center();
    position = area_->textCursor().position();
  }
  Show_Menu(at, position);
  return true;
}

void SpellCheck::Show_Menu(const QPoint& at, int32_t position) {
  QMenu* menu = area_->createStandardContextMenu();
  menu->setObjectName(QStringLiteral("spellingMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (highlighter_)
    if (const std::optional<SpellingWord> word = highlighter_->UnknownWordAt(position)) Add_Spelling_Entries(menu, *word);
  menu->popup(area_->viewport()->mapToGlobal(at));
}

void SpellCheck::Add_Spelling_Entries(QMenu* menu, const SpellingWord& word) {
  QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
  const auto add = [menu, first](const QString& caption, const QString& name) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(name);
    menu->insertAction(first, action);
    return action;
  };
  for (const QString& suggestion : checker_->Suggestions(word.Text, 5))
    connect(add(suggestion, QStringLiteral("spellingSuggestion")), &QAction::triggered, this,
            [this, word, suggestion] { Replace(word, suggestion); });
  if (!menu->actions().isEmpty() && menu->actions().first() != first) menu->insertSeparator(first);
  connect(add(QStringLiteral("Ignore Spelling"), QStringLiteral("spellingIgnore")), &QAction::triggered, this,
          [this, text = word.Text] {
            checker_->Ignore(text);
            highlighter_->rehighlight();
          });
  connect(add(QStringLiteral("Learn Spelling"), QStringLiteral("spellingLearn")), &QAction::triggered, this,
          [this, text = word.Text] {
            checker_->Learn(text);
            highlighter_->rehighlight();
          });
  if (first) menu->insertSeparator(first);
}

void SpellCheck::Replace(const SpellingWord& word, const QString& with) {
  QTextDocument* doc = area_->document();
  // The word may have changed since the menu opened.
  if (word.End() > doc->characterCount() - 1) return;
  QTextCursor range(doc);
  range.setPosition(word.Start);
  range.setPosition(word.End(), QTextCursor::KeepAnchor);
  if (range.selectedText() != word.Text) return;
  // The format of the character before a cursor: that of the word's first character.
  QTextCursor first(doc);
  first.setPosition(word.Start + 1);
  const QTextCharFormat style = first.charFormat();
  range.beginEditBlock();
  range.insertText(with, style);
  range.endEditBlock();
  area_->setTextCursor(range);
}

}  // namespace Platform
