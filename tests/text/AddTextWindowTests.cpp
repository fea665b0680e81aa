// The Add Text window of the styled text tool, driven through its controls: opening and its place, the
// text it offers, styling, the transparency boxes, Place in its three modes and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QWindow>
#include <cmath>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/Pointer.h"
#include "palettes/classCOLORS.h"
#include "palettes/classTOOLS.h"
#include "palettes/classScrollbar.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"
#include "platform/StyledText.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"
#include "text/StyledTextDrawing.h"
#include "text/classTEXT2.h"
#include "text/winTEXT.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// A click on the tool palette's text cell, which gives the styled text tool while the old text method
// is on: the pointer comes to rest on the cell, then clicks.
winTEXT* Open() {
  classTOOLS* palette = Main()->classTOOLS1;
  const QPoint at(classTOOLS::Get_tool_X(TOOL_STYLEDTEXT) + 16, classTOOLS::Get_tool_Y(TOOL_STYLEDTEXT) + 16);
  Hover(palette, at);
  QTest::mouseClick(palette, Qt::LeftButton, {}, at);
  winTEXT* w = winTEXT::existing();
  if (w) QTest::qWait(0);
  return w;
}

void Press(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
// A check box is clicked on its box.
void Press(QCheckBox* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

// Chooses a row of a popup as the user does.
void Choose(QComboBox* popup, const QString& row) {
  const int i = popup->findText(row);
  QVERIFY2(i >= 0, qPrintable(row));
  popup->setCurrentIndex(i);
}

// Types lines over the area's text, all selected afterwards; the typing takes the style of the text
// it replaces.
void Type(winTEXT* w, const QStringList& lines) {
  w->inpText->setFocus();
  w->inpText->selectAll();
  if (lines.isEmpty()) QTest::keyClick(w->inpText, Qt::Key_Delete);
  for (int i = 0; i < lines.size(); ++i) {
    if (i > 0) QTest::keyClick(w->inpText, Qt::Key_Return);
    QTest::keyClicks(w->inpText, lines[i]);
  }
  w->inpText->selectAll();
}

QFont Font(int size) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(size);
  f.setStyleStrategy(QFont::NoAntialias);
  return f;
}
int32_t W(const QString& s, int size) { return Platform::ToInt(QFontMetricsF(Font(size)).horizontalAdvance(s)); }
int32_t H(int size) { return int32_t(std::ceil(QFontMetricsF(Font(size)).height())); }

// The style of one character: font, size, bold, italic, underline and colour.
QString Style(const Platform::StyledText& t, int at) {
  return QStringLiteral("%1 %2%3%4%5 #%6")
      .arg(t.Font(at, 1))
      .arg(t.Size(at, 1))
      .arg(t.Bold(at, 1) ? " bold" : "", t.Italic(at, 1) ? " italic" : "", t.Underline(at, 1) ? " underlined" : "")
      .arg(t.TextColor(at, 1), 6, 16, QLatin1Char('0'));
}

// The style of the character at a position as the style runs give it, line ends included (the readers
// of Style report the character after a line end): font, size, "B", "I", "U" for the styles that are
// on, and the colour.
QString Style_At(const Platform::StyledText& area, int at) {
  for (const Platform::StyleRun& r : area.StyleRuns()) {
    if (at < r.Start || at >= r.Start + r.Text.size()) continue;
    QString s = r.Font + QLatin1Char(' ') + QString::number(r.Size);
    if (r.Bold) s += QStringLiteral(" B");
    if (r.Italic) s += QStringLiteral(" I");
    if (r.Underline) s += QStringLiteral(" U");
    return s + QStringLiteral(" #%1").arg(r.TextColor, 6, 16, QLatin1Char('0'));
  }
  return QStringLiteral("<nothing at %1>").arg(at);
}

QString Golden(const QString& name) {
  return qEnvironmentVariable("PIXMURA_SOURCE_DIR") + QStringLiteral("/tests/text/golden_styledtext/") + name + ".png";
}
}  // namespace

class AddTextWindowTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    modOptions::option_UseOldText = true;
  }

  // The window at its design size, its controls where the layout puts them; resized, the lower controls
  // keep their distances to the edges they hang on and the text area grows.
  void theWindowAndItsControls() {
    winTEXT* w = Open();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Add Text"));
    QCOMPARE(w->size(), QSize(602, 319));
    QCOMPARE(w->minimumSize(), QSize(473, 233));
    QVERIFY(w->windowFlags() & Qt::Tool);
    QVERIFY(w->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w->btnBOLD->text(), QStringLiteral("B"));
    QCOMPARE(w->btnITALIC->text(), QStringLiteral("I"));
    QCOMPARE(w->btnUNDERLINE->text(), QStringLiteral("U"));
    QCOMPARE(w->btnCANCEL->text(), QStringLiteral("Cancel"));
    QCOMPARE(w->btnPLACE->text(), QStringLiteral("Place"));
    QCOMPARE(w->Label1->text(), QStringLiteral("Transparent"));
    QCOMPARE(w->cbTRANS[0]->text(), QStringLiteral("Text"));
    QCOMPARE(w->cbTRANS[1]->text(), QStringLiteral("Background"));
    QVERIFY(!w->btn_Color->icon().isNull());
    QVERIFY(!w->btnPLACE->isDefault());
    const auto placesAt = [w](int dw, int dh) {
      return std::vector<std::pair<QWidget*, QRect>>{
          {w->inpText, {10, 6, 582 + dw, 230 + dh}},     {w->puFONT, {10, 246 + dh, 180, 20}},
          {w->puSIZE, {198, 246 + dh, 60, 20}},          {w->btnBOLD, {265, 246 + dh, 22, 22}},
          {w->btnITALIC, {290, 246 + dh, 22, 22}},       {w->btnUNDERLINE, {315, 246 + dh, 22, 22}},
          {w->btn_Color, {340, 246 + dh, 22, 22}},       {w->btnCANCEL, {502 + dw, 246 + dh, 80, 20}},
          {w->btnPLACE, {502 + dw, 278 + dh, 80, 20}},   {w->GroupBox1, {10, 278 + dh, 352, 31}}};
    };
    for (const auto& [control, rect] : placesAt(0, 0)) QCOMPARE(control->geometry(), rect);
    // Inside the group box, which moves them with it.
    QCOMPARE(w->Label1->geometry().translated(w->GroupBox1->pos()), QRect(22, 283, 100, 20));
    QCOMPARE(w->cbTRANS[0]->geometry().translated(w->GroupBox1->pos()), QRect(126, 283, 100, 20));
    QCOMPARE(w->cbTRANS[1]->geometry().translated(w->GroupBox1->pos()), QRect(228, 283, 100, 20));
    w->resize(700, 400);
    for (const auto& [control, rect] : placesAt(98, 81)) QCOMPARE(control->geometry(), rect);
  }

  // The first opening in a run centres the window on the main window, never at a negative place; moved
  // or resized, it comes back there at the next opening.
  void openingPlacesTheWindow_data() {
    QTest::addColumn<QRect>("main");
    QTest::newRow("large main window") << QRect(100, 50, 1000, 760);
    QTest::newRow("main window at the corner") << QRect(0, 0, 540, 300);
  }
  void openingPlacesTheWindow() {
    QFETCH(QRect, main);
    QCOMPARE(winTEXT_Left, -999);
    Main()->setGeometry(main);
    const QRect m = Main()->geometry();
    winTEXT* w = Open();
    const int left = m.x() + (m.width() - 602) / 2, top = m.y() + (m.height() - 319) / 2;
    // A window put at 0 lies as far in as the platform keeps a window's frame (2 pixels offscreen).
    const auto at = [](int wanted, int actual) { return wanted > 0 ? actual == wanted : actual >= 0 && actual <= 2; };
    QVERIFY2(at(left, w->geometry().x()) && at(top, w->geometry().y()),
             qPrintable(QStringLiteral("%1,%2 for %3,%4").arg(w->geometry().x()).arg(w->geometry().y()).arg(left).arg(top)));
    QVERIFY(winTEXT_Open);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_STYLEDTEXT));
    w->setGeometry(123, 45, 650, 380);
    const QPointer<winTEXT> first(w);
    w->close();
    QVERIFY(!winTEXT_Open);
    QTRY_VERIFY(!winTEXT::existing());
    // The closed window is gone, so the window that opens next is a new one.
    QTRY_VERIFY(first.isNull());
    QCOMPARE(QRect(winTEXT_Left, winTEXT_Top, winTEXT_Width, winTEXT_Height), QRect(123, 45, 650, 380));
    // The close box leaves the tool as it was: the cell opens the window again only after another tool.
    QCOMPARE(drawing_TOOL, int32_t(TOOL_STYLEDTEXT));
    QVERIFY(!Open());
    Main()->drawing_TOOL_SET(TOOL_PENCIL);
    winTEXT* again = Open();
    QVERIFY(again && again->isVisible());
    QCOMPARE(again->geometry(), QRect(123, 45, 650, 380));
  }

  // The first opening offers the text object's text, all selected, in its font and size and the
  // foreground colour, on the background colour.
  void firstOpeningOffersTheTextObjectsText() {
    Draw_Color[1] = 0x204080;
    Draw_Color[2] = 0xFFEE00;
    Info_Text2->TextFont(QStringLiteral("DejaVu Serif"));
    Info_Text2->TextSize(24);
    winTEXT* w = Open();
    QCOMPARE(w->inpText->textCursor().selectedText(), QStringLiteral("Enter Text Here"));
    QCOMPARE(w->BackColor(), 0xFFEE00u);
    QCOMPARE(w->inpText->palette().color(QPalette::Base).rgb() & 0xFFFFFF, 0xFFEE00u);
    Platform::StyledText& area = w->Area_Text();
    QCOMPARE(area.Text(), QStringLiteral("Enter Text Here"));
    QCOMPARE(area.TextColor(0, 1), 0x204080u);
    QCOMPARE(area.TextColor(14, 1), 0x204080u);
    QCOMPARE(area.Font(3, 1), QStringLiteral("DejaVu Serif"));
    QCOMPARE(area.Size(3, 1), 24.0);
    QCOMPARE(w->puFONT->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(w->puSIZE->currentText(), QStringLiteral("24"));
    QVERIFY(!w->cbTRANS[0]->isChecked() && !w->cbTRANS[1]->isChecked());
    // Typed text takes the same style.
    w->inpText->moveCursor(QTextCursor::End);
    QTest::keyClicks(w->inpText, QStringLiteral("!"));
    QCOMPARE(area.TextColor(15, 1), 0x204080u);
    QCOMPARE(area.Size(15, 1), 24.0);
  }

  // Help tags are set when the setting is on, and empty when it is off.
  void helpTags_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
  }
  void helpTags() {
    QFETCH(bool, on);
    modOptions::option_HelpTags = on;
    winTEXT* w = Open();
    QCOMPARE(winTEXT::Area_Help_Tag(),
             QStringLiteral("Click Color Palette above to \rchange Font or Background color"));
    QCOMPARE(w->inpText->toolTip(),
             on ? QStringLiteral("Click Color Palette above to \nchange Font or Background color") : QString());
    QCOMPARE(w->btnBOLD->toolTip(), on ? QStringLiteral("Bold") : QString());
    QCOMPARE(w->btnITALIC->toolTip(), on ? QStringLiteral("Italic") : QString());
    QCOMPARE(w->btnUNDERLINE->toolTip(), on ? QStringLiteral("Underline") : QString());
  }

  // "Text" and "Background" exclude each other; either may be turned off again.
  void transparencyBoxesExcludeEachOther() {
    winTEXT* w = Open();
    QCheckBox* text = w->cbTRANS[0];
    QCheckBox* back = w->cbTRANS[1];
    Press(text);
    QVERIFY(text->isChecked() && !back->isChecked());
    Press(back);
    QVERIFY(!text->isChecked() && back->isChecked());
    Press(text);
    QVERIFY(text->isChecked() && !back->isChecked());
    Press(text);
    QVERIFY(!text->isChecked() && !back->isChecked());
  }

  // The style buttons turn the selection's bold, italic and underline over and back; the popups give it
  // their font and size and pass them on to the text object.
  void stylingTheSelection() {
    winTEXT* w = Open();
    Type(w, {QStringLiteral("Hello world")});
    QTextCursor c = w->inpText->textCursor();
    c.setPosition(6);
    c.setPosition(11, QTextCursor::KeepAnchor);
    w->inpText->setTextCursor(c);
    Platform::StyledText& area = w->Area_Text();
    const std::pair<QPushButton*, std::function<bool(int)>> buttons[] = {
        {w->btnBOLD, [&area](int at) { return area.Bold(at, 1); }},
        {w->btnITALIC, [&area](int at) { return area.Italic(at, 1); }},
        {w->btnUNDERLINE, [&area](int at) { return area.Underline(at, 1); }}};
    for (const auto& [button, state] : buttons) {
      Press(button);
      QVERIFY(state(6) && state(10) && !state(5));
      Press(button);
      QVERIFY(!state(6) && !state(10));
    }
    Choose(w->puFONT, QStringLiteral("DejaVu Sans Mono"));
    Choose(w->puSIZE, QStringLiteral("36"));
    QCOMPARE(area.Font(6, 5), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(area.Size(8, 1), 36.0);
    QVERIFY(area.Size(2, 1) != 36.0);
    QCOMPARE(Info_Text2->TextFont(), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(Info_Text2->TextSize(), 36);
  }

  // A style, font, size or colour change over a selection of several lines (five pieces: three lines
  // and the two line ends between them) reaches the area as one edit, laid out once, and one undo takes
  // all of it back. Each piece keeps what the change does not touch: the middle line stays red where
  // the colour is not what changes.
  void aStyleChangeOverLinesIsOneEdit_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("first");   // the style of "one" after the change
    QTest::addColumn<QString>("middle");  // the style of "two" after the change
    QTest::newRow("bold") << "bold" << "DejaVu Sans 18 B #000000" << "DejaVu Sans 18 B #800000";
    QTest::newRow("italic") << "italic" << "DejaVu Sans 18 I #000000" << "DejaVu Sans 18 I #800000";
    QTest::newRow("underline") << "underline" << "DejaVu Sans 18 U #000000" << "DejaVu Sans 18 U #800000";
    QTest::newRow("font") << "font" << "DejaVu Sans Mono 18 #000000" << "DejaVu Sans Mono 18 #800000";
    QTest::newRow("size") << "size" << "DejaVu Sans 36 #000000" << "DejaVu Sans 36 #800000";
    QTest::newRow("colour") << "colour" << "DejaVu Sans 18 #008000" << "DejaVu Sans 18 #008000";
  }
  void aStyleChangeOverLinesIsOneEdit() {
    QFETCH(QString, control);
    QFETCH(QString, first);
    QFETCH(QString, middle);
    Draw_Color[1] = 0x000000;
    Info_Text2->TextFont(QStringLiteral("DejaVu Sans"));
    Info_Text2->TextSize(18);
    winTEXT* w = Open();
    Type(w, {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")});
    Platform::StyledText& area = w->Area_Text();
    area.SetTextColor(4, 3, 0x800000);
    // "one" 0-2, its line end 3, "two" 4-6, its line end 7, "three" 8-12.
    const int positions[] = {0, 2, 3, 4, 6, 7, 8, 12};
    QStringList before;
    for (int at : positions) before << Style_At(area, at);
    QCOMPARE(before[0], QStringLiteral("DejaVu Sans 18 #000000"));
    QCOMPARE(before[3], QStringLiteral("DejaVu Sans 18 #800000"));

    QSignalSpy edits(w->inpText->document(), &QTextDocument::contentsChange);
    w->inpText->selectAll();
    if (control == QLatin1String("bold")) Press(w->btnBOLD);
    else if (control == QLatin1String("italic")) Press(w->btnITALIC);
    else if (control == QLatin1String("underline")) Press(w->btnUNDERLINE);
    else if (control == QLatin1String("font")) Choose(w->puFONT, QStringLiteral("DejaVu Sans Mono"));
    else if (control == QLatin1String("size")) Choose(w->puSIZE, QStringLiteral("36"));
    else Main()->classCOLORS1->Set_Color(1, 0x008000);
    QCOMPARE(edits.count(), 1);
    // The first and the last line, and both line ends, take the change.
    for (int at : {0, 2, 3, 7, 8, 12}) QCOMPARE(Style_At(area, at), first);
    for (int at : {4, 6}) QCOMPARE(Style_At(area, at), middle);
    QCOMPARE(area.Text(), QStringLiteral("one\ntwo\nthree"));

    QTest::keyClick(w->inpText, Qt::Key_Z, Qt::ControlModifier);
    QStringList undone;
    for (int at : positions) undone << Style_At(area, at);
    QCOMPARE(undone, before);
  }

  // Opening the window with a text of several lines, the text object's or the one placed last, offers all
  // of it selected, every line and line end in the font, size and colour.
  void openingWithLines_data() {
    QTest::addColumn<bool>("placed");
    QTest::newRow("the text object's") << false;
    QTest::newRow("placed last") << true;
  }
  void openingWithLines() {
    QFETCH(bool, placed);
    Draw_Color[1] = 0x204080;
    const QString text = QStringLiteral("one\ntwo\nthree");
    if (placed) {
      Platform::StyleRun run;
      run.Text = text;
      run.Font = QStringLiteral("DejaVu Serif");
      run.Size = 24;
      run.TextColor = 0x204080;
      myOriginalStyledText = std::make_shared<Platform::StyledText>();
      myOriginalStyledText->InsertStyleRun(run, 0);
    } else {
      Info_Text2->Text(text);
      Info_Text2->TextFont(QStringLiteral("DejaVu Serif"));
      Info_Text2->TextSize(24);
    }
    winTEXT* w = Open();
    Platform::StyledText& area = w->Area_Text();
    QCOMPARE(area.Text(), text);
    QCOMPARE(w->inpText->textCursor().selectedText(), QStringLiteral("one\u2029two\u2029three"));
    // The first and the last character and both line ends, each in the font, size and colour.
    for (int at : {0, 3, 7, 12}) QCOMPARE(Style_At(area, at), QStringLiteral("DejaVu Serif 24 #204080"));
  }

  // The font popup shows the selection's font: the longest row that begins the font's name (the last
  // one in the sorted list); a font that is not installed shows the family drawn in its place; showing
  // a row never changes the text.
  void theFontPopupFollowsTheSelection() {
    winTEXT* w = Open();
    Type(w, {QStringLiteral("monoserifnone")});
    Platform::StyledText& area = w->Area_Text();
    area.SetFont(0, 4, QStringLiteral("DejaVu Sans Mono"));
    area.SetFont(4, 5, QStringLiteral("DejaVu Serif"));
    area.SetFont(9, 4, QStringLiteral("Nothing Like It"));
    const auto select = [w](int start, int length) {
      QTextCursor c = w->inpText->textCursor();
      c.setPosition(start);
      c.setPosition(start + length, QTextCursor::KeepAnchor);
      w->inpText->setTextCursor(c);
    };
    select(0, 4);
    QCOMPARE(w->puFONT->currentText(), QStringLiteral("DejaVu Sans Mono"));
    // A caret shows the font of the character after it.
    select(5, 0);
    QCOMPARE(w->puFONT->currentText(), QStringLiteral("DejaVu Serif"));
    select(10, 2);
    QCOMPARE(w->puFONT->currentText(), QFontInfo(QFont(QStringLiteral("Nothing Like It"))).family());
    QVERIFY(w->puFONT->currentText() != QLatin1String("DejaVu Serif"));
    QCOMPARE(area.Font(0, 1), QStringLiteral("DejaVu Sans Mono"));
    QCOMPARE(area.Font(10, 1), QStringLiteral("Nothing Like It"));
  }

  // The colour button asks for a colour starting from the foreground colour: a cancelled question changes
  // nothing; a new colour becomes the foreground colour of the palette and the selection's colour.
  void theColourButton_data() {
    QTest::addColumn<QColor>("answer");
    QTest::addColumn<uint>("colour");
    QTest::newRow("cancelled") << QColor() << 0x000000u;
    QTest::newRow("green") << QColor(0x00, 0x80, 0x00) << 0x008000u;
  }
  void theColourButton() {
    QFETCH(QColor, answer);
    QFETCH(uint, colour);
    modOptions::option_ColorPicker = true;
    Draw_Color[1] = 0x000000;
    winTEXT* w = Open();
    Type(w, {QStringLiteral("abc")});
    Fixture::ExpectColorPicker(answer, QColor(0, 0, 0));
    Press(w->btn_Color);
    QCOMPARE(Draw_Color[1], Platform::Color(colour));
    QCOMPARE(Main()->classCOLORS1->Get_Color(1), Platform::Color(colour));
    QCOMPARE(w->Area_Text().TextColor(1, 1), Platform::Color(colour));
  }

  // A background colour picked in the palette becomes the area's background while the window is open.
  void thePalettesBackgroundColour() {
    winTEXT* w = Open();
    Main()->classCOLORS1->Set_Color(2, 0x336699);
    QCOMPARE(w->BackColor(), 0x336699u);
  }

  // Place in each mode: the floating picture measures the laid-out text exactly and lies 3 pixels inside
  // the view's top-left pixel, the grabber is the tool, the window has closed and nothing is committed yet.
  // Reopened, the window shows the text with its colours as typed and the box of the mode.
  void placeInEachMode_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("mode");
    QTest::addColumn<uint>("background");
    QTest::addColumn<uint>("fill");
    QTest::newRow("opaque on white") << -1 << 0 << 0xFFFFFFu << 0xFFFFFFu;
    QTest::newRow("opaque on yellow") << -1 << 0 << 0xFFFF00u << 0xFFFF00u;
    QTest::newRow("transparent background") << 1 << 1 << 0x00FFFFu << 0xFFFFFFu;
    QTest::newRow("knock-out on white") << 0 << 2 << 0xFFFFFFu << 0xFEFEFEu;
    QTest::newRow("knock-out on red") << 0 << 2 << 0xFF0000u << 0xFF0000u;
  }
  void placeInEachMode() {
    QFETCH(int, box);
    QFETCH(int, mode);
    QFETCH(uint, background);
    QFETCH(uint, fill);
    // Grey, larger than the view, scrolled by its bars to (20, 10).
    Fixture::NewDocument(1600, 1200, 0x808080);
    Main()->Scroll_H_Custom->Value(20);
    Main()->Scroll_H_Custom_ValueChanged();
    Main()->Scroll_V_Custom->Value(10);
    Main()->Scroll_V_Custom_ValueChanged();
    QCOMPARE(offset, Point_of(20, 10));
    Draw_Color[1] = 0x0000C0;
    Draw_Color[2] = background;
    winTEXT* w = Open();
    QPointer<winTEXT> guard(w);
    Type(w, {QStringLiteral("Hello"), QStringLiteral("World")});
    Choose(w->puFONT, QStringLiteral("DejaVu Sans"));
    Choose(w->puSIZE, QStringLiteral("24"));
    if (box >= 0) Press(w->cbTRANS[box]);
    Press(w->btnPLACE);

    const int width = std::max(W("Hello\n", 24), W("World", 24)) + 3 + 3, height = 2 * H(24);
    QVERIFY(drag_Picture);
    QCOMPARE(QSize(drag_Picture->Width(), drag_Picture->Height()), QSize(width, height));
    QCOMPARE(drag_Picture->Pixel(0, 0), Platform::Color(fill));
    // Shown on the canvas, white is left out only around a text with a transparent background.
    Main()->Screen_Canvas->repaint();
    QCOMPARE(drag_Picture->Transparent, mode == 1 ? 1 : 0);
    QCOMPARE(img_lasso->Top_Left(), Point_of(23, 13));
    QCOMPARE(img_lasso->Bot_Right(), Point_of(23 + width, 13 + height));
    QCOMPARE(img_DRAG_DROP, Point_of(23, 13));
    QCOMPARE(Dragging_Text_Mode, mode);
    QVERIFY(Dragging_Text && active_DRAG && active_TEXTMODE && active_LASSO);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_GRABBER));
    QVERIFY(!winTEXT_Open);
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(int(pic_Stack.size()), 1);
    // The placed text is black in the knock-out mode; the text kept for the next opening is as typed.
    QCOMPARE(myStyledText->TextColor(0, 1), mode == 2 ? 0x000000u : 0x0000C0u);
    QCOMPARE(myOriginalStyledText->TextColor(7, 1), 0x0000C0u);
    bool blue = false;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) blue |= drag_Picture->Pixel(x, y) == 0x0000C0;
    QCOMPARE(blue, mode != 2);

    // The end of the selection drops it as one undo step: the box itself (opaque), the letters alone
    // (transparent background) or the box with the letters cut out (knock-out).
    Main()->Turn_Lasso_OFF();
    QCOMPARE(int(pic_Stack.size()), 2);
    QVERIFY(!Dragging_Text && !active_DRAG);
    QCOMPARE(work_area->Pixel(23, 13), mode == 1 ? 0x808080u : Platform::Color(fill));
    QCOMPARE(work_area->Pixel(23 + width, 13 + height), 0x808080u);
    int letters = 0, grey = 0;
    for (int y = 13; y < 13 + height; ++y)
      for (int x = 23; x < 23 + width; ++x) {
        letters += work_area->Pixel(x, y) == 0x0000C0;
        grey += work_area->Pixel(x, y) == 0x808080;
      }
    QCOMPARE(letters > 0, mode != 2);
    QCOMPARE(grey > 0, mode != 0);

    winTEXT* again = Open();
    QCOMPARE(again->Area_Text().Text(), QStringLiteral("Hello\nWorld"));
    QCOMPARE(again->Area_Text().TextColor(8, 1), 0x0000C0u);
    QCOMPARE(again->Area_Text().Font(8, 1), QStringLiteral("DejaVu Sans"));
    QCOMPARE(again->inpText->textCursor().selectedText().size(), 11);
    QCOMPARE(again->cbTRANS[0]->isChecked(), mode == 2);
    QCOMPARE(again->cbTRANS[1]->isChecked(), mode == 1);
  }

  // Each style the window offers, given to the second word, lasts through Place: in the floating text, in
  // the pixels its drop leaves in the picture and in the window opened again; the first word stays plain,
  // DejaVu Sans at 24 pixels in the foreground colour.
  void eachStyleLastsThroughPlaceAndReopening_data() {
    QTest::addColumn<QString>("style");
    QTest::addColumn<QString>("font");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<uint>("colour");
    const QString sans = QStringLiteral("DejaVu Sans");
    QTest::newRow("bold") << "bold" << sans << 24 << true << false << false << 0x0000C0u;
    QTest::newRow("italic") << "italic" << sans << 24 << false << true << false << 0x0000C0u;
    QTest::newRow("underline") << "underline" << sans << 24 << false << false << true << 0x0000C0u;
    QTest::newRow("font") << "font" << QStringLiteral("DejaVu Serif") << 24 << false << false << false << 0x0000C0u;
    QTest::newRow("size") << "size" << sans << 36 << false << false << false << 0x0000C0u;
    QTest::newRow("colour") << "colour" << sans << 24 << false << false << false << 0xC00000u;
  }
  void eachStyleLastsThroughPlaceAndReopening() {
    QFETCH(QString, style);
    QFETCH(QString, font);
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(bool, underline);
    QFETCH(uint, colour);
    // The text as it should be placed, made run by run.
    Platform::StyledText expected;
    Platform::StyleRun plain;
    plain.Text = QStringLiteral("Hello ");
    plain.Font = QStringLiteral("DejaVu Sans");
    plain.Size = 24;
    plain.TextColor = 0x0000C0;
    Platform::StyleRun styled;
    styled.Text = QStringLiteral("world");
    styled.Font = font;
    styled.Size = size;
    styled.Bold = bold;
    styled.Italic = italic;
    styled.Underline = underline;
    styled.TextColor = colour;
    expected.InsertStyleRun(plain, 0);
    expected.InsertStyleRun(styled, 1);

    Fixture::NewDocument(400, 120, 0x808080);
    Draw_Color[1] = 0x0000C0;
    Draw_Color[2] = 0xFFFFFF;
    modOptions::option_ColorPicker = true;
    winTEXT* w = Open();
    Type(w, {QStringLiteral("Hello world")});
    Choose(w->puFONT, QStringLiteral("DejaVu Sans"));
    Choose(w->puSIZE, QStringLiteral("24"));
    QTextCursor c = w->inpText->textCursor();
    c.setPosition(6);
    c.setPosition(11, QTextCursor::KeepAnchor);
    w->inpText->setTextCursor(c);
    if (style == "bold") Press(w->btnBOLD);
    if (style == "italic") Press(w->btnITALIC);
    if (style == "underline") Press(w->btnUNDERLINE);
    if (style == "font") Choose(w->puFONT, QStringLiteral("DejaVu Serif"));
    if (style == "size") Choose(w->puSIZE, QStringLiteral("36"));
    if (style == "colour") {
      Fixture::ExpectColorPicker(QColor(0xC0, 0x00, 0x00), QColor(0x00, 0x00, 0xC0));
      Press(w->btn_Color);
    }
    QCOMPARE(Style(w->Area_Text(), 6), Style(expected, 6));
    Press(w->btnPLACE);

    // The floating text.
    QVERIFY(myStyledText);
    QCOMPARE(Style(*myStyledText, 0), Style(expected, 0));
    QCOMPARE(Style(*myStyledText, 6), Style(expected, 6));
    // Dropped: the box with the text as it should be drawn, where the selection lay.
    const int width = StyledTextDrawing::StyledTextWidth(expected, 9999);
    const int height = StyledTextDrawing::StyledTextHeight(expected, 9999);
    auto drawn = Fixture::Filled(width, height, 0xFFFFFF);
    Platform::Graphics g = drawn->Graphics();
    RenderMode(g, modOptions::option_AntiAlias);
    StyledTextDrawing::DrawStyledText(g, expected, 2, 0, 9999);
    Main()->Turn_Lasso_OFF();
    QCOMPARE(img_DRAG_DROP, Point_of(3, 3));
    int differ = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) differ += work_area->Pixel(3 + x, 3 + y) != drawn->Pixel(x, y);
    QCOMPARE(differ, 0);
    // Opened again.
    winTEXT* again = Open();
    QCOMPARE(again->Area_Text().Text(), QStringLiteral("Hello world"));
    QCOMPARE(Style(again->Area_Text(), 0), Style(expected, 0));
    QCOMPARE(Style(again->Area_Text(), 6), Style(expected, 6));
  }

  // A selection still open when Place is pressed ends first, without an undo step; the text then floats
  // in its own selection with its placement mode.
  void placeEndsAnOpenSelectionFirst() {
    Fixture::NewDocument(300, 200);
    Fixture::Select(10, 10, 60, 40);
    winTEXT* w = Open();
    Type(w, {QStringLiteral("Over")});
    Press(w->cbTRANS[1]);
    Press(w->btnPLACE);
    QCOMPARE(int(pic_Stack.size()), 1);
    QVERIFY(Dragging_Text && active_DRAG && active_LASSO);
    QCOMPARE(Dragging_Text_Mode, 1);
    QCOMPARE(img_lasso->Top_Left(), Point_of(3, 3));
  }

  // The main window's activation shows the open window again; the main window's closing closes it.
  void theMainWindowShowsAndClosesIt() {
    winTEXT* w = Open();
    w->hide();
    Main()->Event_Activate();
    QVERIFY(w->isVisible());
    // The close box of the main window, with nothing to save.
    Main()->windowHandle()->close();
    QVERIFY(!winTEXT_Open);
    QTRY_VERIFY(!winTEXT::existing());
  }

  // Another tool closes the window; the text tool again makes a new one.
  void anotherToolClosesTheWindow() {
    QPointer<winTEXT> w(Open());
    QVERIFY(w && winTEXT_Open);
    Main()->drawing_TOOL_SET(TOOL_LINE);
    QVERIFY(!winTEXT_Open);
    QTRY_VERIFY(w.isNull());
    winTEXT* again = Open();
    QVERIFY(again && again->isVisible());
    QCOMPARE(drawing_TOOL, int32_t(TOOL_STYLEDTEXT));
  }

  // Place with an empty area beeps and leaves everything as it was, the window open.
  void placeWithoutText() {
    winTEXT* w = Open();
    Type(w, {});
    Platform::Environment::ResetBeepCount();
    Press(w->btnPLACE);
    QCOMPARE(Platform::Environment::BeepCount(), 1);
    QVERIFY(w->isVisible() && winTEXT_Open);
    QVERIFY(!drag_Picture && !active_DRAG && !Dragging_Text);
    QVERIFY(!myOriginalStyledText || myOriginalStyledText->Text().isEmpty());
  }

  // A text whose picture cannot be made is reported as out of memory; nothing changes.
  void placeTooLargeATextReportsOutOfMemory() {
    Dragging_Text_Mode = 1;
    winTEXT* w = Open();
    Type(w, {QStringLiteral("WW")});
    w->Area_Text().SetSize(0, 2, 20000);
    Fixture::ExpectMessageBox(QStringLiteral("Out of Memory^Insufficient memory to create a new picture"), QStringLiteral("Ok"));
    Press(w->btnPLACE);
    QVERIFY(w->isVisible() && winTEXT_Open);
    QVERIFY(!drag_Picture && !active_DRAG && !Dragging_Text);
    QCOMPARE(Dragging_Text_Mode, 1);
    QVERIFY(!myOriginalStyledText || myOriginalStyledText->Text().isEmpty());
  }

  // Cancel returns to the last drawing tool and closes the window; what the last Place stored stays.
  void cancelStoresNothing() {
    Fixture::NewDocument(200, 100);
    winTEXT* w = Open();
    Type(w, {QStringLiteral("First")});
    Press(w->btnPLACE);
    Main()->Turn_Lasso_OFF();
    w = Open();
    QPointer<winTEXT> guard(w);
    Type(w, {QStringLiteral("Second")});
    Press(w->cbTRANS[1]);
    Press(w->btnCANCEL);
    QTRY_VERIFY(guard.isNull());
    QVERIFY(!winTEXT_Open);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
    QCOMPARE(myOriginalStyledText->Text(), QStringLiteral("First"));
    QCOMPARE(Dragging_Text_Mode, 0);
  }

  // Escape in the window is Cancel.
  void escapeIsCancel() {
    winTEXT* w = Open();
    QPointer<winTEXT> guard(w);
    QTest::keyClick(w->inpText, Qt::Key_Escape);
    QTRY_VERIFY(guard.isNull());
    QVERIFY(!winTEXT_Open);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
  }

  // The knock-out of black text on a red background, dropped on a striped picture: a red box with the
  // letters cut out, the stripes showing through them.
  void knockOutGolden() {
    Fixture::NewDocument(240, 70);
    for (int y = 0; y < 70; ++y)
      for (int x = 0; x < 240; ++x) work_area->SetPixel(x, y, (x / 4) % 2 ? 0x2060FF : 0xFFD000);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    winTEXT* w = Open();
    Type(w, {QStringLiteral("Knock")});
    Choose(w->puFONT, QStringLiteral("DejaVu Sans"));
    Choose(w->puSIZE, QStringLiteral("48"));
    Press(w->btnBOLD);
    Press(w->cbTRANS[0]);
    Press(w->btnPLACE);
    QCOMPARE(Dragging_Text_Mode, 2);
    Main()->Place_Styled_Text();
    QCOMPARE(int(pic_Stack.size()), 2);
    const QImage image = work_area->Image().convertToFormat(QImage::Format_RGB32);
    const QString path = Golden(QStringLiteral("knockout_red"));
    if (qEnvironmentVariableIntValue("PIXMURA_WRITE_GOLDEN")) QVERIFY(image.save(path));
    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!golden.isNull(), qPrintable(path));
    QCOMPARE(golden.size(), image.size());
    int differ = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) differ += golden.pixel(x, y) != image.pixel(x, y);
    QCOMPARE(differ, 0);
  }
};

PIXMURA_TEST_CLASS(AddTextWindowTests)
#include "AddTextWindowTests.moc"
