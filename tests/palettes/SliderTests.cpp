#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "palettes/RoundSlider.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

namespace {
// A slider as a form places one, with its events recorded. The skin's knob is 16 pixels, so the knob
// travels width - 16 pixels.
struct Slider {
  std::unique_ptr<RoundSlider> s = std::make_unique<RoundSlider>();
  QList<float> changes;
  int downs = 0, ups = 0, opens = 0;

  Slider(float minimum, float maximum, int width, bool allowCancel = false) {
    s->minimum = minimum;
    s->maximum = maximum;
    s->liveScroll = true;
    s->allowCancel = allowCancel;
    s->setGeometry(0, 0, width, 30);
    s->On.Open = [this] { ++opens; };
    s->On.valueChanged = [this](float v) { changes << v; };
    s->On.MouseDown = [this] { ++downs; };
    s->On.MouseUp = [this] { ++ups; };
    s->Open();
  }
  // The x of the knob's middle.
  int Middle() const { return int(s->KnobX()) + 8; }
  void Press(int x) { QTest::mousePress(s.get(), Qt::LeftButton, {}, QPoint(x, 8)); }
  void Drag(int x, int y = 8) { QTest::mouseMove(s.get(), QPoint(x, y)); }
  void Release(int x, int y = 8) { QTest::mouseRelease(s.get(), Qt::LeftButton, {}, QPoint(x, y)); }
  void Wheel(int angleX, int angleY) {
    QWheelEvent e(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(angleX, angleY), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(s.get(), &e);
  }
};
}  // namespace

class SliderTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void openBuildsTheKnobAndTrack() {
    Slider t(1, 7, 136);
    QCOMPARE(t.opens, 1);
    // The control's height becomes the knob's size; a start value of 0 is no change.
    QCOMPARE(t.s->height(), 16);
    QVERIFY(t.changes.isEmpty());
    t.s->Set_Value(1);
    QCOMPARE(t.changes, QList<float>{1});
    // Knob at the left end; the track is a 5-pixel strip centred in the height, the rest transparent.
    const Platform::PicturePtr pic = t.s->Backdrop;
    QVERIFY(pic && pic->HasMask());
    QCOMPARE(pic->Width(), 136);
    const Platform::PicturePtr mask = pic->Mask();
    QCOMPARE(mask->Pixel(8, 8), Platform::Color(0));         // the knob's middle
    QCOMPARE(mask->Pixel(80, 7), Platform::Color(0));        // the track, rows 5 to 9
    QCOMPARE(mask->Pixel(80, 4), Platform::Color(0xFFFFFF));
    QCOMPARE(mask->Pixel(80, 10), Platform::Color(0xFFFFFF));
    QCOMPARE(mask->Pixel(80, 0), Platform::Color(0xFFFFFF));
  }

  void wholeValuesComeBackUnchanged_data() {
    QTest::addColumn<float>("minimum");
    QTest::addColumn<float>("maximum");
    QTest::addColumn<int>("width");
    QTest::newRow("zoom") << 1.f << 7.f << 136;
    QTest::newRow("pen size") << 1.f << 10.f << 120;
    QTest::newRow("arrow length") << 3.f << 10.f << 140;
    // With the knob's place held in single precision, -4, -3, -1, 1 and 2 lie a hair beyond their
    // whole number here.
    QTest::newRow("concavity") << -5.f << 5.f << 140;
  }
  void wholeValuesComeBackUnchanged() {
    QFETCH(float, minimum);
    QFETCH(float, maximum);
    QFETCH(int, width);
    Slider t(minimum, maximum, width);
    for (int k = int(minimum); k <= int(maximum); ++k) {
      t.s->Set_Value(float(k));
      QCOMPARE(t.s->Get_Value(), float(k));
    }
  }

  void aPixelBesideAValueRoundsAwayFromZero() {
    // -5 to 5 over 100 pixels: value k stands at 10 (k + 5); the pointer holds the knob by its middle.
    Slider t(-5, 5, 116);
    t.s->Set_Value(2);
    QCOMPARE(t.s->KnobX(), 70.f);
    t.Press(78);
    QCOMPARE(t.downs, 1);
    t.Drag(79);  // knob at 71: 2.1 reads 3
    QCOMPARE(t.s->Get_Value(), 3.f);
    t.Drag(38);  // knob at 30: -2 exactly
    QCOMPARE(t.s->Get_Value(), -2.f);
    t.Drag(37);  // knob at 29: -2.1 reads -3
    QCOMPARE(t.s->Get_Value(), -3.f);
    t.Release(37);
    QCOMPARE(t.s->Get_Value(), -3.f);
    QCOMPARE(t.ups, 1);
    // The knob stays where it was let go, between the places of two values.
    QCOMPARE(t.s->KnobX(), 29.f);
  }

  void aLiveDragReportsEachWholeValueOnce() {
    Slider t(1, 7, 136);  // 20 pixels a step
    t.s->Set_Value(1);
    t.changes.clear();
    t.Press(t.Middle());
    for (int x = 8; x <= 128; ++x) t.Drag(x);
    QCOMPARE(t.changes, (QList<float>{2, 3, 4, 5, 6, 7}));
    t.Release(128);
    QCOMPARE(t.changes.size(), 6);
  }

  void clicksBesideTheKnobStepByOneWithinTheRange() {
    Slider t(1, 7, 136);
    t.s->Set_Value(4);  // knob 60 to 76
    t.changes.clear();
    t.Press(59);
    t.Release(59);
    QCOMPARE(t.s->Get_Value(), 3.f);
    t.Press(100);
    t.Release(100);
    t.Press(100);
    t.Release(100);
    QCOMPARE(t.s->Get_Value(), 5.f);
    QCOMPARE(t.changes, (QList<float>{3, 4, 5}));
    // Neither starts a drag.
    QCOMPARE(t.downs, 0);
    QCOMPARE(t.ups, 0);
    // At the ends a click beyond the knob keeps the value, and the knob stays on the track.
    t.s->Set_Value(7);  // knob 120 to 136
    t.changes.clear();
    t.Press(137);
    t.Release(137);
    QVERIFY(t.changes.isEmpty());
    QCOMPARE(t.s->KnobX(), 120.f);
    t.s->Set_Value(1);
    t.changes.clear();
    t.Press(-3);
    t.Release(-3);
    QVERIFY(t.changes.isEmpty());
    QCOMPARE(t.s->KnobX(), 0.f);
  }

  void theProgramMaySetAValueOutsideTheRange() {
    // A length of 2 from the settings stays 2 below the minimum 3; 20 settles on the maximum.
    Slider t(3, 10, 140);
    t.s->Set_Value(2);
    QCOMPARE(t.s->Get_Value(), 2.f);
    t.s->Set_Value(20);
    QCOMPARE(t.s->Get_Value(), 10.f);
  }

  void aCancelledDragPutsTheKnobBack_data() {
    QTest::addColumn<int>("releaseX");
    QTest::addColumn<int>("releaseY");
    QTest::addColumn<float>("value");
    QTest::newRow("x -6: back to the press") << -6 << 8 << 4.f;
    QTest::newRow("x -5: dragged to the left end") << -5 << 8 << 1.f;
    QTest::newRow("6 beyond the right edge") << 142 << 8 << 4.f;
    QTest::newRow("6 below") << 40 << 22 << 4.f;
    QTest::newRow("5 below: knob at 32") << 40 << 21 << 3.f;
  }
  void aCancelledDragPutsTheKnobBack() {
    QFETCH(int, releaseX);
    QFETCH(int, releaseY);
    QFETCH(float, value);
    Slider t(1, 7, 136, true);
    t.s->Set_Value(4);
    t.Press(t.Middle());
    t.Drag(120);
    QCOMPARE(t.s->Get_Value(), 7.f);
    t.Drag(releaseX, releaseY);
    t.Release(releaseX, releaseY);
    QCOMPARE(t.s->Get_Value(), value);
  }

  void theHorizontalWheelStepsByOne() {
    Slider t(1, 7, 136);
    t.s->Set_Value(3);
    t.changes.clear();
    t.Wheel(-120, 0);
    QCOMPARE(t.s->Get_Value(), 4.f);
    t.Wheel(120, 0);
    t.Wheel(120, 0);
    QCOMPARE(t.s->Get_Value(), 2.f);
    t.Wheel(0, -120);
    t.Wheel(0, 120);
    QCOMPARE(t.changes, (QList<float>{4, 3, 2}));
    t.Wheel(120, 0);
    t.Wheel(120, 0);
    QCOMPARE(t.s->Get_Value(), 1.f);
  }

  void unusableSizesAndRangesNeitherDivideByZeroNorFail_data() {
    QTest::addColumn<float>("minimum");
    QTest::addColumn<float>("maximum");
    QTest::addColumn<int>("width");
    QTest::newRow("empty range") << 4.f << 4.f << 100;
    QTest::newRow("no wider than the knob") << 1.f << 7.f << 16;
    QTest::newRow("narrower than the knob") << 1.f << 7.f << 10;
    QTest::newRow("not laid out") << 1.f << 7.f << 0;
  }
  void unusableSizesAndRangesNeitherDivideByZeroNorFail() {
    QFETCH(float, minimum);
    QFETCH(float, maximum);
    QFETCH(int, width);
    Slider t(minimum, maximum, width);
    t.s->Set_Value(5);
    QCOMPARE(t.s->Get_Value(), minimum);
    t.Press(t.Middle());
    t.Drag(3);
    t.Release(3);
    t.Wheel(-120, 0);
    QVERIFY(std::isfinite(t.s->Get_Value()));
    QVERIFY(std::isfinite(t.s->KnobX()));
    QCOMPARE(bool(t.s->Backdrop), width > 0);
  }

  void aSliderOpenedBeforeItsLayoutGetsItsTrackLater() {
    Slider t(1, 7, 0);
    QVERIFY(!t.s->Backdrop);
    t.s->resize(136, 16);
    t.s->show();
    QVERIFY(t.s->Backdrop);
    QCOMPARE(t.s->Backdrop->Width(), 136);
    t.s->Set_Value(7);
    QCOMPARE(t.s->KnobX(), 120.f);
  }
};

PIXMURA_TEST_CLASS(SliderTests)
#include "SliderTests.moc"
