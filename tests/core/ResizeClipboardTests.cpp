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


static const QString kOutOfMemory = QStringLiteral("Out of Memory^Insufficient memory to create a new picture");

class ResizeClipboardTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theSameSizeChangesNothing() {
    MarkedDocument(40, 30);
    Resize_Image(QStringLiteral("I"), 40, 30);
    Resize_Canvas(40, 30);
    Fixture::Select(5, 5, 15, 10);
    Resize_Image(QStringLiteral("S"), 10, 5);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
    QVERIFY(active_LASSO);
  }

  void resizingTheWholePicture() {
    MarkedDocument(640, 480);
    Fixture::Select(0, 0, 10, 10);
    Resize_Image(QStringLiteral("i"), 320, 240);
    QCOMPARE(work_area->Width(), 320);
    QCOMPARE(work_area->Height(), 240);
    QCOMPARE(work_area->Pixel(0, 0), Marker(1, 1));
    QCOMPARE(work_area->Pixel(319, 239), Marker(639, 479));
    QVERIFY(!active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(pic_Stack[1]->Width(), 320);
  }

  void resizingAFloatingSelectionDropsItIntoTheScaledPicture() {
    MarkedDocument(100, 100);
    drag_Picture = Fixture::Filled(4, 4, 0x0000FF);
    img_DRAG_DROP = Point_of(2, 2);
    active_DRAG = true;
    Fixture::Select(2, 2, 6, 6);
    Resize_Image(QStringLiteral("I"), 200, 200);
    QVERIFY(!active_DRAG);
    QCOMPARE(pic_Stack.size(), size_t(3));
    QCOMPARE(work_area->Pixel(3, 3), Color(0x0000FF));
  }

  void resizingASelectionInPlace() {
    MarkedDocument(200, 100);
    Fixture::Select(10, 10, 110, 60);
    Resize_Image(QStringLiteral("S"), 50, 25);
    QCOMPARE(work_area->Pixel(10, 10), Marker(11, 11));
    QCOMPARE(work_area->Pixel(59, 34), Marker(109, 59));
    // The rest of the old area keeps its pixels; nothing outside changes.
    QCOMPARE(work_area->Pixel(100, 50), Marker(100, 50));
    QCOMPARE(work_area->Pixel(60, 20), Marker(60, 20));
    QCOMPARE(work_area->Pixel(9, 9), Marker(9, 9));
    QCOMPARE(img_lasso->Top_Left(), Point_of(10, 10));
    QCOMPARE(img_lasso->Bot_Right(), Point_of(60, 35));
    QVERIFY(active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void resizingAFloatingSelection() {
    MarkedDocument(50, 50);
    Fixture::Select(10, 10, 20, 20);
    image_Rotate(180);  // lifts the selection
    Resize_Image(QStringLiteral("S"), 20, 30);
    QCOMPARE(drag_Picture->Width(), 20);
    QCOMPARE(drag_Picture->Height(), 30);
    QVERIFY(!drag_Picture->HasMask());
    QCOMPARE(img_lasso->Bot_Right(), Point_of(30, 40));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  void canvasSizeKeepsTheTopLeft() {
    MarkedDocument(640, 480);
    Resize_Canvas(800, 600);
    QCOMPARE(work_area->Width(), 800);
    for (int y = 0; y < 480; y += 7)
      for (int x = 0; x < 640; x += 5) QCOMPARE(work_area->Pixel(x, y), Marker(x, y));
    QCOMPARE(work_area->Pixel(639, 479), Marker(639, 479));
    QCOMPARE(pic_Stack.size(), size_t(2));
    Resize_Canvas(320, 240);
    QCOMPARE(work_area->Pixel(319, 239), Marker(319, 239));
    QCOMPARE(pic_Stack.size(), size_t(3));
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(work_area->Width(), 800);
  }

  void canvasSizeKeepsWhiteTransparent() {
    MarkedDocument(20, 20);
    Save_as_Transparent = true;
    set_workarea_mask();
    Resize_Canvas(30, 10);
    QVERIFY(Save_as_Transparent);
    QVERIFY(!work_area->HasMask());
    QCOMPARE(work_area->Width(), 30);
  }

  void tooLargeOrEmptySizesChangeNothing_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("message");
    QTest::newRow("canvas too large") << "canvas" << 100000 << 100000 << true;
    QTest::newRow("resize too large") << "I" << 100000 << 100000 << true;
    QTest::newRow("selection too large") << "S" << 100000 << 100000 << true;
    QTest::newRow("canvas zero") << "canvas" << 0 << 10 << false;
    QTest::newRow("resize negative") << "I" << 10 << -5 << false;
    QTest::newRow("selection zero") << "S" << 0 << 0 << false;
  }
  void tooLargeOrEmptySizesChangeNothing() {
    QFETCH(QString, command);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, message);
    MarkedDocument(30, 20);
    Save_as_Transparent = true;
    set_workarea_mask();
    if (command == QLatin1String("S")) Fixture::Select(2, 2, 8, 8);
    const auto before = work_area;
    if (message) Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
    if (command == QLatin1String("canvas")) Resize_Canvas(w, h);
    else Resize_Image(command, w, h);
    QCOMPARE(work_area, before);
    QCOMPARE(work_area->Width(), 30);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
    QVERIFY(Save_as_Transparent);
    QCOMPARE(Platform::Environment::BeepCount(), message ? 0 : 1);
    if (command == QLatin1String("S")) QCOMPARE(img_lasso->Bot_Right(), Point_of(8, 8));
  }

  void cutPutsTheAreaOnTheClipboard_data() {
    QTest::addColumn<bool>("option");
    QTest::newRow("filled with the background") << false;
    QTest::newRow("Option held") << true;
  }
  void cutPutsTheAreaOnTheClipboard() {
    QFETCH(bool, option);
    MarkedDocument(30, 30);
    Draw_Color[2] = 0xFF00FF;
    Fixture::Select(5, 5, 15, 10);
    if (option) Platform::Environment::OverrideKeys(Qt::AltModifier);
    winMAIN::instance()->_menu_CUT_Action();
    const QImage clip = QGuiApplication::clipboard()->image();
    QCOMPARE(clip.size(), QSize(10, 5));
    QCOMPARE(Platform::FromQRgb(clip.pixel(0, 0)), Marker(5, 5));
    QCOMPARE(qAlpha(clip.pixel(0, 0)), 255);
    QCOMPARE(work_area->Pixel(5, 5), option ? Marker(5, 5) : Color(0xFF00FF));
    QCOMPARE(work_area->Pixel(15, 10), Marker(15, 10));
    QVERIFY(!active_LASSO);
    QVERIFY(!drag_Picture);
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void cutOfAFloatingSelectionTakesTheFloatingPicture() {
    MarkedDocument(30, 30);
    Draw_Color[2] = 0xFF00FF;
    Fixture::Select(5, 5, 15, 10);
    image_Rotate(180);  // lifts and turns
    const auto floating = drag_Picture->Clone();
    winMAIN::instance()->_menu_CUT_Action();
    const QImage clip = QGuiApplication::clipboard()->image();
    QCOMPARE(Platform::FromQRgb(clip.pixel(0, 0)), floating->Pixel(0, 0));
    QCOMPARE(Platform::FromQRgb(clip.pixel(0, 0)), Marker(14, 9));
    QVERIFY(!active_DRAG);
    QVERIFY(!active_LASSO);
    // The picture keeps the lifted-out area; the floating picture is gone.
    QCOMPARE(work_area->Pixel(5, 5), Color(0xFF00FF));
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void copyLeavesThePictureAndTheHistory() {
    MarkedDocument(30, 30);
    Fixture::Select(3, 4, 7, 9);
    winMAIN::instance()->_menu_COPY_Action();
    const QImage clip = QGuiApplication::clipboard()->image();
    QCOMPARE(clip.size(), QSize(4, 5));
    QCOMPARE(Platform::FromQRgb(clip.pixel(3, 4)), Marker(6, 8));
    QCOMPARE(drag_Picture->Pixel(0, 0), Marker(3, 4));
    QCOMPARE(work_area->Pixel(3, 4), Marker(3, 4));
    QVERIFY(active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(1));
    // While the selection floats, Copy only beeps.
    active_DRAG = true;
    QGuiApplication::clipboard()->clear();
    winMAIN::instance()->_menu_COPY_Action();
    QCOMPARE(Platform::Environment::BeepCount(), 1);
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
  }

  void copyGivesTheFloatingPictureTheDrawOpaqueFlag() {
    MarkedDocument(10, 10);
    modOptions::option_Draw_Opaque = 1;
    Fixture::Select(0, 0, 5, 5);
    image_COPY(false, false);
    QCOMPARE(drag_Picture->Transparent, 1);
    QVERIFY(QGuiApplication::clipboard()->image().isNull() || QGuiApplication::clipboard()->image().size() != QSize(5, 5));
  }

  void deleteFillsTheAreaAndLeavesTheClipboard() {
    MarkedDocument(30, 30);
    QGuiApplication::clipboard()->clear();
    Draw_Color[2] = 0x123456;
    Fixture::Select(2, 2, 6, 6);
    winMAIN::instance()->_menu_DELETE_Action();
    QCOMPARE(work_area->Pixel(2, 2), Color(0x123456));
    QCOMPARE(work_area->Pixel(5, 5), Color(0x123456));
    QCOMPARE(work_area->Pixel(6, 6), Marker(6, 6));
    QVERIFY(!active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
  }

  void freeHandSelections() {
    MarkedDocument(30, 30);
    Draw_Color[2] = 0x00FFFF;
    // A diagonal half of the rectangle (10,10)-(20,20).
    Fixture::SelectFreeHand(10, 10, 20, 20, [](int x, int y) { return x >= y; });
    QGuiApplication::clipboard()->clear();
    image_CUT(false);  // does nothing
    QVERIFY(active_LASSO);
    QCOMPARE(work_area->Pixel(15, 12), Marker(15, 12));
    QCOMPARE(pic_Stack.size(), size_t(1));
    winMAIN::instance()->_menu_DELETE_Action();
    QCOMPARE(work_area->Pixel(15, 12), Color(0x00FFFF));  // inside the shape
    QCOMPARE(work_area->Pixel(12, 15), Marker(12, 15));   // in the rectangle, outside the shape
    QVERIFY(QGuiApplication::clipboard()->image().isNull());
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  void copyOfAFreeHandSelectionCarriesItsShape() {
    MarkedDocument(30, 30);
    Fixture::SelectFreeHand(10, 10, 20, 20, [](int x, int y) { return x >= y; });
    image_COPY(false, true);
    QVERIFY(drag_Picture->HasMask());
    QCOMPARE(drag_Picture->Mask()->Pixel(5, 2), Color(0));
    QCOMPARE(drag_Picture->Mask()->Pixel(2, 5), Color(0xFFFFFF));
    QVERIFY(QGuiApplication::clipboard()->image().isNull() || QGuiApplication::clipboard()->image().size() != QSize(10, 10));
  }

  void cropOfTheWholePictureAddsOneStep() {
    MarkedDocument(20, 10);
    Fixture::Select(0, 0, 20, 10);
    winMAIN::instance()->_menu_CROP_Action();
    QCOMPARE(work_area->Width(), 20);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(!active_LASSO);
  }

  // The cropped picture holds the selected area's pixels at its size; the canvas change and the crop are
  // two steps, and undoing both brings back the whole picture.
  void cropToASmallerAreaAddsTwoSteps_data() {
    QTest::addColumn<QRect>("area");
    QTest::newRow("an inner area") << QRect(5, 6, 10, 4);
    QTest::newRow("a band of the full width") << QRect(0, 5, 40, 5);
    QTest::newRow("a strip of the full height") << QRect(7, 0, 3, 30);
  }
  void cropToASmallerAreaAddsTwoSteps() {
    QFETCH(QRect, area);
    MarkedDocument(40, 30);
    Fixture::Select(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
    winMAIN::instance()->_menu_CROP_Action();
    QCOMPARE(work_area->Width(), area.width());
    QCOMPARE(work_area->Height(), area.height());
    for (int y = 0; y < area.height(); ++y)
      for (int x = 0; x < area.width(); ++x)
        if (work_area->Pixel(x, y) != Marker(area.left() + x, area.top() + y))
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    QCOMPARE(pic_Stack.size(), size_t(3));
    QVERIFY(!active_LASSO);
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(work_area->Height(), area.height());
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(work_area->Width(), 40);
    QCOMPARE(work_area->Height(), 30);
    QCOMPARE(work_area->Pixel(39, 29), Marker(39, 29));
  }

  void aCropThatCannotBeMadeChangesNothing() {
    MarkedDocument(40, 30);
    Fixture::Select(0, 0, 100000, 100000);
    Fixture::ExpectMessageBox(kOutOfMemory, QStringLiteral("Ok"));
    winMAIN::instance()->_menu_CROP_Action();
    QCOMPARE(work_area->Width(), 40);
    QCOMPARE(work_area->Pixel(3, 3), Marker(3, 3));
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
  }
};
PIXMURA_TEST_CLASS(ResizeClipboardTests)

#include "ResizeClipboardTests.moc"
