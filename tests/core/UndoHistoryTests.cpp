#include <QTest>

#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

// Paints pixel (0,0) of the working picture with a marker and commits it, as a tool would.
static void CommitMarker(Platform::Color marker) {
  work_area->SetPixel(0, 0, marker);
  winMAIN::instance()->Draw_Complete();
}

static QList<Platform::Color> Markers() {
  QList<Platform::Color> out;
  for (const auto& p : pic_Stack) out << p->Pixel(0, 0);
  return out;
}

class UndoHistoryTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void initTestCase() {}

  void capAtElevenDropsTheOldest() {
    Fixture::NewDocument(8, 8, 0);
    for (int i = 1; i <= 10; ++i) CommitMarker(i);
    QCOMPARE(pic_Stack.size(), size_t(11));
    QCOMPARE(Current_Picture, 10);
    CommitMarker(11);
    QCOMPARE(pic_Stack.size(), size_t(11));
    QCOMPARE(Current_Picture, 10);
    QCOMPARE(Markers().first(), Platform::Color(1));
    QCOMPARE(Markers().last(), Platform::Color(11));
  }

  void aStateHeldElsewhereIsNeverOverwritten() {
    Fixture::NewDocument(8, 8, 0);
    for (int i = 1; i <= 10; ++i) CommitMarker(i);
    const auto held = pic_Stack[0];  // still in use by someone else when the cap drops it
    const auto redo = pic_Stack[10];
    CommitMarker(11);
    QCOMPARE(held->Pixel(0, 0), Platform::Color(0));
    winMAIN::instance()->Manage_Undo_Stack(-1);
    CommitMarker(12);  // drops state 11's redo
    QCOMPARE(redo->Pixel(0, 0), Platform::Color(10));
    QCOMPARE(Markers().last(), Platform::Color(12));
    QCOMPARE(Markers()[9], Platform::Color(10));
  }

  void commitAfterTwoUndosDropsTheRedoStates() {
    Fixture::NewDocument(8, 8, 0);
    for (int i = 1; i <= 10; ++i) CommitMarker(i);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(Current_Picture, 8);
    QCOMPARE(work_area->Pixel(0, 0), Platform::Color(8));
    CommitMarker(99);
    QCOMPARE(pic_Stack.size(), size_t(10));
    QCOMPARE(Current_Picture, 9);
    QCOMPARE(Markers().last(), Platform::Color(99));
    QCOMPARE(Current_Picture, pic_Stack.Ubound());  // nothing left to redo
  }

  void commitFromTheOldestState() {
    Fixture::NewDocument(8, 8, 0);
    for (int i = 1; i <= 10; ++i) CommitMarker(i);
    Current_Picture = 0;
    Move_to_WorkArea();
    CommitMarker(50);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Current_Picture, 1);
  }

  void historyIsACopyNotShared() {
    Fixture::NewDocument(4, 4, 0xFFFFFF);
    CommitMarker(0x00FF00);
    work_area->SetPixel(1, 1, 0xFF0000);
    QCOMPARE(pic_Stack[1]->Pixel(1, 1), Platform::Color(0xFFFFFF));
    QVERIFY(pic_Stack[1]->Image().constBits() != work_area->Image().constBits());
  }

  void undoAndRedoLeaveTheModifiedMark() {
    Fixture::NewDocument(4, 4, 0);
    CommitMarker(5);
    QVERIFY(img_changed);
    winMAIN::instance()->SetWindowModified(false);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QVERIFY(!img_changed);
    QCOMPARE(work_area->Pixel(0, 0), Platform::Color(0));
    winMAIN::instance()->Manage_Undo_Stack(1);
    QVERIFY(!img_changed);
    QCOMPARE(work_area->Pixel(0, 0), Platform::Color(5));
  }

  void commitResetsTheCurve() {
    Curve_Cnt = 2;
    CommitMarker(1);
    QCOMPARE(Curve_Cnt, 0);
  }

  void undoWhileASelectionFloatsCommitsTheDropFirst() {
    Fixture::NewDocument(10, 10, 0xFFFFFF);
    CommitMarker(1);  // state 1
    // A floating picture over the document.
    drag_Picture = Fixture::Filled(2, 2, 0x0000FF);
    img_DRAG_DROP = Point_of(5, 5);
    active_DRAG = true;
    Set_Active_Lasso(true);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    // The drop became state 2, and the undo shows state 1 again.
    QCOMPARE(pic_Stack.size(), size_t(3));
    QCOMPARE(pic_Stack[2]->Pixel(5, 5), Platform::Color(0x0000FF));
    QCOMPARE(Current_Picture, 1);
    QCOMPARE(work_area->Pixel(5, 5), Platform::Color(0xFFFFFF));
    QVERIFY(!active_DRAG);
    QVERIFY(!active_LASSO);
  }

  void redoWhileASelectionFloatsStaysInsideTheHistory() {
    Fixture::NewDocument(10, 10, 0xFFFFFF);
    CommitMarker(1);
    CommitMarker(2);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    drag_Picture = Fixture::Filled(2, 2, 0x0000FF);
    active_DRAG = true;
    Set_Active_Lasso(true);
    winMAIN::instance()->Manage_Undo_Stack(1);
    QCOMPARE(Current_Picture, pic_Stack.Ubound());
    QCOMPARE(work_area->Pixel(0, 0), pic_Stack[Current_Picture]->Pixel(0, 0));
  }

  void twentyFourBitStatesBehindAThirtyTwoBitWorkingPicture() {
    Fixture::NewDocument(6, 6, 0x102030);
    Working_Color_Depth = 24;
    pic_Stack[0] = pic_Stack[0]->CopyAtDepth(24);
    Move_to_WorkArea();
    QCOMPARE(work_area->Depth(), 32);
    CommitMarker(0x405060);
    QCOMPARE(pic_Stack[1]->Depth(), 24);
    QCOMPARE(pic_Stack[1]->Pixel(0, 0), Platform::Color(0x405060));
    QCOMPARE(pic_Stack[1]->Pixel(5, 5), Platform::Color(0x102030));
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(work_area->Depth(), 32);
    QCOMPARE(work_area->Pixel(0, 0), Platform::Color(0x102030));
  }

  void lassoAreaGetCopiesWidthByHeight() {
    Fixture::NewDocument(30, 30, 0xFFFFFF);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x) work_area->SetPixel(x, y, Platform::RGB(x, y, 7));
    img_lasso->set_Top_Left(Point_of(20, 20));
    img_lasso->set_Bot_Right(Point_of(10, 10));
    Draw_Color[2] = 0x00FF00;
    auto copy = Lasso_Area_Get(false);
    QCOMPARE(copy->Width(), 10);
    QCOMPARE(copy->Height(), 10);
    QCOMPARE(copy->Pixel(0, 0), Platform::RGB(10, 10, 7));
    QCOMPARE(copy->Pixel(9, 9), Platform::RGB(19, 19, 7));
    QCOMPARE(work_area->Pixel(10, 10), Platform::RGB(10, 10, 7));

    auto cut = Lasso_Area_Get(true);
    QCOMPARE(Fixture::Difference(cut, copy), QString());
    int green = 0;
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 30; ++x)
        if (work_area->Pixel(x, y) == 0x00FF00) {
          ++green;
          QVERIFY(x >= 10 && x <= 19 && y >= 10 && y <= 19);
        }
    QCOMPARE(green, 100);
  }

  void lassoAreaPutHonoursTheMask() {
    Fixture::NewDocument(10, 10, 0xFFFFFF);
    img_lasso->set_Top_Left(Point_of(2, 2));
    img_lasso->set_Bot_Right(Point_of(5, 5));
    auto pic = Fixture::Filled(3, 3, 0xFF0000);
    pic->Mask()->SetPixel(1, 1, 0xFFFFFF);
    Lasso_Area_Put(pic);
    QCOMPARE(work_area->Pixel(2, 2), Platform::Color(0xFF0000));
    QCOMPARE(work_area->Pixel(3, 3), Platform::Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(4, 4), Platform::Color(0xFF0000));
    QCOMPARE(work_area->Pixel(5, 5), Platform::Color(0xFFFFFF));
  }

  void transparentTwiceRestoresTheOpaqueMask() {
    Fixture::NewDocument(5, 5, 0x123456);
    QVERIFY(work_area->HasMask());
    Save_as_Transparent = true;
    set_workarea_mask();
    QVERIFY(!work_area->HasMask());
    Save_as_Transparent = false;
    set_workarea_mask();
    QVERIFY(work_area->HasMask());
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) {
        QCOMPARE(work_area->Mask()->Pixel(x, y), Platform::Color(0));
        QCOMPARE(work_area->Pixel(x, y), Platform::Color(0x123456));
      }
  }

  void failedCopyLeavesTheHistory() {
    Fixture::NewDocument(5, 5, 0);
    CommitMarker(1);
    const auto before = Markers();
    // A working picture whose copy cannot be made: the history must stay exactly as it was.
    work_area.reset();
    QVERIFY_THROWS_EXCEPTION(Platform::NilObjectException, Move_to_Image());
    QCOMPARE(Markers(), before);
    QCOMPARE(Current_Picture, 1);
  }
};
PIXMURA_TEST_CLASS(UndoHistoryTests)

#include "UndoHistoryTests.moc"
