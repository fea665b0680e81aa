#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Fixture::MarkedDocument;
using Fixture::Marker;
using Platform::Color;


class RotationCommandTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void turningTheWholePictureCommitsOneStep() {
    MarkedDocument(3, 2);
    image_Rotate(90);
    QCOMPARE(work_area->Width(), 2);
    QCOMPARE(work_area->Height(), 3);
    QCOMPARE(work_area->Pixel(1, 0), Marker(0, 0));
    QCOMPARE(work_area->Pixel(0, 2), Marker(2, 1));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(pic_Stack[1]->Width(), 2);
    QVERIFY(img_changed);
    // The turned picture keeps the document's opaque mask.
    QVERIFY(work_area->HasMask());
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(work_area->Width(), 3);
    QCOMPARE(work_area->Pixel(0, 0), Marker(0, 0));
  }

  // Each flip and the half turn of the whole picture put every pixel where it belongs, for an odd and an
  // even height; four quarter turns and two flips each way restore the picture.
  void fourTurnsAndTwoFlipsRestore_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("odd height") << 13 << 7;
    QTest::newRow("even height") << 12 << 8;
  }
  void fourTurnsAndTwoFlipsRestore() {
    QFETCH(int, w);
    QFETCH(int, h);
    MarkedDocument(w, h);
    const auto original = work_area->Clone();
    for (int k = 0; k < 4; ++k) image_Rotate(90);
    QCOMPARE(Fixture::Difference(work_area, original), QString());
    const auto movedTo = [&](const char* what, auto place) {
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (work_area->Pixel(x, y) != place(x, y))
            return QStringLiteral("%1: pixel %2,%3").arg(QLatin1String(what)).arg(x).arg(y);
      return QString();
    };
    image_Flip(true);
    QCOMPARE(movedTo("horizontal flip", [&](int x, int y) { return Marker(w - 1 - x, y); }), QString());
    image_Flip(true);
    image_Flip(false);
    QCOMPARE(movedTo("vertical flip", [&](int x, int y) { return Marker(x, h - 1 - y); }), QString());
    image_Flip(false);
    QCOMPARE(Fixture::Difference(work_area, original), QString());
    QCOMPARE(pic_Stack.size(), size_t(9));
    image_Rotate(180);
    QCOMPARE(movedTo("half turn", [&](int x, int y) { return Marker(w - 1 - x, h - 1 - y); }), QString());
  }

  void aTypedRightAngleTakesThePixelTurn() {
    MarkedDocument(8, 6);
    modOptions::last_free_degree = QStringLiteral("90");
    image_Rotate(90);
    QCOMPARE(work_area->Pixel(5, 0), Marker(0, 0));
  }

  void freeAngleComesFromTheDialogsText() {
    Fixture::NewDocument(100, 100, 0x0000FF);
    modOptions::last_free_degree = QStringLiteral("45");
    image_Rotate(45);
    QVERIFY(work_area->Width() >= 140 && work_area->Width() <= 142);
    QCOMPARE(work_area->Pixel(0, 0), Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(work_area->Width() / 2, work_area->Height() / 2), Color(0x0000FF));
    // Angle 0 goes through the free rotation and changes nothing.
    MarkedDocument(9, 5);
    const auto before = work_area->Clone();
    modOptions::last_free_degree = QStringLiteral("0");
    image_Rotate(0);
    QCOMPARE(Fixture::Difference(work_area, before), QString());
  }

  void turningASelectionLiftsIt_data() {
    QTest::addColumn<bool>("option");
    QTest::newRow("background fill") << false;
    QTest::newRow("Option held keeps the pixels") << true;
  }
  void turningASelectionLiftsIt() {
    QFETCH(bool, option);
    MarkedDocument(60, 30);
    Draw_Color[2] = 0x00FF00;
    Fixture::Select(0, 0, 40, 10);
    if (option) Platform::Environment::OverrideKeys(Qt::AltModifier);
    image_Rotate(90);
    QVERIFY(active_DRAG);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_GRABBER));
    QCOMPARE(drag_Picture->Width(), 10);
    QCOMPARE(drag_Picture->Height(), 40);
    QCOMPARE(drag_Picture->Pixel(9, 0), Marker(0, 0));
    // Re-centred around (20, 5).
    QCOMPARE(img_lasso->Top_Left(), Point_of(15, -15));
    QCOMPARE(img_lasso->Bot_Right(), Point_of(25, 25));
    QCOMPARE(img_lasso->Center_Point(), Point_of(20, 5));
    QCOMPARE(img_DRAG_DROP, Point_of(15, -15));
    // The clipboard holds the area as it was before the turn.
    const QImage clip = QGuiApplication::clipboard()->image();
    QCOMPARE(clip.size(), QSize(40, 10));
    QCOMPARE(Platform::FromQRgb(clip.pixel(39, 0)), Marker(39, 0));
    QCOMPARE(work_area->Pixel(5, 5), option ? Marker(5, 5) : Color(0x00FF00));
    QCOMPARE(work_area->Pixel(45, 5), Marker(45, 5));
    // Nothing is committed until the floating selection is dropped.
    QCOMPARE(pic_Stack.size(), size_t(1));
    winMAIN::instance()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void turningAndFlippingAFloatingSelectionAddsNoStep() {
    MarkedDocument(50, 50);
    Fixture::Select(10, 10, 20, 14);
    image_Rotate(180);  // lifts
    QVERIFY(active_DRAG);
    const auto lifted = drag_Picture->Clone();
    image_Rotate(90);
    image_Rotate(270);
    // One flip mirrors the floating picture left to right, its mask with it.
    const int w = lifted->Width();
    drag_Picture->Mask()->SetPixel(w - 1, 0, 0x808080);
    lifted->Mask()->SetPixel(w - 1, 0, 0x808080);
    image_Flip(true);
    QCOMPARE(drag_Picture->Pixel(0, 0), lifted->Pixel(w - 1, 0));
    QCOMPARE(drag_Picture->Pixel(w - 1, 3), lifted->Pixel(0, 3));
    QCOMPARE(drag_Picture->Mask()->Pixel(0, 0), Color(0x808080));
    QCOMPARE(drag_Picture->Mask()->Pixel(w - 1, 0), lifted->Mask()->Pixel(0, 0));
    image_Flip(true);
    QCOMPARE(Fixture::Difference(drag_Picture, lifted), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(drag_Picture->Transparent, modOptions::option_Draw_Opaque);
  }

  void flippingASelectionChangesOnlyItsPixels() {
    MarkedDocument(20, 20);
    Fixture::Select(4, 6, 9, 8);
    image_Flip(true);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) {
        const bool inside = x >= 4 && x < 9 && y >= 6 && y < 8;
        QCOMPARE(work_area->Pixel(x, y), inside ? Marker(4 + 8 - x, y) : Marker(x, y));
      }
    QVERIFY(active_LASSO);
    QVERIFY(!active_DRAG);
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void timersComeBackAfterATurn_data() {
    QTest::addColumn<bool>("lasso");
    QTest::addColumn<bool>("spray");
    QTest::newRow("both running") << true << true;
    QTest::newRow("both stopped") << false << false;
    QTest::newRow("ants only") << true << false;
  }
  void timersComeBackAfterATurn() {
    QFETCH(bool, lasso);
    QFETCH(bool, spray);
    MarkedDocument(10, 10);
    winMAIN* w = winMAIN::instance();
    lasso ? w->timer_LASSO->start() : w->timer_LASSO->stop();
    spray ? w->timer_SPRAYCAN->start() : w->timer_SPRAYCAN->stop();
    image_Rotate(90);
    QCOMPARE(w->timer_LASSO->isActive(), lasso);
    QCOMPARE(w->timer_SPRAYCAN->isActive(), spray);
  }

  // A turn whose picture cannot be made (a free turn of 1,000,000 x 1 at 45 degrees would be about
  // 707,000 pixels square, far over the size limit) says "Out of Memory" and changes nothing; the
  // timers, the bar and the busy state come back.
  void aFailedTurnLeavesNoBusyState() {
    Fixture::NewDocument(1000000, 1, 0x808080);
    winMAIN* w = winMAIN::instance();
    w->timer_LASSO->start();
    w->timer_SPRAYCAN->stop();
    modOptions::last_free_degree = QStringLiteral("45");
    Fixture::ExpectMessageBox(QStringLiteral("Out of Memory^Insufficient memory to create a new picture"), QStringLiteral("Ok"));
    image_Rotate(45);
    QVERIFY(!img_changed);
    QVERIFY(w->timer_LASSO->isActive());
    QVERIFY(!w->timer_SPRAYCAN->isActive());
    QVERIFY(!Barber_Pole);
    QVERIFY(w->pb_BARBER->isHidden());
    QCOMPARE(work_area->Width(), 1000000);
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  void rotatePointTurnsClockwiseOnScreen() {
    // sin and cos of 90 - 180 degrees: a point right of the origin moves below it.
    const fPoint_Record p = Rotate_Point(10, 0, Point_of(0, 0), -1.0f, 0.0f, Point_of(100, 100));
    QCOMPARE(p.x, 100.0f);
    QCOMPARE(p.y, 110.0f);
  }
};
PIXMURA_TEST_CLASS(RotationCommandTests)

#include "RotationCommandTests.moc"
