// Spell checking in the Add Text window's text area, driven through the window: which words are
// underlined as the user types, the contextual menu of an unknown word, and that the underline never
// reaches the placed text. Every test reads dictionaries it makes itself in its own home, where the spell
// checker looks first, so that what is installed on the machine does not matter.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QLocale>
#include <QWindow>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/SpellCheck.h"
#include "platform/StyledText.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/winTEXT.h"

using namespace modMAIN;
using Platform::SpellChecker;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// Writes a dictionary of the words for a language where the spell checker finds the user's own.
void Dictionary(const QString& language, const QStringList& words) {
  const QString folder = qEnvironmentVariable("ENCHANT_CONFIG_DIR") + QStringLiteral("/hunspell");
  QVERIFY(QDir().mkpath(folder));
  QFile aff(folder + QLatin1Char('/') + language + QStringLiteral(".aff"));
  QVERIFY(aff.open(QIODevice::WriteOnly));
  aff.write("SET UTF-8\nTRY esiarntolcdugmphbyfvkwzxqj'\n");
  QFile dic(folder + QLatin1Char('/') + language + QStringLiteral(".dic"));
  QVERIFY(dic.open(QIODevice::WriteOnly));
  dic.write(QString::number(words.size()).toUtf8() + '\n' + words.join(QLatin1Char('\n')).toUtf8() + '\n');
}

const QStringList kWords = {QStringLiteral("apple"),  QStringLiteral("banana"), QStringLiteral("cherry"),
                            QStringLiteral("don't"),  QStringLiteral("café"),   QStringLiteral("bat"),
                            QStringLiteral("cat"),    QStringLiteral("fat"),    QStringLiteral("hat"),
                            QStringLiteral("mat"),    QStringLiteral("rat"),    QStringLiteral("sat")};

// The styled text tool chosen: the Add Text window opens.
winTEXT* Open() {
  Main()->drawing_TOOL_SET(TOOL_PENCIL);
  Main()->drawing_TOOL_SET(TOOL_STYLEDTEXT);
  winTEXT* w = winTEXT::existing();
  if (w) QTest::qWait(0);
  return w;
}

// Types the text over the area's whole text; "\n" is the Return key.
void Type(winTEXT* w, const QString& text) {
  w->inpText->setFocus();
  w->inpText->selectAll();
  QTest::keyClick(w->inpText, Qt::Key_Delete);
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(w->inpText, Qt::Key_Return);
    for (const QChar c : lines[i]) {
      if (c.unicode() < 128) {
        QTest::keyClick(w->inpText, c.toLatin1());
      } else {
        // A letter of a keyboard layout that has it.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w->inpText, &press);
      }
    }
  }
}

// The words that the area shows with the spell-check underline, in order.
QStringList Underlined(winTEXT* w) {
  QStringList out;
  for (QTextBlock b = w->inpText->document()->begin(); b.isValid(); b = b.next())
    for (const QTextLayout::FormatRange& r : b.layout()->formats())
      if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline) out << b.text().mid(r.start, r.length);
  return out;
}

void Caret(winTEXT* w, int position, int anchor = -1) {
  QTextCursor c = w->inpText->textCursor();
  c.setPosition(anchor < 0 ? position : anchor);
  c.setPosition(position, QTextCursor::KeepAnchor);
  w->inpText->setTextCursor(c);
}

// A contextual click on the character after the position: the menu that opens.
QMenu* MenuAt(winTEXT* w, int position) {
  QTextCursor c(w->inpText->document());
  c.setPosition(position + 1);
  QWidget* viewport = w->inpText->viewport();
  const QPoint at = viewport->mapTo(w, w->inpText->cursorRect(c).center() - QPoint(2, 0));
  QTest::mouseClick(w->windowHandle(), Qt::RightButton, {}, at);
  for (int waited = 0; waited < 2000 && !QApplication::activePopupWidget(); waited += 10) QTest::qWait(10);
  return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QStringList Entries(QMenu* menu, const QString& name) {
  QStringList out;
  for (QAction* a : menu->actions())
    if (a->objectName() == name) out << a->text();
  return out;
}

// Chooses the menu's entry with the caption as the user does, with a click on it.
void Choose(QMenu* menu, const QString& caption) {
  QVERIFY2(menu, "no menu opened");
  for (QAction* a : menu->actions())
    if (a->text() == caption) {
      QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
      return;
    }
  QFAIL(qPrintable(QStringLiteral("no entry \"%1\"").arg(caption)));
}

void Close(QMenu* menu) {
  QPointer<QMenu> guard(menu);
  menu->close();
  QTRY_VERIFY(guard.isNull());
}
}  // namespace

class SpellCheckTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    modOptions::option_UseOldText = true;
    Dictionary(QStringLiteral("xx_XX"), kWords);
    SpellChecker::OverrideLanguages(QStringList{QStringLiteral("xx_XX")});
  }
  void cleanup() {
    SpellChecker::OverrideLanguages(std::nullopt);
    FixtureTest::cleanup();
  }

  // Every word the dictionary does not know is underlined as it is typed, wherever it stands; known
  // words, in any capitals, are not; words with digits are left alone.
  void unknownWordsAreUnderlined_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("underlined");
    QTest::newRow("all known") << "apple banana cherry" << QStringList{};
    QTest::newRow("first word of a paragraph") << "aple banana cherry" << QStringList{"aple"};
    QTest::newRow("last word of a paragraph") << "apple banana chery" << QStringList{"chery"};
    QTest::newRow("first word of the second paragraph") << "apple banana\nbananna cherry" << QStringList{"bananna"};
    QTest::newRow("last word of the first paragraph") << "apple bananna\nbanana cherry" << QStringList{"bananna"};
    QTest::newRow("between punctuation") << "apple,chery. (banan)!" << QStringList{"chery", "banan"};
    QTest::newRow("capitals of known words") << "Apple BANANA Cherry" << QStringList{};
    QTest::newRow("apostrophe inside a word") << "don't dont" << QStringList{"dont"};
    QTest::newRow("accented letters") << "café cafe" << QStringList{"cafe"};
    QTest::newRow("digits") << "apple 3d x86 42" << QStringList{};
    QTest::newRow("the same unknown word twice") << "aple apple aple" << QStringList{"aple", "aple"};
  }
  void unknownWordsAreUnderlined() {
    QFETCH(QString, text);
    QFETCH(QStringList, underlined);
    winTEXT* w = Open();
    Type(w, text);
    QCOMPARE(w->Area_Text().Text(), text);
    QCOMPARE(Underlined(w), underlined);
  }

  // The dictionary is the one of the user's language; English when there is none for it.
  void theDictionaryOfTheUsersLanguage_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("underlined");
    QTest::newRow("a language with a dictionary") << "xx_XX" << QStringList{"cherry"};
    QTest::newRow("a language without one: English") << "zz_ZZ" << QStringList{"banana"};
    QTest::newRow("no language (the C locale): English") << "C" << QStringList{"banana"};
    QTest::newRow("the system's locale") << QString() << QStringList{"banana"};
  }
  void theDictionaryOfTheUsersLanguage() {
    QFETCH(QString, locale);
    QFETCH(QStringList, underlined);
    Dictionary(QStringLiteral("xx_XX"), {QStringLiteral("apple"), QStringLiteral("banana")});
    Dictionary(QStringLiteral("en_US"), {QStringLiteral("apple"), QStringLiteral("cherry")});
    if (locale.isNull()) {
      // Whatever this machine's locale is, its language finds the English words of the test.
      const QString system = QLocale::system().name();
      if (system.contains(QLatin1Char('_')))
        Dictionary(system, {QStringLiteral("apple"), QStringLiteral("cherry")});
      SpellChecker::OverrideLanguages(std::nullopt);
    } else {
      SpellChecker::OverrideLanguages(SpellChecker::LanguagesOf(locale));
    }
    winTEXT* w = Open();
    Type(w, QStringLiteral("apple banana cherry"));
    QCOMPARE(Underlined(w), underlined);
  }

  // The underline goes as soon as the word is corrected, and comes as soon as a known word is spoilt;
  // the other words of the paragraph keep theirs.
  void editingAWordChecksItAgain() {
    winTEXT* w = Open();
    Type(w, QStringLiteral("aple banana chery"));
    QCOMPARE(Underlined(w), (QStringList{"aple", "chery"}));
    Caret(w, 1);
    QTest::keyClicks(w->inpText, QStringLiteral("p"));
    QCOMPARE(Underlined(w), QStringList{"chery"});
    Caret(w, 13);
    QTest::keyClick(w->inpText, Qt::Key_Delete);
    QCOMPARE(w->Area_Text().Text(), QStringLiteral("apple banana hery"));
    QCOMPARE(Underlined(w), QStringList{"hery"});
    Caret(w, 7);
    QTest::keyClick(w->inpText, Qt::Key_Delete);
    QCOMPARE(Underlined(w), (QStringList{"bnana", "hery"}));
  }

  // The contextual menu of an unknown word starts with at most five suggestions, then "Ignore Spelling"
  // and "Learn Spelling", above the area's usual entries; a known word's menu has only those.
  void theMenuOfAWord_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("suggestions");
    QTest::addColumn<bool>("spelling");
    QTest::newRow("a known word") << "banana" << 0 << false;
    QTest::newRow("an unknown word with many corrections") << "xat" << 5 << true;
    QTest::newRow("an unknown word with one correction") << "chery" << 1 << true;
    QTest::newRow("an unknown word without corrections") << "qqqqqq" << 0 << true;
  }
  void theMenuOfAWord() {
    QFETCH(QString, word);
    QFETCH(int, suggestions);
    QFETCH(bool, spelling);
    winTEXT* w = Open();
    Type(w, QStringLiteral("apple ") + word);
    QMenu* menu = MenuAt(w, 6);
    QVERIFY(menu);
    const QStringList offered = Entries(menu, QStringLiteral("spellingSuggestion"));
    QCOMPARE(offered.size(), suggestions);
    for (const QString& s : offered) QVERIFY2(kWords.contains(s), qPrintable(s));
    QCOMPARE(Entries(menu, QStringLiteral("spellingIgnore")), spelling ? QStringList{"Ignore Spelling"} : QStringList{});
    QCOMPARE(Entries(menu, QStringLiteral("spellingLearn")), spelling ? QStringList{"Learn Spelling"} : QStringList{});
    const QList<QAction*> actions = menu->actions();
    if (spelling) {
      // Suggestions first, the usual entries last.
      QCOMPARE(actions.first()->objectName(), suggestions ? QStringLiteral("spellingSuggestion") : QStringLiteral("spellingIgnore"));
      QVERIFY(!actions.last()->objectName().startsWith(QStringLiteral("spelling")));
    }
    QVERIFY(std::any_of(actions.begin(), actions.end(),
                        [](QAction* a) { return a->text().contains(QStringLiteral("Select All")); }));
    Close(menu);
  }

  // A suggestion takes the word's place in the word's style, as one step of the area's Undo.
  void aSuggestionReplacesTheWord() {
    winTEXT* w = Open();
    Type(w, QStringLiteral("apple chery banana"));
    Platform::StyledText& area = w->Area_Text();
    Caret(w, 11, 6);
    QTest::mouseClick(w->btnBOLD, Qt::LeftButton);
    w->Set_TextColor(0x00A000);
    area.SetSize(6, 5, 30);
    Caret(w, 0);
    Choose(MenuAt(w, 7), QStringLiteral("cherry"));
    QCOMPARE(area.Text(), QStringLiteral("apple cherry banana"));
    QCOMPARE(Underlined(w), QStringList{});
    for (int at : {6, 11}) {
      QVERIFY(area.Bold(at, 1));
      QCOMPARE(area.TextColor(at, 1), 0x00A000u);
      QCOMPARE(area.Size(at, 1), 30.0);
    }
    QVERIFY(!area.Bold(5, 1) && !area.Bold(12, 1));
    QCOMPARE(area.TextColor(13, 1), area.TextColor(0, 1));
    QTest::keyClick(w->inpText, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(area.Text(), QStringLiteral("apple chery banana"));
    QVERIFY(area.Bold(6, 1) && area.Bold(10, 1) && !area.Bold(11, 1));
    QCOMPARE(Underlined(w), QStringList{"chery"});
    QTest::keyClick(w->inpText, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(area.Text(), QStringLiteral("apple cherry banana"));
  }

  // "Ignore Spelling" accepts the word, every time it occurs, while the window stays open; "Learn
  // Spelling" adds it to the user's word list, so that it is known at the next opening too.
  void ignoringAndLearningAWord_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("knownWhenReopened");
    QTest::newRow("ignore") << "Ignore Spelling" << false;
    QTest::newRow("learn") << "Learn Spelling" << true;
  }
  void ignoringAndLearningAWord() {
    QFETCH(QString, entry);
    QFETCH(bool, knownWhenReopened);
    winTEXT* w = Open();
    Type(w, QStringLiteral("Pixmura banana\nPixmura chery"));
    QCOMPARE(Underlined(w), (QStringList{"Pixmura", "Pixmura", "chery"}));
    Choose(MenuAt(w, 16), entry);
    QCOMPARE(Underlined(w), QStringList{"chery"});
    QTest::keyClicks(w->inpText, QStringLiteral(" Pixmura"));
    QCOMPARE(Underlined(w), QStringList{"chery"});
    QPointer<winTEXT> guard(w);
    QTest::mouseClick(w->btnCANCEL, Qt::LeftButton);
    QTRY_VERIFY(guard.isNull());
    w = Open();
    Type(w, QStringLiteral("Pixmura chery"));
    QCOMPARE(Underlined(w), knownWhenReopened ? QStringList{"chery"} : (QStringList{"Pixmura", "chery"}));
  }

  // The underline is the area's alone: Place in each mode gives the same floating picture and the same
  // dropped pixels whether the text's unknown words are underlined or not, and the text offered at the
  // next opening has no underline either.
  void placeIgnoresTheUnderline_data() {
    QTest::addColumn<int>("box");
    QTest::newRow("opaque") << -1;
    QTest::newRow("transparent background") << 1;
    QTest::newRow("knock-out") << 0;
  }
  void placeIgnoresTheUnderline() {
    QFETCH(int, box);
    QImage floating[2], dropped[2];
    for (int checked = 0; checked < 2; ++checked) {
      if (!checked) SpellChecker::OverrideLanguages(QStringList{QStringLiteral("zz_ZZ")});
      else SpellChecker::OverrideLanguages(QStringList{QStringLiteral("xx_XX")});
      Fixture::StartProgram();
      modOptions::option_UseOldText = true;
      Fixture::NewDocument(320, 120, 0x808080);
      Draw_Color[1] = 0x0000C0;
      winTEXT* w = Open();
      Type(w, QStringLiteral("Helo aple\nwrold banana"));
      const int i = w->puFONT->findText(QStringLiteral("DejaVu Sans"));
      QVERIFY(i >= 0);
      w->inpText->selectAll();
      w->puFONT->setCurrentIndex(i);
      w->puSIZE->setCurrentIndex(w->puSIZE->findText(QStringLiteral("24")));
      QCOMPARE(Underlined(w), (checked ? QStringList{"Helo", "aple", "wrold"} : QStringList{}));
      if (box >= 0) QTest::mouseClick(w->cbTRANS[box], Qt::LeftButton, {}, QPoint(6, w->cbTRANS[box]->height() / 2));
      QTest::mouseClick(w->btnPLACE, Qt::LeftButton);
      QVERIFY(drag_Picture && Dragging_Text);
      floating[checked] = drag_Picture->Image().copy();
      Main()->Turn_Lasso_OFF();
      dropped[checked] = work_area->Image().copy();
      for (const Platform::StyleRun& run : myOriginalStyledText->StyleRuns()) QVERIFY(!run.Underline);
      for (const Platform::StyleRun& run : myStyledText->StyleRuns()) QVERIFY(!run.Underline);
    }
    QVERIFY(!floating[0].isNull() && !dropped[0].isNull());
    QCOMPARE(floating[1], floating[0]);
    QCOMPARE(dropped[1], dropped[0]);
  }

  // Without any dictionary the area works as before: no underline, no spelling entries in its menu and
  // no message.
  void noDictionary() {
    SpellChecker::OverrideLanguages(QStringList{QStringLiteral("zz_ZZ")});
    winTEXT* w = Open();
    Type(w, QStringLiteral("aple wrold\nchery"));
    QTest::qWait(10);
    QCOMPARE(w->Area_Text().Text(), QStringLiteral("aple wrold\nchery"));
    QCOMPARE(Underlined(w), QStringList{});
    QMenu* menu = MenuAt(w, 1);
    QVERIFY(menu);
    for (QAction* a : menu->actions()) QVERIFY2(!a->objectName().startsWith(QStringLiteral("spelling")), qPrintable(a->text()));
    Close(menu);
    QTest::keyClick(w->inpText, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w->Area_Text().Text(), QStringLiteral("aple wrold\n"));
    QCOMPARE(Main()->status_msg, QString());
  }
};

PIXMURA_TEST_CLASS(SpellCheckTests)
#include "SpellCheckTests.moc"
