// Quarter and half turns and the colour count over a table of picture sizes, each against a plain loop:
// the turns pixel by pixel (the whole 32-bit word), the count against a presence table filled one pixel
// at a time, with the early stop after the row that passes 256 colours.
#include <QTest>

#include "core/ColorMaps.h"
#include "core/PictureOps.h"
#include "platform/TiledPlane.h"
#include "support/TestMain.h"

using Platform::Color;
using Platform::Picture;
using Platform::PicturePtr;

namespace {

enum class Kind { Noise, FewColours, Greys };

// Noise: every pixel its own colour more or less; few colours: runs of 1 to 19 pixels in 12 colours,
// some rows of one colour; greys: runs of equal channels.
PicturePtr Made(int w, int h, Kind kind) {
  auto pic = Picture::CreateUnfilled(w, h, 32);
  uint32_t seed = uint32_t(w) * 7919u + uint32_t(h);
  for (int y = 0; y < h; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(pic->Image().scanLine(y));
    int x = 0;
    while (x < w) {
      seed = seed * 1664525u + 1013904223u;
      const int run = kind == Kind::Noise ? 1 : (y % 5 == 4 ? w : 1 + int(seed >> 27) % 19);
      uint32_t c;
      if (kind == Kind::Noise) c = seed >> 8;
      else if (kind == Kind::Greys) c = 0x010101u * ((seed >> 24) % 40);
      else c = 0x0F1D2Bu * ((seed >> 20) % 12);
      // The alpha byte varies too: it is no part of the colour.
      const QRgb word = (uint32_t(seed & 3) << 30) | (c & 0xFFFFFFu);
      for (int i = 0; i < run && x < w; ++i) row[x++] = word;
    }
  }
  return pic;
}

struct Counted {
  int32_t count = 0;
  bool gray = true;
};

Counted ReferenceCount(const Picture& pic, bool stopEarly) {
  std::vector<bool> seen(size_t(1) << 24, false);
  Counted r;
  for (int y = 0; y < pic.Height(); ++y) {
    for (int x = 0; x < pic.Width(); ++x) {
      const Color c = pic.Pixel(x, y);
      if (seen[c]) continue;
      seen[c] = true;
      ++r.count;
      if (Platform::Red(c) != Platform::Green(c) || Platform::Green(c) != Platform::Blue(c)) r.gray = false;
    }
    if (stopEarly && r.count > 256) break;
  }
  return r;
}

struct Spot {
  int x, y;
  QRgb word;
};

QRgb Word(const Picture& pic, int x, int y) { return reinterpret_cast<const QRgb*>(pic.Image().constScanLine(y))[x]; }

}  // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(QList<Spot>)

class TurnAndCountTableTests : public QObject {
  Q_OBJECT
 private slots:
  void sizes_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("1 x 1") << 1 << 1;
    QTest::newRow("1 x N") << 1 << 301;
    QTest::newRow("N x 1") << 301 << 1;
    QTest::newRow("odd sizes") << 13 << 7;
    // Rows left over below and above the groups of four and the bands of 128 rows.
    QTest::newRow("bands and groups") << 133 << 263;
    QTest::newRow("bands and groups, wide") << 263 << 131;
    QTest::newRow("wider than 65,535") << 70001 << 3;
    QTest::newRow("taller than 65,535") << 2 << 65541;
    // A large picture whose turned rows start on cache lines (a height of whole cache lines), with
    // source columns left over after the groups of four.
    QTest::newRow("whole cache lines") << 1027 << 1024;
  }

  void turnsMatchAPlainLoop_data() { sizes_data(); }
  void turnsMatchAPlainLoop() {
    QFETCH(int, w);
    QFETCH(int, h);
    const PicturePtr src = Made(w, h, Kind::Noise);
    int32_t units = 0;
    const auto count = [&](int32_t done) { units += done; };
    const PicturePtr t90 = PictureOps::Turn(*src, 90, count), t180 = PictureOps::Turn(*src, 180, count),
                     t270 = PictureOps::Turn(*src, 270, count);
    QCOMPARE(units, 3 * w * h);
    QCOMPARE(t90->Width(), h);
    QCOMPARE(t270->Height(), w);
    QCOMPARE(t180->Width(), w);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) {
        const QRgb c = Word(*src, i, j);
        if (Word(*t90, h - 1 - j, i) != c || Word(*t180, w - 1 - i, h - 1 - j) != c || Word(*t270, j, w - 1 - i) != c)
          QFAIL(qPrintable(QStringLiteral("source pixel %1,%2").arg(i).arg(j)));
      }
  }

  void countsMatchAPlainLoop_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<Kind>("kind");
    QTest::newRow("1 x 1") << 1 << 1 << Kind::Noise;
    QTest::newRow("1 x N") << 1 << 301 << Kind::Noise;
    QTest::newRow("N x 1") << 301 << 1 << Kind::FewColours;
    QTest::newRow("odd sizes, noise") << 13 << 7 << Kind::Noise;
    QTest::newRow("odd sizes, runs") << 29 << 31 << Kind::FewColours;
    QTest::newRow("greys") << 53 << 17 << Kind::Greys;
    QTest::newRow("wider than 65,535") << 70001 << 3 << Kind::Noise;
    QTest::newRow("wider than 65,535, runs") << 70001 << 2 << Kind::FewColours;
    // Large enough to be counted by two threads where the machine has two processors.
    QTest::newRow("threads, noise") << 1450 << 1450 << Kind::Noise;
    QTest::newRow("threads, greys") << 1450 << 1450 << Kind::Greys;
  }
  void countsMatchAPlainLoop() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(Kind, kind);
    const PicturePtr pic = Made(w, h, kind);
    for (bool stopEarly : {false, true}) {
      const Counted want = ReferenceCount(*pic, stopEarly);
      bool gray = !want.gray;
      QCOMPARE(ColorOps::CountColors(*pic, gray, stopEarly), want.count);
      QCOMPARE(gray, want.gray);
    }
    // The same pixels kept at 24 bits and as tiles of the history.
    const Counted want = ReferenceCount(*pic, false);
    bool gray = !want.gray;
    QCOMPARE(ColorOps::CountColors(*pic->CopyAtDepth(24), gray, false), want.count);
    QCOMPARE(gray, want.gray);
    const PicturePtr tiled = Picture::FromTiles(Platform::TiledPlane::FromImage(pic->Image(), 24));
    gray = !want.gray;
    QCOMPARE(ColorOps::CountColors(*tiled, gray, false), want.count);
    QCOMPARE(gray, want.gray);
  }

  // Pictures of a background with a few other pixels, the counts worked out by hand. A row is read in
  // blocks of 64 pixels after its first pixel, then the pixels left over: the spots sit on the edges of
  // those blocks, and words that differ only in alpha are one colour.
  void countsOfDrawnPictures_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<QList<Spot>>("spots");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("gray");
    QTest::newRow("block edges") << 136 << 2 << QRgb(0xFF808080)
                                 << QList<Spot>{{64, 0, 0xFF102030}, {65, 0, 0xFF102031}, {129, 0, 0xFF000000},
                                                {135, 1, 0xFFFFFFFF}}
                                 << 5 << false;
    QTest::newRow("first pixels of rows") << 65 << 3 << QRgb(0xFF202020)
                                          << QList<Spot>{{0, 0, 0xFF303030}, {0, 1, 0xFF404040}, {1, 2, 0xFF303030}}
                                          << 3 << true;
    QTest::newRow("alpha alone differs")
        << 70 << 1 << QRgb(0xFF405060)
        << QList<Spot>{{1, 0, 0x00405060}, {2, 0, 0x80405060}, {64, 0, 0x00405060}, {69, 0, 0x12405060}} << 1
        << false;
    QTest::newRow("alpha alone differs, grey")
        << 70 << 1 << QRgb(0xFF777777) << QList<Spot>{{1, 0, 0x00777777}, {65, 0, 0x01777777}} << 1 << true;
    QTest::newRow("one colour off grey in a run")
        << 300 << 2 << QRgb(0xFF404040) << QList<Spot>{{150, 1, 0xFF404140}, {151, 1, 0xFF404140}} << 2 << false;
    // Pixels are compared four at a time from the second one on: this one is the fourth of its four.
    QTest::newRow("one pixel off grey") << 300 << 2 << QRgb(0xFF404040) << QList<Spot>{{152, 1, 0xFF414040}} << 2
                                        << false;
    QTest::newRow("narrower than a block")
        << 3 << 2 << QRgb(0xFF000000) << QList<Spot>{{2, 0, 0xFF000001}, {1, 1, 0xFF010000}} << 3 << false;
    QTest::newRow("first and last colour")
        << 200 << 1 << QRgb(0xFF000000) << QList<Spot>{{100, 0, 0xFFFFFFFF}, {199, 0, 0x00FFFFFF}} << 2 << true;
  }
  void countsOfDrawnPictures() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(QRgb, background);
    QFETCH(QList<Spot>, spots);
    QFETCH(int, count);
    QFETCH(bool, gray);
    auto pic = Picture::CreateUnfilled(w, h, 32);
    pic->Image().fill(background);
    for (const Spot& s : spots) reinterpret_cast<QRgb*>(pic->Image().scanLine(s.y))[s.x] = s.word;
    checkCounts(*pic, count, gray);
  }

  // Every pixel its own grey from one to the next, so that no pixel equals its left neighbour: 129
  // pixels in 50 greys and, as the last pixel of the second block of the first row, a grey of its own.
  // Then the same with every fourth pixel of the second row in a colour off grey.
  void countsOfBusyRows() {
    auto pic = Picture::CreateUnfilled(129, 2, 32);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 129; ++x) reinterpret_cast<QRgb*>(pic->Image().scanLine(y))[x] = qRgb(x % 50, x % 50, x % 50);
    reinterpret_cast<QRgb*>(pic->Image().scanLine(0))[128] = qRgb(60, 60, 60);
    checkCounts(*pic, 51, true);
    if (QTest::currentTestFailed()) return;
    // Pixels 3, 7, ..., 127 become (n, n, 200) with n = x % 50: 32 pixels, and the n they take are
    // 3, 7, ..., 47 (12), then 1, 5, ..., 49 (13), then 3, 7, ..., 27 (7 seen before): 25 new colours.
    for (int x = 3; x < 129; x += 4) reinterpret_cast<QRgb*>(pic->Image().scanLine(1))[x] = qRgb(x % 50, x % 50, 200);
    checkCounts(*pic, 76, false);
  }

 private:
  // The same count and greyness on one thread, on all, with the early stop, at 24 bits and as tiles.
  void checkCounts(const Picture& pic, int count, bool gray) {
    const PicturePtr at24 = pic.CopyAtDepth(24);
    const PicturePtr tiled = Picture::FromTiles(Platform::TiledPlane::FromImage(pic.Image(), 24));
    struct Way {
      const Picture* pic;
      bool stopEarly;
      int threads;
      const char* name;
    };
    for (const Way& way : {Way{&pic, false, 1, "one thread"}, Way{&pic, false, 0, "all threads"},
                           Way{&pic, true, 1, "early stop"}, Way{at24.get(), false, 1, "24 bits"},
                           Way{tiled.get(), false, 1, "tiles"}}) {
      bool got = !gray;
      const int32_t n = ColorOps::CountColors(*way.pic, got, way.stopEarly, way.threads);
      if (n != count || got != gray)
        QFAIL(qPrintable(QStringLiteral("%1: %2 colours, gray %3").arg(way.name).arg(n).arg(got)));
    }
  }
};
PIXMURA_TEST_CLASS(TurnAndCountTableTests)

#include "TurnAndCountTableTests.moc"
