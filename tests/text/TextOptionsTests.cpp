// The Text Options window of the single-line text tool, driven through its controls.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classTOOLS.h"
#include "platform/UpDownArrows.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/Text2Placement.h"
#include "text/classTEXT2.h"
#include "text/winTEXT2.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }
classTEXT2& Text() { return *Info_Text2; }

// The text tool's set-up at 100 %: the window opens and the box is placed.
winTEXT2* Open() {
  Initialize_TEXT2();
  winTEXT2* w = winTEXT2::existing();
  if (w) QTest::qWait(0);
  return w;
}

void Press(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
// A click on the upper (up) or lower (down) arrow.
void Arrow(Platform::UpDownArrows* a, bool up) {
  QTest::mouseClick(a, Qt::LeftButton, {}, QPoint(a->width() / 2, up ? 4 : a->height() - 4));
}
}  // namespace

class TextOptionsTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theWindowAndItsControls() {
    Fixture::NewDocument(200, 200);
    winTEXT2* w = Open();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Text Options"));
    QCOMPARE(w->size(), QSize(265, 290));
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(w->windowFlags() & Qt::Tool);
    QVERIFY(!(w->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    const std::pair<QWidget*, QRect> places[] = {
        {w->inpText, {10, 10, 245, 22}},       {w->puFONT, {43, 40, 212, 20}},      {w->puSIZE, {43, 70, 67, 20}},
        {w->btnBOLD, {183, 70, 22, 22}},       {w->btnITALIC, {208, 70, 22, 22}},   {w->btnUNDERLINE, {233, 70, 22, 22}},
        {w->bbAngle[0], {20, 148, 45, 16}},    {w->bbAngle[4], {200, 148, 45, 16}}, {w->valShadow[1], {115, 210, 20, 20}},
        {w->UD_Shadow[0], {65, 210, 13, 23}},  {w->UD_Shadow[1], {140, 210, 13, 23}}, {w->bbReset, {195, 210, 50, 22}},
        {w->pbCancel, {10, 253, 80, 20}},      {w->pbPIN, {175, 253, 80, 20}}};
    for (const auto& [control, place] : places) QCOMPARE(control->geometry(), place);
    QStringList captions;
    for (QPushButton* b : w->bbAngle) captions << b->text();
    QCOMPARE(captions, (QStringList{"-90", "-45", "0", "45", "90"}));
    QCOMPARE(w->lblShadow[0]->text() + w->lblShadow[1]->text(), QStringLiteral("X:Y:"));
    QCOMPARE(w->pbPIN->text(), QStringLiteral("Pin Text"));
    QVERIFY(w->btnBOLD->font().bold() && w->btnITALIC->font().italic() && w->btnUNDERLINE->font().underline());
    QCOMPARE(w->btnBOLD->font().pixelSize(), 14);
    QVERIFY(!w->pbPIN->isDefault() && !w->pbCancel->isDefault() && !w->pbPIN->autoDefault());
    QCOMPARE(w->slide_Rotate->minimum, -90.f);
    QCOMPARE(w->slide_Rotate->maximum, 90.f);
    // The keyboard goes size, font, field, Cancel, Pin Text, and nothing else takes it.
    QList<QWidget*> chain;
    QWidget* f = w->puSIZE;
    do {
      chain << f;
      f = f->nextInFocusChain();
      while (f->focusPolicy() == Qt::NoFocus || !f->isVisibleTo(w)) f = f->nextInFocusChain();
    } while (f != w->puSIZE && chain.size() < 20);
    QCOMPARE(chain, (QList<QWidget*>{w->puSIZE, w->puFONT, w->inpText, w->pbCancel, w->pbPIN}));
  }

  // Opening loads every control from the text object and writes nothing back.
  void openingShowsTheObjectAndWritesNothing() {
    Text().TextFont(QStringLiteral("DejaVu Serif"));
    Text().TextSize(36);
    Text().Rotate(-45);
    Text().Shadow_Offset(0, 4);
    Text().Shadow_Offset(1, -7);
    Text().Text(QStringLiteral("Hello"));
    QSignalSpy spy(Info_Text2.get(), &classTEXT2::Text2_Updated);
    winTEXT2* w = Open();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(w->puFONT->currentText(), QStringLiteral("DejaVu Serif"));
    QCOMPARE(w->puSIZE->currentText(), QStringLiteral("36"));
    QCOMPARE(w->slide_Rotate->Get_Value(), -45.f);
    QCOMPARE(w->valShadow[0]->text(), QStringLiteral("4"));
    QCOMPARE(w->valShadow[1]->text(), QStringLiteral("-7"));
    QCOMPARE(w->inpText->text(), QStringLiteral("Hello"));
    QCOMPARE(w->inpText->selectedText(), QStringLiteral("Hello"));
    QCOMPARE(Text().Rotate(), 315);
  }

  void aFreshObjectShowsNoTurnAndNoShadow() {
    winTEXT2* w = Open();
    QCOMPARE(w->slide_Rotate->Get_Value(), 0.f);
    QCOMPARE(w->valShadow[0]->text(), QStringLiteral("0"));
    QCOMPARE(w->valShadow[1]->text(), QStringLiteral("0"));
    QCOMPARE(w->inpText->selectedText(), QStringLiteral("Enter Text Here"));
  }

  void thePopupsSetFontAndSize() {
    winTEXT2* w = Open();
    w->puFONT->setCurrentIndex(w->puFONT->findText(QStringLiteral("DejaVu Sans Mono")));
    QCOMPARE(Text().TextFont(), QStringLiteral("DejaVu Sans Mono"));
    w->puSIZE->setCurrentIndex(w->puSIZE->findText(QStringLiteral("72")));
    QCOMPARE(Text().TextSize(), 72);
  }

  void eachStyleButtonFlipsItsStyle() {
    winTEXT2* w = Open();
    Press(w->btnBOLD);
    Press(w->btnITALIC);
    Press(w->btnITALIC);
    Press(w->btnUNDERLINE);
    QVERIFY(Text().Bold());
    QVERIFY(!Text().Italic());
    QVERIFY(Text().Underline());
    Press(w->btnBOLD);
    QVERIFY(!Text().Bold());
  }

  void theStyleButtonsHelpTags_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
  }
  void theStyleButtonsHelpTags() {
    QFETCH(bool, on);
    modOptions::option_HelpTags = on;
    winTEXT2* w = Open();
    QCOMPARE(w->btnBOLD->toolTip() + w->btnITALIC->toolTip() + w->btnUNDERLINE->toolTip(),
             on ? QStringLiteral("BoldItalicUnderline") : QString());
  }

  // The angle buttons turn the text; the slider shows the angle again when the window reopens.
  void theAngleButtons() {
    Fixture::NewDocument(100, 100);
    winTEXT2* w = Open();
    QSignalSpy spy(Info_Text2.get(), &classTEXT2::Text2_Updated);
    Press(w->bbAngle[2]);  // "0" while 0 shows
    QCOMPARE(spy.count(), 0);
    const int stored[] = {270, 315, 0, 45, 90};
    for (int i : {4, 0, 3, 1}) {
      Press(w->bbAngle[i]);
      QCOMPARE(Text().Rotate(), stored[i]);
      QCOMPARE(w->slide_Rotate->Get_Value(), float((i - 2) * 45));
    }
    Press(w->pbCancel);
    QTRY_VERIFY(!winTEXT2::existing());
    w = Open();
    QCOMPARE(w->slide_Rotate->Get_Value(), -45.f);
    QCOMPARE(Text().Rotate(), 315);
  }

  // The arrows step each offset within -15..15; Reset puts both back to 0.
  void theShadowOffsets() {
    Text().Shadow_Offset(0, 14);
    Text().Shadow_Offset(1, -14);
    winTEXT2* w = Open();
    for (int i = 0; i < 3; ++i) {
      Arrow(w->UD_Shadow[0], true);
      Arrow(w->UD_Shadow[1], false);
    }
    QCOMPARE(Text().Shadow_Offset(0), 15);
    QCOMPARE(Text().Shadow_Offset(1), -15);
    QCOMPARE(w->valShadow[0]->text(), QStringLiteral("15"));
    QCOMPARE(w->valShadow[1]->text(), QStringLiteral("-15"));
    Arrow(w->UD_Shadow[0], false);
    Arrow(w->UD_Shadow[1], true);
    QCOMPARE(Text().Shadow_Offset(0), 14);
    QCOMPARE(Text().Shadow_Offset(1), -14);
    Press(w->bbReset);
    QCOMPARE(Text().Shadow_Offset(0), 0);
    QCOMPARE(Text().Shadow_Offset(1), 0);
    QCOMPARE(w->valShadow[0]->text(), QStringLiteral("0"));
    QCOMPARE(w->valShadow[1]->text(), QStringLiteral("0"));
    // An offset above the range from elsewhere comes back into it at the next step.
    Text().Shadow_Offset(0, 40);
    w->Change_Offset(0, 1);
    QCOMPARE(Text().Shadow_Offset(0), 15);
    w->Change_Offset(7, 1);
    QCOMPARE(Text().Shadow_Offset(1), 0);
  }

  // Typing reaches the object trimmed at each keystroke; the box keeps its corner and follows the width.
  void typingWidensTheBox() {
    Fixture::NewDocument(300, 200);
    Text().TextFont(QStringLiteral("DejaVu Sans"));
    winTEXT2* w = Open();
    const point_record corner = img_lasso->Top_Left();
    QTest::keyClicks(w->inpText, QStringLiteral("  Hi"));
    QCOMPARE(Text().Text(), QStringLiteral("Hi"));
    const int narrow = img_lasso->Width();
    QCOMPARE(narrow, Text().Width());
    QTest::keyClicks(w->inpText, QStringLiteral(" there  "));
    QCOMPARE(w->inpText->text(), QStringLiteral("  Hi there  "));
    QCOMPARE(Text().Text(), QStringLiteral("Hi there"));
    QVERIFY(img_lasso->Width() > narrow);
    QCOMPARE(img_lasso->Width(), Text().Width());
    QCOMPARE(img_lasso->Height(), Text().Height());
    QCOMPARE(img_lasso->Top_Left(), corner);
  }

  // Return and Escape in the field neither pin nor cancel.
  void returnAndEscapeInTheFieldDoNothing() {
    Fixture::NewDocument(100, 100);
    winTEXT2* w = Open();
    const int states = int(pic_Stack.size());
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) QTest::keyClick(w->inpText, key);
    QTest::qWait(0);
    QCOMPARE(winTEXT2::existing(), w);
    QVERIFY(w->isVisible());
    QCOMPARE(drawing_TOOL, int32_t(TOOL_TEXT2));
    QVERIFY(active_DRAG && active_TEXTMODE);
    QCOMPARE(int(pic_Stack.size()), states);
    QCOMPARE(Text().Text(), QStringLiteral("Enter Text Here"));
  }

  // While the window is open the palette and the status bar take nothing; a close gives them back.
  void theToolPaletteWaitsWhileTheWindowIsOpen() {
    Last_DrawTool = TOOL_RECT;
    Open();
    QVERIFY(!Main()->classTOOLS1->isEnabled());
    QVERIFY(!Main()->statusbar->isEnabled());
    QTest::mouseClick(Main()->classTOOLS1, Qt::LeftButton, {},
                      QPoint(classTOOLS::Get_tool_X(TOOL_OVAL) + 10, classTOOLS::Get_tool_Y(TOOL_OVAL) + 10));
    QCOMPARE(Main()->classTOOLS1->Current_Tool(), int32_t(TOOL_TEXT2));
    QCOMPARE(drawing_TOOL, int32_t(TOOL_TEXT2));
    Press(winTEXT2::existing()->pbCancel);
    QVERIFY(Main()->classTOOLS1->isEnabled());
    QVERIFY(Main()->statusbar->isEnabled());
  }

  // Cancel, and a close from the window manager, drop the box and go back to the last drawing tool.
  void cancelDropsTheBox_data() {
    QTest::addColumn<int>("lastTool");
    QTest::addColumn<bool>("byWindowManager");
    QTest::addColumn<int>("tool");
    QTest::newRow("Cancel, no tool before") << -1 << false << int(TOOL_PENCIL);
    QTest::newRow("Cancel after the oval") << int(TOOL_OVAL) << false << int(TOOL_OVAL);
    QTest::newRow("window manager, no tool before") << -1 << true << int(TOOL_PENCIL);
    QTest::newRow("window manager after the brush") << int(TOOL_BRUSH) << true << int(TOOL_BRUSH);
  }
  void cancelDropsTheBox() {
    QFETCH(int, lastTool);
    QFETCH(bool, byWindowManager);
    QFETCH(int, tool);
    Fixture::NewDocument(100, 100, 0x336699);
    const Platform::PicturePtr before = work_area;
    Last_DrawTool = lastTool;
    winTEXT2* w = Open();
    QPointer<winTEXT2> guard(w);
    w->move(w->x() - 40, w->y() + 25);
    const QPoint place = w->geometry().topLeft();
    if (byWindowManager) w->windowHandle()->close();
    else Press(w->pbCancel);
    QVERIFY(!winTEXT2::existing());
    QVERIFY(guard.isNull() || !guard->isVisible());
    QTRY_VERIFY(guard.isNull());
    QCOMPARE(drawing_TOOL, tool);
    QVERIFY(!active_DRAG && !active_LASSO && !active_TEXTMODE && !Dragging_Text);
    QCOMPARE(int(pic_Stack.size()), 1);
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(100, 100, 0x336699)), QString());
    QVERIFY(Main()->classTOOLS1->isEnabled() && Main()->statusbar->isEnabled());
    QCOMPARE(QPoint(txt_box[0], txt_box[1]), place);
  }

  // The first opening lines up the right edges 10 pixels below the main window's top; a moved window
  // reopens where it was left.
  void theWindowsPlace() {
    Main()->setGeometry(150, 90, 900, 600);
    winTEXT2* w = Open();
    const QRect m = Main()->geometry();
    QCOMPARE(w->geometry().right(), m.right());
    QCOMPARE(w->geometry().top(), m.top() + 10);
    w->move(40, 60);
    const QRect left = w->geometry();
    Press(w->pbCancel);
    Main()->setGeometry(10, 10, 950, 620);
    w = Open();
    QCOMPARE(w->geometry(), left);
  }
};

PIXMURA_TEST_CLASS(TextOptionsTests)
#include "TextOptionsTests.moc"
