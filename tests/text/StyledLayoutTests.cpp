// The styled text flattened into runs, laid out in lines, measured and drawn. Widths, heights and ascents
// are the font's own metrics (DejaVu Sans, as the measuring pictures draw it: without anti-aliasing);
// everything the layout adds to them is worked out here.
#include <QFontMetricsF>
#include <QTest>
#include <cmath>

#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "platform/StyledText.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/FormattedText.h"
#include "text/StyledTextDrawing.h"

using Platform::StyledText;
using Platform::StyleRun;

namespace {
const QString kFont = QStringLiteral("DejaVu Sans");

StyleRun Run(const QString& text, int size = 20, bool bold = false, Platform::Color colour = 0) {
  StyleRun r;
  r.Text = text;
  r.Font = kFont;
  r.Size = size;
  r.Bold = bold;
  r.TextColor = colour;
  return r;
}

std::unique_ptr<StyledText> Styled(const QList<StyleRun>& runs) {
  auto t = std::make_unique<StyledText>();
  for (const StyleRun& r : runs) t->InsertStyleRun(r, t->StyleRunCount());
  return t;
}

QFont Font(int size, bool bold = false) {
  QFont f(kFont);
  f.setPixelSize(size);
  f.setBold(bold);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}
int32_t W(const QString& s, int size = 20) { return Platform::ToInt(QFontMetricsF(Font(size)).horizontalAdvance(s)); }
int32_t H(int size = 20) { return int32_t(std::ceil(QFontMetricsF(Font(size)).height())); }
int32_t A(int size = 20) { return int32_t(std::ceil(QFontMetricsF(Font(size)).ascent())); }

// The texts of the runs, line ends shown as "|".
QStringList Texts(const FormattedText& f) {
  QStringList out;
  for (const FormattedTextRun& r : f.StyleRuns) out << QString(r.Text).replace(QLatin1Char('\n'), QLatin1Char('|'));
  return out;
}

// Every line of the text: its sections' texts (line ends as "|").
QList<QStringList> Lines(const StyledText& styled, int32_t wrap) {
  FormattedText text(styled);
  QList<QStringList> lines;
  while (!text.StyleRuns.empty()) {
    QStringList sections;
    for (const DrawnSection& s : StyledTextDrawing::PrepareLine(text, wrap).Sections)
      sections << QString(s.SectionText).replace(QLatin1Char('\n'), QLatin1Char('|'));
    lines << sections;
  }
  return lines;
}

// The bounds of the pixels that are not the background.
QRect Ink(const Platform::PicturePtr& pic, Platform::Color background) {
  QRect r;
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x)
      if (pic->Pixel(x, y) != background) r |= QRect(x, y, 1, 1);
  return r;
}
}  // namespace

class StyledLayoutTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // How the runs of a styled text are split at line ends and which alignment each takes.
  void runsSplitAfterEachLineEnd_data() {
    QTest::addColumn<QList<StyleRun>>("runs");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no runs") << QList<StyleRun>{} << QStringList{};
    QTest::newRow("one line") << QList<StyleRun>{Run("ab")} << QStringList{"ab"};
    QTest::newRow("line end inside") << QList<StyleRun>{Run("ab\ncd")} << QStringList{"ab|", "cd"};
    QTest::newRow("line end at the end") << QList<StyleRun>{Run("ab\n")} << QStringList{"ab|", ""};
    QTest::newRow("line end alone") << QList<StyleRun>{Run("a", 20, true), Run("\n"), Run("b", 20, true)}
                                    << QStringList{"a", "|", "", "b"};
    QTest::newRow("two line ends in a row") << QList<StyleRun>{Run("a\n\nb")} << QStringList{"a|", "|", "b"};
    QTest::newRow("CR LF is one line end") << QList<StyleRun>{Run("a\r\nb")} << QStringList{"a|", "b"};
    QTest::newRow("CR alone") << QList<StyleRun>{Run("a\rb")} << QStringList{"a|", "b"};
    QTest::newRow("styles change in a line") << QList<StyleRun>{Run("ab", 20), Run("cd\nef", 30)}
                                             << QStringList{"ab", "cd|", "ef"};
  }
  void runsSplitAfterEachLineEnd() {
    QFETCH(QList<StyleRun>, runs);
    QFETCH(QStringList, expected);
    const auto styled = Styled(runs);
    QCOMPARE(Texts(FormattedText(*styled)), expected);
  }

  // Every part of a style run takes the alignment of the paragraph holding the run's start; a run that
  // starts on the border of two paragraphs belongs to the earlier one.
  void runsTakeTheirParagraphsAlignment() {
    const auto styled = Styled({Run("ab\ncd"), Run("\n"), Run("ef", 20, true), Run("\ngh")});
    // Paragraphs: "ab" [0, 3], "cd" [3, 6], "ef" [6, 9], "gh" [9, 11].
    QCOMPARE(styled->ParagraphCount(), 4);
    styled->SetAlignment(0, 3);
    styled->SetAlignment(1, 2);
    styled->SetAlignment(2, 0);
    styled->SetAlignment(3, 3);
    QCOMPARE(styled->Paragraphs()[1].StartPos, 3);
    QCOMPARE(styled->Paragraphs()[1].EndPos, 6);
    FormattedText f(*styled);
    QCOMPARE(Texts(f), (QStringList{"ab|", "cd|", "", "ef", "|", "gh"}));
    QList<int> alignments;
    for (const FormattedTextRun& r : f.StyleRuns) alignments << r.Alignment;
    // "cd" lies in paragraph 1 but its run starts in paragraph 0; "ef" starts at 6, the end of paragraph 1
    // and the start of paragraph 2; "gh" comes with the line end at 8, in paragraph 2.
    QCOMPARE(alignments, (QList<int>{3, 3, 3, 2, 0, 0}));
    QCOMPARE(FormattedText::FindParagraph(*styled, 0), 0);
    QCOMPARE(FormattedText::FindParagraph(*styled, 3), 0);
    QCOMPARE(FormattedText::FindParagraph(*styled, 4), 1);
    QCOMPARE(FormattedText::FindParagraph(*styled, 6), 1);
    QCOMPARE(FormattedText::FindParagraph(*styled, 7), 2);
    QCOMPARE(FormattedText::FindParagraph(*styled, 9), 2);
    QCOMPARE(FormattedText::FindParagraph(*styled, 10), 3);
    QCOMPARE(FormattedText::FindParagraph(*styled, 11), 3);
    QCOMPARE(FormattedText::FindParagraph(*styled, 500), 0);
    QCOMPARE(FormattedText::FindParagraph(*styled, -1), 0);
  }

  // A run copies its style run's fields, its size made a whole number; a copy of the text is deep.
  void runFieldsAndDeepCopies() {
    StyleRun r = Run("x", 12, true, 0x123456);
    r.Italic = true;
    r.Underline = true;
    r.Font = QStringLiteral("Some Font");
    for (double size : {12.0, 12.7}) {
      r.Size = size;
      const FormattedTextRun run(r);
      QCOMPARE(run.TextSize, 12);
      QVERIFY(run.Bold && run.Italic && run.Underline);
      QCOMPARE(run.TextFont, QStringLiteral("Some Font"));
      QCOMPARE(run.TextColor, 0x123456u);
      QCOMPARE(run.Alignment, 0);
    }
    const FormattedTextRun empty;
    QVERIFY(empty.Text.isEmpty() && empty.TextFont.isEmpty() && !empty.Bold && empty.TextSize == 0 &&
            empty.TextColor == 0 && empty.Alignment == 0);

    const auto styled = Styled({Run("ab\ncd", 20, true, 0xFF0000)});
    styled->SetAlignment(0, 3);
    FormattedText source(*styled);
    FormattedText copy = source.MakeCopy();
    QCOMPARE(copy.StyleRuns.size(), source.StyleRuns.size());
    for (size_t i = 0; i < copy.StyleRuns.size(); ++i) {
      const FormattedTextRun &a = source.StyleRuns[i], &b = copy.StyleRuns[i];
      QVERIFY(a.Text == b.Text && a.Bold == b.Bold && a.Italic == b.Italic && a.Underline == b.Underline &&
              a.TextFont == b.TextFont && a.TextSize == b.TextSize && a.TextColor == b.TextColor &&
              a.Alignment == b.Alignment);
    }
    QCOMPARE(copy.StyleRuns[0].Alignment, 3);
    copy.StyleRuns.front().Text.chop(1);
    copy.StyleRuns.pop_back();
    QCOMPARE(Texts(source), (QStringList{"ab|", "cd"}));
  }

  // The styled text reads back what was set over ranges, and its runs are the stretches of one style.
  void styledTextAttributesOverRanges() {
    StyledText t;
    t.InsertStyleRun(Run("Hello world"), 0);
    t.SetBold(6, 5, true);
    t.SetTextColor(0, 5, 0x00FF00);
    t.SetSize(6, 3, 30);
    t.SetFont(9, 2, QStringLiteral("DejaVu Serif"));
    QCOMPARE(t.Text(), QStringLiteral("Hello world"));
    QVERIFY(!t.Bold(0, 1) && t.Bold(6, 5));
    QCOMPARE(t.TextColor(2, 0), 0x00FF00u);
    QCOMPARE(t.Size(7, 1), 30.0);
    QCOMPARE(t.Size(9, 1), 20.0);
    QCOMPARE(t.Font(10, 1), QStringLiteral("DejaVu Serif"));
    // A caret at the end reports the last character.
    QCOMPARE(t.Font(11, 0), QStringLiteral("DejaVu Serif"));
    QStringList runs;
    for (const StyleRun& r : t.StyleRuns()) runs << QStringLiteral("%1@%2").arg(r.Text).arg(r.Start);
    QCOMPARE(runs, (QStringList{"Hello@0", " @5", "wor@6", "ld@9"}));
    // Inserting a run before run 1 puts its text where that run starts.
    t.InsertStyleRun(Run("!", 20, false, 0x0000FF), 1);
    QCOMPARE(t.Text(), QStringLiteral("Hello! world"));
    QCOMPARE(t.TextColor(5, 1), 0x0000FFu);
    // A copy has the same text and runs.
    StyledText copy;
    copy.CopyFrom(t);
    QCOMPARE(copy.Text(), t.Text());
    QCOMPARE(copy.StyleRunCount(), t.StyleRunCount());
    QCOMPARE(copy.Size(8, 1), 30.0);
  }

  // Measures of whole texts, worked out from the font's metrics.
  void measuresOfWholeTexts_data() {
    QTest::addColumn<QList<StyleRun>>("runs");
    QTest::addColumn<int>("wrap");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("empty") << QList<StyleRun>{} << 9999 << 3 << 0;
    QTest::newRow("one line") << QList<StyleRun>{Run("Hello")} << 9999 << W("Hello") + 6 << H();
    QTest::newRow("trailing line end adds a line")
        << QList<StyleRun>{Run("Hello\n")} << 9999 << W("Hello\n") + 6 << 2 * H();
    QTest::newRow("two runs on one line, 3 for each")
        << QList<StyleRun>{Run("Ab", 10), Run("Cd", 30)} << 9999 << W("Ab", 10) + W("Cd", 30) + 9 << H(30);
    QTest::newRow("two lines, the wider counts")
        << QList<StyleRun>{Run("Hi\nHello there")} << 9999 << W("Hello there") + 6 << 2 * H();
    // The run after a line end is an empty run of the first line's style that joins the next line: an
    // empty section that adds its 3 pixels and its height.
    QTest::newRow("a last line in a larger size")
        << QList<StyleRun>{Run("Hi\n", 10), Run("Yo", 30)} << 9999
        << std::max(W("Hi\n", 10) + 3, 0 + 3 + W("Yo", 30) + 3) + 3 << H(10) + H(30);
  }
  void measuresOfWholeTexts() {
    QFETCH(QList<StyleRun>, runs);
    QFETCH(int, wrap);
    QFETCH(int, width);
    QFETCH(int, height);
    const auto styled = Styled(runs);
    QCOMPARE(StyledTextDrawing::StyledTextWidth(*styled, wrap), width);
    QCOMPARE(StyledTextDrawing::StyledTextHeight(*styled, wrap), height);
  }

  // Where lines break: at line ends, and at a blank where the text reaches the wrap width (a width equal
  // to the wrap width does not fit). Every text ends, however narrow the wrap width.
  void lineBreaks_data() {
    QTest::addColumn<QList<StyleRun>>("runs");
    QTest::addColumn<int>("wrap");
    QTest::addColumn<QList<QStringList>>("lines");
    const int abcd = W("ab") + W("cd");
    QTest::newRow("exact fit does not fit") << QList<StyleRun>{Run("ab"), Run("cd", 20, false, 0xFF)} << abcd
                                            << QList<QStringList>{{"ab", ""}, {"cd"}};
    QTest::newRow("one pixel more fits") << QList<StyleRun>{Run("ab"), Run("cd", 20, false, 0xFF)} << abcd + 1
                                         << QList<QStringList>{{"ab", "cd"}};
    QTest::newRow("wrap after the first word and its blank")
        << QList<StyleRun>{Run("one two")} << W("one ") + 1 << QList<QStringList>{{"one "}, {"two"}};
    QTest::newRow("two words of three fit")
        << QList<StyleRun>{Run("one two six")} << W("one two ") + 1 << QList<QStringList>{{"one two "}, {"six"}};
    QTest::newRow("a word wider than the line stands alone")
        << QList<StyleRun>{Run("wonderful day")} << 5 << QList<QStringList>{{"wonderful "}, {"day"}};
    QTest::newRow("wrap 0 takes a character a line")
        << QList<StyleRun>{Run("ab\nc")} << 0 << QList<QStringList>{{"a"}, {"b"}, {"|"}, {"c"}};
    QTest::newRow("negative wrap") << QList<StyleRun>{Run("xy")} << -5 << QList<QStringList>{{"x"}, {"y"}};
    QTest::newRow("line ends") << QList<StyleRun>{Run("a\n\nb")} << 9999 << QList<QStringList>{{"a|"}, {"|"}, {"b"}};
  }
  void lineBreaks() {
    QFETCH(QList<StyleRun>, runs);
    QFETCH(int, wrap);
    QFETCH(QList<QStringList>, lines);
    const auto styled = Styled(runs);
    QCOMPARE(Lines(*styled, wrap), lines);
  }

  // A run that does not fit behind another ends the line with an empty section in its style, whose height
  // counts for the line.
  void aRunThatDoesNotFitLeavesAnEmptySection() {
    const auto styled = Styled({Run("ab", 10), Run("cd", 30)});
    FormattedText text(*styled);
    const DrawnLine first = StyledTextDrawing::PrepareLine(text, W("ab", 10) + W("cd", 30));
    QCOMPARE(int(first.Sections.size()), 2);
    QVERIFY(first.Sections[1].SectionText.isEmpty());
    QCOMPARE(first.LineTextHeight(), H(30));
    QCOMPARE(first.LineTextAscent(), A(30));
    QCOMPARE(first.LineWidth(), W("ab", 10) + 3 + 0 + 3);
    QCOMPARE(int(text.StyleRuns.size()), 1);
    QCOMPARE(text.StyleRuns.front().Text, QStringLiteral("cd"));
  }

  // A word of 10,000 characters with a wrap width of 1 is laid out, on one line of its own.
  void aVeryLongWordEnds() {
    const QString word(10000, QLatin1Char('m'));
    const auto styled = Styled({Run(QStringLiteral("a ") + word + QStringLiteral(" b"), 8)});
    QCOMPARE(Lines(*styled, 1), (QList<QStringList>{{"a "}, {word + " "}, {"b"}}));
    QCOMPARE(StyledTextDrawing::StyledTextHeight(*styled, 1), 3 * H(8));
    QCOMPARE(StyledTextDrawing::StyledTextWidth(*styled, 1), W(word + " ", 8) + 6);
  }

  // A font name holding "Plain:" is cut before it and trimmed, in the run too; the section measures in
  // the font so named. A section of size 0 measures 0 wide.
  void sectionStyleAndMeasures() {
    FormattedTextRun run;
    run.TextFont = kFont + QStringLiteral("  Plain:14");
    run.TextSize = 20;
    DrawnSection s;
    s.SetFrom(run);
    s.SectionText = QStringLiteral("Hello");
    QCOMPARE(run.TextFont, kFont);
    QCOMPARE(s.SectionWidth(), W("Hello"));
    QCOMPARE(s.SectionTextHeight(), H());
    QCOMPARE(s.SectionTextAscent(), A());
    FormattedTextRun zero = run;
    zero.TextSize = 0;
    DrawnSection z;
    z.SetFrom(zero);
    z.SectionText = QStringLiteral("Hello");
    QCOMPARE(z.SectionWidth(), 0);
    QVERIFY(z.SectionTextHeight() > 0);
  }

  // The sections of a line are drawn on one baseline, one after the other without gaps.
  void runsOfTwoSizesShareTheBaseline() {
    const auto styled = Styled({Run("H", 12), Run("H", 40)});
    auto pic = Fixture::Filled(120, 60, 0xFFFFFF);
    Platform::Graphics g = pic->Graphics();
    StyledTextDrawing::DrawStyledText(g, *styled, 10, 5, 9999);
    // The lowest ink row left and right of where the large H begins.
    const int split = 10 + W("H", 12);
    int bottomSmall = -1, bottomLarge = -1;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 120; ++x)
        if (pic->Pixel(x, y) != 0xFFFFFF) (x < split ? bottomSmall : bottomLarge) = y;
    QVERIFY(bottomSmall > 0);
    QCOMPARE(bottomSmall, bottomLarge);
    QVERIFY(bottomLarge < 5 + A(40) + 1 && bottomLarge >= 5 + A(40) - 2);
  }

  // Centred and right-aligned lines start within the wrap width by the line's width, 3 per section
  // included: the same ink moves right by exactly that much.
  void alignmentsPlaceTheLine_data() {
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("wrap");
    QTest::addColumn<int>("shift");
    const int lw = W("Hello") + 3;
    QTest::newRow("left") << 0 << 300 << 0;
    QTest::newRow("justified reads as left") << 1 << 300 << 0;
    QTest::newRow("centred") << 2 << 300 << (300 - lw) / 2;
    QTest::newRow("right") << 3 << 300 << 300 - lw;
    QTest::newRow("centred in 9999") << 2 << 9999 << (9999 - lw) / 2;
    QTest::newRow("right in 9999") << 3 << 9999 << 9999 - lw;
  }
  void alignmentsPlaceTheLine() {
    QFETCH(int, alignment);
    QFETCH(int, wrap);
    QFETCH(int, shift);
    const auto left = Styled({Run("Hello")});
    auto reference = Fixture::Filled(10100, 30, 0xFFFFFF);
    Platform::Graphics rg = reference->Graphics();
    StyledTextDrawing::DrawStyledText(rg, *left, 7, 0, wrap);
    const auto styled = Styled({Run("Hello")});
    styled->SetAlignment(0, alignment);
    auto pic = Fixture::Filled(10100, 30, 0xFFFFFF);
    Platform::Graphics g = pic->Graphics();
    StyledTextDrawing::DrawStyledText(g, *styled, 7, 0, wrap);
    QCOMPARE(Ink(pic, 0xFFFFFF), Ink(reference, 0xFFFFFF).translated(shift, 0));
  }

  // White text is drawn as &hFEFEFE only while a text is being placed with a transparent background.
  void whiteTextInTheTransparentMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("offWhite");
    QTest::newRow("opaque") << 0 << false;
    QTest::newRow("transparent background") << 1 << true;
    QTest::newRow("knock-out") << 2 << false;
  }
  void whiteTextInTheTransparentMode() {
    QFETCH(int, mode);
    QFETCH(bool, offWhite);
    modMAIN::Dragging_Text_Mode = mode;
    const auto styled = Styled({Run("HH", 30, true, 0xFFFFFF)});
    auto pic = Fixture::Filled(100, 50, 0x000000);
    Platform::Graphics g = pic->Graphics();
    StyledTextDrawing::DrawStyledText(g, *styled, 2, 0, 9999);
    int white = 0, fe = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 100; ++x) {
        white += pic->Pixel(x, y) == 0xFFFFFF;
        fe += pic->Pixel(x, y) == 0xFEFEFE;
      }
    QVERIFY(white + fe > 50);
    QCOMPARE(fe > 0, offWhite);
    QCOMPARE(white > 0, !offWhite);
  }

  // Drawing leaves the context's text settings as they were, also for an empty text.
  void drawingKeepsTheContextsSettings() {
    for (const QList<StyleRun>& runs : {QList<StyleRun>{}, QList<StyleRun>{Run("Ab\ncd", 30, true, 0xFF0000)}}) {
      auto pic = Fixture::Filled(100, 100, 0xFFFFFF);
      Platform::Graphics g = pic->Graphics();
      g.SetTextFont(QStringLiteral("DejaVu Serif"));
      g.SetTextSize(9);
      g.SetForeColor(0x123456);
      g.SetItalic(true);
      g.SetUnderline(true);
      const auto styled = Styled(runs);
      StyledTextDrawing::DrawStyledText(g, *styled, 0, 0, 9999);
      QCOMPARE(g.State().textFont, QStringLiteral("DejaVu Serif"));
      QCOMPARE(g.State().textSize, 9.0);
      QCOMPARE(g.ForeColor(), 0x123456u);
      QVERIFY(!g.State().bold && g.State().italic && g.State().underline);
      QCOMPARE(Ink(pic, 0xFFFFFF).isEmpty(), runs.isEmpty());
    }
  }
};

PIXMURA_TEST_CLASS(StyledLayoutTests)
#include "StyledLayoutTests.moc"
