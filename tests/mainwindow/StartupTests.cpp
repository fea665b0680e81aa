// The main window as the user first sees it.
#include <QTest>
#include <QWindow>

#include "core/EditingState.h"
#include "mainwindow/MenuDriving.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

class MainWindowStartTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void aBlankUntitledPictureAt100PercentWithNothingToUndo() {
    winMAIN* w = winMAIN::instance();
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowHandle()->title(), QStringLiteral("Pixmura:<untitled>"));
    QCOMPARE(QSize(work_area->Width(), work_area->Height()), QSize(640, 480));
    for (const QPoint p : {QPoint(0, 0), QPoint(639, 479), QPoint(320, 240)})
      QCOMPARE(work_area->Pixel(p.x(), p.y()), Platform::Color(0xFFFFFF));
    QCOMPARE(Zoom, 1.0f);
    QCOMPARE(w->Slider_Zoom->Get_Value(), 3.0f);
    // The picture fits: the canvas shows it whole, from its top-left corner.
    QCOMPARE(w->Screen_Canvas->size(), QSize(640, 480));
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 0));
    MenuDriving::Refresh();
    QVERIFY(!MenuDriving::Item(QStringLiteral("menu_UnDo"))->isEnabled());
    QVERIFY(!MenuDriving::Item(QStringLiteral("menu_ReDo"))->isEnabled());
    // Once the window has started, it starts no more: another open or activation changes nothing.
    const auto picture = work_area;
    w->Check_For_Init(1);
    w->Check_For_Init(2);
    QCOMPARE(work_area, picture);
    QCOMPARE(winMAIN_INITFLAG, 99);
  }
};
PIXMURA_TEST_CLASS(MainWindowStartTests)
#include "StartupTests.moc"
