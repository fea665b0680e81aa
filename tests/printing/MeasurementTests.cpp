#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "printing/Measurement.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "PrintHelpers.h"

using namespace modMAIN;
using namespace PrintChecks;

class MeasurementTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void conversions_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("length");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("expected");
    // (25 - 10) x 2 and (5 - 10) x 2.
    QTest::newRow("pixel right of the offset") << "px" << 25.0 << true << 2.0 << 10 << 72 << 72 << 30;
    QTest::newRow("pixel left of the offset") << "px" << 5.0 << true << 2.0 << 10 << 72 << 72 << -10;
    QTest::newRow("the offset itself at 16x") << "px" << 40.0 << false << 16.0 << 40 << 72 << 72 << 0;
    // 3 x 0.25 = 0.75 drops its fraction.
    QTest::newRow("a fraction of a screen pixel") << "px" << 3.0 << true << 0.25 << 0 << 72 << 72 << 0;
    QTest::newRow("vertical uses y") << "px" << 30.0 << false << 1.0 << 20 << 72 << 72 << 10;
    // 1.5 in at 72 dpi = 108 image pixels; 2.54 cm is one inch.
    QTest::newRow("inches") << "in" << 1.5 << true << 1.0 << 0 << 72 << 72 << 108;
    QTest::newRow("centimetres") << "cm" << 2.54 << true << 1.0 << 0 << 72 << 72 << 72;
    // 2 in at 300 dpi vertically = 600 image pixels, shown at half size.
    QTest::newRow("inches at 300 dpi, zoom 0.5") << "in" << 2.0 << false << 0.5 << 0 << 150 << 300 << 300;
    // Each axis has its own resolution: 1 in is 120 pixels across, 72 down.
    QTest::newRow("non-square across") << "in" << 1.0 << true << 1.0 << 0 << 120 << 72 << 120;
    QTest::newRow("non-square down") << "in" << 1.0 << false << 1.0 << 0 << 120 << 72 << 72;
    // The physical position is first made whole image pixels: 0.1 in x 72 = 7.2 -> 7, x 4 = 28.
    QTest::newRow("snapped before zooming") << "in" << 0.1 << true << 4.0 << 0 << 72 << 72 << 28;
    QTest::newRow("scrolled inches") << "in" << 1.0 << true << 1.0 << 100 << 72 << 72 << -28;
    QTest::newRow("resolution 0") << "cm" << 5.0 << true << 1.0 << 0 << 0 << 0 << 0;
  }
  void conversions() {
    QFETCH(QString, kind);
    QFETCH(double, length);
    QFETCH(bool, horizontal);
    QFETCH(double, zoom);
    QFETCH(int, offset);
    QFETCH(int, h);
    QFETCH(int, v);
    QFETCH(int, expected);
    Use_Resolution(h, v);
    Zoom = float(zoom);
    modMAIN::offset = horizontal ? Point_of(offset, 0) : Point_of(0, offset);
    int32_t got = 0;
    if (kind == QLatin1String("px")) got = Ruler_Pixel2Pixel(int32_t(length), horizontal);
    else if (kind == QLatin1String("in")) got = Ruler_Inch2Pixel(float(length), horizontal);
    else got = Ruler_CM2Pixel(float(length), horizontal);
    QCOMPARE(got, expected);
  }

  void changingTheResolutionChangesLaterConversions() {
    Use_Resolution(72, 72);
    Zoom = 1;
    offset = Point_of(0, 0);
    QCOMPARE(Ruler_Inch2Pixel(1, true), 72);
    Printer_Info[1].selected = false;
    Printer_Info.Append(printer_res{300, 300, true});
    QCOMPARE(Ruler_Inch2Pixel(1, true), 300);
  }

  void unitNames() {
    modOptions::option_Metric = false;
    QCOMPARE(Measurement_Label(true), QStringLiteral("Inches"));
    QCOMPARE(Measurement_Label(false), QStringLiteral("Pixel"));
    modOptions::option_Metric = true;
    QCOMPARE(Measurement_Label(true), QStringLiteral("cm"));
    QCOMPARE(Measurement_Label(false), QStringLiteral("Pixel"));
  }
};

PIXMURA_TEST_CLASS(MeasurementTests)
#include "MeasurementTests.moc"
