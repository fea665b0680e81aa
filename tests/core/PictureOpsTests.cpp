#include <QTest>
#include <cmath>

#include "core/Geometry.h"
#include "core/PictureOps.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace PictureOps;
using Fixture::Marked;
using Fixture::Marker;
using Platform::Color;
using Platform::PicturePtr;

// The free rotation written out point by point, whole columns left to right, as the program defines it.
static PicturePtr ReferenceFreeRotation(const PicturePtr& src, double degrees) {
  const QSize size = FreeRotatedSize(src->Width(), src->Height(), degrees);
  auto out = Platform::Picture::Create(size.width(), size.height(), 32);
  double s, c;
  SinCosDegrees(degrees, s, c);
  // Rotate_Point takes the sine and cosine of the angle less a half turn.
  const float rs = -float(s), rc = -float(c);
  const modMAIN::point_record origin = modMAIN::Point_of(src->Width() / 2, src->Height() / 2);
  const modMAIN::point_record target = modMAIN::Point_of(size.width() / 2, size.height() / 2);
  for (int x = 0; x < src->Width(); ++x)
    for (int y = 0; y < src->Height(); ++y) {
      const modMAIN::fPoint_Record p = modMAIN::Rotate_Point(x, y, origin, rs, rc, target);
      const int fx = int(std::floor(p.x)), fy = int(std::floor(p.y));
      const int cx = int(std::ceil(p.x)), cy = int(std::ceil(p.y));
      const Color col = src->Pixel(x, y);
      out->SetPixel(fx, fy, col);
      out->SetPixel(cx, fy, col);
      out->SetPixel(fx, cy, col);
      out->SetPixel(cx, cy, col);
    }
  return out;
}

class PictureOpsTests : public QObject {
  Q_OBJECT
 private slots:
  void quarterTurnsOfThreeByTwo() {
    auto src = Marked(3, 2);
    auto t90 = Turn(*src, 90);
    QCOMPARE(t90->Width(), 2);
    QCOMPARE(t90->Height(), 3);
    QCOMPARE(t90->Pixel(1, 0), Marker(0, 0));  // the top-left goes to the top-right
    QCOMPARE(t90->Pixel(0, 2), Marker(2, 1));
    auto t270 = Turn(*src, 270);
    QCOMPARE(t270->Pixel(0, 2), Marker(0, 0));
    QCOMPARE(t270->Pixel(1, 0), Marker(2, 1));
    auto t180 = Turn(*src, 180);
    QCOMPARE(t180->Pixel(2, 1), Marker(0, 0));
    QCOMPARE(t180->Pixel(0, 0), Marker(2, 1));
  }

  // Sizes around the 4 x 4 register blocks and the 128-pixel bands, every pixel checked.
  void turnsMovePixelsWhereTheyBelong_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("1x1") << 1 << 1;
    QTest::newRow("odd sizes") << 7 << 5;
    QTest::newRow("even sizes") << 8 << 6;
    QTest::newRow("blocks and edges") << 133 << 261;
    QTest::newRow("one row") << 300 << 1;
  }
  void turnsMovePixelsWhereTheyBelong() {
    QFETCH(int, w);
    QFETCH(int, h);
    auto src = Marked(w, h);
    auto t90 = Turn(*src, 90), t180 = Turn(*src, 180), t270 = Turn(*src, 270);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const Color c = Marker(i, j);
        if (t90->Pixel(h - 1 - j, i) != c) QFAIL(qPrintable(QStringLiteral("90: source %1,%2").arg(i).arg(j)));
        if (t180->Pixel(w - 1 - i, h - 1 - j) != c) QFAIL(qPrintable(QStringLiteral("180: source %1,%2").arg(i).arg(j)));
        if (t270->Pixel(j, w - 1 - i) != c) QFAIL(qPrintable(QStringLiteral("270: source %1,%2").arg(i).arg(j)));
      }
  }

  void fourQuarterTurnsRestoreThePicture() {
    auto src = Marked(37, 19);
    auto p = src;
    int32_t units = 0;
    for (int k = 0; k < 4; ++k) p = Turn(*p, 90, [&](int32_t done) { units += done; });
    QCOMPARE(Fixture::Difference(p, src), QString());
    QCOMPARE(units, 4 * 37 * 19);
    QCOMPARE(Fixture::Difference(Turn(*Turn(*src, 180), 180), src), QString());
    QCOMPARE(Fixture::Difference(Turn(*Turn(*src, 90), 270), src), QString());
  }

  void turnsOfTwentyFourBitPicturesGiveThirtyTwoBits() {
    auto src = Marked(5, 3)->CopyAtDepth(24);
    auto t = Turn(*src, 90);
    QCOMPARE(t->Depth(), 32);
    QCOMPARE(t->Pixel(2, 0), Marker(0, 0));
  }

  // Beyond 65,535 pixels the coordinates still fit.
  void turnsOfVeryWidePictures() {
    const int w = 70000;
    auto src = Platform::Picture::Create(w, 2, 32);
    for (int x = 65530; x < w; ++x) src->SetPixel(x, 1, Platform::Color(x));
    auto t = Turn(*src, 90);
    QCOMPARE(t->Width(), 2);
    QCOMPARE(t->Height(), w);
    for (int x = 65530; x < w; ++x) QCOMPARE(t->Pixel(0, x), Platform::Color(x));
    auto back = FreeRotate(*src, 0);
    QCOMPARE(back->Width(), w);
    QCOMPARE(back->Pixel(69999, 1), Platform::Color(69999));
  }

  void freeRotationByNothingChangesNothing_data() {
    QTest::addColumn<double>("degrees");
    QTest::newRow("0") << 0.0;
    QTest::newRow("360") << 360.0;
    QTest::newRow("-360") << -360.0;
  }
  void freeRotationByNothingChangesNothing() {
    QFETCH(double, degrees);
    // Row 0 and column 0 are carried over like every other pixel.
    auto src = Marked(9, 6);
    QCOMPARE(Fixture::Difference(FreeRotate(*src, degrees), src), QString());
  }

  void freeRotationByFortyFiveDegrees() {
    auto src = Fixture::Filled(100, 100, 0xFF0000);
    int32_t units = 0;
    auto t = FreeRotate(*src, 45, [&](int32_t done) { units += done; });
    QVERIFY2(t->Width() >= 140 && t->Width() <= 142, qPrintable(QString::number(t->Width())));
    QVERIFY2(t->Height() >= 140 && t->Height() <= 142, qPrintable(QString::number(t->Height())));
    QCOMPARE(units, 100 * 100);
    const int w = t->Width(), h = t->Height();
    for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {10, 10}})
      QCOMPARE(t->Pixel(x, y), Color(0xFFFFFF));
    QCOMPARE(t->Pixel(w / 2, h / 2), Color(0xFF0000));
    // The diamond reaches the middle of each edge.
    QCOMPARE(t->Pixel(w / 2, 1), Color(0xFF0000));
    QCOMPARE(t->Pixel(1, h / 2), Color(0xFF0000));
  }

  void aOnePixelSourceIsCarriedOver() {
    auto src = Fixture::Filled(1, 5, 0x00FF00);
    auto t = FreeRotate(*src, 30);
    QVERIFY(t->Width() >= 1 && t->Height() >= 1);
    int green = 0;
    for (int y = 0; y < t->Height(); ++y)
      for (int x = 0; x < t->Width(); ++x) green += t->Pixel(x, y) == 0x00FF00;
    QVERIFY(green > 0);
    // The turned corners of a single pixel may span no whole pixel: the picture still has one.
    auto dot = FreeRotate(*Fixture::Filled(1, 1, 0x00FF00), 45);
    QCOMPARE(dot->Width(), 1);
    QCOMPARE(dot->Height(), 1);
  }

  // Tall pictures are walked in bands of rows; where bands meet the result must still be the one of
  // whole columns walked left to right.
  void freeRotationFollowsColumnOrder_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<double>("degrees");
    QTest::newRow("small 30") << 11 << 7 << 30.0;
    QTest::newRow("three bands 30") << 23 << 600 << 30.0;
    QTest::newRow("three bands 45") << 19 << 700 << 45.0;
    QTest::newRow("three bands 10") << 21 << 530 << 10.0;
    QTest::newRow("three bands 135") << 17 << 515 << 135.0;
    QTest::newRow("three bands 290") << 16 << 770 << 290.0;
    QTest::newRow("short last band 73") << 12 << 514 << 73.0;
  }
  void freeRotationFollowsColumnOrder() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(double, degrees);
    auto src = Marked(w, h);
    QCOMPARE(Fixture::Difference(FreeRotate(*src, degrees), ReferenceFreeRotation(src, degrees)), QString());
  }

  // One flip puts every pixel at its mirrored place, for even and odd sizes; a second restores.
  void flipsMirrorAndTwiceRestore_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("odd width, even height") << 7 << 4;
    QTest::newRow("even width, odd height") << 6 << 5;
  }
  void flipsMirrorAndTwiceRestore() {
    QFETCH(int, w);
    QFETCH(int, h);
    auto src = Marked(w, h);
    for (const bool horizontal : {true, false}) {
      auto p = src->Clone();
      Flip(*p, QRect(0, 0, w, h), horizontal);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
          if (p->Pixel(x, y) != (horizontal ? Marker(w - 1 - x, y) : Marker(x, h - 1 - y)))
            QFAIL(qPrintable(QStringLiteral("%1 flip: pixel %2,%3").arg(horizontal ? "horizontal" : "vertical").arg(x).arg(y)));
      Flip(*p, QRect(0, 0, w, h), horizontal);
      QCOMPARE(Fixture::Difference(p, src), QString());
    }
  }

  void flipOfAnAreaChangesOnlyTheArea() {
    auto src = Marked(10, 8);
    auto p = src->Clone();
    Flip(*p, QRect(2, 3, 4, 3), true);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x) {
        const bool inside = x >= 2 && x < 6 && y >= 3 && y < 6;
        QCOMPARE(p->Pixel(x, y), inside ? Marker(2 + 5 - x, y) : Marker(x, y));
      }
  }

  void flipOfAnAreaReachingOutsideMirrorsWhite() {
    auto p = Marked(6, 3);
    // Columns 4..7 of which 6 and 7 lie outside: column 4 takes column 7 (white), 5 takes 6 (white).
    Flip(*p, QRect(4, 0, 4, 3), true);
    QCOMPARE(p->Pixel(4, 1), Color(0xFFFFFF));
    QCOMPARE(p->Pixel(5, 1), Color(0xFFFFFF));
    QCOMPARE(p->Pixel(3, 1), Marker(3, 1));
  }

  void flipsTwentyFourBitPicturesAndMasks() {
    auto p = Marked(5, 3)->CopyAtDepth(24);
    p->Mask()->SetPixel(0, 0, 0xFFFFFF);
    Flip(*p, QRect(0, 0, 5, 3), true);
    QCOMPARE(p->Pixel(4, 0), Marker(0, 0));
    QCOMPARE(p->Mask()->Pixel(4, 0), Color(0xFFFFFF));
    QCOMPARE(p->Mask()->Pixel(0, 0), Color(0));
  }

  void scalingTakesThePixelUnderEachCentre() {
    auto src = Marked(8, 6);
    auto half = Scale(*src, QRect(0, 0, 8, 6), 4, 3, 32);
    QCOMPARE(half->Pixel(0, 0), Marker(1, 1));
    QCOMPARE(half->Pixel(3, 2), Marker(7, 5));
    auto twice = Scale(*src, QRect(0, 0, 8, 6), 16, 12, 32);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 16; ++x) QCOMPARE(twice->Pixel(x, y), Marker(x / 2, y / 2));
    auto part = Scale(*src, QRect(2, 1, 3, 2), 3, 2, 24);
    QCOMPARE(part->Depth(), 24);
    QCOMPARE(part->Pixel(0, 0), Marker(2, 1));
    QCOMPARE(part->Pixel(2, 1), Marker(4, 2));
  }

  void canvasCopyKeepsTheTopLeft() {
    auto src = Marked(6, 4);
    auto big = CanvasResized(*src, 9, 7, 32);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 6; ++x) QCOMPARE(big->Pixel(x, y), Marker(x, y));
    QCOMPARE(big->Pixel(8, 6), Color(0xFFFFFF));
    auto small = CanvasResized(*src, 3, 2, 32);
    QCOMPARE(small->Pixel(2, 1), Marker(2, 1));
  }

  void theShapeBecomesTheMask() {
    auto shape = Fixture::Filled(3, 2, 0xFFFFFF);
    shape->SetPixel(1, 0, 0x000000);
    auto target = Fixture::Filled(4, 4, 0x123456);
    CopyToMask(*shape, *target);
    QCOMPARE(target->Mask()->Pixel(1, 0), Color(0));
    QCOMPARE(target->Mask()->Pixel(0, 0), Color(0xFFFFFF));
    QCOMPARE(target->Mask()->Pixel(3, 3), Color(0));  // beyond the shape the new mask is opaque
  }
};
PIXMURA_TEST_CLASS(PictureOpsTests)

#include "PictureOpsTests.moc"
