#include <QTest>

#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace DozerIvidEffectsLibrary;
using Fixture::MarkedDocument;
using Fixture::Marker;
using Platform::Color;

// An effect working in place: every pixel of the target becomes red.
static void PaintTargetRed() { EFFECTS_Picture->Image().fill(Platform::ToQRgb(0xFF0000)); }


// A floating selection of 4 x 4 at (2, 2).
static void Float() {
  Fixture::Select(2, 2, 6, 6);
  drag_Picture = Fixture::Filled(4, 4, 0x0000FF);
  img_DRAG_DROP = Point_of(2, 2);
  active_DRAG = true;
}

class EffectTargetTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void noSelectionChangesTheWorkingPictureItself() {
    MarkedDocument(10, 10);
    const auto picture = work_area;
    EFFECTS_Picture_GET();
    QCOMPARE(EFFECTS_Picture, picture);
    PaintTargetRed();
    EFFECTS_Picture_PUT(true);
    QCOMPARE(work_area, picture);
    QCOMPARE(work_area->Pixel(9, 9), Color(0xFF0000));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
  }

  void aNewPictureBecomesTheWorkingPicture() {
    MarkedDocument(10, 10);
    EFFECTS_Picture_GET();
    EFFECTS_Picture = Fixture::Filled(10, 10, 0x00FF00);
    EFFECTS_Picture_PUT(true);
    QCOMPARE(work_area, EFFECTS_Picture);
    QVERIFY(work_area->HasMask());  // the document is not transparent: its picture stays opaque
    QCOMPARE(pic_Stack[1]->Pixel(5, 5), Color(0x00FF00));
  }

  void aPreviewMakesNoStepAndRestoreTakesItBack() {
    MarkedDocument(10, 10);
    EFFECTS_START();  // no floating selection: nothing kept
    QVERIFY(!EFFECTS_DragPicture);
    EFFECTS_Picture_GET();
    PaintTargetRed();
    EFFECTS_Picture_PUT(false);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
    EFFECTS_RESTORE();
    QCOMPARE(Fixture::Difference(work_area, pic_Stack[0]), QString());
  }

  void aSelectionChangesOnlyItsRectangle() {
    MarkedDocument(20, 20);
    Fixture::Select(3, 4, 8, 9);
    EFFECTS_Picture_GET();
    QCOMPARE(EFFECTS_Picture->Width(), 5);
    QVERIFY(EFFECTS_Picture != work_area);
    PaintTargetRed();
    QCOMPARE(work_area->Pixel(3, 4), Marker(3, 4));  // a copy until it is put back
    EFFECTS_Picture_PUT(true);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool inside = x >= 3 && x < 8 && y >= 4 && y < 9;
        QCOMPARE(work_area->Pixel(x, y), inside ? Color(0xFF0000) : Marker(x, y));
      }
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
    QVERIFY(active_LASSO);
  }

  void aFreeHandSelectionKeepsItsShape() {
    MarkedDocument(20, 20);
    Fixture::SelectFreeHand(5, 5, 15, 15, [](int x, int y) { return x >= y; });
    EFFECTS_Picture_GET();
    PaintTargetRed();
    EFFECTS_Picture_PUT(true);
    QCOMPARE(work_area->Pixel(12, 6), Color(0xFF0000));
    QCOMPARE(work_area->Pixel(6, 12), Marker(6, 12));
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void aFloatingSelectionChangesAloneUntilDropped() {
    MarkedDocument(10, 10);
    Float();
    const auto floating = drag_Picture;
    EFFECTS_START();
    QVERIFY(EFFECTS_DragPicture && EFFECTS_DragPicture != floating);
    EFFECTS_Picture_GET();
    QCOMPARE(EFFECTS_Picture, floating);
    PaintTargetRed();
    EFFECTS_Picture_PUT(true);
    QCOMPARE(drag_Picture->Pixel(0, 0), Color(0xFF0000));
    QCOMPARE(work_area->Pixel(3, 3), Marker(3, 3));
    QCOMPARE(pic_Stack.size(), size_t(1));
    // The preview is taken back from the copy made at the start.
    EFFECTS_RESTORE();
    QCOMPARE(drag_Picture, floating);
    QCOMPARE(drag_Picture->Pixel(3, 3), Color(0x0000FF));
    // Dropping it makes the step.
    EFFECTS_Picture_GET();
    PaintTargetRed();
    EFFECTS_Picture_PUT(true);
    winMAIN::instance()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(work_area->Pixel(3, 3), Color(0xFF0000));
  }

  // An effect that makes a new picture: the floating picture takes its pixels and keeps the shape.
  void aFloatingFreeHandSelectionGetsItsMaskBack() {
    MarkedDocument(20, 20);
    Fixture::SelectFreeHand(2, 2, 6, 6, [](int x, int y) { return x == y; });
    drag_Picture = Fixture::Filled(4, 4, 0x0000FF);
    active_DRAG = true;
    EFFECTS_Picture_GET();
    EFFECTS_Picture = Fixture::Filled(4, 4, 0x00FF00);
    EFFECTS_Picture_PUT(true);
    QCOMPARE(drag_Picture->Pixel(1, 2), Color(0x00FF00));
    QCOMPARE(drag_Picture->Mask()->Pixel(1, 1), Color(0));
    QCOMPARE(drag_Picture->Mask()->Pixel(1, 2), Color(0xFFFFFF));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }
};
PIXMURA_TEST_CLASS(EffectTargetTests)

#include "EffectTargetTests.moc"
