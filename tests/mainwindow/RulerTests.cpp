// The rulers and their corner: ticks and labels in pixels, inches and centimetres at the scroll
// position and zoom, read from the painted rulers; the corner's unit; rulers that must stay blank.
#include <QMap>

#include "SurroundingsDriving.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Surroundings;

namespace {
constexpr Platform::Color kBack = 0xE0E0E0;

enum class Unit { Pixels, Inches, Centimetres };

// Rulers shown, in the unit, at the zoom and scroll offset, over a picture of the size; the rulers
// are given a known length.
void Rulers(Unit unit, float zoom, QPoint scrolled, QSize picture = QSize(2000, 2000), int length = 700) {
  Fixture::NewDocument(picture.width(), picture.height());
  modOptions::option_ShowRuler = true;
  modOptions::option_RulerPixel = unit == Unit::Pixels;
  modOptions::option_Metric = unit == Unit::Centimetres;
  Main()->Arrange_Controls();
  Zoom = zoom;
  offset = Point_of(scrolled.x(), scrolled.y());
  Main()->canvasRULER(0)->resize(length, 21);
  Main()->canvasRULER(1)->resize(21, length);
}

void Use_Resolution(int32_t h, int32_t v) {
  Printer_Info.clear();
  Printer_Info.Append(printer_res{h, v, true});
}

// Dark enough to be part of a label's text, smoothed edges included.
bool Text_Ink(Platform::Color c) { return ((c >> 8) & 0xFF) < 0x90; }

// The middles of the label texts along the ruler: runs of positions whose band away from the ticks
// holds text ink.
QList<int> Label_Middles(int index) {
  const QImage ruler = Painted(Main()->canvasRULER(index));
  const bool across = index == 0;
  const int length = across ? ruler.width() : ruler.height();
  QList<int> middles;
  // The digits of one label lie a few pixels apart at most.
  int start = -1, last = -100;
  for (int p = 0; p < length; ++p) {
    bool ink = false;
    for (int d = 0; d < 9; ++d) ink = ink || Text_Ink(across ? At(ruler, p, d) : At(ruler, d, p));
    if (!ink) continue;
    if (p - last > 5) {
      if (start >= 0) middles << (start + last) / 2;
      start = p;
    }
    last = p;
  }
  if (start >= 0) middles << (start + last) / 2;
  return middles;
}

// Each expected position matches one found within a pixel.
bool Near_All(const QList<int>& found, const QList<int>& expected) {
  if (found.size() != expected.size()) return false;
  for (int i = 0; i < found.size(); ++i)
    if (qAbs(found[i] - expected[i]) > 1) return false;
  return true;
}
QString Show(const QList<int>& list) {
  QStringList s;
  for (int v : list) s << QString::number(v);
  return s.join(',');
}

bool Shows_Background(const QImage& ruler) {
  for (int y = 0; y < ruler.height(); ++y)
    for (int x = 0; x < ruler.width(); ++x)
      if (At(ruler, x, y) == kBack) return true;
  return false;
}

// The profile's ticks (positions with more than the border) as position -> length.
QMap<int, int> Ticks(const QList<int>& profile, int upTo) {
  QMap<int, int> ticks;
  for (int p = 0; p < std::min<int>(upTo, profile.size()); ++p)
    if (profile[p] > 1) ticks[p] = profile[p];
  return ticks;
}
}  // namespace

class RulerTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void pixelsAtZoom1() {
    Rulers(Unit::Pixels, 1, QPoint(0, 0));
    for (int index : {0, 1}) {
      const QMap<int, int> ticks = Ticks(Tick_Profile(index), 700);
      QMap<int, int> expected;
      // Ticks every 10 pixels, 11 long halfway between the labels, 7 at the labels; none at 0.
      for (int p = 10; p < 700; p += 10) expected[p] = p % 100 == 0 ? 7 : p % 100 == 50 ? 11 : 4;
      QCOMPARE(ticks, expected);
    }
    // The label 700 stands on the ruler's end, half of it showing.
    const QList<int> labels{100, 200, 300, 400, 500, 600};
    QVERIFY2(Near_All(Label_Middles(0).mid(0, 6), labels), qPrintable(Show(Label_Middles(0))));
    QVERIFY2(Near_All(Label_Middles(1).mid(0, 6), labels), qPrintable(Show(Label_Middles(1))));
  }

  void pixelsAtZoom2Scrolled() {
    Rulers(Unit::Pixels, 2, QPoint(30, 0));
    const QMap<int, int> ticks = Ticks(Tick_Profile(0), 700);
    QMap<int, int> expected;
    // Every 10 image pixels from 40 (position 20), 20 screen pixels apart.
    for (int image = 40; (image - 30) * 2 < 700; image += 10)
      expected[(image - 30) * 2] = image % 100 == 0 ? 7 : image % 100 == 50 ? 11 : 4;
    QCOMPARE(ticks, expected);
    QCOMPARE(ticks.value(40), 11);
    QCOMPARE(ticks.value(240), 11);
    // The first label is 100 at 140.
    QVERIFY2(Near_All(Label_Middles(0), {140, 340, 540}), qPrintable(Show(Label_Middles(0))));
  }

  void pixelsAtZoom16HaveNoTicksBetweenLabels() {
    Rulers(Unit::Pixels, 16, QPoint(0, 0));
    const QMap<int, int> ticks = Ticks(Tick_Profile(0), 700);
    QCOMPARE(ticks, (QMap<int, int>{{160, 7}, {320, 7}, {480, 7}, {640, 7}}));
    QVERIFY2(Near_All(Label_Middles(0), {160, 320, 480, 640}), qPrintable(Show(Label_Middles(0))));
  }

  void inchesAt72Dpi() {
    Rulers(Unit::Inches, 1, QPoint(0, 0));
    Use_Resolution(72, 72);
    for (int index : {0, 1}) {
      const QMap<int, int> ticks = Ticks(Tick_Profile(index), 700);
      // Eighths 9 pixels apart: 4, 8, 4, 11, 4, 8, 4 and 8 over the inch's 7.
      const int lengths[] = {8, 4, 8, 4, 11, 4, 8, 4};
      QMap<int, int> expected;
      for (int p = 9; p < 700; p += 9) expected[p] = lengths[(p / 9) % 8];
      QCOMPARE(ticks, expected);
    }
    QVERIFY2(Near_All(Label_Middles(0), {72, 144, 216, 288, 360, 432, 504, 576, 648}), qPrintable(Show(Label_Middles(0))));
  }

  void centimetresScrolledBy100Pixels() {
    Rulers(Unit::Centimetres, 1, QPoint(100, 0));
    Use_Resolution(72, 72);
    const QMap<int, int> ticks = Ticks(Tick_Profile(0), 700);
    // 4 cm is 113 image pixels (113.4): 13 on the ruler; 5 cm 141 -> 41, 6 cm 170 -> 70. Half
    // centimetres 4.5 (127.6) and 5.5 (155.9) are 11 long; a tenth 4.1 cm (116.2) is 4.
    QCOMPARE(ticks.value(13), 7);
    QCOMPARE(ticks.value(41), 7);
    QCOMPARE(ticks.value(70), 7);
    QCOMPARE(ticks.value(27), 11);
    QCOMPARE(ticks.value(55), 11);
    QCOMPARE(ticks.value(16), 4);
    QCOMPARE(ticks.value(19), 4);
    // 3.5 cm lies left of the view.
    QCOMPARE(ticks.firstKey(), 2);
    const QList<int> labels = Label_Middles(0);
    QVERIFY2(labels.size() > 3 && qAbs(labels[0] - 13) <= 1 && qAbs(labels[1] - 41) <= 1, qPrintable(Show(labels)));
  }

  void centimetresAtHalfSize() {
    Rulers(Unit::Centimetres, 0.5f, QPoint(0, 0));
    Use_Resolution(72, 72);
    const QMap<int, int> ticks = Ticks(Tick_Profile(0), 60);
    // Half centimetres: 14 -> 7, 28 -> 14, 42 -> 21, 2 cm 56 -> 28 labelled, 70 -> 35, 85 -> 42,
    // 99 -> 49, 4 cm 113 -> 56 labelled; every tick 4 long.
    QCOMPARE(ticks, (QMap<int, int>{{7, 4}, {14, 4}, {21, 4}, {28, 7}, {35, 4}, {42, 4}, {49, 4}, {56, 7}}));
    QVERIFY2(qAbs(Label_Middles(0).value(0) - 28) <= 1, qPrintable(Show(Label_Middles(0))));
  }

  void labelsAndTicksEndAtThePicturesEdge() {
    Rulers(Unit::Pixels, 1, QPoint(0, 0), QSize(300, 250));
    const QList<int> across = Tick_Profile(0);
    // The label at the edge is drawn, no tick beyond it.
    QCOMPARE(across[300], 7);
    QCOMPARE(across[290], 4);
    for (int p = 301; p < 700; ++p) QCOMPARE(across[p], 1);
    QVERIFY2(Near_All(Label_Middles(0), {100, 200, 300}), qPrintable(Show(Label_Middles(0))));
    // Down: 250 rows; the tick at 250 would be at the edge and is left out.
    const QList<int> down = Tick_Profile(1);
    QCOMPARE(down[240], 4);
    for (int p = 250; p < 700; ++p) QCOMPARE(down[p], 1);
    QVERIFY2(Near_All(Label_Middles(1), {100, 200}), qPrintable(Show(Label_Middles(1))));
  }

  void aRulerWithoutItsResolutionOrAtAnOddZoomStaysBlank_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<bool>("acrossDrawn");
    QTest::addColumn<bool>("downDrawn");
    QTest::newRow("no horizontal resolution") << int(Unit::Inches) << 0 << 72 << 1.0f << false << true;
    QTest::newRow("no vertical resolution") << int(Unit::Centimetres) << 72 << 0 << 1.0f << true << false;
    QTest::newRow("negative resolution") << int(Unit::Inches) << -1 << -1 << 1.0f << false << false;
    QTest::newRow("pixels without a resolution") << int(Unit::Pixels) << 0 << 0 << 1.0f << false << false;
    QTest::newRow("a zoom between the steps") << int(Unit::Pixels) << 72 << 72 << 3.0f << false << false;
    QTest::newRow("the smallest resolution at the smallest zoom") << int(Unit::Centimetres) << 1 << 1 << 0.25f << true << true;
  }
  void aRulerWithoutItsResolutionOrAtAnOddZoomStaysBlank() {
    QFETCH(int, unit);
    QFETCH(int, h);
    QFETCH(int, v);
    QFETCH(float, zoom);
    QFETCH(bool, acrossDrawn);
    QFETCH(bool, downDrawn);
    Rulers(Unit(unit), zoom, QPoint(0, 0), QSize(800, 800));
    Use_Resolution(h, v);
    // A painted ruler shows its background; a blank one nothing of its own.
    QCOMPARE(Shows_Background(Painted(Main()->canvasRULER(0))), acrossDrawn);
    QCOMPARE(Shows_Background(Painted(Main()->canvasRULER(1))), downDrawn);
  }

  void theEmptyResolutionListLeavesBothBlank() {
    Rulers(Unit::Pixels, 1, QPoint(0, 0));
    Printer_Info.clear();
    QVERIFY(!Shows_Background(Painted(Main()->canvasRULER(0))));
    QVERIFY(!Shows_Background(Painted(Main()->canvasRULER(1))));
  }

  void theCornerNamesTheUnit_data() {
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("golden");
    QTest::newRow("pixels") << int(Unit::Pixels) << "corner_px";
    QTest::newRow("inches") << int(Unit::Inches) << "corner_in";
    QTest::newRow("centimetres") << int(Unit::Centimetres) << "corner_cm";
  }
  void theCornerNamesTheUnit() {
    QFETCH(int, unit);
    QFETCH(QString, golden);
    KnownFont font;
    Rulers(Unit(unit), 1, QPoint(0, 0));
    const QImage corner = Painted(Main()->canvasFiller);
    QCOMPARE(corner.size(), QSize(25, 25));
    // The bottom-right 4 x 4 show the surround; the 21 x 21 square is outlined in black.
    for (int d = 21; d < 25; ++d) QCOMPARE(At(corner, d, d), Platform::Color(0x808080));
    QCOMPARE(At(corner, 24, 10), kBack);
    QCOMPARE(At(corner, 10, 24), kBack);
    for (int i = 0; i < 21; ++i) {
      QCOMPARE(At(corner, i, 0), Platform::Color(0));
      QCOMPARE(At(corner, 20, i), Platform::Color(0));
    }
    // The text stands in the middle of the square.
    QRect ink;
    for (int y = 1; y < 20; ++y)
      for (int x = 1; x < 20; ++x)
        if (Text_Ink(At(corner, x, y))) ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(qAbs(ink.center().x() - 10) <= 2 && qAbs(ink.center().y() - 10) <= 2, qPrintable(QString::number(ink.center().x())));
    const QString problem = Against_Golden(corner, golden);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  void theGoldenRulersWithTheCorner() {
    KnownFont font;
    Rulers(Unit::Pixels, 1, QPoint(0, 0), QSize(240, 160), 300);
    // The corner at the top-left, the rulers continuing its bands, as the window places them.
    QImage picture(25 + 300, 25 + 300, QImage::Format_RGB32);
    picture.fill(0x808080);
    QPainter p(&picture);
    p.drawImage(0, 0, Painted(Main()->canvasFiller));
    p.drawImage(25, 0, Painted(Main()->canvasRULER(0)));
    p.drawImage(0, 25, Painted(Main()->canvasRULER(1)));
    p.end();
    const QString problem = Against_Golden(picture, QStringLiteral("rulers"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  void showingTheRulersPlacesThemAgainstThePicture() {
    Fixture::NewDocument(400, 300);
    modOptions::option_ShowRuler = true;
    Main()->Arrange_Controls();
    QWidget* bg = Main()->canvas_BG;
    const QPoint picture = Main()->Screen_Canvas->mapTo(Main()->centralWidget(), QPoint(0, 0));
    // Each ruler's 0 lies on the picture's edge; the corner's last 4 pixels lie over the surround.
    QCOMPARE(Main()->canvasRULER(0)->x(), picture.x());
    QCOMPARE(Main()->canvasRULER(1)->y(), picture.y());
    QCOMPARE(Main()->canvasFiller->geometry().bottomRight(), bg->pos() + QPoint(3, 3));
  }
};

PIXMURA_TEST_CLASS(RulerTests)
#include "RulerTests.moc"
