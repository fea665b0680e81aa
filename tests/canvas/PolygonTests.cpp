// The polygon tool on the real canvas: vertices by plain clicks, the rubber band while dragging, the
// closing right click that fills and outlines the polygon as one undo step, and abandoning it.
#include "CanvasDriver.h"
#include "core/UndoHistory.h"
#include "palettes/Pointer.h"
#include "platform/Environment.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  Press(p, b);
  Release(p, b);
}
Color At(int x, int y) { return work_area->Pixel(x, y) & 0xFFFFFFu; }
}  // namespace

class PolygonTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void rightClickClosesFillsOutlinesAndCommits() {
    Start(60, 50, TOOL_POLYGON);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Drawing_Fillmode = 3;
    Click({10, 10});
    Click({50, 10});
    Click({50, 40});
    QVERIFY(modOptions::active_POLYGON);
    QCOMPARE(pic_Stack.size(), size_t(1));
    HoverAt({10, 40});
    Click({10, 40}, Qt::RightButton);
    // Inside in the background colour, the corners and the edges in the foreground colour.
    QCOMPARE(At(30, 25), Color(0xFF0000));
    for (QPoint p : {QPoint(10, 10), QPoint(50, 10), QPoint(50, 40), QPoint(10, 40), QPoint(30, 10), QPoint(50, 25),
                     QPoint(30, 40), QPoint(10, 25)})
      QCOMPARE(At(p.x(), p.y()), Color(0x000000));
    QCOMPARE(At(5, 5), Color(0xFFFFFF));
    QCOMPARE(At(55, 45), Color(0xFFFFFF));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Current_Picture, 1);
    QVERIFY(!modOptions::active_POLYGON);
    QVERIFY(modOptions::PolyPoints.empty());
    QCOMPARE(drawing_TOOL, int32_t(TOOL_POLYGON));

    // The next plain click starts a new polygon with that one vertex.
    Click({20, 20});
    QVERIFY(modOptions::active_POLYGON);
    QCOMPARE(modOptions::PolyPoints.size(), size_t(1));
    QCOMPARE(modOptions::PolyPoints[0], Point_of(20, 20));
  }

  void fillModesChooseFillAndOutline_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<Color>("inside");
    QTest::addColumn<bool>("outlined");
    QTest::newRow("outline only") << 1 << Color(0xFFFFFF) << true;
    QTest::newRow("fill only") << 2 << Color(0xFF0000) << false;
  }
  void fillModesChooseFillAndOutline() {
    QFETCH(int, mode);
    QFETCH(Color, inside);
    QFETCH(bool, outlined);
    Start(60, 50, TOOL_POLYGON);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Drawing_Fillmode = mode;
    Click({10, 10});
    Click({50, 10});
    HoverAt({50, 40});
    Click({50, 40}, Qt::RightButton);
    // The triangle (10,10), (50,10), (50,40): (40,20) lies inside, (50,25) on its right edge.
    QCOMPARE(At(40, 20), inside);
    QCOMPARE(At(50, 25) == 0x000000, outlined);
    QCOMPARE(At(20, 35), Color(0xFFFFFF));
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void vertexListClosesOnTheFirstVertex() {
    QCOMPARE(winMAIN::Polygon_Vertex_List({Point_of(1, 2), Point_of(3, 4)}), std::vector<int>({-1, 1, 2, 3, 4, 1, 2}));
    QCOMPARE(winMAIN::Polygon_Vertex_List({}), std::vector<int>({-1}));
  }

  // The band follows the pointer from the last vertex and does not leave traces of earlier steps.
  void rubberBandFollowsThePointer() {
    Start(40, 30, TOOL_POLYGON);
    Click({5, 5});
    Press({20, 5});
    DragTo({20, 25});
    DragTo({30, 25});
    // The edge (5,5)-(20,5) and the band (20,5)-(30,25), nothing of the band to (20,25).
    QCOMPARE(At(12, 5), Color(0x000000));
    QCOMPARE(At(30, 25), Color(0x000000));
    QCOMPARE(At(20, 25), Color(0xFFFFFF));
    QCOMPARE(At(20, 20), Color(0xFFFFFF));
    Release({30, 25});
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(modOptions::PolyPoints.size(), size_t(2));
  }

  void shiftDragSnapsTheBandToTheDiagonal() {
    Start(40, 30, TOOL_POLYGON);
    Press({0, 0});
    Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    DragTo({10, 4});
    Platform::Environment::OverrideKeys(std::nullopt);
    Release({10, 4});
    int n = 0;
    QCOMPARE(Bounds_Not(work_area, 0xFFFFFF, &n), QRect(0, 0, 5, 5));
    QCOMPARE(n, 5);
    for (int i = 0; i <= 4; ++i) QCOMPARE(At(i, i), Color(0x000000));
    QCOMPARE(Mouse_Point, Point_of(4, 4));
  }

  void toolChangeAbandonsWithoutAnUndoStep() {
    Start(40, 30, TOOL_POLYGON);
    Click({5, 5});
    Press({20, 5});
    DragTo({20, 20});
    Release({20, 20});
    Main()->drawing_TOOL_SET(TOOL_PENCIL);
    QVERIFY(!modOptions::active_POLYGON);
    QVERIFY(modOptions::PolyPoints.empty());
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
    // The last band stays on show, uncommitted.
    QCOMPARE(At(12, 5), Color(0x000000));
    QCOMPARE(At(20, 12), Color(0x000000));
    QCOMPARE(Fixture::Difference(pic_Stack[0], Fixture::Filled(40, 30, 0xFFFFFF)), QString());
    // Back on the polygon tool a right click finds nothing to close.
    Main()->drawing_TOOL_SET(TOOL_POLYGON);
    Click({30, 25}, Qt::RightButton);
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  // Taps (a press and its release together, with no move to the point first) place the vertices where
  // they are, and a right tap closes the polygon at its own point, as held clicks do.
  void tapsPlaceTheVerticesWhereTheyAre() {
    Start(60, 50, TOOL_POLYGON);
    Drawing_Fillmode = 1;
    HoverAt({55, 5});
    Tap(Widget(), {10, 10});
    Tap(Widget(), {50, 10});
    Tap(Widget(), {50, 40});
    QCOMPARE(modOptions::PolyPoints.size(), size_t(3));
    Tap(Widget(), {10, 40}, Qt::RightButton);
    QVERIFY(!modOptions::active_POLYGON);
    QCOMPARE(pic_Stack.size(), size_t(2));
    // The quadrilateral's four edges, nothing towards the last place the pointer was seen.
    for (QPoint p : {QPoint(30, 10), QPoint(50, 25), QPoint(30, 40), QPoint(10, 25), QPoint(10, 40)})
      QCOMPARE(At(p.x(), p.y()), Color(0x000000));
    int n = 0;
    QCOMPARE(Bounds_Not(work_area, 0xFFFFFF, &n), QRect(10, 10, 41, 31));
  }

  void rightClickWithoutPolygonDoesNothing() {
    Start(40, 30, TOOL_POLYGON);
    HoverAt({10, 10});
    Click({10, 10}, Qt::RightButton);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!modOptions::active_POLYGON);
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(40, 30, 0xFFFFFF)), QString());
  }
};

PIXMURA_TEST_CLASS(PolygonTests)
#include "PolygonTests.moc"
