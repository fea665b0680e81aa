// The single-line text drawn into a picture: DejaVu Sans without anti-aliasing, against pictures kept
// in golden_text2/ (looked at by eye) and against what the placement rules give.
#include <QFontMetricsF>
#include <QTest>

#include "core/EditingState.h"
#include "platform/Numbers.h"
#include "support/Fixture.h"
#include "support/Golden.h"
#include "support/TestMain.h"
#include "text/classTEXT2.h"

using namespace modMAIN;

namespace {
constexpr int kSide = 160;
constexpr Platform::Color kInk = 0x0000FF;
constexpr Platform::Color kShadow = 0xFF0000;
const modMAIN::point_record kCorner{25, 60};

void Set_Up(classTEXT2& t, int rotate, int dx, int dy) {
  t.TextFont(QStringLiteral("DejaVu Sans"));
  t.TextSize(24);
  t.Text(QStringLiteral("Pixmura"));
  t.TextColor(kInk);
  t.ShadowColor(kShadow);
  t.Rotate(rotate);
  t.Shadow_Offset(0, dx);
  t.Shadow_Offset(1, dy);
}

QImage Drawn(int rotate, int dx, int dy) {
  classTEXT2 t;
  Set_Up(t, rotate, dx, dy);
  Platform::PicturePtr pic = Fixture::Filled(kSide, kSide, 0xFFFFFF);
  // The working picture's context may have been left anti-aliasing: the text never is.
  pic->State().antiAlias = true;
  img_DRAG_DROP = kCorner;
  Platform::Graphics g = pic->Graphics();
  t.Draw_Text(g, true);
  return pic->Image().convertToFormat(QImage::Format_RGB32);
}

// Empty when the picture equals the golden one kept in golden_text2/.
QString Against_Golden(const QImage& image, const QString& name) {
  return Golden::Compare(image, QStringLiteral("text/golden_text2"), name);
}

QList<QPoint> Pixels(const QImage& image, Platform::Color c) {
  QList<QPoint> list;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (Platform::FromQRgb(image.pixel(x, y)) == c) list << QPoint(x, y);
  return list;
}

QRect Bounds(const QList<QPoint>& points) {
  QRect r;
  for (const QPoint& p : points) r |= QRect(p, QSize(1, 1));
  return r;
}

// How many of the points, moved by the offset, miss the colour in the image.
int Misses(const QList<QPoint>& points, QPoint offset, const QImage& image, Platform::Color c) {
  int n = 0;
  for (const QPoint& p : points) {
    const QPoint q = p + offset;
    if (!image.rect().contains(q) || Platform::FromQRgb(image.pixel(q)) != c) ++n;
  }
  return n;
}
}  // namespace

class Text2PictureTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void goldenPictures_data() {
    QTest::addColumn<int>("rotate");
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QString>("name");
    QTest::newRow("0 degrees") << 0 << 0 << 0 << "text_0";
    QTest::newRow("90 degrees") << 90 << 0 << 0 << "text_90";
    QTest::newRow("shadow 3, 3 at 90 degrees") << 90 << 3 << 3 << "text_90_shadow_3_3";
  }
  void goldenPictures() {
    QFETCH(int, rotate);
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(QString, name);
    const QImage image = Drawn(rotate, dx, dy);
    // Without anti-aliasing there are only the three colours: no grey edge anywhere.
    const int inked = int(Pixels(image, kInk).size()), shadowed = int(Pixels(image, kShadow).size());
    QCOMPARE(inked + shadowed + int(Pixels(image, 0xFFFFFF).size()), kSide * kSide);
    QVERIFY(inked > 200);
    // No shadow at all when both offsets are 0, however the shadow is coloured.
    QCOMPARE(shadowed == 0, dx == 0 && dy == 0);
    const QString problem = Against_Golden(image, name);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  // Unturned, the text is centred on the box and its baseline lies half the ascent below the centre.
  void theTextSitsInTheMiddleOfItsBox() {
    classTEXT2 t;
    Set_Up(t, 0, 0, 0);
    const QImage image = Drawn(0, 0, 0);
    const QRect ink = Bounds(Pixels(image, kInk));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(24);
    const int ascent = Platform::ToInt(std::ceil(QFontMetricsF(font).ascent()));
    const int cx = kCorner.x + t.Width() / 2, cy = kCorner.y + t.Height() / 2;
    // "Pixmura" has no descender: its lowest ink is the row above the baseline.
    QVERIFY2(std::abs(ink.bottom() + 1 - (cy + ascent / 2)) <= 1, qPrintable(QString::number(ink.bottom())));
    QVERIFY2(std::abs(ink.left() + ink.right() + 1 - 2 * cx) <= 3, qPrintable(QStringLiteral("%1..%2").arg(ink.left()).arg(ink.right())));
  }

  // Turned by 90 the text reads upwards about the same centre, and its shadow offset turns with it:
  // (3, 3) along and across the text is 3 right and 3 up on the picture.
  void theShadowTurnsWithTheText() {
    const QImage flat = Drawn(0, 0, 0), turned = Drawn(90, 0, 0), shadowed = Drawn(90, 3, 3);
    const QList<QPoint> ink = Pixels(turned, kInk);
    // The flat text's ink, turned a quarter counter-clockwise about the box's centre, gives the turned
    // ink's bounds (the turned glyphs are rasterised anew, so an edge may move by a pixel). The baseline
    // lies below the centre, so the ink turned clockwise would stand 3 pixels further left.
    classTEXT2 t;
    Set_Up(t, 0, 0, 0);
    const double cx = kCorner.x + t.Width() / 2, cy = kCorner.y + t.Height() / 2;
    const QRect f = Bounds(Pixels(flat, kInk));
    const QRect expected(QPoint(int(std::floor(cx + (f.top() + 0.5 - cy))), int(std::floor(cy - (f.right() + 0.5 - cx)))),
                         QPoint(int(std::floor(cx + (f.bottom() + 0.5 - cy))), int(std::floor(cy - (f.left() + 0.5 - cx)))));
    const QRect got = Bounds(ink);
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    QVERIFY2(near(got.left(), expected.left()) && near(got.right(), expected.right()) && near(got.top(), expected.top()) &&
                 near(got.bottom(), expected.bottom()),
             qPrintable(QStringLiteral("turned ink %1,%2 %3x%4, expected %5,%6 %7x%8")
                            .arg(got.x()).arg(got.y()).arg(got.width()).arg(got.height())
                            .arg(expected.x()).arg(expected.y()).arg(expected.width()).arg(expected.height())));
    // The text itself is drawn last and unchanged by the shadow.
    QCOMPARE(Pixels(shadowed, kInk), ink);
    // Every shadow pixel is the text's shape moved 3 right and 3 up, and nearly all of that shape that
    // the text leaves free is shadow; moved 3 right and 3 down (an unturned offset) it is not.
    const QList<QPoint> shadow = Pixels(shadowed, kShadow);
    QVERIFY(!shadow.isEmpty());
    QList<QPoint> free, freeUnturned;
    for (const QPoint& p : ink) {
      if (Platform::FromQRgb(turned.pixel(p + QPoint(3, -3))) != kInk) free << p;
      if (Platform::FromQRgb(turned.pixel(p + QPoint(3, 3))) != kInk) freeUnturned << p;
    }
    const int missed = Misses(free, QPoint(3, -3), shadowed, kShadow);
    QVERIFY2(missed * 20 < free.size(), qPrintable(QStringLiteral("%1 of %2").arg(missed).arg(free.size())));
    QVERIFY(Misses(freeUnturned, QPoint(3, 3), shadowed, kShadow) * 2 > freeUnturned.size());
  }
};

PIXMURA_TEST_CLASS(Text2PictureTests)
#include "Text2PictureTests.moc"
