#include <QTest>

#include "app/modOptions.h"
#include "colorwindows/winINFO.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "PrintHelpers.h"

using namespace modMAIN;
using namespace PrintChecks;

namespace {

struct Shown {
  QString pixels, sizeCaption, size, rez, colors, modified, selection;
  bool colorsVisible = false;
};

// Colors > Get Information through the real sheet, read and closed with "OK".
Shown Get_Information() {
  Shown s;
  Fixture::ExpectDialog(QStringLiteral("winINFO"), [&s](QDialog* d) {
    auto* w = static_cast<winINFO*>(d);
    if (w->size() != QSize(260, 279)) Platform::ModalHost::RecordFailure(QStringLiteral("winINFO has the wrong size"));
    s = {w->infoPixels->text(), w->lblINCHES->text(), w->infoINCHES->text(), w->infoREZ->text(),
         w->infoColors->text(), w->infoMOD->text(), w->infoSELECT->text(), w->infoColors->isVisibleTo(w)};
  }, QStringLiteral("OK"));
  if (!winMAIN::instance()->Handle_Menu(QStringLiteral("menu_GetInfo"), 0))
    Platform::ModalHost::RecordFailure(QStringLiteral("Get Information answered not handled"));
  if (winINFO::existing()) Platform::ModalHost::RecordFailure(QStringLiteral("winINFO outlived its closing"));
  return s;
}

}  // namespace

class InfoSheetTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Sizes by hand: 640 / 72 = 8.888.. in, 480 / 72 = 6.666.. in; x 2.54 = 22.577.. and 16.933.. cm;
  // 800 / 300 = 2.666.., 600 / 300 = 2; x 2.54 = 6.773.. and 5.08; 1024 / 72 = 14.222.., 768 / 72 = 10.666..;
  // 600 / 600 = 1 across and 300 / 300 = 1 down.
  void sizes_data() {
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("rh");
    QTest::addColumn<int>("rv");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("pixels");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("rez");
    QTest::newRow("72 dpi") << 640 << 480 << 72 << 72 << false << "640 x 480" << "Size [inches]" << "8.89 x 6.67" << "72 x 72";
    QTest::newRow("72 dpi, metric") << 640 << 480 << 72 << 72 << true << "640 x 480" << "Size [cm]" << "22.58 x 16.93" << "72 x 72";
    QTest::newRow("300 dpi") << 800 << 600 << 300 << 300 << false << "800 x 600" << "Size [inches]" << "2.67 x 2.00" << "300 x 300";
    QTest::newRow("300 dpi, metric") << 800 << 600 << 300 << 300 << true << "800 x 600" << "Size [cm]" << "6.77 x 5.08" << "300 x 300";
    QTest::newRow("thousands grouped") << 1024 << 768 << 72 << 72 << false << "1,024 x 768" << "Size [inches]" << "14.22 x 10.67" << "72 x 72";
    QTest::newRow("each axis its own resolution") << 600 << 300 << 600 << 300 << false << "600 x 300" << "Size [inches]" << "1.00 x 1.00" << "600 x 300";
    QTest::newRow("grouped resolution") << 2400 << 1200 << 2400 << 1200 << false << "2,400 x 1,200" << "Size [inches]" << "1.00 x 1.00" << "2,400 x 1,200";
  }
  void sizes() {
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(int, rh);
    QFETCH(int, rv);
    QFETCH(bool, metric);
    Fixture::NewDocument(w, h);
    if (rh != 72) Use_Resolution(rh, rv);
    modOptions::option_Metric = metric;
    const Shown s = Get_Information();
    QTEST(s.pixels, "pixels");
    QTEST(s.sizeCaption, "caption");
    QTEST(s.size, "size");
    QTEST(s.rez, "rez");
  }

  void coloursAndStatus() {
    // A fresh white picture: one grey colour, unchanged, nothing selected.
    Shown s = Get_Information();
    QCOMPARE(s.colors, QStringLiteral("Gray 1"));
    QVERIFY(s.colorsVisible);
    QCOMPARE(s.modified, QStringLiteral("NO"));
    QCOMPARE(s.selection, QStringLiteral("NO"));

    // One red pixel drawn and committed: two colours, no longer all grey, and modified. The sheet is
    // made afresh, so it shows the state of this moment.
    work_area->SetPixel(3, 4, 0xFF0000);
    winMAIN::instance()->Draw_Complete();
    s = Get_Information();
    QCOMPARE(s.colors, QStringLiteral("Color 2"));
    QCOMPARE(s.modified, QStringLiteral("YES"));
    QCOMPARE(s.selection, QStringLiteral("NO"));

    Set_Active_Lasso(true);
    s = Get_Information();
    QCOMPARE(s.selection, QStringLiteral("YES"));
    Set_Active_Lasso(false);

    // Greys of every level stay "Gray".
    Fixture::NewDocument(256, 1);
    for (int x = 0; x < 256; ++x) work_area->SetPixel(x, 0, Platform::Color(x * 0x010101));
    QCOMPARE(Get_Information().colors, QStringLiteral("Gray 256"));
  }

  void aCountInTheThousandsIsGrouped() {
    Fixture::NewDocument(12345, 1);
    for (int x = 0; x < 12345; ++x) work_area->SetPixel(x, 0, Platform::Color(x * 7));
    const Shown s = Get_Information();
    QCOMPARE(s.colors, QStringLiteral("Color 12,345"));
    QCOMPARE(s.pixels, QStringLiteral("12,345 x 1"));
  }

  void aListWithNothingMarkedShows72AndMarksIt() {
    Printer_Info.clear();
    Printer_Info.Append(printer_res{72, 72, false});
    Printer_Info.Append(printer_res{300, 300, false});
    QCOMPARE(Get_Information().rez, QStringLiteral("72 x 72"));
    QVERIFY(Printer_Info[0].selected);
    QVERIFY(!Printer_Info[1].selected);
  }

  // Escape and the close box leave the sheet as "OK" does.
  void escapeClosesTheSheet() {
    QVERIFY(Fixture::KeyOnRealModal(
        Qt::Key_Escape, [] { winMAIN::instance()->Handle_Menu(QStringLiteral("menu_GetInfo"), 0); }, QStringLiteral("OK")));
    QVERIFY(!winINFO::existing());
    Fixture::ExpectDialog(QStringLiteral("winINFO"), [](QDialog* d) {
      d->reject();
      QCOMPARE(d->result(), int(QDialog::Accepted));
    });
    winMAIN::instance()->Handle_Menu(QStringLiteral("menu_GetInfo"), 0);
  }
};

PIXMURA_TEST_CLASS(InfoSheetTests)
#include "InfoSheetTests.moc"
