// The gradient renderer on small pictures: linear bands, radial distances, and what is left alone.
#include <QTest>
#include <cmath>

#include "gradients/modGRADIENT.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "GradientHelpers.h"

using namespace GradientHelpers;

namespace {
// What the picture holds before drawing; no gradient below makes this colour.
constexpr Platform::Color kBefore = 0x123456;

// Checks "x,y=RRGGBB" items ("keep" for the colour before drawing), separated by spaces.
QString Mismatches(const Platform::PicturePtr& pic, const QString& checks) {
  QStringList wrong;
  for (const QString& check : checks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QStringList sides = check.split(QLatin1Char('='));
    const QStringList xy = sides[0].split(QLatin1Char(','));
    const Platform::Color want =
        sides[1] == QLatin1String("keep") ? kBefore : Platform::Color(sides[1].toUInt(nullptr, 16));
    const Platform::Color got = pic->Pixel(xy[0].toInt(), xy[1].toInt());
    if (got != want) wrong << QStringLiteral("%1 is %2").arg(check).arg(got, 6, 16, QLatin1Char('0'));
  }
  return wrong.join(QStringLiteral("; "));
}

// The colour that the rule for one pixel gives, worked out step by step as written: distance and
// percentage in single precision from double-precision arithmetic, then the two stops around it.
Platform::Color ReferenceColour(int x, int y, float cx, float cy, float L) {
  const float dx = float(x) - cx, dy = float(y) - cy;
  const float d = float(std::sqrt(double(dx) * dx + double(dy) * dy));
  const float pct = float(double(d) / L * 100.0);
  const auto& g = modGRADIENT::Gradient;
  for (int n = 1; n <= g.Ubound(); ++n) {
    if (g[n]->Position < pct) continue;
    if (g[n]->Position == g[n - 1]->Position) return g[n - 1]->gColor;
    const float f = float((double(pct) - g[n - 1]->Position) / (double(g[n]->Position) - g[n - 1]->Position));
    int c[3];
    for (int k = 0; k < 3; ++k) {
      const int lo = int(g[n - 1]->gColor >> (16 - 8 * k)) & 255, hi = int(g[n]->gColor >> (16 - 8 * k)) & 255;
      c[k] = int(std::clamp((hi - lo) * double(f) + lo, 0.0, 255.0));
    }
    return Platform::RGB(c[0], c[1], c[2]);
  }
  return g[g.Ubound()]->gColor;
}
}  // namespace

class RendererTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void drawing_data() {
    QTest::addColumn<QString>("stops");
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("horizontal_only");
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QString>("checks");
    // 255 / 400 per column: column 200 is 127.5, column 399 254.36.
    QTest::newRow("horizontal black to white")
        << "0:000000,100:FFFFFF" << 0 << false << 0 << 0 << 400 << 3
        << "0,0=000000 0,2=000000 200,1=7F7F7F 399,0=FEFEFE 399,2=FEFEFE";
    // From column 20: 255 - 3.1875 per column for red, + 3.1875 for blue; column 99 is 3.19 / 251.81.
    QTest::newRow("horizontal from 20") << "20:FF0000,100:0000FF" << 0 << false << 0 << 0 << 100 << 2
                                        << "0,0=keep 19,1=keep 20,0=FF0000 99,1=0300FB";
    QTest::newRow("vertical from 20") << "20:FF0000,100:0000FF" << 1 << false << 0 << 0 << 3 << 100
                                      << "1,0=keep 2,19=keep 0,20=FF0000 2,20=FF0000 1,99=0300FB";
    // Two bands of 5.1 per column; column 50 is the second band's first, pure green.
    QTest::newRow("three stops") << "0:FF0000,50:00FF00,100:0000FF" << 0 << false << 0 << 0 << 100 << 1
                                 << "0,0=FF0000 25,0=7F7F00 50,0=00FF00 75,0=007F7F";
    QTest::newRow("out of order") << "100:000000,0:FFFFFF" << 0 << false << 0 << 0 << 10 << 10
                                  << "0,0=keep 5,5=keep 9,9=keep";
    QTest::newRow("one stop, linear") << "0:000000" << 1 << false << 0 << 0 << 10 << 10 << "0,0=keep 9,9=keep";
    QTest::newRow("other style") << "0:000000,100:FFFFFF" << 3 << false << 50 << 50 << 10 << 10
                                 << "0,0=keep 5,5=keep";
    QTest::newRow("horizontal only, radial style")
        << "0:000000,100:FFFFFF" << 2 << true << 50 << 50 << 400 << 3 << "0,1=000000 200,0=7F7F7F 399,2=FEFEFE";
    // From -2^31 % to 2^31 - 1 %: the picture lies in the middle of the band, at 127.5.
    QTest::newRow("huge positions") << "-2147483648:000000,2147483647:FFFFFF" << 0 << false << 0 << 0 << 100 << 2
                                    << "0,0=7F7F7F 99,1=7F7F7F";
    // Reference length 70.71; (99,99) lies at 98 %, (50,0) at 70.71 %, (99,0) at 99.005 %.
    QTest::newRow("radial, centred") << "0:000000,100:FFFFFF" << 2 << false << 50 << 50 << 100 << 100
                                     << "50,50=000000 0,0=FFFFFF 99,99=F9F9F9 50,0=B4B4B4 99,0=FCFCFC";
    // Past 60 % the last colour; (50,20) lies at 42.43 %, 0.707 of the way.
    QTest::newRow("radial, last stop at 60") << "0:000000,60:FF0000" << 2 << false << 50 << 50 << 100 << 100
                                             << "0,0=FF0000 50,0=FF0000 99,99=FF0000 50,20=B40000";
    QTest::newRow("radial, one stop") << "40:00FF00" << 2 << false << 50 << 50 << 100 << 100
                                      << "0,0=00FF00 50,50=00FF00 99,0=00FF00";
    // Reference length: the full diagonal, 141.42; (99,0) lies at 70.0036 %.
    QTest::newRow("radial, centre at the corner") << "0:000000,100:FFFFFF" << 2 << false << 0 << 0 << 100 << 100
                                                  << "0,0=000000 99,99=FCFCFC 99,0=B2B2B2";
    QTest::newRow("radial, one pixel") << "0:000000,100:FFFFFF" << 2 << false << 50 << 50 << 1 << 1 << "0,0=FFFFFF";
    // Below the first stop the fraction is negative: the channels stop at 0 and 255.
    QTest::newRow("radial, first stop at 50") << "50:0000FF,100:FF0000" << 2 << false << 50 << 50 << 100 << 100
                                              << "50,50=0000FF 50,0=690095 0,0=FF0000";
    // The first two stops share 30 %: up to there the lower one's colour.
    QTest::newRow("radial, first two stops together")
        << "30:FF0000,30:00FF00,100:0000FF" << 2 << false << 50 << 50 << 100 << 100
        << "50,50=FF0000 50,30=FF0000 50,0=006A94 0,0=0000FF";
    QTest::newRow("radial, no stops") << "" << 2 << false << 50 << 50 << 10 << 10 << "0,0=keep 5,5=keep";
  }
  void drawing() {
    QFETCH(QString, stops);
    QFETCH(int, style);
    QFETCH(bool, horizontal_only);
    QFETCH(int, cx);
    QFETCH(int, cy);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QString, checks);
    SetStops(stops);
    modGRADIENT::Gradient_style = style;
    modGRADIENT::gradient_cx = cx;
    modGRADIENT::gradient_cy = cy;
    for (int depth : {32, 24}) {
      auto pic = Fixture::Filled(w, h, kBefore);
      if (depth == 24) pic = pic->CopyAtDepth(24);
      modGRADIENT::Draw_Gradient(*pic, horizontal_only);
      const QString wrong = Mismatches(pic, checks);
      QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("depth %1: ").arg(depth) + wrong));
    }
  }

  // Every pixel gets the colour its distance gives, whatever the size and centre (also where a walk
  // from the centre to the border would pass it by), and the same as the one-pixel routine gives.
  void radialCoversEveryPixel_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("cx");
    QTest::addColumn<int>("cy");
    QTest::newRow("odd, off centre") << 37 << 23 << 33 << 71;
    QTest::newRow("even, centred") << 40 << 30 << 50 << 50;
    QTest::newRow("odd, centred") << 41 << 29 << 50 << 50;
    QTest::newRow("one column") << 1 << 9 << 50 << 50;
    QTest::newRow("one row, corner") << 10 << 1 << 0 << 100;
    QTest::newRow("centre outside") << 13 << 13 << -20 << 150;
    QTest::newRow("centre far right") << 20 << 7 << 330 << 10;
  }
  void radialCoversEveryPixel() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, cx);
    QFETCH(int, cy);
    // Sharp steps between stops, so that a pixel coloured from its neighbour shows.
    SetStops(QStringLiteral("0:FF0000,10:00FF00,11:0000FF,25:FFFFFF,26:000000,60:FF00FF,100:00FFFF"));
    modGRADIENT::Gradient_style = 2;
    modGRADIENT::gradient_cx = cx;
    modGRADIENT::gradient_cy = cy;
    auto pic = Fixture::Filled(w, h, kBefore);
    modGRADIENT::Draw_Gradient(*pic, false);
    const float fx = float(double(cx) / 100 * w), fy = float(double(cy) / 100 * h);
    const float L = modGRADIENT::g_line_length;
    QCOMPARE(L, float(std::max(std::max(std::hypot(fx, fy), std::hypot(fx, fy - h)),
                               std::max(std::hypot(fx - w, fy), std::hypot(fx - w, fy - h)))));
    auto single = Fixture::Filled(w, h, kBefore);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        modGRADIENT::g_radial_point(*single, fx, fy, L, float(x), float(y));
        const Platform::Color got = pic->Pixel(x, y), want = ReferenceColour(x, y, fx, fy, L);
        const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
        QVERIFY2(near(Platform::Red(got), Platform::Red(want)) && near(Platform::Green(got), Platform::Green(want)) &&
                     near(Platform::Blue(got), Platform::Blue(want)),
                 qPrintable(QStringLiteral("(%1,%2) is %3, not %4").arg(x).arg(y).arg(got, 6, 16).arg(want, 6, 16)));
        QCOMPARE(single->Pixel(x, y), got);
      }
  }

  // The walk from the centre colours the pixels of a digital straight line, and only those; from a
  // centre far outside it takes only the steps inside the picture.
  void radialLine() {
    SetStops(QStringLiteral("0:000000,100:FFFFFF"));
    modGRADIENT::g_line_length = 10;
    auto pic = Fixture::Filled(9, 9, kBefore);
    // From (4.5, 4.5) to (8, 6): err starts at 1.75 and loses 1.5 per column, so y moves after the
    // columns 5 and 7.
    modGRADIENT::g_radial_line(*pic, 4.5f, 4.5f, 8, 6);
    QStringList drawn;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x)
        if (pic->Pixel(x, y) != kBefore) drawn << QStringLiteral("%1,%2").arg(x).arg(y);
    QCOMPARE(drawn.join(QLatin1Char(' ')), QStringLiteral("4,4 5,4 6,5 7,5 8,6"));
    // (6,5) lies 1.58 from the centre: 15.8 % of the way to white.
    QCOMPARE(pic->Pixel(6, 5), Platform::Color(0x282828));

    auto far = Fixture::Filled(9, 9, kBefore);
    modGRADIENT::g_radial_line(*far, -2.0e9f, 4.0f, 8, 4);
    for (int x = 0; x < 9; ++x) QVERIFY(far->Pixel(x, 4) != kBefore);
    QCOMPARE(far->Pixel(0, 3), kBefore);
    QCOMPARE(far->Pixel(0, 5), kBefore);
  }
};

PIXMURA_TEST_CLASS(RendererTests)
#include "RendererTests.moc"
