// The eraser and brush strokes on the real canvas: the stamped squares and discs, the colour eraser,
// the brush's blend over the picture as it was before the stroke, and the tool after the release.
#include "CanvasDriver.h"
#include "app/modOptions.h"
#include "core/UndoHistory.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
Color At(int x, int y) { return work_area->Pixel(x, y) & 0xFFFFFFu; }
int Grey_At(int x, int y) {
  const Color c = At(x, y);
  return (c >> 8) & 0xFF;
}
void Brush(int size, int opacity) {
  size_BRUSH = size;
  modOptions::option_BrushRandom = false;
  modOptions::option_BrushOpacity = opacity;
}
}  // namespace

class StampStrokeTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Each eraser stamp is a square of 2 x size + 3 pixels; a drag stamps every pixel on its way.
  void eraserClearsSquaresAlongTheStroke_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QList<QPoint>>("stroke");
    QTest::addColumn<QRect>("cleared");
    QTest::newRow("size 1 click") << 1 << QList<QPoint>{{10, 10}} << QRect(8, 8, 5, 5);
    QTest::newRow("size 1 drag right") << 1 << QList<QPoint>{{10, 10}, {12, 10}} << QRect(8, 8, 7, 5);
    QTest::newRow("size 10 click") << 10 << QList<QPoint>{{25, 25}} << QRect(14, 14, 23, 23);
    QTest::newRow("size 1 at the corner") << 1 << QList<QPoint>{{0, 0}} << QRect(0, 0, 3, 3);
    QTest::newRow("size 2 leaving the picture") << 2 << QList<QPoint>{{45, 20}, {60, 20}} << QRect(42, 17, 8, 7);
  }
  void eraserClearsSquaresAlongTheStroke() {
    QFETCH(int, size);
    QFETCH(QList<QPoint>, stroke);
    QFETCH(QRect, cleared);
    Start(50, 50, TOOL_ERASER);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    size_ERASER = size;
    Last_DrawTool = TOOL_PENCIL;
    Stroke(stroke);
    int n = 0;
    QCOMPARE(Bounds_Not(work_area, 0xFFFFFF, &n), cleared);
    QCOMPARE(n, cleared.width() * cleared.height());
    QCOMPARE(At(cleared.x(), cleared.y()), Color(0xFF0000));
    QCOMPARE(pic_Stack.size(), size_t(2));
    // The eraser stays the tool for the next stroke.
    QCOMPARE(drawing_TOOL, int32_t(TOOL_ERASER));
  }

  void colourEraserTakesOnlyTheForegroundColour() {
    Start(30, 30, TOOL_ERASER);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    size_ERASER = 1;
    work_area->SetPixel(9, 9, 0x000000);
    work_area->SetPixel(10, 10, 0x000000);
    work_area->SetPixel(11, 11, 0x0000FF);
    work_area->SetPixel(12, 12, 0x010000);  // one step off black
    work_area->SetPixel(20, 20, 0x000000);  // outside the square
    Stroke({{10, 10}}, Qt::RightButton);
    QCOMPARE(At(9, 9), Color(0xFF0000));
    QCOMPARE(At(10, 10), Color(0xFF0000));
    QCOMPARE(At(11, 11), Color(0x0000FF));
    QCOMPARE(At(12, 12), Color(0x010000));
    QCOMPARE(At(20, 20), Color(0x000000));
    QCOMPARE(At(8, 8), Color(0xFFFFFF));
    QCOMPARE(At(12, 8), Color(0xFFFFFF));
  }

  void brushDiscAtFullOpacityPaintsTheColour() {
    Start(40, 30, TOOL_BRUSH);
    Brush(3, 100);
    Main()->classCOLORS1->Set_Color(1, 0x3366CC);
    Main()->classCOLORS1->Set_Color(2, 0x00FF00);
    Last_DrawTool = TOOL_PENCIL;
    Stroke({{10, 10}});
    QCOMPARE(At(10, 10), Color(0x3366CC));
    // The tip is 7 pixels square around the press.
    QVERIFY(QRect(7, 7, 7, 7).contains(Bounds_Not(work_area, 0xFFFFFF)));
    QCOMPARE(pic_Stack.size(), size_t(2));
    // The brush hands the canvas back to the last drawing tool.
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
    // The right button paints in the background colour.
    Main()->drawing_TOOL_SET(TOOL_BRUSH);
    Stroke({{30, 20}}, Qt::RightButton);
    QCOMPARE(At(30, 20), Color(0x00FF00));
  }

  // A tip pixel of 128 mixes 127/255 of the picture under it with 128/255 of the colour: red 100 and
  // 200 give 150.196, green 20 and 220 give 120.392, blue 10 and 100 give 55.176.
  void brushBlendsByTheTipsGrey() {
    Start(10, 10, TOOL_BRUSH);
    {
      Platform::Graphics g = work_area->Graphics();
      g.SetForeColor(0x64140A);
      g.FillRect(0, 0, 10, 10);
    }
    Main()->Draw_Complete();
    PicturePtr tip = Platform::Picture::Create(3, 3, 32);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) tip->SetPixel(x, y, 0xFFFFFF);
    tip->SetPixel(1, 1, 0x808080);
    tip->SetPixel(0, 1, 0x000000);
    Paintbrush_Tip = tip;
    Eraser_Mode = false;
    Draw_Color[1] = 0xC8DC64;
    Main()->PaintBrush_Function(Point_of(5, 5));
    QCOMPARE(At(5, 5), Color(0x967837));
    QCOMPARE(At(4, 5), Color(0x64140A));  // tip 0: untouched
    QCOMPARE(At(4, 4), Color(0xC8DC64));  // tip 255: the colour itself
    QCOMPARE(At(6, 6), Color(0xC8DC64));
    QCOMPARE(At(7, 5), Color(0x64140A));  // beyond the tip
  }

  // Every stamp of one stroke blends over the picture as it was before it: going back and forth adds
  // nothing. The next stroke blends over the first.
  void brushBuildsUpOnlyFromStrokeToStroke() {
    Start(40, 30, TOOL_BRUSH);
    Brush(2, 50);  // grey 127: a = 127/255, white becomes 255 x 128/255 = 128
    Stroke({{10, 10}, {20, 10}, {10, 10}, {20, 10}});
    const int once = Grey_At(15, 10);
    QVERIFY2(once >= 127 && once <= 128, qPrintable(QString::number(once)));
    for (int x = 8; x <= 22; ++x) QCOMPARE(At(x, 10), Color(Platform::RGB(once, once, once)));
    Main()->drawing_TOOL_SET(TOOL_BRUSH);
    Stroke({{10, 10}, {20, 10}});
    // 128 x 128/255 = 64.25
    const int twice = Grey_At(15, 10);
    QVERIFY2(twice >= 63 && twice <= 64, qPrintable(QString::number(twice)));
    QCOMPARE(pic_Stack.size(), size_t(3));
  }

  void brushInThePicturesOwnColourChangesNothing() {
    Start(30, 30, TOOL_BRUSH);
    Brush(4, 60);
    Main()->classCOLORS1->Set_Color(1, 0xFFFFFF);
    Stroke({{5, 5}, {25, 25}});
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(30, 30, 0xFFFFFF)), QString());
  }
};

PIXMURA_TEST_CLASS(StampStrokeTests)
#include "StampStrokeTests.moc"
