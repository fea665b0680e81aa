#include <QTest>

#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Platform::Color;

namespace {

bool RunFrame(const char* item) { return winMAIN::instance()->Handle_Menu(QString::fromLatin1(item), 0); }

int Grey(Color c) { return int(c & 0xFF); }

// True when a and b differ by at most one in each channel.
bool Near(Color a, Color b) {
  for (int shift : {0, 8, 16})
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 1) return false;
  return true;
}

}  // namespace

class FrameTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Feathered frames need a shorter side of 58 (7 % of it at least 4), solid ones 115 (3.5 %).
  void smallPicturesGetNoFrame_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("framed");
    QTest::newRow("feathered rectangle 57") << "menu_FRAME_FEATHERED_RECTANGLE" << 57 << 300 << false;
    QTest::newRow("feathered rectangle 58") << "menu_FRAME_FEATHERED_RECTANGLE" << 300 << 58 << true;
    QTest::newRow("feathered oval 57") << "menu_FRAME_FEATHER" << 300 << 57 << false;
    QTest::newRow("feathered oval 58") << "menu_FRAME_FEATHER" << 58 << 58 << true;
    QTest::newRow("solid rectangle 114") << "menu_FRAME_RECTANGLE" << 114 << 500 << false;
    QTest::newRow("solid rectangle 115") << "menu_FRAME_RECTANGLE" << 115 << 500 << true;
    QTest::newRow("solid oval 114") << "menu_FRAME_OVAL" << 400 << 114 << false;
    QTest::newRow("solid oval 115") << "menu_FRAME_OVAL" << 400 << 115 << true;
  }
  void smallPicturesGetNoFrame() {
    QFETCH(QString, item);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, framed);
    Fixture::NewDocument(w, h, 0x000000);
    Draw_Color[1] = 0xFF0000;
    const auto before = work_area->CopyAtDepth(32);
    QVERIFY(RunFrame(item.toLatin1().constData()));
    QCOMPARE(pic_Stack.size(), size_t(framed ? 2 : 1));
    QCOMPARE(img_changed, framed);
    QCOMPARE(Fixture::Difference(work_area, before).isEmpty(), !framed);
  }

  // t = 4.06 on a 58-pixel side: five rings with levels 255, 192.2, 129.4, 66.6 and 3.8.
  void fiveRingsOnTheSmallestFeatheredFrame() {
    Fixture::NewDocument(58, 58, 0x000000);
    QVERIFY(RunFrame("menu_FRAME_FEATHERED_RECTANGLE"));
    const int expected[] = {255, 192, 129, 66, 3, 0, 0};
    for (int d = 0; d < 7; ++d) {
      QCOMPARE(Grey(work_area->Pixel(d, 29)), expected[d]);
      QCOMPARE(Grey(work_area->Pixel(57 - d, 29)), expected[d]);
      QCOMPARE(Grey(work_area->Pixel(29, d)), expected[d]);
      QCOMPARE(Grey(work_area->Pixel(29, 57 - d)), expected[d]);
    }
  }

  // t = 7 on 100 x 100: the picture fades into white over eight rings, 255/7 apart; inside is untouched.
  void featheredRectangleFadesIntoWhite() {
    Fixture::NewDocument(100, 100, 0x000000);
    work_area->SetPixel(50, 50, 0x123456);
    QVERIFY(RunFrame("menu_FRAME_FEATHERED_RECTANGLE"));
    const int low[] = {255, 218, 182, 145, 109, 72, 36, 0};
    for (int d = 0; d < 8; ++d) {
      for (Color c : {work_area->Pixel(d, 40), work_area->Pixel(99 - d, 60), work_area->Pixel(70, d),
                      work_area->Pixel(30, 99 - d), work_area->Pixel(d, d)}) {
        QVERIFY2(Grey(c) == low[d] || Grey(c) == low[d] + 1, qPrintable(QStringLiteral("distance %1: %2").arg(d).arg(Grey(c))));
        QCOMPARE(c, Color(Grey(c) * 0x010101));
      }
    }
    QCOMPARE(work_area->Pixel(8, 50), Color(0x000000));
    QCOMPARE(work_area->Pixel(50, 50), Color(0x123456));
  }

  // 800 x 600: t = 21, 22 rings from the foreground colour at the edge to half of it at distance 21.
  void solidRectangleShadesTheForegroundColour_data() {
    QTest::addColumn<Color>("foreground");
    QTest::addColumn<Color>("edge");
    QTest::addColumn<Color>("ring10");
    QTest::addColumn<Color>("ring21");
    // Ring 10: 255 - 10 x 6.0714 = 194.3; ring 21: 127.5.
    QTest::newRow("white") << Color(0xFFFFFF) << Color(0xFFFFFF) << Color(0xC2C2C2) << Color(0x7F7F7F);
    QTest::newRow("black") << Color(0x000000) << Color(0x000000) << Color(0x000000) << Color(0x000000);
    QTest::newRow("orange") << Color(0xFF8000) << Color(0xFF8000) << Color(0xC26100) << Color(0x7F4000);
  }
  void solidRectangleShadesTheForegroundColour() {
    QFETCH(Color, foreground);
    QFETCH(Color, edge);
    QFETCH(Color, ring10);
    QFETCH(Color, ring21);
    Fixture::NewDocument(800, 600, 0x0000FF);
    Draw_Color[1] = foreground;
    QVERIFY(RunFrame("menu_FRAME_RECTANGLE"));
    for (auto [x, y] : {std::pair{0, 300}, {799, 100}, {400, 0}, {200, 599}, {0, 0}, {799, 599}})
      QCOMPARE(work_area->Pixel(x, y), edge);
    QVERIFY(Near(work_area->Pixel(10, 300), ring10));
    QVERIFY(Near(work_area->Pixel(400, 589), ring10));
    QVERIFY(Near(work_area->Pixel(21, 300), ring21));
    QVERIFY(Near(work_area->Pixel(778, 300), ring21));
    QVERIFY(Near(work_area->Pixel(400, 21), ring21));
    QCOMPARE(work_area->Pixel(22, 300), Color(0x0000FF));
    QCOMPARE(work_area->Pixel(400, 577), Color(0x0000FF));
  }

  void ovalsLeaveTheCornersWhite_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("solid");
    QTest::newRow("solid") << "menu_FRAME_OVAL" << true;
    QTest::newRow("feathered") << "menu_FRAME_FEATHER" << false;
  }
  void ovalsLeaveTheCornersWhite() {
    QFETCH(QString, item);
    QFETCH(bool, solid);
    Fixture::NewDocument(800, 600, 0x0000FF);
    Draw_Color[1] = 0xFF0000;
    QVERIFY(RunFrame(item.toLatin1().constData()));
    for (auto [x, y] : {std::pair{0, 0}, {799, 0}, {0, 599}, {799, 599}, {60, 60}, {740, 540}})
      QCOMPARE(work_area->Pixel(x, y), Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(400, 300), Color(0x0000FF));
    QCOMPARE(work_area->Pixel(200, 300), Color(0x0000FF));
    // The solid oval's one-pixel black outline runs along the ellipse of the whole picture; inside it
    // the rings shade from red. The feathered oval fades the picture into white instead.
    if (solid) {
      QCOMPARE(work_area->Pixel(400, 0), Color(0x000000));
      QCOMPARE(work_area->Pixel(0, 300), Color(0x000000));
      QCOMPARE(work_area->Pixel(400, 599), Color(0x000000));
      QVERIFY(Near(work_area->Pixel(10, 300), 0xC20000));  // ring 10, the last to reach column 10
      QCOMPARE(work_area->Pixel(30, 300), Color(0x0000FF));
    } else {
      QCOMPARE(work_area->Pixel(400, 0), Color(0xFFFFFF));
      // Ring 10 of t = 42: mask level 194, so 194/255 of white over the blue.
      const Color c = work_area->Pixel(10, 300);
      QVERIFY2(Near(c, 0xC2C2FF), qPrintable(QString::number(c, 16)));
      QCOMPARE(work_area->Pixel(60, 300), Color(0x0000FF));
    }
  }

  // A frame covers the whole picture and leaves the selection as it was; one undo step takes it back.
  void aFrameIsOneUndoStepAndKeepsTheSelection() {
    Fixture::MarkedDocument(200, 150);
    Fixture::Select(20, 30, 60, 70);
    const auto before = work_area->CopyAtDepth(32);
    QVERIFY(RunFrame("menu_FRAME_RECTANGLE"));
    QVERIFY(active_LASSO);
    QCOMPARE(img_lasso->Top_Left().x, 20);
    QCOMPARE(img_lasso->Bot_Right().y, 70);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(!Fixture::Difference(work_area, before).isEmpty());
    winMAIN::instance()->Manage_Undo_Stack(-1);
    QCOMPARE(Fixture::Difference(work_area, before), QString());
  }
};

PIXMURA_TEST_CLASS(FrameTests)
#include "FrameTests.moc"
