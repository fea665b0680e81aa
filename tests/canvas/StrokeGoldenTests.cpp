// The polygon, eraser, brush and spray can on the real canvas against golden pictures kept in golden/
// (looked at by eye): exact without anti-aliasing, within a small tolerance with it.
#include "CanvasDriver.h"
#include "GoldenCompare.h"
#include "platform/Random.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  Press(p, b);
  Release(p, b);
}

void Setup(int32_t tool, bool antiAlias) {
  Start(80, 60, tool);
  modOptions::option_AntiAlias = !antiAlias;
  Main()->classCOLORS1->Set_Color(1, 0x203080);
  Main()->classCOLORS1->Set_Color(2, 0xE0A020);
  Drawing_Fillmode = 3;
  Pensize_SET(2, TOOL_PENCIL);
  rnd_number->Seed(99);
}

QString Check(const QString& name, bool antiAlias) {
  return Against_Golden(work_area->Image().convertToFormat(QImage::Format_RGB32), name + (antiAlias ? "_aa" : ""),
                        antiAlias ? 40 : 0);
}
}  // namespace

class StrokeGoldenTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void polygon() {
    for (const bool antiAlias : {false, true}) {
      Setup(TOOL_POLYGON, antiAlias);
      Click({10, 10});
      Click({70, 15});
      Press({60, 50});
      DragTo({30, 40});
      Release({30, 40});
      HoverAt({20, 45});
      Click({20, 45}, Qt::RightButton);
      QCOMPARE(pic_Stack.size(), size_t(2));
      const QString problem = Check("stroke_polygon", antiAlias);
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
  }

  void stampingStrokes_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<QList<QPoint>>("stroke");
    QTest::newRow("eraser") << int(TOOL_ERASER) << QList<QPoint>{{10, 10}, {40, 30}, {70, 20}};
    QTest::newRow("brush") << int(TOOL_BRUSH) << QList<QPoint>{{10, 40}, {40, 15}, {70, 40}};
    QTest::newRow("spray") << int(TOOL_SPRAYCAN) << QList<QPoint>{{20, 30}, {40, 30}, {60, 30}};
  }
  void stampingStrokes() {
    QFETCH(int, tool);
    QFETCH(QList<QPoint>, stroke);
    Setup(tool, false);
    size_ERASER = 3;
    size_BRUSH = 5;
    size_SPRAYCAN = 4;
    modOptions::option_BrushRandom = false;
    modOptions::option_BrushOpacity = 60;
    // Something under the strokes for the eraser and the brush to act on.
    {
      Platform::Graphics g = work_area->Graphics();
      g.SetForeColor(0x70C070);
      g.FillRect(0, 25, 80, 10);
    }
    Main()->Draw_Complete();
    Stroke(stroke);
    QCOMPARE(pic_Stack.size(), size_t(3));
    const QString problem = Check(QStringLiteral("stroke_") + QTest::currentDataTag(), false);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }
};

PIXMURA_TEST_CLASS(StrokeGoldenTests)
#include "StrokeGoldenTests.moc"
