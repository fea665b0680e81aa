#include <QTest>

#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classTOOLS.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Platform::Color;

namespace {

const QString kOnMessage16 = QStringLiteral(
    "Partial Color Mode : ON - Graylevels=16^Use BLACK to reveal COLOR portion of your drawing^Use WHITE to "
    "replace GRAY background^Press [ESC] when finished^^Note : Pencil size set to 10");
const QString kOffMessage = QStringLiteral("Partial Color Mode: OFF^Resume drawing as normal");

QString OnMessage(int levels) {
  QString m = kOnMessage16;
  return m.replace(QStringLiteral("=16^"), QStringLiteral("=%1^").arg(levels));
}

void SwitchOn(int levels) {
  Fixture::ExpectMessageBox(OnMessage(levels), QStringLiteral("Ok"));
  modColorSplash::Switch_ColorSplash_Mode(levels);
}

Color Grey(int v) { return Platform::RGB(v, v, v); }

// Counts the pixels of the working picture that equal the colour.
int CountOf(Color c) {
  int n = 0;
  for (int y = 0; y < work_area->Height(); ++y)
    for (int x = 0; x < work_area->Width(); ++x) n += (work_area->Pixel(x, y) & 0xFFFFFF) == c;
  return n;
}

// A 60 x 60 picture of one colour, (10, 200, 30), whose grey at 256 levels is 2 + 117 + 3 = 122.
constexpr Color kGreen = 0x0AC81E;

}  // namespace

class ColorSplashTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Grey values by hand from 0.299, 0.587 and 0.114 of each channel, each cut to a whole number:
  // (255, 255, 254) gives 76 + 149 + 28 = 253, pure red 76, (10, 200, 30) 122.
  void switchingOnGreysThePictureInLevels_data() {
    QTest::addColumn<int>("levels");
    QTest::addColumn<int>("nearWhite");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::newRow("4") << 4 << 192 << 64 << 64;
    QTest::newRow("16") << 16 << 240 << 64 << 112;
    QTest::newRow("256") << 256 << 253 << 76 << 122;
  }
  void switchingOnGreysThePictureInLevels() {
    QFETCH(int, levels);
    QFETCH(int, nearWhite);
    QFETCH(int, red);
    QFETCH(int, green);
    Fixture::NewDocument(4, 1, 0xFFFFFF);
    work_area->SetPixel(1, 0, 0xFFFFFE);
    work_area->SetPixel(2, 0, 0xFF0000);
    work_area->SetPixel(3, 0, kGreen);
    Move_to_Image();
    SwitchOn(levels);
    QCOMPARE(work_area->Pixel(0, 0) & 0xFFFFFF, Grey(255));
    QCOMPARE(work_area->Pixel(1, 0) & 0xFFFFFF, Grey(nearWhite));
    QCOMPARE(work_area->Pixel(2, 0) & 0xFFFFFF, Grey(red));
    QCOMPARE(work_area->Pixel(3, 0) & 0xFFFFFF, Grey(green));
  }

  void everyGreyOfSixteenLevelsIsAMultipleOfSixteen() {
    for (int c = 0; c < 0xFFFFFF; c += 0x010305) {
      const int v = int(GrayPixel(Color(c), 16) & 0xFF);
      QVERIFY2(v % 16 == 0 && v <= 240, qPrintable(QString::number(c, 16)));
    }
  }

  void switchingOnSetsUpThePencilAndTheColours() {
    Fixture::NewDocument(30, 20, kGreen);
    winMAIN* w = winMAIN::instance();
    size_PENCIL = 3;
    Brush_Pattern = 5;
    w->classCOLORS1->Set_Color(1, 0x123456);
    w->classCOLORS1->Set_Color(2, 0x654321);
    QCOMPARE(Draw_Color[1], Color(0x123456));
    SwitchOn(16);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 16);
    QCOMPARE(w->classTOOLS1->Current_Tool(), 2);
    QCOMPARE(size_PENCIL, 10);
    QCOMPARE(Brush_Pattern, 0);
    QCOMPARE(Draw_Color[1], Color(0x000000));
    QCOMPARE(Draw_Color[2], Color(0xFFFFFF));
    QVERIFY(w->btnPAT(0)->isHidden() && w->btnPAT(1)->isHidden());
    QCOMPARE(w->status_msg, QStringLiteral("Partial Color Mode is active"));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(modColorSplash::ColorSplash_Pointer, 0);
    QVERIFY(img_changed);
  }

  void theMenuItemsSwitchOnWithTheirLevels() {
    Fixture::NewDocument(8, 8, kGreen);
    Fixture::ExpectMessageBox(OnMessage(4), QStringLiteral("Ok"));
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_CS4"), 0));
    QCOMPARE(modColorSplash::ColorSplash_Mode, 4);
    QCOMPARE(work_area->Pixel(3, 3) & 0xFFFFFF, Grey(64));
  }

  // A black, blue or green pen reveals the colour in a band 2 x 10 - 1 = 19 pixels wide; a pen with any
  // red puts the grey back.
  void thePenColourChoosesTheCopy_data() {
    QTest::addColumn<uint>("pen");
    QTest::addColumn<bool>("reveals");
    QTest::newRow("black") << 0x000000u << true;
    QTest::newRow("blue") << 0x0000FFu << true;
    QTest::newRow("green") << 0x00FF00u << true;
    QTest::newRow("red 1") << 0x010000u << false;
    QTest::newRow("white") << 0xFFFFFFu << false;
  }
  void thePenColourChoosesTheCopy() {
    QFETCH(uint, pen);
    QFETCH(bool, reveals);
    Fixture::NewDocument(60, 60, kGreen);
    SwitchOn(256);
    // A band of colour first, so that a restoring pen has something to put back.
    Draw_Color[0] = 0x000000;
    modColorSplash::ColorSplash_Line(Point_of(0, 30), Point_of(59, 30));
    QCOMPARE(CountOf(kGreen), 60 * 19);
    Draw_Color[0] = pen;
    modColorSplash::ColorSplash_Rect(0, 0, 60, 60);
    QCOMPARE(CountOf(kGreen), reveals ? 3600 : 0);
  }

  void aStrokeCopiesSquaresAlongItsLine() {
    Fixture::NewDocument(60, 60, kGreen);
    SwitchOn(256);
    Draw_Color[0] = 0x000000;
    modColorSplash::ColorSplash_Line(Point_of(10, 30), Point_of(40, 30));
    // Squares of 19 centred on x 10..40: columns 1..49, rows 21..39.
    QCOMPARE(CountOf(kGreen), 49 * 19);
    QCOMPARE(work_area->Pixel(1, 21) & 0xFFFFFF, kGreen);
    QCOMPARE(work_area->Pixel(49, 39) & 0xFFFFFF, kGreen);
    QCOMPARE(work_area->Pixel(0, 30) & 0xFFFFFF, Grey(122));
    QCOMPARE(work_area->Pixel(50, 30) & 0xFFFFFF, Grey(122));
    QCOMPARE(work_area->Pixel(25, 20) & 0xFFFFFF, Grey(122));
    QCOMPARE(work_area->Pixel(25, 40) & 0xFFFFFF, Grey(122));
    // Along the edge only the inside halves are copied, and nothing breaks.
    modColorSplash::ColorSplash_Line(Point_of(0, 59), Point_of(59, 59));
    QCOMPARE(CountOf(kGreen), 49 * 19 + 60 * 10);
  }

  // At pen size 1 the line from (0, 0) to (5, 2) is (0,0) (1,0) (2,1) (3,1) (4,2) (5,2), both ends
  // included; a steep line the same with the axes exchanged.
  void atSizeOneExactlyTheLinesPixels() {
    Fixture::NewDocument(8, 8, kGreen);
    SwitchOn(256);
    size_PENCIL = 1;
    Draw_Color[0] = 0x000000;
    modColorSplash::ColorSplash_Line(Point_of(0, 0), Point_of(5, 2));
    QCOMPARE(CountOf(kGreen), 6);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}})
      QCOMPARE(work_area->Pixel(x, y) & 0xFFFFFF, kGreen);
    Move_to_WorkArea();
    modColorSplash::ColorSplash_Line(Point_of(0, 0), Point_of(2, 5));
    QCOMPARE(CountOf(kGreen), 6);
    for (auto [x, y] : {std::pair{0, 0}, {0, 1}, {1, 2}, {1, 3}, {2, 4}, {2, 5}})
      QCOMPARE(work_area->Pixel(x, y) & 0xFFFFFF, kGreen);
    // Equal points copy one square.
    Move_to_WorkArea();
    modColorSplash::ColorSplash_Line(Point_of(7, 7), Point_of(7, 7));
    QCOMPARE(CountOf(kGreen), 1);
  }

  void aRectangleWithANegativeSizeCoversTheColumnsBeforeIt() {
    Fixture::NewDocument(20, 20, kGreen);
    SwitchOn(256);
    Draw_Color[0] = 0x000000;
    modColorSplash::ColorSplash_Rect(10, 5, -4, 3);
    QCOMPARE(CountOf(kGreen), 12);
    QCOMPARE(work_area->Pixel(6, 5) & 0xFFFFFF, kGreen);
    QCOMPARE(work_area->Pixel(9, 7) & 0xFFFFFF, kGreen);
    QCOMPARE(work_area->Pixel(10, 5) & 0xFFFFFF, Grey(122));
    modColorSplash::ColorSplash_Rect(0, 0, 0, 20);
    modColorSplash::ColorSplash_Rect(0, 0, 20, 0);
    modColorSplash::ColorSplash_Rect(15, 15, 100, -100);
    QCOMPARE(CountOf(kGreen), 12 + 5 * 15);  // rows 0..14 of columns 15..19
  }

  // Copies never reach outside either picture, whatever the sizes.
  void copiesStayInsideBothPictures() {
    QImage small(4, 4, QImage::Format_RGB32), large(10, 10, QImage::Format_RGB32);
    small.fill(0xFF0000FFu);
    large.fill(0xFFFFFFFFu);
    modColorSplash::Copy_Rect(small, large, 2, 2, 6, 6);
    int blue = 0;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) blue += large.pixel(x, y) == 0xFF0000FFu;
    QCOMPARE(blue, 4);
    QCOMPARE(large.pixel(3, 3), 0xFF0000FFu);
    modColorSplash::Copy_Square_Line(small, large, -50, -50, 300, 3, 5);
    modColorSplash::Copy_Rect(large, small, -1000, -1000, 2147483647, 2147483647);
    QCOMPARE(small.pixel(0, 0), 0xFFFFFFFFu);
  }

  void outsideTheModeStrokesChangeNothing() {
    Fixture::NewDocument(10, 10, kGreen);
    Draw_Color[0] = 0xFFFFFF;
    modColorSplash::ColorSplash_Line(Point_of(0, 0), Point_of(9, 9));
    modColorSplash::ColorSplash_Rect(0, 0, 10, 10);
    QCOMPARE(CountOf(kGreen), 100);
  }

  void switchingOffKeepsThePictureAndColours() {
    Fixture::NewDocument(20, 20, kGreen);
    SwitchOn(256);
    modColorSplash::ColorSplash_Rect(0, 0, 5, 5);
    Fixture::ExpectMessageBox(kOffMessage, QStringLiteral("Ok"));
    modColorSplash::Switch_ColorSplash_Mode(0);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 0);
    QCOMPARE(size_PENCIL, 1);
    QCOMPARE(Draw_Color[1], Color(0x000000));
    QCOMPARE(Draw_Color[2], Color(0xFFFFFF));
    QCOMPARE(CountOf(kGreen), 25);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(winMAIN::instance()->status_msg.isEmpty());
    QVERIFY(!modColorSplash::ColorSplash_Picture[0] && !modColorSplash::ColorSplash_RGB[2]);
  }

  void undoRightAfterSwitchingOnEndsTheMode() {
    Fixture::NewDocument(10, 10, kGreen);
    SwitchOn(256);
    Fixture::ExpectMessageBox(kOffMessage, QStringLiteral("Ok"));
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 0);
    QCOMPARE(CountOf(kGreen), 100);
    winMAIN::instance()->Manage_Undo_Stack(1);  // no message: the mode is off
    QCOMPARE(CountOf(Grey(122)), 100);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 0);
  }

  void undoEndsTheModeOnlyAtTheColourPicture() {
    Fixture::NewDocument(10, 10, kGreen);
    SwitchOn(256);
    winMAIN* w = winMAIN::instance();
    for (int i = 0; i < 2; ++i) {
      modColorSplash::ColorSplash_Rect(i, 0, 1, 1);
      w->Draw_Complete();
    }
    w->Manage_Undo_Stack(-1);
    w->Manage_Undo_Stack(-1);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 256);
    Fixture::ExpectMessageBox(kOffMessage, QStringLiteral("Ok"));
    w->Manage_Undo_Stack(-1);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 0);
    QCOMPARE(CountOf(kGreen), 100);
  }

  // With a full history the grey step pushes the oldest state out; the mode still ends exactly when the
  // colour picture comes back.
  void withAFullHistoryTheModeEndsAtTheColourPicture() {
    Fixture::NewDocument(10, 10, 0xFFFFFF);
    winMAIN* w = winMAIN::instance();
    for (int i = 0; i < kHistoryLimit - 1; ++i) {
      work_area->SetPixel(i, 0, kGreen);
      w->Draw_Complete();
    }
    QCOMPARE(int(pic_Stack.size()), kHistoryLimit);
    SwitchOn(256);
    QCOMPARE(int(pic_Stack.size()), kHistoryLimit);
    QCOMPARE(modColorSplash::ColorSplash_Pointer, kHistoryLimit - 2);
    Fixture::ExpectMessageBox(kOffMessage, QStringLiteral("Ok"));
    w->Manage_Undo_Stack(-1);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 0);
    QCOMPARE(CountOf(kGreen), kHistoryLimit - 1);
  }

  // Once strokes have pushed the colour picture out of the history, Undo cannot end the mode.
  void aColourPictureOutOfTheHistoryLeavesTheModeOn() {
    Fixture::NewDocument(10, 10, kGreen);
    SwitchOn(256);
    winMAIN* w = winMAIN::instance();
    for (int i = 0; i < kHistoryLimit; ++i) {
      modColorSplash::ColorSplash_Rect(i % 10, 1, 1, 1);
      w->Draw_Complete();
    }
    QCOMPARE(modColorSplash::ColorSplash_Pointer, -1);
    for (int i = 0; i < kHistoryLimit; ++i) w->Manage_Undo_Stack(-1);
    QCOMPARE(modColorSplash::ColorSplash_Mode, 256);
  }
};

PIXMURA_TEST_CLASS(ColorSplashTests)
#include "ColorSplashTests.moc"
