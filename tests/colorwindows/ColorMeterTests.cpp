// The colour meter, opened from the View menu and fed by the main window's status-bar update.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTest>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLORMeter.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;

namespace {

void Menu() { MenuBar1::instance()->Item(QStringLiteral("menu_ColorMeter"))->trigger(); }

winCOLORMeter* Meter() { return winCOLORMeter::existing(); }

// The pointer over image pixel (x, y): the status-bar update that follows feeds the meter.
void Point_At(int x, int y) {
  modMAIN::Mouse_Point = modMAIN::Point_of(x, y);
  winMAIN::instance()->Update_Statusbar();
}

QString Values() {
  return QStringList{Meter()->cval[0]->text(), Meter()->cval[1]->text(), Meter()->cval[2]->text()}.join(',');
}

QImage Magnifier() { return Meter()->Canvas1->grab().toImage().convertToFormat(QImage::Format_RGB32); }
Color At(const QImage& image, int x, int y) { return Platform::FromQRgb(image.pixel(x, y)); }

// A 20 x 20 picture whose pixel (x, y) is red 10x, green 10y, blue 7.
void Gradient_Document() {
  Fixture::NewDocument(20, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) modMAIN::work_area->SetPixel(x, y, Platform::RGB(10 * x, 10 * y, 7));
}

// The 9 x 9 blocks of the magnifier: block (i, j) fills (10i..10i+9, 10j..10j+9); the outline covers the
// canvas's edge and the centre block's edge. Lists what differs from the colours given by block.
QStringList Blocks_Differ(const QImage& shown, const std::function<Color(int i, int j)>& block) {
  QStringList wrong;
  for (int j = 0; j < 9; ++j)
    for (int i = 0; i < 9; ++i)
      for (const QPoint& p : {QPoint(10 * i + 2, 10 * j + 2), QPoint(10 * i + 7, 10 * j + 7)})
        if (At(shown, p.x(), p.y()) != block(i, j))
          wrong << QStringLiteral("block %1,%2 at %3,%4: %5").arg(i).arg(j).arg(p.x()).arg(p.y()).arg(At(shown, p.x(), p.y()), 6, 16, QLatin1Char('0'));
  for (const QPoint& p : {QPoint(0, 0), QPoint(89, 89), QPoint(0, 45), QPoint(89, 45), QPoint(45, 0), QPoint(45, 89),
                          QPoint(40, 40), QPoint(49, 49), QPoint(40, 45), QPoint(49, 45), QPoint(45, 40), QPoint(45, 49)})
    if (At(shown, p.x(), p.y()) != 0) wrong << QStringLiteral("outline at %1,%2").arg(p.x()).arg(p.y());
  return wrong;
}

}  // namespace

class ColorMeterTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void opensWithItsLayoutAtTheRememberedPlace() {
    Menu();
    QVERIFY(Meter());
    QVERIFY(modMAIN::active_COLORMETER);
    QCOMPARE(Meter()->windowTitle(), QStringLiteral("Color Meter"));
    QCOMPARE(Meter()->geometry(), QRect(50, 50, 252, 105));
    QVERIFY(Meter()->windowFlags() & Qt::Tool);
    QCOMPARE(Meter()->PopupMenu1->itemText(2), QStringLiteral("RGB as Percent"));
    QCOMPARE(Meter()->lblColor[1]->text(), QStringLiteral("Green"));
    // Nothing read yet: component 0 in the notation, and only the outlines.
    QCOMPARE(Values(), QStringLiteral("00,00,00"));
    const QImage shown = Magnifier();
    QCOMPARE(shown.size(), QSize(90, 90));
    QCOMPARE(At(shown, 0, 0), Color(0));
    QCOMPARE(At(shown, 40, 44), Color(0));
    QVERIFY(At(shown, 20, 20) != 0);
  }

  void theValuesInEachNotation_data() {
    QTest::addColumn<uint>("pixel");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("800310") << 0x800310u << QStringList{"80,03,10", "128,3,16", "50%,1%,6%"};
    QTest::newRow("black") << 0x000000u << QStringList{"00,00,00", "0,0,0", "0%,0%,0%"};
    QTest::newRow("white") << 0xFFFFFFu << QStringList{"FF,FF,FF", "255,255,255", "100%,100%,100%"};
  }
  void theValuesInEachNotation() {
    QFETCH(uint, pixel);
    QFETCH(QStringList, texts);
    Fixture::NewDocument(30, 30, 0x123456);
    modMAIN::work_area->SetPixel(12, 7, pixel);
    Menu();
    Point_At(12, 7);
    QCOMPARE(Values(), texts[0]);
    // Another notation rewrites the values at once, without another reading.
    for (int mode : {1, 2, 0}) {
      Meter()->PopupMenu1->setCurrentIndex(mode);
      QCOMPARE(Values(), texts[mode]);
    }
  }

  void theMagnifierShowsTheImagePixelsAroundThePointerAtAnyZoom() {
    Gradient_Document();
    Menu();
    for (float zoom : {1.0f, 4.0f, 0.25f}) {
      winMAIN::instance()->Set_Zoom(zoom);
      Point_At(10, 10);
      QCOMPARE(Values(), QStringLiteral("64,64,07"));
      const QStringList wrong =
          Blocks_Differ(Magnifier(), [](int i, int j) { return Platform::RGB(10 * (6 + i), 10 * (6 + j), 7); });
      QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("zoom %1: ").arg(zoom) + wrong.join(", ")));
    }
  }

  void pixelsBeyondThePictureShowWhite() {
    Gradient_Document();
    Menu();
    Point_At(0, 0);
    QCOMPARE(Values(), QStringLiteral("00,00,07"));
    QStringList wrong = Blocks_Differ(Magnifier(), [](int i, int j) {
      return i < 4 || j < 4 ? Color(0xFFFFFF) : Platform::RGB(10 * (i - 4), 10 * (j - 4), 7);
    });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
    Point_At(19, 19);
    wrong = Blocks_Differ(Magnifier(), [](int i, int j) {
      return i > 4 || j > 4 ? Color(0xFFFFFF) : Platform::RGB(10 * (15 + i), 10 * (15 + j), 7);
    });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
    // The pointer itself beyond the picture: everything white, never what the memory held.
    Point_At(-30, 25);
    QCOMPARE(Values(), QStringLiteral("FF,FF,FF"));
    wrong = Blocks_Differ(Magnifier(), [](int, int) { return Color(0xFFFFFF); });
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(", ")));
  }

  void aStrokeAndAToolChangeShowTheNewColour() {
    Fixture::NewDocument(40, 40);
    Menu();
    Point_At(5, 5);
    QCOMPARE(Values(), QStringLiteral("FF,FF,FF"));
    modMAIN::work_area->SetPixel(5, 5, 0x00FF00);
    winMAIN::instance()->Draw_Complete();
    winMAIN::instance()->drawing_TOOL_SET(modMAIN::TOOL_LINE);
    QCOMPARE(Values(), QStringLiteral("00,FF,00"));
  }

  void closedItReopensWhereItWasInItsNotation() {
    Menu();
    Meter()->setGeometry(300, 200, 252, 105);
    Meter()->PopupMenu1->setCurrentIndex(1);
    QVERIFY(Meter()->close());
    QVERIFY(!Meter());
    QVERIFY(!modMAIN::active_COLORMETER);
    QCOMPARE(modOptions::option_ColorMeter_Left, 300);
    QCOMPARE(modOptions::option_ColorMeter_Top, 200);
    QCOMPARE(modOptions::option_ColorMeter_Mode, 1);
    Menu();
    QCOMPARE(Meter()->geometry().topLeft(), QPoint(300, 200));
    QCOMPARE(Meter()->PopupMenu1->currentIndex(), 1);
    QCOMPARE(Values(), QStringLiteral("0,0,0"));
  }

  void quittingWritesThePlaceOfTheLastClosing() {
    Menu();
    Meter()->setGeometry(300, 200, 252, 105);
    Meter()->PopupMenu1->setCurrentIndex(1);
    MenuBar1::instance()->Item(QStringLiteral("FileQuit"))->trigger();
    // The settings were written before the meter closed; closing then copied its place and notation.
    QFile file(Fixture::SettingsFolder() + QStringLiteral("/Config.INI"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString config = QString::fromUtf8(file.readAll());
    QVERIFY2(config.contains(QStringLiteral("[ColorMeter]\nLeft=50\nMode=0\nTop=50\n"), Qt::CaseInsensitive), qPrintable(config));
    QVERIFY(!Meter());
    QCOMPARE(modOptions::option_ColorMeter_Left, 300);
    QCOMPARE(modOptions::option_ColorMeter_Mode, 1);
  }

  void theMenuItemOpensAndClosesIt() {
    Menu();
    QVERIFY(Meter() && Meter()->isVisible());
    Menu();
    QVERIFY(!Meter());
    QVERIFY(!modMAIN::active_COLORMETER);
    Menu();
    QVERIFY(Meter()->close());
    Menu();
    QVERIFY(Meter() && Meter()->isVisible());
    QVERIFY(!MenuBar1::instance()->Item(QStringLiteral("menu_ColorMeter"))->isChecked());
    // The old window is gone by the next turn of the event loop; the open one stays.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(Meter() && modMAIN::active_COLORMETER);
  }

  void aRememberedPlaceOffTheScreenComesBackOnIt() {
    Platform::Environment::OverrideScreenSize(QSize(1024, 768));
    modOptions::option_ColorMeter_Left = 5000;
    modOptions::option_ColorMeter_Top = -300;
    Menu();
    QCOMPARE(Meter()->geometry(), QRect(1024 - 252, 0, 252, 105));
  }
};

PIXMURA_TEST_CLASS(ColorMeterTests)
#include "ColorMeterTests.moc"
