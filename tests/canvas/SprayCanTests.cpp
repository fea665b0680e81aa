// The spray can on the real canvas: the size of a burst, its spread, the seeded generator, Ctrl's mix of
// both colours, and the timer that sprays while the pointer rests on the canvas.
#include "CanvasDriver.h"
#include "platform/Environment.h"
#include "platform/Random.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
constexpr uint32_t kSeed = 1234;

void Seed() { rnd_number->Seed(kSeed); }

// How many reals the shared generator has handed out since Seed(): its next one found in a fresh
// generator of the same seed.
int Draws_Since_Seed() {
  const double next = rnd_number->Number();
  Platform::Random fresh(kSeed);
  for (int i = 0; i < 10000; ++i)
    if (fresh.Number() == next) return i;
  return -1;
}

int Count_Of(Color c) {
  int n = 0;
  for (int y = 0; y < work_area->Height(); ++y)
    for (int x = 0; x < work_area->Width(); ++x) n += (work_area->Pixel(x, y) & 0xFFFFFFu) == c;
  return n;
}
}  // namespace

class SprayCanTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void cleanup() {
    Platform::Environment::OverrideKeys(std::nullopt);
    Platform::Environment::OverrideMouse(std::nullopt);
  }

  // A burst of radius 3 x size holds a fifth of the radius squared dots, at least 3; each dot takes two
  // reals (angle, distance).
  void burstSizeAndSpread_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("dots");
    QTest::newRow("size 1: 9 x 0.2 = 1.8, so 3") << 1 << 3;
    QTest::newRow("size 2: 36 x 0.2 = 7.2") << 2 << 7;
    QTest::newRow("size 5: 225 x 0.2 = 45") << 5 << 45;
    QTest::newRow("size 10: 900 x 0.2 = 180") << 10 << 180;
  }
  void burstSizeAndSpread() {
    QFETCH(int, size);
    QFETCH(int, dots);
    Start(100, 100, TOOL_SPRAYCAN);
    size_SPRAYCAN = size;
    Seed();
    Press({50, 50});
    // The press itself paints nothing.
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(100, 100, 0xFFFFFF)), QString());
    DragTo({51, 50});
    QCOMPARE(Draws_Since_Seed(), 2 * dots);
    int n = 0;
    const QRect spread = Bounds_Not(work_area, 0xFFFFFF, &n);
    QVERIFY(n >= 1 && n <= dots);
    const int r = 3 * size;
    QVERIFY2(QRect(51 - r, 50 - r, 2 * r + 1, 2 * r + 1).contains(spread), qPrintable(QString("%1,%2 %3x%4")
                 .arg(spread.x()).arg(spread.y()).arg(spread.width()).arg(spread.height())));
    Release({51, 50});
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void seededSprayIsRepeatable() {
    QImage first;
    for (int run = 0; run < 2; ++run) {
      Start(60, 40, TOOL_SPRAYCAN);
      size_SPRAYCAN = 4;
      Seed();
      Stroke({{20, 20}, {25, 22}, {30, 20}});
      if (run == 0) first = work_area->ToARGB();
    }
    QVERIFY(Count_Of(0x000000) > 20);
    QCOMPARE(work_area->ToARGB(), first);
  }

  // With Ctrl held each dot picks the foreground or the background colour, whatever the button.
  void ctrlMixesBothColours() {
    Start(100, 100, TOOL_SPRAYCAN);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    size_SPRAYCAN = 10;
    Seed();
    Platform::Environment::OverrideKeys(Qt::ControlModifier);
    Stroke({{50, 50}, {51, 50}}, Qt::RightButton);
    const int black = Count_Of(0x000000), red = Count_Of(0xFF0000);
    QVERIFY2(black > 20 && red > 20, qPrintable(QString("%1 black, %2 red").arg(black).arg(red)));
    // Without Ctrl the right button sprays the background colour alone.
    Start(100, 100, TOOL_SPRAYCAN);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    Platform::Environment::OverrideKeys(std::nullopt);
    Stroke({{50, 50}, {51, 50}}, Qt::RightButton);
    QCOMPARE(Count_Of(0x000000), 0);
    QVERIFY(Count_Of(0xFF0000) > 20);
  }

  // A burst at a corner drops the dots outside the picture.
  void burstAtTheCornerKeepsInside() {
    Start(30, 30, TOOL_SPRAYCAN);
    size_SPRAYCAN = 10;
    Seed();
    Stroke({{1, 0}, {0, 0}});
    int n = 0;
    QVERIFY(Bounds_Not(work_area, 0xFFFFFF, &n).isValid());
    // Every dot lies within 30 pixels of the corner, which three quarters of the circle miss.
    QVERIFY(n > 0 && n <= 2 * 180 / 4);
  }

  void timerSpraysWhileTheButtonRestsOnTheCanvas() {
    Start(60, 40, TOOL_SPRAYCAN);
    QVERIFY(Main()->timer_SPRAYCAN->isActive());
    QCOMPARE(Main()->timer_SPRAYCAN->interval(), 200);
    size_SPRAYCAN = 1;
    Press({20, 20});
    Platform::Environment::OverrideMouse(true);
    Seed();
    Main()->timer_SPRAYCAN_Action();
    QCOMPARE(Draws_Since_Seed(), 6);
    QVERIFY(QRect(17, 17, 7, 7).contains(Bounds_Not(work_area, 0xFFFFFF)));
    // The pointer leaves the canvas with the button held: no leave event comes, the drag tells.
    DragTo({-40, 20});
    const QImage left = work_area->ToARGB();
    Seed();
    Main()->timer_SPRAYCAN_Action();
    Main()->timer_SPRAYCAN_Action();
    QCOMPARE(Draws_Since_Seed(), 0);
    QCOMPARE(work_area->ToARGB(), left);
    // Back on the canvas it sprays at the new place.
    DragTo({40, 20});
    Seed();
    Main()->timer_SPRAYCAN_Action();
    QCOMPARE(Draws_Since_Seed(), 6);
    // With the button up, or another tool, a tick does nothing.
    Platform::Environment::OverrideMouse(false);
    Seed();
    Main()->timer_SPRAYCAN_Action();
    QCOMPARE(Draws_Since_Seed(), 0);
    Platform::Environment::OverrideMouse(true);
    Release({40, 20});
    Main()->drawing_TOOL_SET(TOOL_PENCIL);
    QVERIFY(!Main()->timer_SPRAYCAN->isActive());
    Seed();
    Main()->timer_SPRAYCAN_Action();
    QCOMPARE(Draws_Since_Seed(), 0);
  }

  // The running timer sprays while the pointer rests, before any move.
  void restingPointerSpraysOnTheTimersTicks() {
    Start(60, 40, TOOL_SPRAYCAN);
    size_SPRAYCAN = 3;
    Press({30, 20});
    Platform::Environment::OverrideMouse(true);
    QCOMPARE(Bounds_Not(work_area, 0xFFFFFF), QRect());
    QTRY_VERIFY_WITH_TIMEOUT(Bounds_Not(work_area, 0xFFFFFF).isValid(), 2000);
    QVERIFY(QRect(21, 11, 19, 19).contains(Bounds_Not(work_area, 0xFFFFFF)));
    Release({30, 20});
  }
};

PIXMURA_TEST_CLASS(SprayCanTests)
#include "SprayCanTests.moc"
