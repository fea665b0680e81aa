#include <QFile>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTest>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "printing/Measurement.h"
#include "printing/PageSetup.h"
#include "printing/PrinterProbe.h"
#include "printing/winPRINTER.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "PrintHelpers.h"

using namespace modMAIN;
using namespace PrintChecks;

namespace {

QByteArray Cups_Fixture(const QString& name) {
  QFile f(qEnvironmentVariable("PIXMURA_SOURCE_DIR") + QStringLiteral("/tests/app/fixtures/cups/") + name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fixture missing>");
}

// A stand-in for a printing tool that prints the text and ends well (or fails when there is no text).
void Tool(const QString& name, const QByteArray& output) {
  const QString data = Fixture::WriteFile(QStringLiteral("tools/%1.out").arg(name), output);
  Fixture::StandInTool(name, QStringLiteral("cat '%1'\nexit %2").arg(data).arg(output.isEmpty() ? 1 : 0));
}

QString Rows(const winPRINTER* w) {
  QStringList rows;
  for (int i = 0; i < w->puRez->count(); ++i) rows << w->puRez->itemText(i);
  return rows.join(QLatin1Char(' '));
}

// File > Page Setup with the sheet driven by the test and closed with "OK"; the command answers false.
void Page_Setup(const std::function<void(winPRINTER*)>& drive) {
  Fixture::ExpectDialog(QStringLiteral("winPRINTER"), [drive](QDialog* d) { drive(static_cast<winPRINTER*>(d)); },
                        QStringLiteral("OK"));
  QVERIFY(!winMAIN::instance()->Handle_Menu(QStringLiteral("menu_PageSetup"), 0));
  QVERIFY(!winPRINTER::existing());
}

// The page set-up dialog of "Advanced": the answer changes its printer's page and confirms, or cancels.
void Answer_Page_Setup(std::function<void(QPrinter*)> change) {
  Fixture::ExpectAny([change](Platform::ModalRequest& r) -> QVariant {
    auto* dialog = qobject_cast<QPageSetupDialog*>(r.dialog);
    if (r.kind != Platform::ModalKind::Print || !dialog) {
      Platform::ModalHost::RecordFailure(QStringLiteral("Expected the page set-up dialog, got ") +
                                         Platform::ModalHost::Describe(r));
      return false;
    }
    if (r.parent) Platform::ModalHost::RecordFailure(QStringLiteral("The page set-up dialog has a parent"));
    if (!change) return false;
    change(dialog->printer());
    return true;
  });
}

QString Ini() { return QString::fromUtf8(Fixture::ReadFile(Fixture::SettingsFolder() + QStringLiteral("/Config.INI"))); }

}  // namespace

class PrintOptionsTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void opensWithTheDefaults() {
    Page_Setup([](winPRINTER* w) {
      QCOMPARE(w->size(), QSize(286, 245));
      QVERIFY(w->rbORIENT(0)->isChecked());
      QVERIFY(!w->rbORIENT(1)->isChecked());
      QVERIFY(w->rbScale(0)->isChecked());
      QVERIFY(!w->rbScale(1)->isChecked());
      QVERIFY(!w->cbCENTER(0)->isChecked());
      QVERIFY(!w->cbCENTER(1)->isChecked());
      QVERIFY(w->pbOK->isDefault());
      // No printing system here: no name, and nothing to choose from.
      QCOMPARE(w->lblPRINTER_NAME->text(), QStringLiteral("?"));
      QCOMPARE(w->puRez->count(), 0);
      QCOMPARE(w->puRez->currentIndex(), -1);
    });
    QCOMPARE(Marks(), QStringLiteral("72x72*"));
    QVERIFY(!modOptions::option_Printer_Landscape && !modOptions::option_Printer_FitPage);
    QVERIFY(!modOptions::option_Printer_Center[0] && !modOptions::option_Printer_Center[1]);
  }

  // A real queue name is shown whole; one too long for the sheet ends in "…" and shows whole as a tip.
  void thePrintersNameIsReadable() {
    for (const QString& name : {QStringLiteral("HP_LaserJet_Pro_M404dn_2nd_floor"),
                                QStringLiteral("Brother_HL_L2350DW_series_on_the_print_server_of_the_office")}) {
      Printer_Name = name;
      Page_Setup([&](winPRINTER* w) {
        const QLabel* label = w->lblPRINTER_NAME;
        QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width());
        QCOMPARE(label->toolTip(), name);
        if (label->text() != name) {
          QVERIFY(label->text().endsWith(QChar(0x2026)));
          QVERIFY(name.startsWith(label->text().chopped(1)));
          QVERIFY(name.size() > 40);
        }
      });
    }
  }

  // The rows for what real printers report, read by the probe from the printing tools.
  void rowsOfRealPrinters_data() {
    QTest::addColumn<QByteArray>("lpstat");
    QTest::addColumn<QByteArray>("lpoptions");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("selected");
    const QByteArray pdf = Cups_Fixture(QStringLiteral("lpstat-d_default-PDF.txt"));
    QTest::newRow("PDF") << pdf << Cups_Fixture(QStringLiteral("lpoptions-l_PDF.txt")) << "PDF"
                         << "72x72dpi 150x150dpi 300x300dpi 600x600dpi 1200x1200dpi 2400x2400dpi" << "300x300dpi";
    QTest::newRow("dot matrix") << pdf << Cups_Fixture(QStringLiteral("lpoptions-l_EPS9.txt")) << "PDF"
                                << "72x72dpi 60x72dpi 120x72dpi 240x72dpi" << "120x72dpi";
    QTest::newRow("laser") << pdf << Cups_Fixture(QStringLiteral("lpoptions-l_PCL.txt")) << "PDF"
                           << "72x72dpi 300x300dpi 600x600dpi" << "300x300dpi";
    QTest::newRow("printer without resolutions") << pdf << Cups_Fixture(QStringLiteral("lpoptions-l_PS.txt")) << "PDF"
                                                 << "" << "";
    QTest::newRow("no printer") << Cups_Fixture(QStringLiteral("lpstat-d_PRINTER-env-nonexistent.txt"))
                                << Cups_Fixture(QStringLiteral("lpoptions-l_PDF.txt")) << "?" << "" << "";
  }
  void rowsOfRealPrinters() {
    QFETCH(QByteArray, lpstat);
    QFETCH(QByteArray, lpoptions);
    QFETCH(QString, name);
    QFETCH(QString, rows);
    QFETCH(QString, selected);
    Tool(QStringLiteral("lpstat"), lpstat);
    Tool(QStringLiteral("lpoptions"), lpoptions);
    Get_Printer_Info();
    const QString before = Marks();
    Page_Setup([&](winPRINTER* w) {
      QCOMPARE(w->lblPRINTER_NAME->text(), name);
      QCOMPARE(Rows(w), rows);
      QCOMPARE(w->puRez->currentText(), selected);
    });
    // Showing the marked row leaves the marks as they were.
    QCOMPARE(Marks(), before);
  }

  void markedEntriesAtOpening_data() {
    QTest::addColumn<QString>("marks");  // of 72, 300, 600, 1200 dpi: "*" marked
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("after");
    QTest::newRow("one") << "-*--" << 1 << "72x72 300x300* 600x600 1200x1200";
    QTest::newRow("two: the later wins and is the only one") << "-*-*" << 3 << "72x72 300x300 600x600 1200x1200*";
    QTest::newRow("none: no row, nothing marked") << "----" << -1 << "72x72 300x300 600x600 1200x1200";
  }
  void markedEntriesAtOpening() {
    QFETCH(QString, marks);
    QFETCH(int, row);
    QFETCH(QString, after);
    Printer_Info.clear();
    const int dpi[] = {72, 300, 600, 1200};
    for (int i = 0; i < 4; ++i) Printer_Info.Append(printer_res{dpi[i], dpi[i], marks[i] == QLatin1Char('*')});
    Page_Setup([&](winPRINTER* w) {
      QCOMPARE(Rows(w), QStringLiteral("72x72dpi 300x300dpi 600x600dpi 1200x1200dpi"));
      QCOMPARE(w->puRez->currentIndex(), row);
      QCOMPARE(Marks(), after);
    });
  }

  // A row chosen in the popup is the resolution that everything measures with from then on.
  void aChosenRowIsInForce() {
    Tool(QStringLiteral("lpstat"), Cups_Fixture(QStringLiteral("lpstat-d_default-PDF.txt")));
    Tool(QStringLiteral("lpoptions"), Cups_Fixture(QStringLiteral("lpoptions-l_PDF.txt")));
    Get_Printer_Info();
    Zoom = 1;
    offset = Point_of(0, 0);
    QCOMPARE(Ruler_Inch2Pixel(1, true), 300);
    winMAIN* main = winMAIN::instance();
    modOptions::option_ShowRuler = true;
    main->Arrange_Controls();
    QCoreApplication::processEvents();
    int rulerPaints = 0;
    for (int i = 0; i < 2; ++i) main->canvasRULER(i)->Paint = [&rulerPaints](Platform::Graphics&) { ++rulerPaints; };
    Page_Setup([&rulerPaints](winPRINTER* w) {
      QCOMPARE(rulerPaints, 0);
      w->puRez->setFocus();
      QTest::keyClick(w->puRez, Qt::Key_Down);  // 300 -> 600
      QTest::keyClick(w->puRez, Qt::Key_Down);  // 600 -> 1200
      QCOMPARE(w->puRez->currentText(), QStringLiteral("1200x1200dpi"));
      QCOMPARE(Marks(), QStringLiteral("72x72 150x150 300x300 600x600 1200x1200* 2400x2400"));
      QTest::keyClick(w->puRez, Qt::Key_Home);
      QCOMPARE(Marks(), QStringLiteral("72x72* 150x150 300x300 600x600 1200x1200 2400x2400"));
      QTest::keyClick(w->puRez, Qt::Key_End);
    });
    QCoreApplication::processEvents();
    QCOMPARE(Marks(), QStringLiteral("72x72 150x150 300x300 600x600 1200x1200 2400x2400*"));
    QCOMPARE(Get_Printer_Rez(true), 2400);
    // The rulers were asked to repaint with it once the sheet closed.
    QCOMPARE(rulerPaints, 2);
    QCOMPARE(Ruler_Inch2Pixel(1, true), 2400);
    QCOMPARE(Ruler_CM2Pixel(2.54f, false), 2400);
    // The information sheet measures with it too.
    Fixture::NewDocument(1200, 4800);
    Fixture::ExpectDialog(QStringLiteral("winINFO"), [](QDialog* d) {
      QCOMPARE(d->findChild<QLabel*>(QStringLiteral("infoREZ"))->text(), QStringLiteral("2,400 x 2,400"));
      QCOMPARE(d->findChild<QLabel*>(QStringLiteral("infoINCHES"))->text(), QStringLiteral("0.50 x 2.00"));
    }, QStringLiteral("OK"));
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_GetInfo"), 0));
  }

  // Each choice is its setting the moment it is made, and the settings file keeps it.
  void choicesAreWrittenAtOnceAndKept() {
    Page_Setup([](winPRINTER* w) {
      QTest::mouseClick(w->rbORIENT(1), Qt::LeftButton);
      QVERIFY(modOptions::option_Printer_Landscape);
      QTest::mouseClick(w->rbScale(1), Qt::LeftButton);
      QVERIFY(modOptions::option_Printer_FitPage);
      QTest::mouseClick(w->cbCENTER(1), Qt::LeftButton);
      QVERIFY(modOptions::option_Printer_Center[1]);
      QVERIFY(!modOptions::option_Printer_Center[0]);
    });
    MenuBar1::instance()->Item(QStringLiteral("FileQuit"))->trigger();
    const QString ini = Ini().toLower();
    for (const char* line : {"landscape=true", "fitpage=true", "center_v=true", "center_h=false"})
      QVERIFY2(ini.contains(QLatin1String(line)), qPrintable(ini));

    Fixture::StartProgram();
    QVERIFY(modOptions::option_Printer_Landscape);
    Page_Setup([](winPRINTER* w) {
      QVERIFY(w->rbORIENT(1)->isChecked());
      QVERIFY(w->rbScale(1)->isChecked());
      QVERIFY(w->cbCENTER(1)->isChecked() && !w->cbCENTER(0)->isChecked());
      // And back.
      QTest::mouseClick(w->rbORIENT(0), Qt::LeftButton);
      QTest::mouseClick(w->rbScale(0), Qt::LeftButton);
      QTest::mouseClick(w->cbCENTER(1), Qt::LeftButton);
    });
    QVERIFY(!modOptions::option_Printer_Landscape && !modOptions::option_Printer_FitPage);
    QVERIFY(!modOptions::option_Printer_Center[1]);
  }

  void advancedPageSetup() {
    const QString before = Printer_SetupString;
    // Confirmed with A5 landscape: the stored set-up and the radios follow.
    Page_Setup([](winPRINTER* w) {
      Answer_Page_Setup([](QPrinter* p) {
        p->setPageSize(QPageSize(QPageSize::A5));
        p->setPageOrientation(QPageLayout::Landscape);
      });
      QTest::mouseClick(w->pbAdvanced, Qt::LeftButton);
      QVERIFY(w->rbORIENT(1)->isChecked());
      QVERIFY(!w->rbORIENT(0)->isChecked());
    });
    QVERIFY(modOptions::option_Printer_Landscape);
    PageSetup setup;
    QVERIFY2(setup.SetSetupString(Printer_SetupString), qPrintable(Printer_SetupString));
    QCOMPARE(setup.Layout().pageSize().id(), QPageSize::A5);
    QVERIFY(setup.Landscape());
    // The resolution the probe stored stays in the text.
    QCOMPARE(setup.MaxHorizontalResolution(), 72);

    // Cancelled: nothing changes, also after the orientation was set back by hand.
    const QString confirmed = Printer_SetupString;
    Page_Setup([](winPRINTER* w) {
      Answer_Page_Setup(nullptr);
      QTest::mouseClick(w->rbORIENT(0), Qt::LeftButton);
      QTest::mouseClick(w->pbAdvanced, Qt::LeftButton);
      QVERIFY(w->rbORIENT(0)->isChecked());
    });
    QCOMPARE(Printer_SetupString, confirmed);
    QVERIFY(!modOptions::option_Printer_Landscape);
    QVERIFY(before != confirmed);
  }

  // Escape and the close box leave the sheet as "OK" does: the choices made stay.
  void escapeAndCloseBoxAreOK() {
    const bool closedByKey = Fixture::KeyOnRealModal(
        Qt::Key_Escape, [] { winMAIN::instance()->Handle_Menu(QStringLiteral("menu_PageSetup"), 0); },
        QStringLiteral("OK"));
    QVERIFY(closedByKey);
    QVERIFY(!winPRINTER::existing());
    Page_Setup([](winPRINTER* w) {
      QTest::mouseClick(w->cbCENTER(0), Qt::LeftButton);
      w->reject();
      QCOMPARE(w->result(), int(QDialog::Accepted));
    });
    QVERIFY(modOptions::option_Printer_Center[0]);
  }
};

PIXMURA_TEST_CLASS(PrintOptionsTests)
#include "PrintOptionsTests.moc"
