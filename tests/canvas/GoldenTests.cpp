// Each drawing tool's basic gesture on the real canvas against a golden picture kept in golden/ (looked
// at by eye): exact without anti-aliasing, within a small tolerance with it.
#include "CanvasDriver.h"
#include "GoldenCompare.h"
#include "palettes/modSHAPES.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
using Gesture = QList<QList<QPoint>>;
}  // namespace

class GoldenTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void basicGestures_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<Gesture>("gesture");
    QTest::addColumn<int>("heads");
    const QList<QPoint> box{{10, 10}, {30, 25}, {60, 45}};
    QTest::newRow("pencil") << int(TOOL_PENCIL) << Gesture{{{10, 10}, {30, 40}, {50, 15}, {70, 30}}} << 0;
    QTest::newRow("line") << int(TOOL_LINE) << Gesture{{{10, 50}, {40, 20}, {70, 10}}} << 0;
    QTest::newRow("line with heads") << int(TOOL_LINE) << Gesture{{{10, 50}, {70, 10}}} << 3;
    QTest::newRow("rectangle") << int(TOOL_RECT) << Gesture{box} << 0;
    QTest::newRow("rounded rectangle") << int(TOOL_ROUNDRECT) << Gesture{box} << 0;
    QTest::newRow("oval") << int(TOOL_OVAL) << Gesture{box} << 0;
    QTest::newRow("shape") << int(TOOL_SHAPE) << Gesture{box} << 0;
    QTest::newRow("curve") << int(TOOL_CURVE) << Gesture{{{10, 45}, {70, 45}}, {{40, 45}, {20, 5}}} << 2;
  }
  void basicGestures() {
    QFETCH(int, tool);
    QFETCH(Gesture, gesture);
    QFETCH(int, heads);
    for (const bool antiAlias : {false, true}) {
      Start(80, 60, tool);
      modOptions::option_AntiAlias = !antiAlias;
      modOptions::option_ArrowHead = heads;
      modOptions::option_ArrowLength = 4;
      modOptions::option_ArrowWidth = 3;
      modOptions::option_ArrowConcavity = 3;
      modSHAPES::Current_Shape = 0;
      Main()->classCOLORS1->Set_Color(1, 0x203080);
      Main()->classCOLORS1->Set_Color(2, 0xE0A020);
      Drawing_Fillmode = 3;
      Pensize_SET(2, TOOL_PENCIL);
      for (const QList<QPoint>& stroke : gesture) Stroke(stroke);
      QCOMPARE(pic_Stack.size(), size_t(2));
      const QString name = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_') + (antiAlias ? "_aa" : "");
      const QString problem = Against_Golden(work_area->Image().convertToFormat(QImage::Format_RGB32), name, antiAlias ? 40 : 0);
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
  }
};

PIXMURA_TEST_CLASS(GoldenTests)
#include "GoldenTests.moc"
