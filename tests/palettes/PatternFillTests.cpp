// The pattern fills of the pattern palette: rectangles, rounded rectangles, ovals and the flood fill,
// checked pixel by pixel against a small hand-made pattern sheet.
#include <QPainter>
#include <QTest>
#include <deque>
#include <random>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classPATTERNS.h"
#include "platform/Environment.h"
#include "HandMadeSheet.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;
using Platform::PicturePtr;

namespace {
constexpr Color kFg = 0x112233, kBg = 0xAABBCC, kGround = 0x445566;

// Pattern 1 at a pixel of the picture filled, worked out by hand: tiles lie on the picture's 32-pixel
// grid; red (255, 0, 0) takes the background's red and the foreground's green and blue, grey becomes
// black, black the foreground and white the background.
Color Pattern1(int x, int y) {
  const int tx = x & 31, ty = y & 31;
  if (tx == 0 && ty == 0) return 0xAA2233;
  if (tx == 1 && ty == 0) return 0x000000;
  return tx < 16 ? kFg : kBg;
}

void UseSheet(const PicturePtr& sheet = HandMadeSheet(true)) {
  modMAIN::user_brushes = sheet;
  modMAIN::Draw_Color[1] = kFg;
  modMAIN::Draw_Color[2] = kBg;
}

classPATTERNS* Patterns() { return winMAIN::instance()->classPATTERNS1; }

// The first pixel that differs from the expectation; empty when none does.
QString Mismatch(const PicturePtr& pic, const std::function<Color(int, int)>& expected) {
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x)
      if (pic->Pixel(x, y) != expected(x, y))
        return QStringLiteral("(%1,%2): %3, expected %4")
            .arg(x)
            .arg(y)
            .arg(pic->Pixel(x, y), 6, 16, QLatin1Char('0'))
            .arg(expected(x, y), 6, 16, QLatin1Char('0'));
  return QString();
}

// The region a flood from the seed must fill: the 4-connected pixels of exactly the seed's colour,
// found the plain way.
std::vector<bool> Region(const PicturePtr& pic, int sx, int sy) {
  const int w = pic->Width(), h = pic->Height();
  std::vector<bool> in(size_t(w * h), false);
  const Color c = pic->Pixel(sx, sy);
  std::deque<QPoint> todo{QPoint(sx, sy)};
  in[size_t(sy * w + sx)] = true;
  while (!todo.empty()) {
    const QPoint p = todo.front();
    todo.pop_front();
    for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
      const QPoint q = p + d;
      if (q.x() < 0 || q.y() < 0 || q.x() >= w || q.y() >= h || in[size_t(q.y() * w + q.x())]) continue;
      if (pic->Pixel(q.x(), q.y()) != c) continue;
      in[size_t(q.y() * w + q.x())] = true;
      todo.push_back(q);
    }
  }
  return in;
}
}  // namespace

class PatternFillTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void rectanglesLieOnThePicturesGrid_data() {
    QTest::addColumn<QList<int>>("fills");  // x, y, w, h of each fill
    QTest::addColumn<QRect>("area");
    QTest::newRow("down and right") << QList<int>{5, 3, 40, 20} << QRect(5, 3, 40, 20);
    QTest::newRow("up and left") << QList<int>{45, 23, -40, -20} << QRect(5, 3, 40, 20);
    QTest::newRow("from beyond the origin") << QList<int>{-10, -7, 30, 25} << QRect(0, 0, 20, 18);
    QTest::newRow("side by side") << QList<int>{0, 0, 20, 40, 20, 0, 30, 40} << QRect(0, 0, 50, 40);
    QTest::newRow("zero width") << QList<int>{5, 5, 0, 20} << QRect();
  }
  void rectanglesLieOnThePicturesGrid() {
    QFETCH(QList<int>, fills);
    QFETCH(QRect, area);
    UseSheet();
    PicturePtr pic = Fixture::Filled(70, 50, kGround);
    Platform::Graphics g = pic->Graphics();
    for (qsizetype i = 0; i < fills.size(); i += 4)
      Patterns()->FillRect(g, fills[i], fills[i + 1], fills[i + 2], fills[i + 3], 1, true);
    const QString bad = Mismatch(pic, [&](int x, int y) { return area.contains(x, y) ? Pattern1(x, y) : kGround; });
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
  }

  void channelsAreRemappedOneByOne() {
    UseSheet();
    PicturePtr pic = Fixture::Filled(32, 32, kGround);
    Platform::Graphics g = pic->Graphics();
    Patterns()->FillRect(g, 0, 0, 32, 32, 1, false);
    QCOMPARE(pic->Pixel(0, 0), Color(0xAA2233));  // pure red: (bg.R, fg.G, fg.B)
    QCOMPARE(pic->Pixel(1, 0), Color(0x000000));  // grey: black
    QCOMPARE(pic->Pixel(2, 0), kFg);
    QCOMPARE(pic->Pixel(20, 0), kBg);
    // Pattern 0 is the plain foreground colour; a negative pattern the palette's selected one (0).
    Patterns()->FillRect(g, 0, 0, 8, 8, -1, false);
    QCOMPARE(pic->Pixel(7, 7), kFg);
    QCOMPARE(pic->Pixel(20, 7), kBg);
  }

  void whiteShowsThroughOnlyWhenDrawnAsTransparent_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("opaque");
    QTest::addColumn<bool>("useTransparency");
    QTest::addColumn<uint>("background");
    QTest::addColumn<bool>("through");
    QTest::newRow("rectangle, white transparent") << "rect" << 1 << true << 0xFFFFFFu << true;
    QTest::newRow("rectangle, white opaque") << "rect" << 0 << true << 0xFFFFFFu << false;
    QTest::newRow("rectangle without transparency") << "rect" << 1 << false << 0xFFFFFFu << false;
    QTest::newRow("rectangle, background not white") << "rect" << 1 << true << uint(kBg) << false;
    QTest::newRow("oval, white transparent") << "oval" << 1 << false << 0xFFFFFFu << true;
    QTest::newRow("oval, white opaque") << "oval" << 0 << false << 0xFFFFFFu << false;
    QTest::newRow("rounded rectangle, white transparent") << "round" << 1 << false << 0xFFFFFFu << true;
  }
  void whiteShowsThroughOnlyWhenDrawnAsTransparent() {
    QFETCH(QString, shape);
    QFETCH(int, opaque);
    QFETCH(bool, useTransparency);
    QFETCH(uint, background);
    QFETCH(bool, through);
    UseSheet();
    modMAIN::Draw_Color[2] = background;
    modOptions::option_Draw_Opaque = opaque;
    PicturePtr pic = Fixture::Filled(32, 32, kGround);
    Platform::Graphics g = pic->Graphics();
    if (shape == QLatin1String("rect")) Patterns()->FillRect(g, 0, 0, 32, 32, 1, useTransparency);
    else if (shape == QLatin1String("oval")) Patterns()->FillOval(g, 0, 0, 32, 32, 1);
    else Patterns()->FillRoundRect(g, 0, 0, 32, 32, 8, 8, 1);
    QCOMPARE(pic->Pixel(20, 16), through ? kGround : Color(background));
    QCOMPARE(pic->Pixel(5, 16), kFg);
  }

  void ovalsAndRoundedRectanglesKeepToTheirShape() {
    UseSheet();
    PicturePtr oval = Fixture::Filled(40, 40, kGround), round = Fixture::Filled(40, 40, kGround);
    Platform::Graphics go = oval->Graphics(), gr = round->Graphics();
    Patterns()->FillOval(go, 0, 0, 32, 32, 2);
    Patterns()->FillRoundRect(gr, 0, 0, 32, 32, 16, 16, 2);
    for (const PicturePtr& p : {oval, round}) {
      QCOMPARE(p->Pixel(16, 16), kFg);
      QCOMPARE(p->Pixel(16, 1), kFg);
      QCOMPARE(p->Pixel(1, 16), kFg);
      QCOMPARE(p->Pixel(0, 0), kGround);
      QCOMPARE(p->Pixel(31, 31), kGround);
      QCOMPARE(p->Pixel(33, 16), kGround);
    }
    // Dragged up and left, the same oval.
    PicturePtr back = Fixture::Filled(40, 40, kGround);
    Platform::Graphics gb = back->Graphics();
    Patterns()->FillOval(gb, 32, 32, -32, -32, 2);
    QCOMPARE(Fixture::Difference(back, oval), QString());
  }

  void flatShapesDrawTheirOutline_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<QRect>("box");  // x, y, w, h as passed
    QTest::addColumn<QRect>("line");
    QTest::newRow("oval of no width") << "oval" << QRect(10, 4, 0, 8) << QRect(10, 4, 1, 8);
    QTest::newRow("oval of no width, dragged up") << "oval" << QRect(10, 12, 0, -8) << QRect(10, 4, 1, 8);
    QTest::newRow("rounded rectangle of no height") << "round" << QRect(3, 7, 12, 0) << QRect(3, 7, 12, 1);
    QTest::newRow("rectangle of no width paints nothing") << "rect" << QRect(10, 4, 0, 8) << QRect();
  }
  void flatShapesDrawTheirOutline() {
    QFETCH(QString, shape);
    QFETCH(QRect, box);
    QFETCH(QRect, line);
    UseSheet();
    PicturePtr pic = Fixture::Filled(20, 20, kGround);
    Platform::Graphics g = pic->Graphics();
    g.SetForeColor(0x00FF00);
    const int x = box.x(), y = box.y(), w = box.width(), h = box.height();
    if (shape == QLatin1String("oval")) Patterns()->FillOval(g, x, y, w, h, 2);
    else if (shape == QLatin1String("round")) Patterns()->FillRoundRect(g, x, y, w, h, 6, 6, 2);
    else Patterns()->FillRect(g, x, y, w, h, 2, false);
    const QString bad = Mismatch(pic, [&](int px, int py) { return line.contains(px, py) ? 0x00FF00 : kGround; });
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
  }

  void fillsFarBeyondThePictureAreClippedFirst() {
    UseSheet();
    constexpr int kFar = 2000000000;
    PicturePtr pic = Fixture::Filled(40, 40, kGround);
    Platform::Graphics g = pic->Graphics();
    // The picture lies deep inside this oval: all of it takes the pattern, and no picture of the
    // oval's size is asked for.
    Patterns()->FillOval(g, -kFar / 2, -kFar / 2, kFar, kFar, 2);
    QCOMPARE(Mismatch(pic, [](int, int) { return kFg; }), QString());
    pic = Fixture::Filled(40, 40, kGround);
    g = pic->Graphics();
    Patterns()->FillRect(g, 30, 35, kFar, kFar, 1, false);
    Patterns()->FillRoundRect(g, 10, 10, -kFar, -kFar, 40, 40, 2);
    QCOMPARE(pic->Pixel(35, 36), Pattern1(35, 36));
    QCOMPARE(pic->Pixel(0, 0), kFg);
    QCOMPARE(pic->Pixel(20, 20), kGround);
    // A context without a picture of its own (a control's paint) is clipped the same way.
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Platform::ToQRgb(kGround));
    {
      QPainter p(&image);
      Platform::Graphics pg(&p, 40, 40);
      Patterns()->FillOval(pg, -kFar / 2, -kFar / 2, kFar, kFar, 1);
    }
    QCOMPARE(Platform::FromQRgb(image.pixel(20, 3)), Pattern1(20, 3));
    QCOMPARE(Platform::FromQRgb(image.pixel(39, 39)), Pattern1(39, 39));
  }

  void cellsOutsideTheSheetReadAsWhite_data() {
    QTest::addColumn<QSize>("sheet");  // an all-black sheet of this size; empty: no sheet
    QTest::addColumn<int>("pattern");
    QTest::addColumn<QSize>("covered");  // the part of the cell inside the sheet
    QTest::newRow("cell partly on the sheet") << QSize(40, 20) << 1 << QSize(6, 19);
    QTest::newRow("cell past the sheet") << QSize(40, 20) << 9 << QSize();
    QTest::newRow("no sheet") << QSize() << 1 << QSize();
  }
  void cellsOutsideTheSheetReadAsWhite() {
    QFETCH(QSize, sheet);
    QFETCH(int, pattern);
    QFETCH(QSize, covered);
    UseSheet(sheet.isEmpty() ? nullptr : Fixture::Filled(sheet.width(), sheet.height(), 0x000000));
    PicturePtr pic = Fixture::Filled(32, 32, kGround);
    Platform::Graphics g = pic->Graphics();
    Patterns()->FillRect(g, 0, 0, 32, 32, pattern, false);
    const QRect black(QPoint(0, 0), covered);
    QCOMPARE(Mismatch(pic, [&](int x, int y) { return black.contains(x, y) ? kFg : kBg; }), QString());
  }

  void floodStopsAtBordersAndTouchesNothingElse() {
    UseSheet();
    // Two rooms parted by a black wall; the right one holds pixels of colours a marking pass might use.
    PicturePtr pic = Fixture::Filled(60, 40, 0xFFFFFF);
    for (int y = 0; y < 40; ++y) pic->SetPixel(40, y, 0x000000);
    pic->SetPixel(50, 5, 0x010101);
    pic->SetPixel(51, 5, 0xFFFFFE);
    pic->SetPixel(10, 10, 0x010101);  // inside the flooded room, but not of its colour: left alone
    const QRect filled = Patterns()->Flood(pic, 5, 5, 1);
    QCOMPARE(filled, QRect(0, 0, 40, 40));
    const QString bad = Mismatch(pic, [](int x, int y) -> Color {
      if (x == 10 && y == 10) return 0x010101;
      if (x < 40) return Pattern1(x, y);
      if (x == 40) return 0x000000;
      if (y == 5 && x == 50) return 0x010101;
      if (y == 5 && x == 51) return 0xFFFFFE;
      return 0xFFFFFF;
    });
    QVERIFY2(bad.isEmpty(), qPrintable(bad));
  }

  void plainFloodUsesTheStrokeColour() {
    UseSheet();
    modMAIN::Draw_Color[0] = 0x00FF00;
    PicturePtr pic = Fixture::Filled(3, 3, 0xFFFFFF);
    // Only diagonal contact with (0, 0): the flood goes no further; an almost-white pixel is no match.
    pic->SetPixel(1, 0, 0x000000);
    pic->SetPixel(0, 1, 0x000000);
    pic->SetPixel(2, 2, 0xFFFFFE);
    QCOMPARE(Patterns()->Flood(pic, 0, 0, 0), QRect(0, 0, 1, 1));
    QCOMPARE(pic->Pixel(0, 0), Color(0x00FF00));
    QCOMPARE(pic->Pixel(1, 1), Color(0xFFFFFF));
    // From the middle the rest of the white is reached round the walls, but not the almost-white corner.
    QCOMPARE(Patterns()->Flood(pic, 1, 1, 0), QRect(0, 0, 3, 3));
    for (const QPoint p : {QPoint(1, 1), QPoint(2, 1), QPoint(1, 2), QPoint(2, 0), QPoint(0, 2)})
      QCOMPARE(pic->Pixel(p.x(), p.y()), Color(0x00FF00));
    QCOMPARE(pic->Pixel(2, 2), Color(0xFFFFFE));
    QCOMPARE(pic->Pixel(1, 0), Color(0x000000));
  }

  void floodWithNothingToDo_data() {
    QTest::addColumn<QPoint>("seed");
    QTest::addColumn<int>("pattern");
    QTest::newRow("seed left of the picture") << QPoint(-1, 2) << 1;
    QTest::newRow("seed below the picture") << QPoint(2, 8) << 0;
    QTest::newRow("plain colour equal to the seed's") << QPoint(2, 2) << 0;
  }
  void floodWithNothingToDo() {
    QFETCH(QPoint, seed);
    QFETCH(int, pattern);
    UseSheet();
    modMAIN::Draw_Color[0] = kGround;
    PicturePtr pic = Fixture::Filled(8, 8, kGround);
    QCOMPARE(Patterns()->Flood(pic, seed.x(), seed.y(), pattern), QRect());
    QCOMPARE(Mismatch(pic, [](int, int) { return kGround; }), QString());
  }

  void floodFillsExactlyTheConnectedArea() {
    // Random pictures of few colours, flooded from random seeds, against the plain search above.
    UseSheet();
    std::mt19937 random(7);
    const Color colours[] = {0xFFFFFF, 0x000000, 0x112233, 0xAABBCC};
    for (int round = 0; round < 300; ++round) {
      const int w = 1 + int(random() % 40), h = 1 + int(random() % 30);
      PicturePtr pic = Fixture::Filled(w, h, 0xFFFFFF);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pic->SetPixel(x, y, colours[random() % (round % 2 ? 2 : 4)]);
      const int sx = int(random() % unsigned(w)), sy = int(random() % unsigned(h));
      const int pattern = round % 3 == 0 ? 0 : 1;
      modMAIN::Draw_Color[0] = pic->Pixel(sx, sy) == 0x00FF00 ? 0x00FE00 : 0x00FF00;
      const PicturePtr before = pic->Clone();
      const std::vector<bool> in = Region(before, sx, sy);
      Patterns()->Flood(pic, sx, sy, pattern);
      const QString bad = Mismatch(pic, [&](int x, int y) {
        if (!in[size_t(y * w + x)]) return before->Pixel(x, y);
        return pattern == 0 ? modMAIN::Draw_Color[0] : Pattern1(x, y);
      });
      QVERIFY2(bad.isEmpty(), qPrintable(QStringLiteral("round %1: %2").arg(round).arg(bad)));
    }
  }

  void patternedFloodReportsProgressOnLargePictures_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("beeps");
    QTest::newRow("200,000 pixels, patterned: twenty steps") << QSize(500, 400) << 1 << 20;
    QTest::newRow("160,000 pixels: no bar") << QSize(400, 400) << 1 << 0;
    QTest::newRow("plain colour: no bar") << QSize(500, 400) << 0 << 0;
  }
  void patternedFloodReportsProgressOnLargePictures() {
    QFETCH(QSize, size);
    QFETCH(int, pattern);
    QFETCH(int, beeps);
    UseSheet();
    PicturePtr pic = Fixture::Filled(size.width(), size.height(), kGround);
    // Only a corner is flooded: progress goes by the picture's rows all the same.
    for (int y = 0; y < 10; ++y) pic->SetPixel(10, y, 0x000000);
    for (int x = 0; x <= 10; ++x) pic->SetPixel(x, 10, 0x000000);
    Patterns()->Flood(pic, 0, 0, pattern);
    QCOMPARE(Platform::Environment::BeepCount(), beeps);
    QVERIFY(!winMAIN::instance()->pb_BARBER->isVisible());
  }
};
PIXMURA_TEST_CLASS(PatternFillTests)
#include "PatternFillTests.moc"
