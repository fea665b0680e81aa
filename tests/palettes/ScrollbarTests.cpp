#include <QTest>
#include <memory>

#include "palettes/classScrollbar.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {
// A horizontal bar of the given length with its ValueChanged events counted.
struct Bar {
  std::unique_ptr<classScrollbar> b = std::make_unique<classScrollbar>();
  int events = 0;

  explicit Bar(int length, int thickness = 16, bool vertical = false) {
    b->setGeometry(0, 0, vertical ? thickness : length, vertical ? length : thickness);
    b->On.ValueChanged = [this] { ++events; };
    b->Open();
  }
  QPoint At(int along) const { return b->Horizontal() ? QPoint(along, 8) : QPoint(8, along); }
  void Press(int along) { QTest::mousePress(b.get(), Qt::LeftButton, {}, At(along)); }
  void Drag(QPoint p) { QTest::mouseMove(b.get(), p); }
  void Release(QPoint p) { QTest::mouseRelease(b.get(), Qt::LeftButton, {}, p); }
  void Click(int along) {
    Press(along);
    Release(At(along));
  }
};
}  // namespace

class ScrollbarTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void aFreshBarHasItsStartValues() {
    Bar t(200, 40);
    QVERIFY(t.b->Horizontal());
    QCOMPARE(t.b->height(), 16);
    QCOMPARE(t.b->Minimum(), 0);
    QCOMPARE(t.b->Maximum(), 10);
    QCOMPARE(t.b->Value(), 0);
    QCOMPARE(t.b->LineStep(), 1);
    QCOMPARE(t.b->PageStep(), 20);
    QVERIFY(t.b->LiveScroll());
    QCOMPARE(t.b->Thumb_Position(), 15);
  }

  void theDesignedShapeGivesTheOrientation_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QSize>("size");
    QTest::newRow("16 x 527") << 16 << 527 << false << QSize(16, 527);
    QTest::newRow("965 x 16") << 965 << 16 << true << QSize(965, 16);
    QTest::newRow("square") << 40 << 40 << true << QSize(40, 16);
    QTest::newRow("thick and tall") << 30 << 300 << false << QSize(16, 300);
  }
  void theDesignedShapeGivesTheOrientation() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, horizontal);
    QFETCH(QSize, size);
    classScrollbar bar;
    bar.setGeometry(0, 0, width, height);
    bar.Open();
    QCOMPARE(bar.Horizontal(), horizontal);
    QCOMPARE(bar.size(), size);
  }

  void theThumbStandsForTheValue_data() {
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("thumb");
    for (bool vertical : {false, true}) {
      const char* kind = vertical ? "vertical" : "horizontal";
      QTest::addRow("%s 0", kind) << vertical << 0 << 15;
      QTest::addRow("%s 50", kind) << vertical << 50 << 115;
      QTest::addRow("%s 100", kind) << vertical << 100 << 215;
      QTest::addRow("%s 500 stays at the end", kind) << vertical << 500 << 215;
      QTest::addRow("%s -3 at the start", kind) << vertical << -3 << 15;
    }
  }
  void theThumbStandsForTheValue() {
    QFETCH(bool, vertical);
    QFETCH(int, value);
    QFETCH(int, thumb);
    Bar t(254, 16, vertical);
    t.b->Maximum(100);
    t.b->Value(value);
    QCOMPARE(t.b->Value(), value);
    QCOMPARE(t.b->Thumb_Position(), thumb);
    QCOMPARE(t.events, 0);
  }

  void stepsHappenAtTheRelease() {
    Bar t(254);
    t.b->Maximum(100);
    t.Press(250);  // forward arrow
    QCOMPARE(t.b->Value(), 0);
    QCOMPARE(t.events, 0);
    // Moved off the bar before the release: still one step.
    t.Drag(QPoint(300, 60));
    t.Release(QPoint(300, 60));
    QCOMPARE(t.b->Value(), 1);
    QCOMPARE(t.events, 1);
    // The back arrow at the minimum changes nothing.
    t.b->Value(0);
    t.Click(16);
    QCOMPARE(t.b->Value(), 0);
    QCOMPARE(t.events, 1);
  }

  void stepsStayInsideTheRange_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("lineStep");
    QTest::addColumn<int>("along");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("events");
    // On 254 pixels from 0 to 100 the thumb of 95 covers 205 to 229.
    QTest::newRow("page after the thumb from 95") << 95 << 1 << 230 << 100 << 1;
    QTest::newRow("page before the thumb from 95") << 95 << 1 << 204 << 75 << 1;
    QTest::newRow("back arrow from 500") << 500 << 1 << 16 << 100 << 1;
    QTest::newRow("forward arrow from 500") << 500 << 1 << 239 << 100 << 1;
    QTest::newRow("forward arrow at 100") << 100 << 1 << 239 << 100 << 0;
    QTest::newRow("line step of 7 from 40") << 40 << 7 << 250 << 47 << 1;
  }
  void stepsStayInsideTheRange() {
    QFETCH(int, start);
    QFETCH(int, lineStep);
    QFETCH(int, along);
    QFETCH(int, value);
    QFETCH(int, events);
    Bar t(254);
    t.b->Maximum(100);
    t.b->LineStep(lineStep);
    t.b->Value(start);
    t.Click(along);
    QCOMPARE(t.b->Value(), value);
    QCOMPARE(t.events, events);
  }

  void theThumbFollowsADragOnIt() {
    Bar t(254);
    t.b->Maximum(100);
    // Pressed on the thumb (15 to 39) at 20: the pointer scale maps 16 to 238 onto 0 to 100.
    t.Press(20);
    t.Drag(QPoint(20, 3));  // across the bar only: nothing
    QCOMPARE(t.events, 0);
    QCOMPARE(t.b->Thumb_Position(), 15);
    t.Drag(QPoint(127, 8));
    QCOMPARE(t.b->Value(), 50);  // (127 - 16) / 222 of 100
    QCOMPARE(t.b->Thumb_Position(), 121);  // 127 - 5 grabbed, less the one pixel it lags
    QCOMPARE(t.events, 1);
    t.Drag(QPoint(400, 8));
    QCOMPARE(t.b->Value(), 100);
    QCOMPARE(t.b->Thumb_Position(), 215);
    t.Release(QPoint(400, 8));
    QCOMPARE(t.events, 2);
  }

  void withoutLiveScrollTheReleaseGivesTheValue() {
    Bar t(254);
    t.b->Maximum(100);
    t.b->LiveScroll(false);
    t.Press(20);
    t.Drag(QPoint(127, 8));
    QCOMPARE(t.b->Value(), 0);
    QCOMPARE(t.b->Thumb_Position(), 121);
    t.Release(QPoint(127, 8));
    QCOMPARE(t.b->Value(), 50);
    QCOMPARE(t.events, 1);
  }

  void aPressWithoutMovingReadsThePointer() {
    Bar t(254);
    t.b->Maximum(100);
    t.Click(38);  // on the thumb: (38 - 16) / 222 of 100
    QCOMPARE(t.b->Value(), 9);
    QCOMPARE(t.b->Thumb_Position(), 15);
    QCOMPARE(t.events, 1);
  }

  void aDragFromTheTrackMovesNothing() {
    Bar t(254);
    t.b->Maximum(100);
    t.Press(100);
    t.Drag(QPoint(200, 8));
    QCOMPARE(t.b->Thumb_Position(), 15);
    QCOMPARE(t.events, 0);
    t.Release(QPoint(200, 8));
    QCOMPARE(t.b->Value(), 20);  // the page step, at the release
  }

  void unusableRangesAndLengthsNeitherDivideByZeroNorFail_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("maximum");
    QTest::newRow("empty range") << 254 << 0;
    QTest::newRow("32 long") << 32 << 100;
    QTest::newRow("20 long") << 20 << 100;
    QTest::newRow("not laid out") << 0 << 100;
  }
  void unusableRangesAndLengthsNeitherDivideByZeroNorFail() {
    QFETCH(int, length);
    QFETCH(int, maximum);
    Bar t(length, length ? 16 : 0);
    t.b->Maximum(maximum);
    t.b->Value(3);
    for (int along : {0, 10, 16, 20, 40}) {
      t.Press(along);
      t.Drag(QPoint(along + 7, 8));
      t.Release(QPoint(along + 7, 8));
    }
    QVERIFY(t.b->Value() >= 0 && t.b->Value() <= std::max(3, maximum));
    t.b->grab();  // paints without failing
  }

  void aBarLaidOutAfterOpeningGetsItsTrack() {
    Bar t(0, 0);
    t.b->resize(254, 16);
    t.b->Resize();
    t.b->Maximum(100);
    t.b->Value(100);
    QCOMPARE(t.b->Thumb_Position(), 215);
    // Track and thumb are drawn: the thumb's middle is the skin's blue, the track beside it is not.
    const QImage shot = t.b->grab().toImage();
    const QColor thumb = shot.pixelColor(220, 8), track = shot.pixelColor(120, 8);
    QVERIFY2(thumb.blue() > thumb.red() + 40, qPrintable(thumb.name()));
    QVERIFY2(qAbs(track.blue() - track.red()) < 20, qPrintable(track.name()));
  }
};

PIXMURA_TEST_CLASS(ScrollbarTests)
#include "ScrollbarTests.moc"
