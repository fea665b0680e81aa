#include <QTest>

#include "app/BundleResources.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;
using Platform::PicturePtr;

namespace {
bool Blue(Color c) { return Platform::Blue(c) > Platform::Red(c) + 40; }
bool BlackOrWhite(Color c) { return c == 0 || c == 0xFFFFFF; }
}  // namespace

// The drawn controls cut their parts out of the bundle pictures by fixed places: each picture must
// hold its parts where the controls look for them.
class SkinTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theIconSheetKeepsItsGrid() {
    const PicturePtr sheet = Resources::pixmura_tools();
    QVERIFY(sheet);
    QVERIFY(sheet->Width() >= 1 + 33 + 32 && sheet->Height() >= 1 + 33 * 8 + 32);
    // Nothing is drawn on the one-pixel lines between the cells, so no icon reaches into another cell.
    for (int y = 0; y < 1 + 33 * 9; ++y)
      for (int x : {0, 33, 66}) QVERIFY2(sheet->Pixel(x, y) == 0xFFFFFF, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    for (int row = 0; row <= 9; ++row)
      for (int x = 0; x < 67; ++x) QCOMPARE(sheet->Pixel(x, 33 * row), Color(0xFFFFFF));
    // Every cell holds a drawing: the sixteen icons and the two backdrops, which fill their middles.
    for (int column = 0; column < 2; ++column)
      for (int row = 0; row < 9; ++row) {
        int inked = 0;
        for (int y = 0; y < 32; ++y)
          for (int x = 0; x < 32; ++x) inked += sheet->Pixel(1 + 33 * column + x, 1 + 33 * row + y) != 0xFFFFFF;
        QVERIFY2(inked > 20, qPrintable(QStringLiteral("cell %1,%2").arg(column).arg(row)));
      }
    QVERIFY(sheet->Pixel(1 + 16, 1 + 33 * 8 + 16) != 0xFFFFFF);
    QVERIFY(sheet->Pixel(34 + 16, 1 + 33 * 8 + 16) != 0xFFFFFF);
  }

  void theSliderSkinKeepsItsRegions() {
    const PicturePtr skin = Resources::normal();
    QVERIFY(skin);
    const int A = skin->Width() / 2;
    QCOMPARE(skin->Width(), 2 * A);
    QVERIFY(skin->Height() >= A + 5);
    // The masks are black and white; the knob's is round (covering its middle, not its corners).
    for (int y = 0; y < skin->Height(); ++y)
      for (int x = A; x < 2 * A; ++x) QVERIFY(BlackOrWhite(skin->Pixel(x, y)));
    QCOMPARE(skin->Pixel(A + A / 2, A / 2), Color(0));
    QCOMPARE(skin->Pixel(A, 0), Color(0xFFFFFF));
    // The track's ends and middle column are covered by their masks across the 5 rows' middle.
    for (int x : {2, 4, 6}) QCOMPARE(skin->Pixel(A + x, A + 2), Color(0));
    QVERIFY(skin->Pixel(4, A + 2) != 0xFFFFFF);
  }

  void theScrollBarSkinsKeepTheirParts_data() {
    QTest::addColumn<bool>("vertical");
    QTest::newRow("h_slider") << false;
    QTest::newRow("v_slider") << true;
  }
  void theScrollBarSkinsKeepTheirParts() {
    QFETCH(bool, vertical);
    const PicturePtr skin = vertical ? Resources::v_slider() : Resources::h_slider();
    QVERIFY(skin);
    QCOMPARE(vertical ? skin->Width() : skin->Height(), 16);
    const int length = vertical ? skin->Height() : skin->Width();
    const int thumb = vertical ? 31 : 32;
    QVERIFY(length >= thumb + 24 + 21);
    auto at = [&](int along, int across) { return vertical ? skin->Pixel(across, along) : skin->Pixel(along, across); };
    // The thumb is blue from its first to its last line along the bar; the track tile and the caps
    // around it are not.
    for (int along = thumb + 2; along < thumb + 22; ++along) QVERIFY2(Blue(at(along, 8)), qPrintable(QString::number(along)));
    for (int along : {0, 10, 20, 21, 25, 28, length - 21, length - 1}) QVERIFY(!Blue(at(along, 8)));
    // The arrows: dark marks in the middle of each cap.
    auto dark = [&](int from) {
      for (int along = from; along < from + 21; ++along)
        if (Platform::Red(at(along, 8)) < 0x60) return true;
      return false;
    };
    QVERIFY(dark(0));
    QVERIFY(dark(length - 21));
  }
};

PIXMURA_TEST_CLASS(SkinTests)
#include "SkinTests.moc"
