#include <QTest>
#include <algorithm>

#include "app/modProgress.h"
#include "core/ColorMaps.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Platform::Color;
using Platform::RGB;

// Sepia of one colour straight from the maps, as the conversion defines it.
static Color SepiaOf(Color c) {
  const int r = Platform::Red(c), g = Platform::Green(c), b = Platform::Blue(c);
  auto out = [&](const classColorMap& m) { return std::min(255, m.Red(r) + m.Green(g) + m.Blue(b)); };
  return RGB(out(*Map_Sepia_R), out(*Map_Sepia_G), out(*Map_Sepia_B));
}

class ColorMapTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void mapsHoldTheirProducts() {
    QCOMPARE(map_invert[0], 255);
    QCOMPARE(map_invert[255], 0);
    QCOMPARE(map_invert[100], 155);
    QCOMPARE(Map_Sepia_R->Red(255), 100);   // 100.215
    QCOMPARE(Map_Sepia_B->Green(255), 136);  // 136.17
    QCOMPARE(Map_Gray->Blue(200), 22);       // 22.8
    const auto before = Map_Gray;
    Make_Maps();
    QVERIFY(Map_Gray != before);
    QCOMPARE(Map_Gray->Green(100), before->Green(100));
  }

  void grayPixel_data() {
    QTest::addColumn<uint>("colour");
    QTest::addColumn<int>("levels");
    QTest::addColumn<uint>("grey");
    QTest::newRow("white 4") << 0xFFFFFFu << 4 << 0xFFFFFFu;
    QTest::newRow("white 16") << 0xFFFFFFu << 16 << 0xFFFFFFu;
    QTest::newRow("white 256") << 0xFFFFFFu << 256 << 0xFFFFFFu;
    QTest::newRow("near white 4") << 0xFEFFFFu << 4 << 0xC0C0C0u;
    QTest::newRow("black 16") << 0x000000u << 16 << 0x000000u;
    QTest::newRow("near white 16") << 0xFEFFFFu << 16 << 0xF0F0F0u;
    QTest::newRow("red 256") << 0xFF0000u << 256 << 0x4C4C4Cu;  // 0.299 x 255 = 76.2
    QTest::newRow("other count as 256") << 0xFF0000u << 8 << 0x4C4C4Cu;
    QTest::newRow("alpha ignored") << 0xAA00FF00u << 256 << 0x959595u;  // 0.587 x 255 = 149.7
  }
  void grayPixel() {
    QFETCH(uint, colour);
    QFETCH(int, levels);
    QFETCH(uint, grey);
    QCOMPARE(GrayPixel(colour, levels), Color(grey));
  }

  // The whole-picture pass, eight pixels at a time where it can, gives every pixel exactly the grey of
  // the single-colour rule, including the pixels of a row's tail and near-white ones.
  void theGreyPassAgreesWithTheGreyOfEachColour() {
    auto pic = Fixture::Filled(4099, 5, 0xFFFFFF);
    uint32_t c = 0;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 4099; ++x, c = c * 1664525u + 1013904223u)
        if (x % 7) pic->SetPixel(x, y, Color(y == 4 ? 0xFFFF00u | (c & 0xFF) : c & 0xFFFFFF));
    for (int levels : {4, 16, 256}) {
      auto grey = pic->Clone();
      ColorOps::Gray(*grey, *Map_Gray, levels);
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 4099; ++x)
          QCOMPARE(grey->Pixel(x, y) & 0xFFFFFF, GrayPixel(pic->Pixel(x, y), levels));
    }
  }

  void sepiaOfWhiteAndBlack() {
    QCOMPARE(SepiaOf(0xFFFFFF), RGB(255, 255, 238));
    auto pic = Fixture::Filled(3, 1, 0xFFFFFF);
    pic->SetPixel(1, 0, 0x000000);
    pic->SetPixel(2, 0, RGB(128, 128, 128));
    int32_t units = 0;
    ColorOps::Sepia(*pic, *Map_Sepia_R, *Map_Sepia_G, *Map_Sepia_B, [&](int32_t done) { units += done; });
    QCOMPARE(pic->Pixel(0, 0), RGB(255, 255, 238));
    QCOMPARE(pic->Pixel(1, 0), Color(0));
    // Worked out by hand, no channel clamped: red 50 + 98 + 24 (0.393, 0.769 and 0.189 of 128), green
    // 44 + 87 + 21 (0.349, 0.686, 0.168), blue 34 + 68 + 16 (0.272, 0.534, 0.131).
    QCOMPARE(pic->Pixel(2, 0), RGB(172, 152, 118));
    QCOMPARE(units, 3);
  }

  // Every pixel as the maps say, whatever the width (the conversion works on groups of pixels).
  void sepiaMatchesTheMapsForManyColours_data() {
    QTest::addColumn<int>("depth");
    QTest::newRow("32 bits") << 32;
    QTest::newRow("24 bits") << 24;
  }
  void sepiaMatchesTheMapsForManyColours() {
    QFETCH(int, depth);
    const int w = 253, h = 131;
    auto pic = Platform::Picture::Create(w, h, 32);
    uint32_t c = 0x123456;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        c = c * 1103515245u + 12345u;
        pic->SetPixel(x, y, (x + y) % 17 == 0 ? Color(x % 2 ? 0xFFFFFF : 0) : (c >> 5) & 0xFFFFFF);
      }
    if (depth == 24) pic = pic->CopyAtDepth(24);
    const auto original = pic->Clone();
    ColorOps::Sepia(*pic, *Map_Sepia_R, *Map_Sepia_G, *Map_Sepia_B);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (pic->Pixel(x, y) != SepiaOf(original->Pixel(x, y)))
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
  }

  void sepiaCommandOnTheWholePicture() {
    Fixture::NewDocument(600, 400, 0xFFFFFF);
    const auto picture = work_area;
    winMAIN::instance()->_menu_Sepia_Action();
    QCOMPARE(work_area, picture);  // changed in place
    QCOMPARE(work_area->Pixel(599, 399), RGB(255, 255, 238));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(img_changed);
    // 240,000 pixels: the bar moved twenty times and the busy state is over.
    QCOMPARE(Platform::Environment::BeepCount(), 20);
    QVERIFY(!Barber_Pole);
    QVERIFY(winMAIN::instance()->pb_BARBER->isHidden());
  }

  void sepiaCommandOnASelection() {
    Fixture::NewDocument(30, 30, 0xFFFFFF);
    Fixture::Select(5, 5, 10, 10);
    image_Convert_Sepia();
    QCOMPARE(work_area->Pixel(5, 5), RGB(255, 255, 238));
    QCOMPARE(work_area->Pixel(10, 10), Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(4, 4), Color(0xFFFFFF));
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(active_LASSO);
  }

  void sepiaCommandOnATwentyFourBitSelection() {
    Fixture::NewDocument(30, 30, 0xFFFFFF);
    Working_Color_Depth = 24;
    Fixture::Select(0, 0, 3, 3);
    image_Convert_Sepia();
    QCOMPARE(work_area->Pixel(1, 1), RGB(255, 255, 238));
    QCOMPARE(work_area->Pixel(3, 3), Color(0xFFFFFF));
  }

  void countColors() {
    Fixture::NewDocument(10, 10, 0x404040);
    bool gray = false;
    QCOMPARE(Count_Colors(gray, false), 1);
    QVERIFY(gray);
    Fixture::NewDocument(10, 10, 0x404041);
    QCOMPARE(Count_Colors(gray, false), 1);
    QVERIFY(!gray);
    Fixture::NewDocument(10, 10, RGB(10, 10, 10));
    work_area->SetPixel(9, 9, RGB(10, 10, 11));
    QCOMPARE(Count_Colors(gray, false), 2);
    QVERIFY(!gray);
    // The alpha byte is no part of the colour.
    work_area->Image().setPixel(0, 0, 0x000A0A0Au);
    QCOMPARE(Count_Colors(gray, false), 2);
    // Runs of every length, each ending in a new colour.
    Fixture::NewDocument(60, 2, RGB(1, 1, 1));
    int x = 0;
    for (int run = 1; x < 60; ++run)
      for (int i = 0; i < run && x < 60; ++i) work_area->SetPixel(x++, 1, RGB(run, 0, 0));
    QCOMPARE(Count_Colors(gray, false), 1 + 11);
    QVERIFY(!gray);
  }

  void countColorsStopsEarly() {
    Fixture::NewDocument(300, 3, 0xFFFFFF);
    for (int x = 0; x < 300; ++x) work_area->SetPixel(x, 0, RGB(x % 256, x / 256, 7));
    for (int x = 0; x < 300; ++x) work_area->SetPixel(x, 2, RGB(x % 256, 200, 9));
    bool gray = true;
    QCOMPARE(Count_Colors(gray, true), 300);
    QVERIFY(!gray);
    QCOMPARE(Count_Colors(gray, false), 300 + 1 + 256);
  }
};
PIXMURA_TEST_CLASS(ColorMapTests)

#include "ColorMapTests.moc"
