// The free-hand selection on the real canvas: the path drawn with the mouse becomes a selection of the
// area it encloses, with its shape, hole and outline pictures; lifted with the grabber it moves in its
// own shape.
#include "CanvasDriver.h"
#include "core/FreehandMasks.h"
#include "platform/Environment.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
// Whether image pixel (x, y) belongs to the free-hand selection made last.
bool Selected(int x, int y) {
  const point_record tl = img_lasso->Top_Left();
  const PicturePtr& shape = Super_Lasso_mask[0];
  const int i = x - tl.x, j = y - tl.y;
  if (i < 0 || j < 0 || i >= shape->Width() || j >= shape->Height()) return false;
  return (shape->Pixel(i, j) & 0xFFFFFFu) == 0x000000u;
}
}  // namespace

class FreeLassoTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // A square drawn through four corners: its inside is selected, the pictures sit on the box from the
  // press point up to but not including the path's right column and bottom row.
  void squarePath() {
    Start(60, 50, TOOL_SUPERLASSO);
    Main()->classCOLORS1->Set_Color(2, 0x3366CC);
    Draw_Color[2] = 0x3366CC;
    Press({10, 10});
    DragTo({40, 10});
    DragTo({40, 40});
    // While the path is drawn it shows in the picture in the foreground colour.
    QCOMPARE(work_area->Pixel(25, 10) & 0xFFFFFFu, 0x000000u);
    DragTo({10, 40});
    Release({10, 40});

    QVERIFY(active_LASSO);
    QVERIFY(active_SUPERLASSO);
    QVERIFY(!work_lasso);
    QCOMPARE(img_lasso->Top_Left(), Point_of(10, 10));
    QCOMPARE(img_lasso->Bot_Right(), Point_of(40, 40));
    for (int k = 0; k < 4; ++k) {
      QCOMPARE(Super_Lasso_mask[k]->Width(), 30);
      QCOMPARE(Super_Lasso_mask[k]->Height(), 30);
    }
    QVERIFY(Selected(25, 25));
    QVERIFY(Selected(10, 25));  // the path itself
    QVERIFY(Selected(39, 39));
    QVERIFY(!Selected(5, 5));
    // The path is gone from the picture and nothing was committed.
    QCOMPARE(Bounds_Not(work_area, 0xFFFFFF), QRect());
    QCOMPARE(pic_Stack.size(), size_t(1));

    // The hole: the background colour at the conversion, masked by the shape.
    const PicturePtr hole = Super_Lasso_mask[1];
    QCOMPARE(hole->Pixel(15, 15) & 0xFFFFFFu, 0x3366CCu);
    QVERIFY(hole->HasMask());
    QCOMPARE(hole->MaskIfAny()->Pixel(15, 15) & 0xFFu, 0x00u);
    Draw_Color[2] = 0xFF0000;
    QCOMPARE(Super_Lasso_mask[1]->Pixel(15, 15) & 0xFFFFFFu, 0x3366CCu);

    // The outline: the first column and row always, the inside never; the last column (image column
    // 39) only through the other direction, so only at its ends.
    const PicturePtr outline = Super_Lasso_mask[2], grey = Super_Lasso_mask[3];
    QCOMPARE(outline->Transparent, 1);
    QCOMPARE(grey->Transparent, 1);
    const struct {
      int i, j;
      bool edge;
    } cases[] = {{0, 0, true}, {0, 15, true}, {15, 0, true}, {15, 15, false}, {29, 15, false},
                 {15, 29, false}, {29, 0, true}, {0, 29, true}};
    for (const auto& c : cases) {
      QCOMPARE(outline->Pixel(c.i, c.j) & 0xFFFFFFu, c.edge ? 0x000000u : 0xFFFFFFu);
      QCOMPARE(grey->Pixel(c.i, c.j) & 0xFFFFFFu, c.edge ? 0xC0C0C0u : 0xFFFFFFu);
    }
  }

  // Paths and the pixels they select (image pixels), and those they leave out.
  void enclosedArea_data() {
    QTest::addColumn<QList<QPoint>>("path");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QList<QPoint>>("in");
    QTest::addColumn<QList<QPoint>>("out");
    QTest::newRow("open stroke closed by a line")
        << QList<QPoint>{{10, 10}, {40, 10}, {40, 40}} << QRect(10, 10, 30, 30)
        << QList<QPoint>{{35, 15}, {30, 25}} << QList<QPoint>{{15, 35}, {20, 30}};
    QTest::newRow("figure-eight: both loops and the crossing")
        << QList<QPoint>{{10, 10}, {40, 40}, {40, 10}, {10, 40}} << QRect(10, 10, 30, 30)
        << QList<QPoint>{{14, 25}, {36, 25}, {25, 25}} << QList<QPoint>{{25, 14}, {25, 36}};
    QTest::newRow("ring: the hole too")
        << QList<QPoint>{{10, 10}, {50, 10}, {50, 50}, {10, 50}, {10, 10}, {20, 20}, {40, 20}, {40, 40}, {20, 40}, {20, 20}}
        << QRect(10, 10, 40, 40) << QList<QPoint>{{30, 30}, {15, 30}} << QList<QPoint>{{5, 30}};
    QTest::newRow("along the top-left corner")
        << QList<QPoint>{{30, 0}, {0, 0}, {0, 30}, {30, 30}} << QRect(0, 0, 30, 30)
        << QList<QPoint>{{15, 15}, {1, 1}, {29, 29}} << QList<QPoint>{{31, 15}};
    QTest::newRow("dragged past the right edge")
        << QList<QPoint>{{20, 10}, {90, 10}, {90, 40}, {20, 40}} << QRect(20, 10, 40, 30)
        << QList<QPoint>{{40, 25}, {59, 25}} << QList<QPoint>{{15, 25}};
    QTest::newRow("dragged past the top-left corner")
        << QList<QPoint>{{-10, -10}, {30, -10}, {30, 30}, {-10, 30}} << QRect(0, 0, 30, 30)
        << QList<QPoint>{{0, 0}, {15, 15}} << QList<QPoint>{{35, 35}};
  }
  void enclosedArea() {
    QFETCH(QList<QPoint>, path);
    QFETCH(QRect, box);
    QFETCH(QList<QPoint>, in);
    QFETCH(QList<QPoint>, out);
    Start(60, 55, TOOL_SUPERLASSO);
    Stroke(path);
    QVERIFY(active_LASSO && active_SUPERLASSO);
    QCOMPARE(img_lasso->Top_Left(), Point_of(box.left(), box.top()));
    QCOMPARE(img_lasso->Width(), box.width());
    QCOMPARE(img_lasso->Height(), box.height());
    QCOMPARE(Super_Lasso_mask[0]->Width(), box.width());
    QCOMPARE(Super_Lasso_mask[0]->Height(), box.height());
    for (const QPoint& p : in) QVERIFY2(Selected(p.x(), p.y()), qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
    for (const QPoint& p : out) QVERIFY2(!Selected(p.x(), p.y()), qPrintable(QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y())));
  }

  // A stroke under 2 pixels either way is no selection; the next press clears the old outline.
  void thinStrokeIsNoSelection() {
    Start(60, 50, TOOL_SUPERLASSO);
    Stroke({{10, 10}, {40, 10}, {40, 40}, {10, 40}});
    QVERIFY(Super_Lasso_mask[2]);
    Main()->Turn_Lasso_OFF();
    Main()->drawing_TOOL_SET(TOOL_SUPERLASSO);
    Stroke({{10, 10}, {30, 11}});
    QVERIFY(!active_LASSO);
    QVERIFY(!active_SUPERLASSO);
    QVERIFY(!Super_Lasso_mask[2]);
  }

  // Lifted with the grabber and moved by (+3, -2), the triangle keeps its shape; its old place shows
  // the background colour where nothing moved over it; the drop is one undo step.
  void liftAndMove_data() {
    QTest::addColumn<bool>("option");
    QTest::newRow("hole in the background colour") << false;
    QTest::newRow("Option: copy") << true;
  }
  void liftAndMove() {
    QFETCH(bool, option);
    Start(60, 50, TOOL_SUPERLASSO);
    Fixture::PaintMarkers(work_area);
    pic_Stack[0] = work_area->CopyAtDepth(32);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Draw_Color[2] = 0xFF0000;
    // The triangle (10, 10), (40, 10), (40, 40): above its diagonal.
    Stroke({{10, 10}, {40, 10}, {40, 40}});
    const PicturePtr shape = Super_Lasso_mask[0]->Clone();
    const auto inShape = [&](int x, int y) {
      return x >= 10 && y >= 10 && x < 40 && y < 40 && (shape->Pixel(x - 10, y - 10) & 0xFFFFFFu) == 0;
    };
    QVERIFY(inShape(35, 15));
    QVERIFY(!inShape(15, 35));
    if (option) Platform::Environment::OverrideKeys(Qt::AltModifier);
    HoverAt({30, 20});
    QCOMPARE(drawing_TOOL, TOOL_GRABBER);
    Stroke({{30, 20}, {32, 19}, {33, 18}});
    Platform::Environment::OverrideKeys(std::nullopt);
    QVERIFY(active_DRAG);
    QCOMPARE(img_DRAG_DROP, Point_of(13, 8));
    QCOMPARE(pic_Stack.size(), size_t(1));
    Main()->drawing_TOOL_SET(TOOL_PENCIL);
    QVERIFY(!active_DRAG && !active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 60; ++x) {
        Color want = Fixture::Marker(x, y);
        if (inShape(x - 3, y + 2)) want = Fixture::Marker(x - 3, y + 2);
        else if (!option && inShape(x, y)) want = 0xFF0000;
        QVERIFY2((work_area->Pixel(x, y) & 0xFFFFFFu) == want,
                 qPrintable(QStringLiteral("(%1,%2): %3 not %4").arg(x).arg(y).arg(work_area->Pixel(x, y) & 0xFFFFFFu, 0, 16).arg(want, 0, 16)));
      }
  }

  // The passes read no pixel outside the path picture, whatever the box: a box past every edge of a
  // small picture.
  void boxPastEveryEdge() {
    const PicturePtr path = Platform::Picture::Create(5, 4);
    const FreehandMasks::Masks m = FreehandMasks::Convert(*path, QRect(-3, -3, 12, 12), 0x00FF00);
    QCOMPARE(m.box, QRect(0, 0, 5, 4));
    // The path runs outside the picture all round: everything in it is enclosed.
    QCOMPARE(Bounds_Not(m.shape, 0x000000), QRect());
    const FreehandMasks::Masks none = FreehandMasks::Convert(*path, QRect(10, 10, 5, 5), 0x00FF00);
    QVERIFY(none.box.isEmpty());
    QVERIFY(!none.shape);
  }
};

PIXMURA_TEST_CLASS(FreeLassoTests)
#include "FreeLassoTests.moc"
