#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "printing/PageSetup.h"
#include "printing/Printing.h"
#include "printing/winPRINTER.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "PrintHelpers.h"

using namespace modMAIN;
using namespace PrintChecks;

namespace {

// A page of 2400 x 3150 device pixels at 300 dpi that records what is drawn on it and whether the
// busy cursor showed meanwhile.
class RecordingEngine : public QPaintEngine {
 public:
  RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawImage(const QRectF& r, const QImage& image, const QRectF&, Qt::ImageConversionFlags) override {
    drawn = r.toRect();
    size = image.size();
    busy = Platform::Environment::BusyCursor();
  }
  Type type() const override { return QPaintEngine::User; }
  QRect drawn;
  QSize size;
  bool busy = false;
};

class RecordingPage : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &engine; }
  mutable RecordingEngine engine;

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth: return 2400;
      case PdmHeight: return 3150;
      case PdmWidthMM: return 203;
      case PdmHeightMM: return 267;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return 300;
      case PdmDepth: return 32;
      case PdmNumColors: return 0;
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
      default: return 0;
    }
  }
};

}  // namespace

class PrintTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // The numbers worked out by hand on a page of 2400 x 3150 (8 x 10.5 in at 300 dpi).
  void layout_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<bool>("centerH");
    QTest::addColumn<bool>("centerV");
    QTest::addColumn<QRect>("expected");
    // Narrower than the fitted 2400 x 1200: its own size, (2400 - 1000) / 2 and (3150 - 500) / 2.
    QTest::newRow("natural, centred both ways") << 1000 << 500 << false << true << true << QRect(700, 1325, 1000, 500);
    QTest::newRow("natural, not centred") << 1000 << 500 << false << false << false << QRect(0, 0, 1000, 500);
    // Each axis on its own: across only, (2400 - 1000) / 2 = 700 and the top edge; down only, the left edge
    // and (3150 - 500) / 2 = 1325.
    QTest::newRow("natural, centred across only") << 1000 << 500 << false << true << false << QRect(700, 0, 1000, 500);
    QTest::newRow("natural, centred down only") << 1000 << 500 << false << false << true << QRect(0, 1325, 1000, 500);
    // Fitted: 2400 wide, 2400 / 2 = 1200 high, (3150 - 1200) / 2 = 975; nothing to centre across.
    QTest::newRow("fitted, centred both ways") << 1000 << 500 << true << true << true << QRect(0, 975, 2400, 1200);
    // Tall: 2400 / 0.5 = 4800 is too high, so 3150 high and 0.5 x 3150 = 1575 wide, (2400 - 1575) / 2 = 412.
    QTest::newRow("tall, fitted, centred across") << 500 << 1000 << true << true << false << QRect(412, 0, 1575, 3150);
    QTest::newRow("tall, fitted, centred down only") << 500 << 1000 << true << false << true << QRect(0, 0, 1575, 3150);
    // Wider than the page: shrunk to fit even at natural size.
    QTest::newRow("too wide, natural") << 4000 << 2000 << false << false << false << QRect(0, 0, 2400, 1200);
    // 640 / 480 in single precision is 1.3333334; 2400 / 1.3333334 = 1799.99.. drops its fraction.
    QTest::newRow("4:3, fitted") << 640 << 480 << true << false << false << QRect(0, 0, 2400, 1799);
    // 1 / 100000 x 3150 = 0.0315 would leave nothing to print: one device pixel stays.
    QTest::newRow("a hair, fitted") << 1 << 100000 << true << true << false << QRect(1199, 0, 1, 3150);
    QTest::newRow("as wide as the page, natural") << 2400 << 100 << false << true << true << QRect(0, 1525, 2400, 100);
  }
  void layout() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, fit);
    QFETCH(bool, centerH);
    QFETCH(bool, centerV);
    QTEST(Print_Layout(2400, 3150, w, h, fit, centerH, centerV), "expected");
  }

  void setupText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("good");
    const QString a5 = QStringLiteral(
        "PageSize=A5;Width=419.53;Height=595.28;Orientation=Landscape;Margins=10,20,30,40;"
        "HorizontalResolution=360;VerticalResolution=720");
    QTest::newRow("A5 landscape") << a5 << true;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("no pairs") << QStringLiteral("nonsense") << false;
    QTest::newRow("a number that is none") << QString(a5).replace(QLatin1String("Width=419.53"), QLatin1String("Width=wide")) << false;
    QTest::newRow("no orientation") << QString(a5).replace(QLatin1String("Landscape"), QLatin1String("Sideways")) << false;
    QTest::newRow("margins wider than the page")
        << QString(a5).replace(QLatin1String("10,20,30,40"), QLatin1String("300,20,300,40")) << false;
    QTest::newRow("three margins") << QString(a5).replace(QLatin1String("10,20,30,40"), QLatin1String("10,20,30")) << false;
    QTest::newRow("no resolution") << QString(a5).replace(QLatin1String("HorizontalResolution=360"), QLatin1String("HorizontalResolution=0")) << false;
    QTest::newRow("negative page") << QString(a5).replace(QLatin1String("Height=595.28"), QLatin1String("Height=-595")) << false;
  }
  void setupText() {
    QFETCH(QString, text);
    QFETCH(bool, good);
    PageSetup setup;
    setup.SetLandscape(true);
    setup.SetMaxHorizontalResolution(600);
    QCOMPARE(setup.SetSetupString(text), good);
    if (!good) {
      // Every default, whatever was set before.
      QCOMPARE(setup.SetupString(), PageSetup().SetupString());
      QVERIFY(!setup.Landscape());
      QCOMPARE(setup.MaxHorizontalResolution(), 72);
      return;
    }
    QCOMPARE(setup.Layout().pageSize().id(), QPageSize::A5);
    QVERIFY(setup.Landscape());
    QCOMPARE(setup.Layout().margins(QPageLayout::Point), QMarginsF(10, 20, 30, 40));
    QCOMPARE(setup.MaxHorizontalResolution(), 360);
    QCOMPARE(setup.MaxVerticalResolution(), 720);
    // A fresh set-up restores the same from the text it writes.
    PageSetup again;
    QVERIFY(again.SetSetupString(setup.SetupString()));
    QCOMPARE(again.SetupString(), setup.SetupString());
  }

  void aPageSizeOfItsOwn() {
    PageSetup setup;
    QVERIFY(setup.SetSetupString(QStringLiteral("PageSize=Custom;Width=300;Height=400;Orientation=Portrait;"
                                                "Margins=0,0,0,0;HorizontalResolution=72;VerticalResolution=72")));
    QCOMPARE(setup.Layout().fullRect(QPageLayout::Point), QRectF(0, 0, 300, 400));
  }

  // The page is drawn with the busy cursor showing, where the layout puts it, and the picture's height is
  // scaled by h / v so that it prints at the size both resolutions give it.
  void drawingThePage_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rh");
    QTest::addColumn<int>("rv");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("square") << 1000 << 500 << 300 << 300 << QRect(700, 1325, 1000, 500);
    // 500 high at 150 dpi is 1000 dots of 300 dpi: (3150 - 1000) / 2 = 1075.
    QTest::newRow("half the resolution down") << 1000 << 500 << 300 << 150 << QRect(700, 1075, 1000, 1000);
    // 300 high at 600 dpi is 150 dots of 300 dpi.
    QTest::newRow("twice the resolution down") << 600 << 300 << 300 << 600 << QRect(900, 1500, 600, 150);
  }
  void drawingThePage() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rh);
    QFETCH(int, rv);
    Fixture::NewDocument(w, h);
    Use_Resolution(rh, rv);
    modOptions::option_Printer_Center[0] = modOptions::option_Printer_Center[1] = true;
    RecordingPage page;
    QString reason;
    QVERIFY(Print_Working_Picture(page, reason));
    QTEST(page.engine.drawn, "expected");
    QCOMPARE(page.engine.size, QSize(w, h));
    QVERIFY(page.engine.busy);
    QVERIFY(!Platform::Environment::BusyCursor());
  }

  // File > Print through the print dialog, into a PDF that is then measured and rasterised.
  void printingToPdf_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rh");
    QTest::addColumn<int>("rv");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QRect>("onPaper");  // in pixels of the page rasterised at rh x rv dpi
    // 8 x 10.5 in at 300 dpi is 2400 x 3150; centred: 900, 1425, plus the margin of 75.
    QTest::newRow("natural, centred") << 600 << 300 << 300 << 300 << false << false << true << "612 x 792"
                                      << QRect(975, 1500, 600, 300);
    // Landscape: 3150 x 2400 to print on; 2 : 1 fitted is 3150 x 1575 at the margins.
    QTest::newRow("landscape, fitted") << 600 << 300 << 300 << 300 << true << true << false << "792 x 612"
                                       << QRect(75, 75, 3150, 1575);
    // 600 x 300 at 600 x 300 dpi is one inch square, centred on 8 x 10.5 in: 3.5 + 0.25 in across and
    // 4.75 + 0.25 in down; the picture keeps its own pixels in a raster at 600 x 300 dpi.
    QTest::newRow("non-square resolution") << 600 << 300 << 600 << 300 << false << false << true << "612 x 792"
                                           << QRect(2250, 1500, 600, 300);
    QTest::newRow("wider than the page") << 4000 << 2000 << 300 << 300 << false << false << false << "612 x 792"
                                         << QRect(75, 75, 2400, 1200);
  }
  void printingToPdf() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rh);
    QFETCH(int, rv);
    QFETCH(bool, landscape);
    QFETCH(bool, fit);
    QFETCH(bool, centre);
    QFETCH(QString, pageSize);
    QFETCH(QRect, onPaper);
    Use_Resolution(rh, rv);
    Printer_SetupString = Letter(false, 72, 72);
    modOptions::option_Printer_Landscape = landscape;
    modOptions::option_Printer_FitPage = fit;
    modOptions::option_Printer_Center[0] = modOptions::option_Printer_Center[1] = centre;
    Two_Colour_Picture(w, h);
    const QString pdf = Fixture::Home() + QStringLiteral("/print.pdf");
    Answer_Print(pdf, true);
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));

    QVERIFY(QFileInfo::exists(pdf));
    QCOMPARE(Pdf_Info(pdf, QStringLiteral("Pages")), QStringLiteral("1"));
    QVERIFY2(Pdf_Info(pdf, QStringLiteral("Page size")).startsWith(pageSize), qPrintable(Pdf_Info(pdf, QStringLiteral("Page size"))));
    const QImage page = Rasterise(pdf, rh, rv);
    QCOMPARE(page.size(), landscape ? QSize(11 * rh, 8 * rv + rv / 2) : QSize(8 * rh + rh / 2, 11 * rv));
    const QString wrong = Check_Placement(page, onPaper, w);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    // The set-up of this print is kept.
    QVERIFY(printer_setup);
    QCOMPARE(printer_setup->Landscape(), landscape);
    QCOMPARE(printer_setup->MaxHorizontalResolution(), rh);
    QCOMPARE(printer_setup->MaxVerticalResolution(), rv);
  }

  // A fresh page set-up: the locale's paper, portrait, a quarter inch (18 pt) all round.
  void theDefaultPageSetUp() {
    const PageSetup setup;
    QVERIFY(!setup.Landscape());
    QCOMPARE(setup.Layout().orientation(), QPageLayout::Portrait);
    QCOMPARE(setup.Layout().margins(QPageLayout::Point), QMarginsF(18, 18, 18, 18));
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    QCOMPARE(setup.Layout().pageSize().id(), inches ? QPageSize::Letter : QPageSize::A4);
    QCOMPARE(setup.MaxHorizontalResolution(), 72);
    QCOMPARE(setup.MaxVerticalResolution(), 72);
  }

  // File > Print with the page set-up the program starts with and one centring box ticked in the Page
  // Setup sheet: a 600 x 300 picture at 300 dpi keeps its size, centred on that axis alone, a quarter
  // inch (75 dots) in from the paper's edges.
  void printingThroughTheDefaultPageSetUp_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<QRect>("onA4");
    QTest::addColumn<QRect>("onLetter");
    // A4 (210 x 297 mm) is 2480 x 3508 dots, 2330 x 3358 inside the margins; Letter 2400 x 3150.
    // Across: (2330 - 600) / 2 + 75 = 940, or (2400 - 600) / 2 + 75 = 975.
    QTest::newRow("Horizontal alone") << 0 << QRect(940, 75, 600, 300) << QRect(975, 75, 600, 300);
    // Down: (3358 - 300) / 2 + 75 = 1604, or (3150 - 300) / 2 + 75 = 1500.
    QTest::newRow("Vertical alone") << 1 << QRect(75, 1604, 600, 300) << QRect(75, 1500, 600, 300);
  }
  void printingThroughTheDefaultPageSetUp() {
    QFETCH(int, box);
    QFETCH(QRect, onA4);
    QFETCH(QRect, onLetter);
    const bool inches = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    Use_Resolution(300, 300);
    Fixture::ExpectDialog(QStringLiteral("winPRINTER"), [box](QDialog* d) {
      QTest::mouseClick(static_cast<winPRINTER*>(d)->cbCENTER(box), Qt::LeftButton);
    }, QStringLiteral("OK"));
    winMAIN::instance()->Handle_Menu(QStringLiteral("menu_PageSetup"), 0);
    QCOMPARE(modOptions::option_Printer_Center[box], true);
    QCOMPARE(modOptions::option_Printer_Center[1 - box], false);
    Two_Colour_Picture(600, 300);
    const QString pdf = Fixture::Home() + QStringLiteral("/print.pdf");
    Answer_Print(pdf, true);
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));

    const QString pageSize = Pdf_Info(pdf, QStringLiteral("Page size"));
    QVERIFY2(pageSize.startsWith(inches ? QLatin1String("612 x 792") : QLatin1String("595 x 842")), qPrintable(pageSize));
    const QImage page = Rasterise(pdf, 300, 300);
    const QString wrong = Check_Placement(page, inches ? onLetter : onA4, 600);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
  }

  void cancelPrintsNothingAndSaysNothing() {
    const QString pdf = Fixture::Home() + QStringLiteral("/print.pdf");
    Answer_Print(pdf, false);
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
    QVERIFY(!QFileInfo::exists(pdf));
  }

  void aPrintThatCannotStartSaysSo() {
    // The output's folder is a regular file, so the file cannot be made.
    const QString blocker = Fixture::WriteFile(QStringLiteral("blocker"), "a file");
    const QString pdf = blocker + QStringLiteral("/print.pdf");
    Answer_Print(pdf, true);
    Fixture::ExpectMessageBox(QStringLiteral("ERROR^The picture could not be printed.^The file \u201C%1\u201D could not be written.").arg(pdf),
                              QStringLiteral("Ok"));
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_Print"), 0));
    QVERIFY(!Platform::Environment::BusyCursor());
  }
};

PIXMURA_TEST_CLASS(PrintTests)
#include "PrintTests.moc"
