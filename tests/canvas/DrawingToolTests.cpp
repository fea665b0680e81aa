// The drawing tools on the real canvas: pencil, boxes, line, curve, arrow heads, eyedropper and flood
// fill, each checked pixel by pixel against figures worked out by hand.
#include "CanvasDriver.h"
#include "core/DrawingRoutines.h"
#include "core/UndoHistory.h"
#include "effects/modColorSplash.h"
#include "palettes/classPATTERNS.h"
#include "platform/Environment.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
using Pixels = QList<QPoint>;

// Every pixel of the picture in the colour, as a sorted list.
Pixels Pixels_Of(const PicturePtr& pic, Color c) {
  Pixels out;
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x)
      if ((pic->Pixel(x, y) & 0xFFFFFFu) == c) out << QPoint(x, y);
  return out;
}

Pixels Row(int y, int x1, int x2) {
  Pixels out;
  for (int x = x1; x <= x2; ++x) out << QPoint(x, y);
  return out;
}

Pixels Block(int x1, int y1, int x2, int y2) {
  Pixels out;
  for (int y = y1; y <= y2; ++y)
    for (int x = x1; x <= x2; ++x) out << QPoint(x, y);
  return out;
}
}  // namespace

class DrawingToolTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void pencilStrokeIsOneUndoStep() {
    Start(40, 30, TOOL_PENCIL);
    Stroke({{10, 10}, {15, 10}, {20, 10}});
    QCOMPARE(Pixels_Of(work_area, 0x000000), Row(10, 10, 20));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Current_Picture, 1);
    QVERIFY(img_changed);
    Main()->Manage_Undo_Stack(-1);
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(40, 30, 0xFFFFFF)), QString());
  }

  void rightButtonPaintsTheBackgroundColour() {
    Start(40, 30, TOOL_PENCIL);
    Main()->classCOLORS1->Set_Color(1, 0x0000FF);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Stroke({{5, 5}, {5, 8}}, Qt::RightButton);
    QCOMPARE(Pixels_Of(work_area, 0xFF0000), Pixels({{5, 5}, {5, 6}, {5, 7}, {5, 8}}));
    QCOMPARE(Pixels_Of(work_area, 0x0000FF), Pixels());
    QCOMPARE(Main()->classCOLORS1->Get_Color(1), Color(0x0000FF));
    QCOMPARE(Main()->classCOLORS1->Get_Color(2), Color(0xFF0000));
    QCOMPARE(Draw_Color[1], Color(0x0000FF));
    QCOMPARE(Draw_Color[2], Color(0xFF0000));
  }

  // A press and a release that arrive together run in order: the release commits the stroke.
  void fastClickRunsInOrder() {
    Start(40, 30, TOOL_PENCIL);
    const QPoint at(7, 7);
    QApplication::postEvent(Widget(), new QMouseEvent(QEvent::MouseButtonRelease, at, Widget()->mapToGlobal(at),
                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QMouseEvent press(QEvent::MouseButtonPress, at, Widget()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(Widget(), &press);
    QApplication::processEvents();
    QCOMPARE(pic_Stack.size(), size_t(2));
    // The selection tool: the click's empty box is ended by the release, not left behind.
    Start(40, 30, TOOL_LASSO);
    QApplication::postEvent(Widget(), new QMouseEvent(QEvent::MouseButtonRelease, at, Widget()->mapToGlobal(at),
                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QApplication::sendEvent(Widget(), &press);
    QApplication::processEvents();
    QVERIFY(!active_LASSO);
  }

  // In the partial colour mode the pencil and the rectangle bring the colour back instead of painting;
  // the oval draws as usual.
  void partialColourMode() {
    Start(40, 30, TOOL_PENCIL);
    work_area->Image().fill(Platform::ToQRgb(0xFF0000));
    pic_Stack[0] = work_area->CopyAtDepth(32);
    Fixture::ExpectMessageBox(QStringLiteral("Partial Color Mode : ON - Graylevels=256^Use BLACK to reveal COLOR "
                                             "portion of your drawing^Use WHITE to replace GRAY background^Press "
                                             "[ESC] when finished^^Note : Pencil size set to 10"),
                              QStringLiteral("Ok"));
    modColorSplash::Switch_ColorSplash_Mode(256);
    Pensize_SET(1, TOOL_PENCIL);
    const Color grey = work_area->Pixel(20, 20) & 0xFFFFFFu;
    QVERIFY(grey != 0xFF0000);
    Stroke({{5, 5}, {10, 5}});
    QCOMPARE(Pixels_Of(work_area, 0xFF0000), Row(5, 5, 10));
    Main()->drawing_TOOL_SET(TOOL_RECT);
    Drawing_Fillmode = 2;
    Stroke({{10, 10}, {14, 12}});
    Pixels expected = Row(5, 5, 10) + Block(10, 10, 14, 12);
    QCOMPARE(Pixels_Of(work_area, 0xFF0000), expected);
    QCOMPARE(Pixels_Of(work_area, 0x000000), Pixels());
    Main()->drawing_TOOL_SET(TOOL_OVAL);
    Stroke({{20, 20}, {30, 28}});
    QVERIFY(!Pixels_Of(work_area, 0x000000).isEmpty());
  }

  // Boxes with fill mode 2 in the foreground colour; Shift makes squares of the smaller extent.
  void boxes_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QRect>("box");
    QTest::newRow("rectangle") << int(TOOL_RECT) << QPoint(10, 10) << QPoint(14, 12) << false << QRect(10, 10, 5, 3);
    QTest::newRow("rectangle up and left") << int(TOOL_RECT) << QPoint(10, 10) << QPoint(6, 7) << false
                                           << QRect(6, 7, 4, 3);
    QTest::newRow("square with Shift") << int(TOOL_RECT) << QPoint(1, 1) << QPoint(11, 5) << true
                                       << QRect(1, 1, 5, 5);
    QTest::newRow("Shift: the smaller extent") << int(TOOL_RECT) << QPoint(2, 2) << QPoint(12, 3) << true
                                               << QRect(2, 2, 2, 2);
    QTest::newRow("Shift on the anchor's row") << int(TOOL_RECT) << QPoint(2, 2) << QPoint(12, 2) << true
                                               << QRect();
  }
  void boxes() {
    QFETCH(int, tool);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(bool, shift);
    QFETCH(QRect, box);
    Start(40, 30, tool);
    Drawing_Fillmode = 2;
    if (shift) Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    Stroke({from, to});
    Pixels expected = box.isEmpty() ? Pixels() : Block(box.left(), box.top(), box.right(), box.bottom());
    QCOMPARE(Pixels_Of(work_area, 0x000000), expected);
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  // The outline of fill mode 1 is drawn in the background colour.
  void rectangleOutlineInTheBackgroundColour() {
    Start(40, 30, TOOL_RECT);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Drawing_Fillmode = 1;
    Stroke({{10, 10}, {14, 12}});
    Pixels frame = Block(10, 10, 14, 12);
    frame.removeAll(QPoint(11, 11));
    frame.removeAll(QPoint(12, 11));
    frame.removeAll(QPoint(13, 11));
    QCOMPARE(Pixels_Of(work_area, 0xFF0000), frame);
  }

  // With Shift the line snaps to an axis below a ratio of 0.5 and to the diagonal from it.
  void lineWithShift_data() {
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Pixels>("pixels");
    QTest::newRow("ratio 0.4: horizontal") << QPoint(15, 9) << Row(5, 5, 15);
    Pixels diagonal;
    for (int i = 5; i <= 11; ++i) diagonal << QPoint(i, i);
    QTest::newRow("ratio 0.6: diagonal") << QPoint(15, 11) << diagonal;
    Pixels vertical;
    for (int y = 5; y <= 15; ++y) vertical << QPoint(5, y);
    QTest::newRow("ratio 0.3: vertical") << QPoint(8, 15) << vertical;
  }
  void lineWithShift() {
    QFETCH(QPoint, to);
    QFETCH(Pixels, pixels);
    Start(40, 30, TOOL_LINE);
    Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    Stroke({{5, 5}, to});
    std::sort(pixels.begin(), pixels.end(), [](QPoint a, QPoint b) { return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x(); });
    QCOMPARE(Pixels_Of(work_area, 0x000000), pixels);
  }

  // Each drag step draws the whole line afresh from the press point: no trace of earlier steps.
  void lineRubberBandLeavesNoTrace() {
    Start(40, 30, TOOL_LINE);
    Stroke({{5, 5}, {30, 25}, {20, 5}});
    QCOMPARE(Pixels_Of(work_area, 0x000000), Row(5, 5, 20));
  }

  // Rounded rectangle 50 x 20: its corner is 10 (a fifth of the longer side).
  void roundedRectangleCorner() {
    Start(60, 30, TOOL_ROUNDRECT);
    Drawing_Fillmode = 2;
    // (A press at (0, 0) would be the test library's "centre of the widget".)
    Stroke({{1, 1}, {50, 20}});
    const PicturePtr drawn = work_area->Clone();
    auto corner = [](int c) {
      PicturePtr p = Fixture::Filled(60, 30, 0xFFFFFF);
      Platform::Graphics g = p->Graphics();
      Main()->classPATTERNS1->FillRoundRect(g, 1, 1, 50, 20, c, c, 0);
      return p;
    };
    QCOMPARE(Fixture::Difference(drawn, corner(10)), QString());
    QVERIFY(!Fixture::Difference(drawn, corner(14)).isEmpty());
  }

  // The curve takes two strokes: the first commits nothing, the second bends the line and commits.
  void curveTwoStrokes() {
    Start(60, 40, TOOL_CURVE);
    Stroke({{10, 10}, {30, 10}, {50, 10}});
    QCOMPARE(Curve_Cnt, 2);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Pixels_Of(work_area, 0x000000), Row(10, 10, 50));
    Stroke({{30, 10}, {30, 30}});
    QCOMPARE(Curve_Cnt, 0);
    QCOMPARE(pic_Stack.size(), size_t(2));
    // Control point 4 pulled down: the curve leaves row 10 between its ends.
    QCOMPARE(work_area->Pixel(30, 10) & 0xFFFFFFu, Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(10, 10) & 0xFFFFFFu, Color(0));
    int below = 0;
    for (int y = 11; y < 40; ++y)
      for (int x = 11; x < 50; ++x) below += (work_area->Pixel(x, y) & 0xFFFFFFu) == 0;
    QVERIFY(below > 20);
  }

  // Arrow heads: 1 at the press point, 2 at the last drag point (not the release point), 3 both.
  void lineArrowHeads_data() {
    QTest::addColumn<int>("heads");
    QTest::addColumn<bool>("atStart");
    QTest::addColumn<bool>("atEnd");
    QTest::newRow("1") << 1 << true << false;
    QTest::newRow("2") << 2 << false << true;
    QTest::newRow("3") << 3 << true << true;
  }
  void lineArrowHeads() {
    QFETCH(int, heads);
    QFETCH(bool, atStart);
    QFETCH(bool, atEnd);
    Start(70, 40, TOOL_LINE);
    modOptions::option_ArrowHead = heads;
    modOptions::option_ArrowLength = 5;
    modOptions::option_ArrowWidth = 5;
    modOptions::option_ArrowConcavity = 0;
    Press({10, 20});
    DragTo({50, 20});
    Release({60, 20});
    // Off the line, inside a head of length 5 and width 5 whose tip is on the line's end.
    QCOMPARE((work_area->Pixel(14, 21) & 0xFFFFFFu) == 0, atStart);
    QCOMPARE((work_area->Pixel(46, 21) & 0xFFFFFFu) == 0, atEnd);
    QCOMPARE(work_area->Pixel(55, 20) & 0xFFFFFFu, Color(0xFFFFFF));
  }

  // Curve heads: 1 at point 1 (the first press), 2 at point 2.
  void curveArrowHeads_data() { lineArrowHeads_data(); }
  void curveArrowHeads() {
    QFETCH(int, heads);
    QFETCH(bool, atStart);
    QFETCH(bool, atEnd);
    Start(70, 40, TOOL_CURVE);
    modOptions::option_ArrowHead = heads;
    modOptions::option_ArrowLength = 5;
    modOptions::option_ArrowWidth = 5;
    modOptions::option_ArrowConcavity = 0;
    Stroke({{10, 20}, {50, 20}});
    // Control points on the line itself: the curve is the straight line.
    Stroke({{30, 20}, {30, 20}});
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE((work_area->Pixel(14, 21) & 0xFFFFFFu) == 0, atStart);
    QCOMPARE((work_area->Pixel(46, 21) & 0xFFFFFFu) == 0, atEnd);
  }

  // Length and width from a hand-edited settings file are worked out without overflow.
  void hugeArrowHeadSaturates() {
    modOptions::option_ArrowLength = 2000000000;
    modOptions::option_ArrowWidth = 2000000000;
    modOptions::option_ArrowConcavity = 0;
    size_PENCIL = 10;
    const auto head = ArrowHead_Polygon(Point_of(0, 0), Point_of(20, 0));
    // The tip at the thick line's end: (20 + 4.5 + 9, 0 + 4.5) rounded up; the base lies far behind it.
    QCOMPARE(head[0], Point_of(34, 5));
    QVERIFY(head[2].x < -1000000000);
    QVERIFY(head[1].y > 1000000000 || head[3].y > 1000000000);
  }

  void eyedropperPicksForegroundAndBackground() {
    Start(40, 30, TOOL_EYEDROPPER);
    work_area->SetPixel(5, 5, 0x123456);
    work_area->SetPixel(6, 5, 0x654321);
    Stroke({{5, 5}});
    QCOMPARE(Draw_Color[1], Color(0x123456));
    QCOMPARE(Main()->classCOLORS1->Get_Color(1), Color(0x123456));
    Main()->drawing_TOOL_SET(TOOL_EYEDROPPER);
    Stroke({{6, 5}}, Qt::RightButton);
    QCOMPARE(Draw_Color[2], Color(0x654321));
    QCOMPARE(Main()->classCOLORS1->Get_Color(2), Color(0x654321));
    QCOMPARE(Draw_Color[1], Color(0x123456));
  }

  void floodFillsAClosedOutline() {
    Start(40, 30, TOOL_FLOOD);
    {
      Platform::Graphics g = work_area->Graphics();
      g.SetForeColor(0);
      g.DrawRect(5, 5, 10, 8);
    }
    Main()->classCOLORS1->Set_Color(1, 0x00FF00);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Stroke({{8, 8}});
    QCOMPARE(Pixels_Of(work_area, 0x00FF00), Block(6, 6, 13, 11));
    QCOMPARE(pic_Stack.size(), size_t(2));
    Main()->drawing_TOOL_SET(TOOL_FLOOD);
    Stroke({{8, 8}}, Qt::RightButton);
    QCOMPARE(Pixels_Of(work_area, 0xFF0000), Block(6, 6, 13, 11));
    QCOMPARE(work_area->Pixel(20, 20) & 0xFFFFFFu, Color(0xFFFFFF));
  }

  // The view scrolls past the picture's edge: a press there picks and fills nothing, and no undo step.
  void pressesBesideThePictureAreIgnored_data() {
    QTest::addColumn<int>("tool");
    QTest::newRow("eyedropper") << int(TOOL_EYEDROPPER);
    QTest::newRow("flood fill") << int(TOOL_FLOOD);
  }
  void pressesBesideThePictureAreIgnored() {
    QFETCH(int, tool);
    Start(40, 30, tool);
    offset = Point_of(10, 0);
    Main()->C_INVALIDATE();
    QVERIFY(Widget()->width() > 35);
    Main()->classCOLORS1->Set_Color(1, 0x00FF00);
    Stroke({{35, 5}});  // image (45, 5), beyond the picture's right edge
    QCOMPARE(Draw_Color[1], Color(0x00FF00));
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Pixels_Of(work_area, 0x00FF00), Pixels());
    QCOMPARE(drawing_TOOL, tool);
  }
};

PIXMURA_TEST_CLASS(DrawingToolTests)
#include "DrawingToolTests.moc"
