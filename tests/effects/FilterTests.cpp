// The filters of the effects library, pixel by pixel on small pictures.
#include <QTest>
#include <algorithm>

#include "effects/DozerIvidEffectsLibrary.h"
#include "platform/Graphics.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace DozerIvidEffectsLibrary;
using Platform::Color;
using Platform::PicturePtr;
using Platform::RGB;

namespace {

// A picture of w x h with a pseudo-random colour in every pixel.
PicturePtr Noise(int w, int h, uint32_t seed) {
  auto p = Platform::Picture::Create(w, h, 32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      p->SetPixel(x, y, seed >> 8);
    }
  return p;
}

// A picture of w x h whose left half (columns below w / 2) is one colour and right half another.
PicturePtr Halves(int w, int h, Color left, Color right) {
  auto p = Platform::Picture::Create(w, h, 32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p->SetPixel(x, y, x < w / 2 ? left : right);
  return p;
}

QString Row(const PicturePtr& p, int y) {
  QStringList parts;
  for (int x = 0; x < p->Width(); ++x) parts << QString::number(Platform::Red(p->Pixel(x, y)));
  return parts.join(QLatin1Char(' '));
}

bool AllOf(const PicturePtr& p, Color c) {
  for (int y = 0; y < p->Height(); ++y)
    for (int x = 0; x < p->Width(); ++x)
      if (p->Pixel(x, y) != c) return false;
  return true;
}

// The strength-1 blur as the steps describe it, drawn with the platform's masked draw: the layer L of
// the picture's size with its whole mask at level &h7F7F7F; for each shift, the picture is drawn onto L
// and L onto the picture at the shift.
PicturePtr DrawnDiagonalBlur(const PicturePtr& pic, int n) {
  PicturePtr c = pic->CopyAtDepth(32);
  PicturePtr layer = Platform::Picture::Create(pic->Width(), pic->Height(), 32);
  layer->Mask()->Image().fill(0x7F);
  Platform::Graphics lg = layer->Graphics();
  Platform::Graphics cg = c->Graphics();
  for (int k = n; k >= 1; --k) {
    const int shifts[4][2] = {{-k, -k}, {-k, k}, {k, k}, {k, -k}};
    for (const auto& s : shifts) {
      lg.DrawPicture(c, 0, 0);
      cg.DrawPicture(layer, s[0], s[1]);
    }
  }
  return c;
}

}  // namespace

class FilterTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Each adjustment on a picture of one colour, 17 pixels wide so that both the runs of sixteen pixels
  // and the rest are met.
  void adjustments_data() {
    QTest::addColumn<QString>("effect");
    QTest::addColumn<int>("amount");
    QTest::addColumn<Color>("before");
    QTest::addColumn<Color>("after");
    QTest::newRow("brightness +100 white") << "brightness" << 100 << RGB(255, 255, 255) << RGB(255, 255, 255);
    QTest::newRow("brightness +100 black") << "brightness" << 100 << RGB(0, 0, 0) << RGB(100, 100, 100);
    QTest::newRow("brightness +100 mixed") << "brightness" << 100 << RGB(30, 150, 200) << RGB(130, 250, 255);
    QTest::newRow("brightness -100") << "brightness" << -100 << RGB(100, 50, 101) << RGB(0, 0, 1);
    QTest::newRow("contrast -100") << "contrast" << -100 << RGB(0, 200, 255) << RGB(127, 127, 127);
    QTest::newRow("contrast +100 low") << "contrast" << 100 << RGB(63, 64, 127) << RGB(0, 1, 127);
    QTest::newRow("contrast +100 high") << "contrast" << 100 << RGB(190, 191, 255) << RGB(253, 255, 255);
    QTest::newRow("exposure -100") << "exposure" << -100 << RGB(200, 100, 1) << RGB(0, 0, 0);
    QTest::newRow("exposure +300") << "exposure" << 300 << RGB(63, 64, 0) << RGB(252, 255, 0);
    QTest::newRow("exposure +100") << "exposure" << 100 << RGB(10, 127, 128) << RGB(20, 254, 255);
    QTest::newRow("saturation -100 red") << "saturation" << -100 << RGB(255, 0, 0) << RGB(85, 85, 85);
    QTest::newRow("saturation -100 mixed") << "saturation" << -100 << RGB(10, 20, 30) << RGB(20, 20, 20);
    // Average 100: red 200 + 100 and blue 0 - 100 stay inside 0..255.
    QTest::newRow("saturation +100 kept in range") << "saturation" << 100 << RGB(200, 100, 0) << RGB(255, 100, 0);
    QTest::newRow("saturation +100 red") << "saturation" << 100 << RGB(255, 0, 0) << RGB(255, 0, 0);
    // Average 30; offsets half the distances -20, -10, 30, made whole towards zero.
    QTest::newRow("saturation +50") << "saturation" << 50 << RGB(10, 20, 60) << RGB(0, 15, 75);
    QTest::newRow("saturation +100 grey") << "saturation" << 100 << RGB(90, 90, 90) << RGB(90, 90, 90);
    QTest::newRow("saturation -100 grey") << "saturation" << -100 << RGB(90, 90, 90) << RGB(90, 90, 90);
    // Gains in the order green, red, blue.
    QTest::newRow("gains 0 -100 0") << "gains 0 -100 0" << 0 << RGB(200, 100, 50) << RGB(0, 100, 50);
    QTest::newRow("gains 0 0 0") << "gains 0 0 0" << 0 << RGB(200, 100, 50) << RGB(200, 100, 50);
    QTest::newRow("gains 50 0 -50") << "gains 50 0 -50" << 0 << RGB(10, 100, 201) << RGB(10, 150, 100);
    QTest::newRow("gains 50 0 -50 top") << "gains 50 0 -50" << 0 << RGB(255, 200, 255) << RGB(255, 255, 127);
    // Red eye: red above 40 that dominates green and a fifth of blue comes down to their level.
    QTest::newRow("red eye 150 30 0") << "red eye" << 0 << RGB(150, 30, 0) << RGB(29, 30, 0);
    QTest::newRow("red eye 41 0 0") << "red eye" << 0 << RGB(41, 0, 0) << RGB(0, 0, 0);
    QTest::newRow("red eye 200 50 200") << "red eye" << 0 << RGB(200, 50, 200) << RGB(85, 50, 200);
    QTest::newRow("red eye 40 0 0") << "red eye" << 0 << RGB(40, 0, 0) << RGB(40, 0, 0);
    QTest::newRow("red eye 100 60 0") << "red eye" << 0 << RGB(100, 60, 0) << RGB(100, 60, 0);
    QTest::newRow("red eye grey") << "red eye" << 0 << RGB(200, 200, 200) << RGB(200, 200, 200);
  }
  void adjustments() {
    QFETCH(QString, effect);
    QFETCH(int, amount);
    QFETCH(Color, before);
    QFETCH(Color, after);
    for (const int depth : {32, 24}) {
      const auto pic = Platform::Picture::Create(17, 3, depth);
      pic->Image().fill(QColor::fromRgb(Platform::ToQRgb(before)));
      if (effect == QLatin1String("brightness")) {
        dozerivid_Brightness(pic, amount);
      } else if (effect == QLatin1String("contrast")) {
        dozerivid_Contrast(pic, amount, 127);
      } else if (effect == QLatin1String("exposure")) {
        dozerivid_Exposure(pic, amount);
      } else if (effect == QLatin1String("saturation")) {
        dozerivid_Saturation(pic, amount);
      } else if (effect == QLatin1String("red eye")) {
        EffectFilters::RemoveRedEye(*pic);
      } else {
        const QStringList gains = effect.split(QLatin1Char(' '));
        image_Convert_RGB(pic, gains[1].toInt(), gains[2].toInt(), gains[3].toInt());
      }
      QVERIFY2(AllOf(pic, after), qPrintable(QStringLiteral("depth %1: %2 instead of %3")
                                                  .arg(depth)
                                                  .arg(pic->Pixel(16, 2), 6, 16, QLatin1Char('0'))
                                                  .arg(after, 6, 16, QLatin1Char('0'))));
    }
  }

  // Saturation over many colours: each component c of a pixel with grey average a = (r + g + b) \ 3 moves
  // by the table's offset T(c - a + 255) = (amount / 100) x (c - a) made whole towards zero, the result
  // kept in 0..255.
  void saturationFollowsTheOffsetTable() {
    for (const int amount : {-100, -37, 23, 100}) {
      const auto pic = Noise(37, 11, uint32_t(amount + 1000));
      const auto original = pic->Clone();
      dozerivid_Saturation(pic, amount);
      for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 37; ++x) {
          const Color c = original->Pixel(x, y);
          const int r = Platform::Red(c), g = Platform::Green(c), b = Platform::Blue(c), a = (r + g + b) / 3;
          auto moved = [&](int v) { return std::clamp(v + int(amount / 100.0 * (v - a)), 0, 255); };
          QCOMPARE(pic->Pixel(x, y), RGB(moved(r), moved(g), moved(b)));
        }
    }
  }

  // Red eye over many colours, reddened so that many are changed: where R > 40, G <= d and b <= d for
  // d = R x 0.5133333 and b = B x 0.1933333 (whole numbers), red becomes (G + b) / 1.0266666.
  void redEyeOverManyColours() {
    const auto pic = Noise(41, 13, 99);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 41; ++x) {
        const Color c = pic->Pixel(x, y);
        pic->SetPixel(x, y, RGB(Platform::Red(c), Platform::Green(c) / 3, Platform::Blue(c)));
      }
    const auto original = pic->Clone();
    EffectFilters::RemoveRedEye(*pic);
    int changed = 0;
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 41; ++x) {
        const Color c = original->Pixel(x, y);
        const int r = Platform::Red(c), g = Platform::Green(c), b = Platform::Blue(c);
        const int d = int(r * 0.5133333), wb = int(b * 0.1933333);
        const bool red = r > 40 && g <= d && wb <= d;
        changed += red;
        QCOMPARE(pic->Pixel(x, y), red ? RGB(int((g + wb) / 1.0266666), g, b) : c);
      }
    QVERIFY(changed > 100);
  }

  void amountZeroLeavesPictureAndMapAlone() {
    for (int i = 0; i < 256; ++i) map[i] = 255 - i;
    const auto pic = Noise(9, 5, 7);
    const auto original = pic->Clone();
    dozerivid_Exposure(pic, 0);
    dozerivid_Saturation(pic, 0);
    dozerivid_Brightness(pic, 0);
    dozerivid_Contrast(pic, 0, 127);
    dozerivid_Sharpen(pic, 0, 1);
    dozerivid_Pixelize(pic, 1);
    dozerivid_Pixelize(pic, 0);
    QCOMPARE(Fixture::Difference(pic, original), QString());
    for (int i = 0; i < 256; ++i) QCOMPARE(map[i], 255 - i);
    // A missing picture is left alone too.
    dozerivid_Brightness(nullptr, 10);
    QVERIFY(!dozerivid_Blur(nullptr, 3));
    QCOMPARE(map[0], 255);
  }

  // The map adjustments leave their map in the module's map; Apply_Map applies it as it stands.
  void applyMapUsesTheSharedMap() {
    const auto pic = Fixture::Filled(3, 2, RGB(0, 128, 255));
    dozerivid_Brightness(pic, 10);
    QCOMPARE(map[0], 10);
    QCOMPARE(map[250], 255);
    for (int i = 0; i < 256; ++i) map[i] = 255 - i;
    Apply_Map(pic);
    QCOMPARE(pic->Pixel(2, 1), RGB(245, 117, 0));
  }

  void blurZeroReturnsThePictureItself() {
    const auto pic = Noise(6, 6, 1);
    QCOMPARE(dozerivid_Blur(pic, 0), pic);
  }

  void blurKeepsOneColour() {
    // Level 1 and 254 too: mixing a colour with itself gives that colour.
    const auto pic = Fixture::Filled(10, 8, RGB(1, 128, 254));
    for (const double strength : {1.0, 2.0, 5.0, 10.0}) {
      const auto blurred = dozerivid_Blur(pic, strength);
      QVERIFY(blurred != pic);
      QCOMPARE(blurred->Width(), 10);
      QCOMPARE(blurred->Height(), 8);
      QVERIFY2(AllOf(blurred, RGB(1, 128, 254)), qPrintable(QString::number(strength)));
    }
    QVERIFY(AllOf(pic, RGB(1, 128, 254)));
    const auto single = Fixture::Filled(1, 1, RGB(3, 2, 1));
    const auto copy = dozerivid_Blur(single, 1);
    QVERIFY(copy != single);
    QCOMPARE(copy->Pixel(0, 0), RGB(3, 2, 1));
  }

  // Black left, white right: each of the four steps mixes the layer's level s over the level d beneath
  // as round(s x 128 / 255) + round(d x 127 / 255). Along a middle row the values become
  //   step 1 (from the right): 0 0 0 128 255 ...; step 2 (from the right): 0 0 64 192 255 ...;
  //   step 3 (from the left): 0 0 32 128 223 255 ...; step 4 (from the left): 0 0 16 80 175 239 255 255.
  void blurTurnsAnEdgeIntoARamp() {
    const auto pic = Halves(8, 7, RGB(0, 0, 0), RGB(255, 255, 255));
    const auto blurred = dozerivid_Blur(pic, 1);
    for (int y = 2; y <= 4; ++y) QCOMPARE(Row(blurred, y), QStringLiteral("0 0 16 80 175 239 255 255"));
    QCOMPARE(Row(pic, 3), QStringLiteral("0 0 0 0 255 255 255 255"));
  }

  // The blur mixes the shifted copies directly; the result is the platform's masked draw of the layer.
  void blurEqualsTheMaskedDraws() {
    const auto pic = Noise(11, 9, 5);
    QCOMPARE(Fixture::Difference(dozerivid_Blur(pic, 1), DrawnDiagonalBlur(pic, 1)), QString());
    // A strength not above 1 runs the passes for each shift from its size down to 1.
    QCOMPARE(Fixture::Difference(dozerivid_Blur(pic, -3), DrawnDiagonalBlur(pic, 3)), QString());
  }

  // Strengths whose pyramids halve the picture equally often give the same picture: each level ends
  // with one strength-1 pass (3 and 4 halve twice, 5 to 7 three times, 8 to 10 four times).
  void pyramidStrengthsAlike_data() {
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("other");
    QTest::newRow("3 and 4") << 3.0 << 4.0 << 5.0;
    QTest::newRow("5 and 7") << 5.0 << 7.0 << 8.0;
    QTest::newRow("8 and 10") << 8.0 << 10.0 << 7.0;
  }
  void pyramidStrengthsAlike() {
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, other);
    const auto pic = Noise(37, 29, 11);
    const auto blurred = dozerivid_Blur(pic, a);
    QCOMPARE(Fixture::Difference(blurred, dozerivid_Blur(pic, b)), QString());
    QVERIFY(!Fixture::Difference(blurred, dozerivid_Blur(pic, other)).isEmpty());
  }

  // Half-size copies of a picture one pixel wide or high keep one pixel.
  void blurOfAThinPicture() {
    const auto column = Fixture::Filled(1, 9, RGB(10, 20, 30));
    const auto blurred = dozerivid_Blur(column, 10);
    QCOMPARE(blurred->Width(), 1);
    QCOMPARE(blurred->Height(), 9);
    QVERIFY(AllOf(blurred, RGB(10, 20, 30)));
    const auto row = dozerivid_Blur(Fixture::Filled(7, 1, RGB(1, 2, 3)), 4);
    QCOMPARE(row->Width(), 7);
    QVERIFY(AllOf(row, RGB(1, 2, 3)));
  }

  // Grey edge 50 | 200; the strength-1 blur's middle row is 50 50 59 97 153 191 200 200 (as in the ramp
  // above). Each pixel moves by amount / 100 of its difference from it, made whole towards zero.
  void sharpen_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("row");
    QTest::newRow("100") << 100.0 << "50 50 41 3 247 209 200 200";
    QTest::newRow("50") << 50.0 << "50 50 46 27 223 204 200 200";
    QTest::newRow("-100 gives the blur") << -100.0 << "50 50 59 97 153 191 200 200";
    QTest::newRow("1000 kept in range") << 1000.0 << "50 50 0 0 255 255 200 200";
  }
  void sharpen() {
    QFETCH(double, amount);
    QFETCH(QString, row);
    const auto pic = Halves(8, 7, RGB(50, 50, 50), RGB(200, 200, 200));
    dozerivid_Sharpen(pic, amount, 1);
    QCOMPARE(Row(pic, 3), row);
    // A grey picture stays grey.
    for (int x = 0; x < 8; ++x) {
      const Color c = pic->Pixel(x, 3);
      QCOMPARE(Platform::Green(c), Platform::Red(c));
      QCOMPARE(Platform::Blue(c), Platform::Red(c));
    }
  }

  void sharpenDetails() {
    // A picture of one colour has nothing to sharpen.
    const auto flat = Fixture::Filled(9, 6, RGB(200, 30, 90));
    dozerivid_Sharpen(flat, 1000, 1);
    QVERIFY(AllOf(flat, RGB(200, 30, 90)));
    // A radius below 1 blurs with strength 1.
    const auto a = Noise(10, 10, 3), b = a->Clone();
    dozerivid_Sharpen(a, 70, 0);
    dozerivid_Sharpen(b, 70, 1);
    QCOMPARE(Fixture::Difference(a, b), QString());
    // The same offset goes to every component: colour differences stay.
    const auto colour = Halves(8, 7, RGB(60, 90, 120), RGB(120, 150, 180));
    dozerivid_Sharpen(colour, 50, 1);
    const Color c = colour->Pixel(3, 3);
    QCOMPARE(Platform::Green(c) - Platform::Red(c), 30);
    QCOMPARE(Platform::Blue(c) - Platform::Green(c), 30);
  }

  // 5 x 4 with factor 2: the small copy is Round(2.5) x Round(2) = 3 x 2 pixels, taken from the source
  // columns 0, 2, 4 and rows 1, 3 (each pixel's centre); scaled back, the columns come from the small
  // copy's 0 0 1 2 2 and the rows from its 0 0 1 1.
  void pixelize() {
    const auto pic = Fixture::Marked(5, 4);
    dozerivid_Pixelize(pic, 2);
    const int cols[5] = {0, 0, 2, 4, 4}, rows[4] = {1, 1, 3, 3};
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) QCOMPARE(pic->Pixel(x, y), Fixture::Marker(cols[x], rows[y]));
    // A factor larger than the picture keeps one block, not a side of 0.
    const auto small = Fixture::Marked(3, 3);
    dozerivid_Pixelize(small, 20);
    QVERIFY(AllOf(small, Fixture::Marker(1, 1)));
    // A 24-bit picture is pixelized the same way.
    const auto deep = Fixture::Marked(5, 4)->CopyAtDepth(24);
    dozerivid_Pixelize(deep, 2);
    QCOMPARE(deep->Pixel(1, 1), Fixture::Marker(0, 1));
    QCOMPARE(deep->Pixel(4, 2), Fixture::Marker(4, 3));
  }

  void resize() {
    const auto pic = Fixture::Marked(5, 3);
    QCOMPARE(dozerivid_Resize(pic, 100.0), pic);
    QCOMPARE(dozerivid_Resize(pic, 0, 0, 0), pic);
    const auto half = dozerivid_Resize(pic, 50.0);
    QCOMPARE(half->Width(), 2);
    QCOMPARE(half->Height(), 1);
    const auto sized = dozerivid_Resize(pic, 10, 6, 0);
    QCOMPARE(sized->Width(), 10);
    QCOMPARE(sized->Pixel(9, 5), Fixture::Marker(4, 2));
    // Wider pictures, enlarged and reduced: every pixel comes from the source pixel under its centre,
    // (2 x + 1) x W / (2 x w) for a target column x of w taken from W.
    const auto wide = Fixture::Marked(101, 3);
    for (const int w : {203, 50, 13}) {
      const auto scaled = dozerivid_Resize(wide, w, 2, 0);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < w; ++x)
          QCOMPARE(scaled->Pixel(x, y), Fixture::Marker((2 * x + 1) * 101 / (2 * w), (2 * y + 1) * 3 / 4));
    }
    // A side that would become 0 keeps one pixel.
    const auto dot = dozerivid_Resize(Fixture::Filled(1, 1, RGB(9, 9, 9)), 50.0);
    QCOMPARE(dot->Width(), 1);
    QCOMPARE(dot->Height(), 1);
    QCOMPARE(dot->Pixel(0, 0), RGB(9, 9, 9));
  }

  // The chain applies neighbouring maps as one; it gives what the ten steps give one by one.
  void chainEqualsTheStepsInOrder_data() {
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("every slider") << QList<int>{40, -30, 20, 35, 20, 3, -20, 30, 10, 2};
    QTest::newRow("no saturation") << QList<int>{-40, 0, -25, 60, 0, 0, 0, 0, 0, 0};
    QTest::newRow("saturation and gains") << QList<int>{0, 70, 0, 0, -30, 1, 0, 0, -60, 0};
    QTest::newRow("exposure 300 blur 10") << QList<int>{300, 0, 0, -100, 0, 10, 100, 0, 0, 10};
  }
  void chainEqualsTheStepsInOrder() {
    QFETCH(QList<int>, values);
    EffectFilters::EffectValues s;
    for (int i = 0; i < 10; ++i) s[size_t(i)] = values[i];
    const auto source = Noise(41, 23, 17);
    const auto chained = EffectFilters::Chain(source->Clone(), s);
    PicturePtr t = source->Clone();
    dozerivid_Exposure(t, s[0]);
    dozerivid_Saturation(t, s[1]);
    dozerivid_Brightness(t, s[2]);
    dozerivid_Contrast(t, s[3], 127);
    dozerivid_Sharpen(t, s[4] * 10, 1.0);
    t = dozerivid_Blur(t, s[5]);
    image_Convert_RGB(t, s[6], s[7], s[8]);
    dozerivid_Pixelize(t, s[9] * 2);
    QCOMPARE(Fixture::Difference(chained, t), QString());
    QVERIFY(!Fixture::Difference(chained, source).isEmpty());
  }
};
PIXMURA_TEST_CLASS(FilterTests)

#include "FilterTests.moc"
