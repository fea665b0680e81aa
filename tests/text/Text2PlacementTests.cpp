// Placing the single-line text: the box the tool change puts on the canvas, its preview, Pin Text and
// the end of a placement by another tool.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "palettes/Pointer.h"
#include "palettes/RoundSlider.h"
#include "palettes/classCOLORS.h"
#include "palettes/classTOOLS.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/classTEXT2.h"
#include "text/winTEXT2.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }
classTEXT2& Text() { return *Info_Text2; }

// The tool change that the palette's text cell makes at 100 %.
winTEXT2* Choose_Text_Tool() {
  Zoom = 1;
  Main()->drawing_TOOL_GET(TOOL_TEXT2);
  return winTEXT2::existing();
}

// A click on the tool palette's text cell: the pointer comes to rest on it, then clicks.
void Click_Text_Cell() {
  classTOOLS* palette = Main()->classTOOLS1;
  const QPoint at(classTOOLS::Get_tool_X(TOOL_STYLEDTEXT) + 16, classTOOLS::Get_tool_Y(TOOL_STYLEDTEXT) + 16);
  Hover(palette, at);
  QTest::mouseClick(palette, Qt::LeftButton, {}, at);
}

int Windows() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (qobject_cast<winTEXT2*>(w) && w->isVisible()) ++n;
  return n;
}

// The bounds of the pixels that are not the colour.
QRect Ink(const QImage& image, QRgb background) {
  QRect r;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF)) r |= QRect(x, y, 1, 1);
  return r;
}
}  // namespace

class Text2PlacementTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // The box lies 3 image pixels right of and below the view's top-left pixel, scrolled or not.
  void choosingTheToolPlacesTheBox_data() {
    QTest::addColumn<QPoint>("scroll");
    QTest::newRow("at the corner") << QPoint(0, 0);
    QTest::newRow("scrolled") << QPoint(120, 45);
  }
  void choosingTheToolPlacesTheBox() {
    QFETCH(QPoint, scroll);
    Fixture::NewDocument(900, 700);
    offset = Point_of(scroll.x(), scroll.y());
    winTEXT2* w = Choose_Text_Tool();
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral("Text Options"));
    QCOMPARE(w->inpText->selectedText(), QStringLiteral("Enter Text Here"));
    QVERIFY(w->inpText->hasFocus());
    const point_record corner = Point_of(scroll.x() + 3, scroll.y() + 3);
    QCOMPARE(img_lasso->Top_Left(), corner);
    QCOMPARE(img_lasso->Width(), Text().Width());
    QCOMPARE(img_lasso->Height(), Text().Height());
    QCOMPARE(img_DRAG_DROP, corner);
    QVERIFY(active_DRAG && active_LASSO && active_TEXTMODE && Dragging_Text);
    QCOMPARE(Dragging_Text_Mode, 0);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_TEXT2));
    QCOMPARE(Main()->Screen_Canvas->cursor().shape(), Qt::SizeAllCursor);
    QVERIFY(!Main()->classTOOLS1->isEnabled());
    QCOMPARE(int(pic_Stack.size()), 1);
    // The same tool again sets up nothing more.
    Main()->drawing_TOOL_SET(TOOL_TEXT2);
    QCOMPARE(winTEXT2::existing(), w);
    QCOMPARE(Windows(), 1);
  }

  // The palette's text cell opens the window at 100 % only; elsewhere it beeps and says why.
  void theTextCellOnThePalette_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<bool>("opens");
    QTest::newRow("100 %") << 1.f << true;
    QTest::newRow("200 %") << 2.f << false;
  }
  void theTextCellOnThePalette() {
    QFETCH(float, zoom);
    QFETCH(bool, opens);
    Fixture::NewDocument(300, 200);
    Main()->Set_Zoom(zoom);
    Click_Text_Cell();
    QCOMPARE(winTEXT2::existing() != nullptr, opens);
    QCOMPARE(drawing_TOOL, opens ? int32_t(TOOL_TEXT2) : int32_t(TOOL_PENCIL));
    QCOMPARE(Platform::Environment::BeepCount(), opens ? 0 : 1);
    QCOMPARE(Main()->status_msg, opens ? QString() : QStringLiteral("Must be at 100% for Text Tool"));
    QCOMPARE(active_DRAG, opens);
    if (opens) QCOMPARE(winTEXT2::existing()->inpText->selectedText(), QStringLiteral("Enter Text Here"));
  }

  // While the text is placed, a colour picked on the colour palette colours the text (click) or its
  // shadow (contextual click); with another tool the text keeps its colours.
  void theColourPaletteColoursTheText_data() {
    QTest::addColumn<bool>("placing");
    QTest::newRow("placing") << true;
    QTest::newRow("pencil") << false;
  }
  void theColourPaletteColoursTheText() {
    QFETCH(bool, placing);
    Fixture::NewDocument(300, 200);
    if (placing) Choose_Text_Tool();
    classCOLORS* colours = Main()->classCOLORS1;
    const auto cell = [colours](int i) { return QPoint(colours->Cell_X(i) + 8, colours->Cell_Y(i) + 8); };
    QTest::mouseClick(colours, Qt::LeftButton, {}, cell(12));
    QTest::mouseClick(colours, Qt::RightButton, {}, cell(7));
    QVERIFY(colours->Colors()[12] != 0x000000 && colours->Colors()[7] != 0xC0C0C0);
    QCOMPARE(Draw_Color[1], colours->Colors()[12]);
    QCOMPARE(Draw_Color[2], colours->Colors()[7]);
    QCOMPARE(Text().TextColor(), placing ? colours->Colors()[12] : 0x000000u);
    QCOMPARE(Text().ShadowColor(), placing ? colours->Colors()[7] : 0xC0C0C0u);
  }

  // The canvas shows the text inside its box, before anything is drawn into the picture.
  void theCanvasShowsThePreview() {
    Fixture::NewDocument(400, 300);
    Text().TextFont(QStringLiteral("DejaVu Sans"));
    Text().TextSize(30);
    Choose_Text_Tool();
    const QImage canvas = Main()->Screen_Canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect ink = Ink(canvas, 0xFFFFFF);
    QVERIFY(!ink.isEmpty());
    // The box's marching ants run along its corners' rows and columns, the far ones included.
    QVERIFY2(QRect(3, 3, Text().Width() + 1, Text().Height() + 1).contains(ink),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(400, 300, 0xFFFFFF)), QString());
  }

  // Pin Text draws the text where the box was left, as one undo step, and offers it again in a new box
  // with the same settings in a new window.
  void pinTextDrawsTheTextAndOffersItAgain() {
    Fixture::NewDocument(300, 200);
    Text().TextFont(QStringLiteral("DejaVu Sans"));
    winTEXT2* w = Choose_Text_Tool();
    QPointer<winTEXT2> first(w);
    QTest::keyClicks(w->inpText, QStringLiteral("Hi"));
    QTest::mouseClick(w->bbAngle[1], Qt::LeftButton);
    // The user has dragged the box to (50, 60).
    const QRect box(50, 60, img_lasso->Width(), img_lasso->Height());
    img_lasso->set_Top_Left(Point_of(box.x(), box.y()));
    img_lasso->set_Bot_Right(Point_of(box.x() + box.width(), box.y() + box.height()));
    QTest::mouseClick(w->pbPIN, Qt::LeftButton);
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(Current_Picture, 1);
    QVERIFY(img_changed);
    // The turned text stays near its box: it is centred on the box's centre.
    const QRect ink = Ink(work_area->Image(), 0xFFFFFF);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(std::abs(ink.center().x() - box.center().x()) <= 2 && std::abs(ink.center().y() - box.center().y()) <= 3,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    // A new window on the same text, the old one gone once its button's handler has returned.
    winTEXT2* again = winTEXT2::existing();
    QVERIFY(again && again != w && again->isVisible());
    QTRY_VERIFY(first.isNull());
    QCOMPARE(Windows(), 1);
    QCOMPARE(again->inpText->selectedText(), QStringLiteral("Hi"));
    QCOMPARE(again->slide_Rotate->Get_Value(), -45.f);
    QCOMPARE(Text().Rotate(), 315);
    QCOMPARE(img_lasso->Top_Left(), Point_of(3, 3));
    QCOMPARE(drawing_TOOL, int32_t(TOOL_TEXT2));
    QVERIFY(active_DRAG && active_TEXT2);
    QVERIFY(!Main()->classTOOLS1->isEnabled());
    // Cancel now adds nothing and leaves the pinned text.
    const QImage pinned = work_area->Image().copy();
    QTest::mouseClick(again->pbCancel, Qt::LeftButton);
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(work_area->Image(), pinned);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
  }

  // Delete and Cut typed on the main window end the placement as every command that ends it does: the
  // text is drawn where its box lies as one undo step, the window closes, and the palette and status bar
  // take clicks again.
  void deleteAndCutEndThePlacement_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier);
    QTest::newRow("Cut") << int(Qt::Key_X) << int(Qt::ControlModifier);
  }
  void deleteAndCutEndThePlacement() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Fixture::NewDocument(300, 200);
    Text().TextFont(QStringLiteral("DejaVu Sans"));
    QPointer<winTEXT2> w(Choose_Text_Tool());
    QVERIFY(w);
    winMAIN* main = Main();
    main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(Current_Picture, 1);
    const QRect ink = Ink(work_area->Image(), 0xFFFFFF);
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(3, 3, Text().Width(), Text().Height()).contains(ink));
    // The undo step holds the text, not the picture as it was.
    QCOMPARE(Fixture::Difference(pic_Stack[1], work_area), QString());
    QVERIFY(!winTEXT2::existing());
    QTRY_VERIFY(w.isNull());
    QCOMPARE(Windows(), 0);
    QVERIFY(main->classTOOLS1->isEnabled());
    QVERIFY(main->statusbar->isEnabled());
    QVERIFY(!active_TEXT2 && !active_TEXTMODE && !active_LASSO && !active_DRAG);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
  }

  // A tool change that keeps the selection (the shapes gallery's) ends the placement by the text's own
  // state: the text is drawn, not a floating picture left over from before, and the window closes.
  void anotherToolDropsTheTextNotAStalePicture() {
    Fixture::NewDocument(200, 100);
    Choose_Text_Tool();
    drag_Picture = Fixture::Filled(20, 20, 0xFF0000);
    Main()->drawing_TOOL_SET(TOOL_SHAPE);
    QVERIFY(!winTEXT2::existing());
    QVERIFY(Main()->classTOOLS1->isEnabled() && Main()->statusbar->isEnabled());
    QCOMPARE(int(pic_Stack.size()), 2);
    const QRect ink = Ink(work_area->Image(), 0xFFFFFF);
    QVERIFY(QRect(3, 3, Text().Width(), Text().Height()).contains(ink));
    bool red = false;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 200; ++x) red |= work_area->Pixel(x, y) == 0xFF0000;
    QVERIFY(!red);
    QVERIFY(!active_DRAG && !active_TEXT2 && !active_LASSO && !active_TEXTMODE);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_SHAPE));
  }
};

PIXMURA_TEST_CLASS(Text2PlacementTests)
#include "Text2PlacementTests.moc"
