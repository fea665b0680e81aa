#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QTest>
#include <QWindow>

#include "app/App.h"
#include "app/BundleResources.h"
#include "app/MenuBar1.h"
#include "app/ProgramIdentity.h"
#include "app/winABOUT.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "gradients/modGRADIENT.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "platform/StyledText.h"
#include "printing/PageSetup.h"
#include "printing/PrinterProbe.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {
QString Picture(const QString& name, int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  const QString path = Fixture::Home() + QLatin1Char('/') + name;
  image.save(path);
  return path;
}

QByteArray Fixture_Text(const QString& name) {
  QFile f(qEnvironmentVariable("PIXMURA_SOURCE_DIR") + QStringLiteral("/tests/app/fixtures/cups/") + name);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fixture missing>");
}

// A stand-in for a printing tool: prints the text and ends with the code.
void Tool(const QString& name, const QByteArray& output, int code = 0) {
  const QString data = Fixture::WriteFile(QStringLiteral("tools/%1.out").arg(name), output);
  Fixture::StandInTool(name, QStringLiteral("cat '%1'\nexit %2").arg(data).arg(code));
}

// The title as the main window shows it.
QString Title() {
  const QWindow* window = winMAIN::instance()->windowHandle();
  return window ? window->title() : QStringLiteral("<no window>");
}

QString Resolutions() {
  QStringList out;
  for (const printer_res& r : Printer_Info) out << QStringLiteral("%1x%2%3").arg(r.h).arg(r.v).arg(r.selected ? "*" : "");
  return out.join(QLatin1Char(' '));
}
}  // namespace

class StartupTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void startValues() {
    QCOMPARE(winMAIN_INITFLAG, 99);
    QCOMPARE(PGM_Name, QStringLiteral("Pixmura"));
    // A decimal number, as the update check compares versions: "1.0", never "1.0.0".
    QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]+\\.[0-9]+$")).match(PGM_Version).hasMatch(), qPrintable(PGM_Version));
    QCOMPARE(winTEXT_Left, -999);
    // The tool palette opened on the pencil, which is then the tool to go back to.
    QCOMPARE(Last_DrawTool, 2);
    QVERIFY(img_lasso && scrn_rect && rnd_number);
    // Two styled texts, both empty: nothing placed yet.
    QVERIFY(myStyledText && myOriginalStyledText);
    QVERIFY(myStyledText != myOriginalStyledText);
    QCOMPARE(myStyledText->Text(), QString());
    QCOMPARE(myStyledText->StyleRunCount(), 0);
    QCOMPARE(myOriginalStyledText->Text(), QString());
    QCOMPARE(myOriginalStyledText->StyleRunCount(), 0);
    QCOMPARE(txt_box[0], -9999);
    QCOMPARE(txt_box[1], -9999);
    QCOMPARE(App::menuSplash()->text(), QStringLiteral("Partial Color Mode"));
    QCOMPARE(App::menu_ABOUT()->text(), QStringLiteral("About Pixmura"));
    // The window: the blank document of the saved canvas size at 100 %, with the tools' start sizes.
    winMAIN* w = winMAIN::instance();
    QVERIFY(w->isVisible());
    QCOMPARE(Title(), QStringLiteral("Pixmura:<untitled>"));
    QCOMPARE(work_area->Width(), 640);
    QCOMPARE(work_area->Height(), 480);
    QCOMPARE(work_area->Pixel(5, 5), Platform::Color(0xFFFFFF));
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(!img_changed);
    QVERIFY(!Save_as_Transparent);
    QCOMPARE(Zoom, 1.0f);
    QCOMPARE(size_PENCIL, 1);
    QCOMPARE(size_SPRAYCAN, 4);
    QCOMPARE(size_ERASER, 2);
    QCOMPARE(size_BRUSH, 3);
    QCOMPARE(Drawing_Fillmode, 1);
    QVERIFY(!show_GRID);
    QVERIFY(INI_File);
    QVERIFY(canvas_transparent);
  }

  void startClearsAnOldTraceLog() {
    const QString log = Platform::FolderItem::Desktop()->Child(QStringLiteral("Pixmura.trace_log"))->ShellPath();
    Fixture::WriteFile(QStringLiteral("Desktop/Pixmura.trace_log"), "old");
    QVERIFY(QFile::exists(log));
    Fixture::StartProgram();
    QVERIFY(!QFile::exists(log));
  }

  void converterDecidesTheSupportedTypes() {
    Platform::Environment::OverrideToolPath(QStringLiteral("convert"), Fixture::Home() + QStringLiteral("/none"));
    App::instance()->Event_Open();
    QCOMPARE(modOptions::supported_types, QStringLiteral("png,jpg,bmp,pict"));
    Fixture::StandInTool(QStringLiteral("convert"), QString());
    App::instance()->Event_Open();
    QCOMPARE(modOptions::supported_types, QStringLiteral("png,jpg,bmp,pict,gif,tiff"));
  }

  void initialisationRunsOnce() {
    winMAIN* w = winMAIN::instance();
    const auto first = work_area;
    w->Check_For_Init(1);
    w->Check_For_Init(2);
    QCOMPARE(work_area, first);
    QVERIFY(w->isVisible());
  }

  void activateBeforeOpenOnlyHides() {
    App::instance()->Event_Open();
    winMAIN* w = winMAIN::instance();
    work_area.reset();
    w->Check_For_Init(2);
    QCOMPARE(winMAIN_INITFLAG, 2);
    QVERIFY(!w->isVisible());
    QVERIFY(!work_area);
    w->Check_For_Init(2);
    QCOMPARE(winMAIN_INITFLAG, 2);
    w->Check_For_Init(1);
    QCOMPARE(winMAIN_INITFLAG, 99);
    QVERIFY(work_area);
    QVERIFY(w->isVisible());
  }

  void launchDocumentOpensAfterTheBlankDocument() {
    const QString photo = Picture(QStringLiteral("photo.png"), 30, 20, qRgb(10, 200, 30));
    Fixture::StartProgram({photo});
    QCOMPARE(Title(), QStringLiteral("Pixmura:photo.png"));
    QCOMPARE(work_area->Width(), 30);
    QCOMPARE(work_area->Pixel(0, 0), Platform::RGB(10, 200, 30));
    QVERIFY(!Delay_OpenItem);
    QVERIFY(!img_changed);
    // The window is laid out before the zoom is chosen: a small picture opens at 100 %.
    QCOMPARE(Zoom, 1.0f);
  }

  void onlyTheLastOfSeveralLaunchDocumentsOpens() {
    const QString first = Picture(QStringLiteral("first.png"), 5, 5, qRgb(1, 1, 1));
    const QString second = Picture(QStringLiteral("second.png"), 6, 6, qRgb(2, 2, 2));
    Fixture::StartProgram({first, second});
    QCOMPARE(Title(), QStringLiteral("Pixmura:second.png"));
  }

  void documentHandedOverLaterIsOnlyRemembered() {
    const QString photo = Picture(QStringLiteral("late.png"), 5, 5, qRgb(1, 1, 1));
    App::instance()->Event_OpenDocument(Platform::FolderItem::FromPath(photo));
    QCOMPARE(Delay_OpenItem->ShellPath(), photo);
    QCOMPARE(Title(), QStringLiteral("Pixmura:<untitled>"));
  }

  void updateCheckDue_data() {
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("due");
    const QDateTime eve(QDate(2009, 12, 30), QTime(23, 59));
    const QDateTime day(QDate(2009, 12, 31), QTime(0, 0));
    QTest::newRow("before") << true << "200912310000" << eve << false;
    QTest::newRow("at") << true << "200912310000" << day << true;
    QTest::newRow("after") << true << "200912310000" << day.addYears(3) << true;
    QTest::newRow("empty is always due") << true << "" << eve << true;
    QTest::newRow("switched off") << false << "" << day << false;
  }
  void updateCheckDue() {
    QFETCH(bool, on);
    QFETCH(QString, next);
    QFETCH(QDateTime, now);
    QFETCH(bool, due);
    modOptions::option_AutoCheck_Update = on;
    modOptions::option_Autocheck_Next = next;
    QCOMPARE(App::Update_Check_Due(now), due);
  }

  void builtInGradient() {
    const QString file = Fixture::SettingsFolder() + QStringLiteral("/Spectrum.Gradient");
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()),
             QStringLiteral("0,0,0\n0:&hFF0000\n16:&hF900FC\n33:&h0000FE\n50:&h1EFFF0\n67:&h1FFF0A\n83:&hFFFF00\n100:&hFF0000\n"));
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(7));
    QVERIFY(!modGRADIENT::Gradient_Changed);
    // A later start reads the file, edits included, in the file's order.
    f.close();
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("2,10\n100:&h000000\n50:&h12\n\n");
    f.close();
    Fixture::StartProgram();
    QCOMPARE(modGRADIENT::Gradient_style, 2);
    QCOMPARE(modGRADIENT::gradient_cx, 50);
    QCOMPARE(modGRADIENT::gradient_cy, 50);
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(2));
    QCOMPARE(modGRADIENT::Gradient[0]->Position, 100);
    QCOMPARE(modGRADIENT::Gradient[1]->gColor, Platform::Color(0x120000));
    QCOMPARE(modGRADIENT::Get_Gradient_Name(), QStringLiteral("Spectrum"));
  }

  void printerProbe_data() {
    QTest::addColumn<QByteArray>("lpstat");
    QTest::addColumn<int>("lpstatCode");
    QTest::addColumn<QByteArray>("lpoptions");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("resolutions");
    QTest::addColumn<int>("inForce");
    const QByteArray pdf = Fixture_Text(QStringLiteral("lpstat-d_default-PDF.txt"));
    QTest::newRow("PDF printer") << pdf << 0 << Fixture_Text(QStringLiteral("lpoptions-l_PDF.txt")) << "PDF"
                                 << "72x72 150x150 300x300* 600x600 1200x1200 2400x2400" << 300;
    QTest::newRow("resolution line last") << pdf << 0 << Fixture_Text(QStringLiteral("lpoptions-l_EPS9.txt")) << "PDF"
                                          << "72x72 60x72 120x72* 240x72" << 120;
    QTest::newRow("no star selects 72") << pdf << 0 << QByteArray("Resolution/Resolution: 300dpi 600dpi\n") << "PDF"
                                        << "72x72* 300x300 600x600" << 72;
    QTest::newRow("two stars, the first is in force") << pdf << 0 << QByteArray("Resolution/Resolution: *360x720dpi *600dpi\n")
                                                      << "PDF" << "72x72 360x720* 600x600*" << 360;
    // "600x600dpi_HQ" leaves an item "_HQ 1200x1200" that reads 0 dpi: it is no resolution.
    QTest::newRow("an item without a number is skipped")
        << pdf << 0 << QByteArray("Resolution/Resolution: 300dpi *600x600dpi_HQ 1200x1200dpi\n") << "PDF"
        << "72x72 300x300 600x600*" << 600;
    QTest::newRow("no resolution option") << pdf << 0 << Fixture_Text(QStringLiteral("lpoptions-l_PS.txt")) << "PDF"
                                          << "72x72*" << 72;
    QTest::newRow("no line feed after the line") << pdf << 0 << QByteArray("Resolution/Resolution: *300dpi") << "PDF"
                                                 << "72x72*" << 72;
    QTest::newRow("lpoptions fails") << pdf << 0 << QByteArray() << "PDF" << "72x72*" << 72;
    QTest::newRow("no default printer") << QByteArray("no system default destination\n") << 0
                                        << Fixture_Text(QStringLiteral("lpoptions-l_PDF.txt")) << "?" << "72x72*" << 72;
    QTest::newRow("an error in place of the name")
        << Fixture_Text(QStringLiteral("lpstat-d_PRINTER-env-nonexistent.txt")) << 0
        << Fixture_Text(QStringLiteral("lpoptions-l_PDF.txt")) << "?" << "72x72*" << 72;
    QTest::newRow("lpstat fails") << pdf << 1 << Fixture_Text(QStringLiteral("lpoptions-l_PDF.txt")) << "?"
                                  << "72x72*" << 72;
    QTest::newRow("no tools") << QByteArray() << -1 << QByteArray() << "?" << "72x72*" << 72;
  }
  void printerProbe() {
    QFETCH(QByteArray, lpstat);
    QFETCH(int, lpstatCode);
    QFETCH(QByteArray, lpoptions);
    QFETCH(QString, name);
    QFETCH(QString, resolutions);
    QFETCH(int, inForce);
    if (lpstatCode >= 0) Tool(QStringLiteral("lpstat"), lpstat, lpstatCode);
    if (lpstatCode >= 0) Tool(QStringLiteral("lpoptions"), lpoptions, lpoptions.isEmpty() ? 1 : 0);
    Get_Printer_Info();
    Get_Printer_Info();  // probing again starts afresh
    QCOMPARE(Printer_Name, name);
    QCOMPARE(Resolutions(), resolutions);
    QCOMPARE(Get_Printer_Rez(true), inForce);
    // The stored page set-up is a portrait one at the resolution in force.
    PageSetup setup;
    QVERIFY2(setup.SetSetupString(Printer_SetupString), qPrintable(Printer_SetupString));
    QVERIFY(!setup.Landscape());
    QCOMPARE(setup.MaxHorizontalResolution(), inForce);
    QCOMPARE(setup.MaxVerticalResolution(), Get_Printer_Rez(false));
  }

  void userPatternSheet() {
    const QString sheet = Fixture::SettingsFolder() + QStringLiteral("/User_Brushes.png");
    QVERIFY(QFile::exists(sheet));
    QCOMPARE(Fixture::Difference(user_brushes, Resources::pixmura_brushes()), QString());
    // The user's own sheet is read at the next start.
    QImage edited(sheet);
    edited.setPixel(1, 1, qRgb(1, 2, 3));
    QVERIFY(edited.save(sheet));
    Fixture::StartProgram();
    QCOMPARE(user_brushes->Pixel(1, 1), Platform::RGB(1, 2, 3));
  }

  // A settings folder that cannot be made (its parent is a file) leaves the built-in patterns and a
  // program that starts whole.
  void unusableSettingsFolder() {
    const QString blocker = Fixture::WriteFile(QStringLiteral("notafolder"), "x");
    qputenv("XDG_DATA_HOME", blocker.toLocal8Bit());
    Fixture::StartProgram();
    qputenv("XDG_DATA_HOME", (Fixture::Home() + QStringLiteral("/data")).toLocal8Bit());
    QCOMPARE(Fixture::Difference(user_brushes, Resources::pixmura_brushes()), QString());
    QVERIFY(img_lasso && scrn_rect);
    QCOMPARE(modGRADIENT::Gradient.size(), size_t(7));
    QVERIFY(winMAIN::instance()->isVisible());
    QCOMPARE(work_area->Width(), 640);
  }

  void closingWithUnsavedChanges() {
    winMAIN* w = winMAIN::instance();
    App::menu_ABOUT()->trigger();
    w->SetWindowModified(true);
    const auto answer = [](const QString& button) {
      Fixture::ExpectAny([button](Platform::ModalRequest& r) -> QVariant {
        if (r.buttons != QStringList{QStringLiteral("Save"), QStringLiteral("Don\u2019t Save"), QStringLiteral("Cancel")})
          Platform::ModalHost::RecordFailure(QStringLiteral("unexpected ") + Platform::ModalHost::Describe(r));
        return button;
      });
    };
    answer(QStringLiteral("Cancel"));
    QVERIFY(!w->close());
    QVERIFY(w->isVisible());
    QVERIFY(winABOUT::existing());
    QVERIFY(!QFile::exists(Fixture::SettingsFolder() + QStringLiteral("/Config.INI")));
    answer(QStringLiteral("Don\u2019t Save"));
    App::Quit();
    QVERIFY(!w->isVisible());
    QTRY_VERIFY(!winABOUT::existing());
    QVERIFY(QFile::exists(Fixture::SettingsFolder() + QStringLiteral("/Config.INI")));
  }

  void openRecentOpensThatFile() {
    const QString a = Picture(QStringLiteral("a.png"), 7, 7, qRgb(9, 9, 9));
    const QString b = Picture(QStringLiteral("b.png"), 8, 8, qRgb(8, 8, 8));
    MRU_Files = QStringList{a, b};
    App::menu_Recent(1)->trigger();
    QCOMPARE(Title(), QStringLiteral("Pixmura:b.png"));
    QCOMPARE(MRU_Files, (QStringList{b, a}));
    App::menu_New()->setEnabled(true);
    App::menu_New()->trigger();
    QCOMPARE(Title(), QStringLiteral("Pixmura:<untitled>"));
    Fixture::ExpectOpenFile(a);
    App::menu_Open()->trigger();
    QCOMPARE(Title(), QStringLiteral("Pixmura:a.png"));
  }

  void newFromClipboard() {
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 10));
    picture.setPixel(3, 4, qRgb(255, 255, 255));
    QGuiApplication::clipboard()->setImage(picture);
    MenuBar1::instance()->Enable_Menu_Items();
    App::menu_New_FROM_CLIPBOARD()->trigger();
    QCOMPARE(work_area->Width(), 30);
    QCOMPARE(work_area->Height(), 20);
    QCOMPARE(work_area->Pixel(0, 0), Platform::RGB(200, 10, 10));
    QCOMPARE(work_area->Pixel(3, 4), Platform::Color(0xFFFFFF));
    QCOMPARE(Fixture::Difference(pic_Stack[Current_Picture], work_area), QString());
    // The blank picture, its resize and the picture: the picture is the state on show.
    QCOMPARE(pic_Stack.size(), size_t(3));
    QVERIFY(img_changed);
    QCOMPARE(drawing_TOOL, -1);
    QCOMPARE(Title(), QStringLiteral("Pixmura:<untitled>*"));
    // A picture of the settings' canvas size needs no resize step.
    picture = QImage(640, 480, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    QGuiApplication::clipboard()->setImage(picture);
    Fixture::ExpectAny([](Platform::ModalRequest&) -> QVariant { return QStringLiteral("Don\u2019t Save"); });
    winMAIN::instance()->image_New_from_clipboard();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(work_area->Pixel(639, 479), Platform::RGB(1, 2, 3));
    QGuiApplication::clipboard()->clear();
  }

  void newFromClipboardCancelledChangesNothing() {
    Fixture::NewDocument(50, 40, 0x00FF00);
    winMAIN::instance()->SetWindowModified(true);
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(qRgb(200, 10, 10));
    QGuiApplication::clipboard()->setImage(picture);
    Fixture::ExpectAny([](Platform::ModalRequest&) -> QVariant { return QStringLiteral("Cancel"); });
    winMAIN::instance()->image_New_from_clipboard();
    QCOMPARE(work_area->Width(), 50);
    QCOMPARE(work_area->Pixel(0, 0), Platform::Color(0x00FF00));
    QCOMPARE(pic_Stack.size(), size_t(1));
    QVERIFY(img_changed);
    QGuiApplication::clipboard()->clear();
  }

  void printerResolutionWithoutAnyEntry() {
    Printer_Info.clear();
    QCOMPARE(Get_Printer_Rez(true), -1);
    QVERIFY(Printer_Info.empty());
  }
};

PIXMURA_TEST_CLASS(StartupTests)
#include "StartupTests.moc"
