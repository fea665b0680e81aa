// The main window as built and as arranged: the designed controls, the arrangement for the view
// settings and the picture, the scroll bars it needs, and resizing.
#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLayout>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "palettes/RoundSlider.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classScrollbar.h"
#include "palettes/classTOOLS.h"
#include "SurroundingsDriving.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }
QWidget* Content() { return Main()->centralWidget(); }

// A control's place and size in the window's content.
QRect Place(const QWidget* control) { return QRect(control->mapTo(Content(), QPoint(0, 0)), control->size()); }

// What is shown of a control, whether or not the window itself shows.
bool Shown(const QWidget* control) { return control->isVisibleTo(Content()); }

using Surroundings::Size_Content;
using Surroundings::View_Settings;
}  // namespace

class LayoutTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void aNewWindowIsAsDesigned() {
    delete Main();
    winMAIN* w = Main();
    QCOMPARE(Content()->size(), QSize(1063, 600));
    QCOMPARE(Content()->minimumSize(), QSize(940, 480));
    QCOMPARE(w->windowTitle(), QString());
    for (QWidget* shown : std::initializer_list<QWidget*>{w->gbTools, w->classTOOLS1, w->gbColors, w->classCOLORS1,
                                                          w->classPATTERNS1, w->btnPAT(0), w->btnPAT(1), w->btnPAL(0),
                                                          w->btnPAL(1), w->statusbar, w->canvasARROW, w->Slider_Zoom,
                                                          w->Slider_Pencil, w->Screen_Canvas})
      QVERIFY2(!shown->isHidden(), qPrintable(shown->objectName()));
    for (QWidget* hidden : std::initializer_list<QWidget*>{w->canvas_BG, w->Scroll_V_OS, w->Scroll_H_OS, w->Scroll_V_Custom,
                                                           w->Scroll_H_Custom, w->canvasRULER(0), w->canvasRULER(1),
                                                           w->canvasFiller, w->myHelpTag, w->pb_BARBER})
      QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    QCOMPARE(Place(w->gbTools), QRect(2, 2, 78, 582));
    QCOMPARE(Place(w->classTOOLS1), QRect(4, 6, 74, 553));
    QCOMPARE(Place(w->gbColors), QRect(86, 1, 977, 55));
    QCOMPARE(Place(w->classCOLORS1), QRect(92, 5, 580, 45));
    QCOMPARE(Place(w->classPATTERNS1), QRect(658, 5, 230, 45));
    // btnPAT(0) and btnPAL(1) are the upper buttons.
    QCOMPARE(Place(w->btnPAT(0)), QRect(889, 7, 18, 19));
    QCOMPARE(Place(w->btnPAT(1)), QRect(889, 29, 18, 19));
    QCOMPARE(Place(w->btnPAL(1)), QRect(931, 7, 18, 19));
    QCOMPARE(Place(w->btnPAL(0)), QRect(931, 29, 18, 19));
    QCOMPARE(Place(w->canvas_BG), QRect(82, 56, 867, 413));
    QCOMPARE(Place(w->Screen_Canvas), QRect(86, 60, 100, 100));
    QCOMPARE(Place(w->statusbar), QRect(0, 576, 1048, 24));
    QCOMPARE(Place(w->Scroll_V_OS), QRect(1047, 56, 16, 527));
    QCOMPARE(Place(w->Scroll_H_OS), QRect(82, 567, 965, 16));
    QCOMPARE(w->Scroll_H_OS->maximum(), 100);
    QCOMPARE(w->Scroll_H_OS->pageStep(), 50);
    QCOMPARE(w->Scroll_V_OS->pageStep(), 20);
    QCOMPARE(w->Slider_Zoom->minimum, 1.0f);
    QCOMPARE(w->Slider_Zoom->maximum, 7.0f);
    QCOMPARE(w->Slider_Pencil->minimum, 1.0f);
    QCOMPARE(w->Slider_Pencil->maximum, 10.0f);
    QCOMPARE(w->pb_BARBER->maximum(), 100);
    QVERIFY(w->timer_LASSO->isActive());
    QCOMPARE(w->timer_LASSO->interval(), 200);
    QVERIFY(!w->timer_SPRAYCAN->isActive() && !w->timer_HELPTAG->isActive());
    // Only the platform's scroll bars take the keyboard focus.
    QCOMPARE(w->canvas_BG->focusPolicy(), Qt::NoFocus);
    QCOMPARE(w->Scroll_V_Custom->focusPolicy(), Qt::NoFocus);
    QVERIFY(w->Scroll_V_OS->focusPolicy() != Qt::NoFocus);
    Fixture::StartProgram();
  }

  void theControlsOpenBeforeTheWindow() {
    // The zoom slider's own open set it to 1 (25 %); the window's initialisation then set 100 %.
    QCOMPARE(Main()->Slider_Zoom->Get_Value(), 3.0f);
    QCOMPARE(Zoom, 1.0f);
    QCOMPARE(Main()->Slider_Pencil->Get_Value(), 1.0f);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
    // The drawn bars opened as horizontal and vertical bars from their designed shapes.
    QVERIFY(Main()->Scroll_H_Custom->Horizontal());
    QVERIFY(!Main()->Scroll_V_Custom->Horizontal());
    QVERIFY(Main()->acceptDrops());
    QVERIFY(Shown(Main()->canvas_BG));
  }

  void theSavedBoundsAreLaidOutAtStart() {
    Fixture::WriteFile(QStringLiteral("data/pixmura/Config.INI"),
                       "[Options]\nShowTools=True\nShowRuler=False\n[Window]\nLeft=0\nTop=0\nWidth=1200\nHeight=700\n");
    // A remembered window is kept within the screen: give it one that holds it.
    Platform::Environment::OverrideScreenSize(QSize(1600, 1000));
    Fixture::StartProgram();
    QCOMPARE(Main()->width(), 1200);
    // The surround reaches the window's right edge and the status bar, which runs along the bottom.
    const QRect surround = Place(Main()->canvas_BG);
    QCOMPARE(surround.left(), 80);
    QCOMPARE(surround.right(), 1199);
    QCOMPARE(surround.bottom() + 1, Place(Main()->statusbar).top());
    QCOMPARE(Place(Main()->statusbar).bottom(), Content()->height() - 1);
    // A document handed over at launch is measured against that view: 1000 pixels fit at 100 %.
    QImage photo(1000, 300, QImage::Format_RGB32);
    photo.fill(Qt::gray);
    const QString path = Fixture::Home() + QStringLiteral("/wide.png");
    QVERIFY(photo.save(path));
    Fixture::StartProgram({path});
    QCOMPARE(work_area->Width(), 1000);
    QCOMPARE(Zoom, 1.0f);
  }

  void theDesignedWindowWithAFittingPicture() {
    View_Settings(true, true, true, true, false);
    Size_Content(QSize(1063, 600));
    Fixture::NewDocument(640, 480);
    Main()->Scroll_H_Custom->Value(30);
    Main()->Arrange_Controls();
    winMAIN* w = Main();
    for (QWidget* bar : std::initializer_list<QWidget*>{w->Scroll_H_OS, w->Scroll_V_OS, w->Scroll_H_Custom, w->Scroll_V_Custom})
      QVERIFY2(!Shown(bar), qPrintable(bar->objectName()));
    // A hidden bar's value is not the view's.
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 0));
    QCOMPARE(Place(w->gbTools), QRect(2, 2, 78, 574));
    QCOMPARE(Place(w->gbColors), QRect(82, 2, 977, 55));
    QCOMPARE(Place(w->classCOLORS1).left(), 88);
    QCOMPARE(Place(w->classPATTERNS1).left(), 682);
    QCOMPARE(Place(w->btnPAT(0)).left(), 914);
    QCOMPARE(Place(w->btnPAT(1)).left(), 914);
    QCOMPARE(Place(w->btnPAL(0)).left(), 457);
    QCOMPARE(Place(w->btnPAL(1)).left(), 457);
    // The palettes keep their places within the group's height.
    QCOMPARE(Place(w->btnPAT(0)).top(), 8);
    QCOMPARE(Place(w->btnPAT(1)).top(), 30);
    QCOMPARE(Place(w->canvasFiller), QRect(80, 57, 25, 25));
    QCOMPARE(Place(w->canvasRULER(0)), QRect(105, 57, 958, 21));
    QCOMPARE(Place(w->canvasRULER(1)), QRect(80, 82, 21, 494));
    QCOMPARE(Place(w->canvas_BG), QRect(101, 78, 962, 498));
    // The tool palette reaches down with its group.
    QCOMPARE(w->classTOOLS1->height(), 553 - 8);
    QVERIFY(Shown(w->statusbar) && Shown(w->canvasRULER(0)) && Shown(w->canvasRULER(1)) && Shown(w->canvasFiller));
  }

  void aPictureLargerThanTheViewGetsBothSystemBars() {
    View_Settings(true, true, true, true, true);
    Size_Content(QSize(1063, 600));
    Fixture::NewDocument(990, 600);
    Main()->Scroll_H_OS->setValue(7);
    Main()->Scroll_V_OS->setValue(9);
    Main()->Arrange_Controls();
    winMAIN* w = Main();
    QVERIFY(Shown(w->Scroll_H_OS) && Shown(w->Scroll_V_OS));
    QVERIFY(!Shown(w->Scroll_H_Custom) && !Shown(w->Scroll_V_Custom));
    QCOMPARE(Place(w->Scroll_V_OS), QRect(1047, 78, 16, 482));
    QCOMPARE(Place(w->Scroll_H_OS).topLeft(), QPoint(80, 560));
    QCOMPARE(Place(w->canvas_BG), QRect(101, 78, 946, 482));
    QCOMPARE(w->canvasRULER(0)->width(), 942);
    QCOMPARE(w->canvasRULER(1)->height(), 478);
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(7, 9));
    // The drawn bars take the platform bars' lengths.
    QCOMPARE(w->Scroll_V_Custom->height(), 482);
    QCOMPARE(w->Scroll_H_Custom->width(), w->Scroll_H_OS->width());
  }

  void aPictureExactlyAsWideAsTheFitAreaGetsItsBar_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("bar");
    // Without tools the fit area is the window's 1063 pixels.
    QTest::newRow("1063 at 100 %") << 1.0f << 1063 << true;
    QTest::newRow("1062 at 100 %") << 1.0f << 1062 << false;
    QTest::newRow("532 at 200 %, a pixel over") << 2.0f << 532 << true;
    QTest::newRow("531 at 200 %") << 2.0f << 531 << false;
  }
  void aPictureExactlyAsWideAsTheFitAreaGetsItsBar() {
    QFETCH(float, zoom);
    QFETCH(int, width);
    QFETCH(bool, bar);
    View_Settings(false, true, true, false, false);
    Size_Content(QSize(1063, 600));
    Fixture::NewDocument(width, 100);
    Zoom = zoom;
    Main()->Arrange_Controls();
    QCOMPARE(Shown(Main()->Scroll_H_Custom), bar);
    QVERIFY(!Shown(Main()->Scroll_V_Custom));
    QVERIFY(!Shown(Main()->Scroll_H_OS));
  }

  void withEverythingHiddenTheSurroundFillsTheWindow() {
    View_Settings(false, false, false, false, true);
    Size_Content(QSize(1000, 700));
    Fixture::NewDocument(100, 100);
    Main()->Arrange_Controls();
    QCOMPARE(Place(Main()->canvas_BG), QRect(0, 0, 1000, 700 - 24));
    QVERIFY(!Shown(Main()->gbTools) && !Shown(Main()->gbColors) && !Shown(Main()->canvasFiller));
    QVERIFY(!Shown(Main()->classTOOLS1));
    // Both bars needed: they take their thickness from the surround.
    Fixture::NewDocument(2000, 2000);
    Main()->Arrange_Controls();
    QCOMPARE(Place(Main()->canvas_BG), QRect(0, 0, 1000 - 16, 700 - 24 - 16));
    QCOMPARE(Place(Main()->Scroll_V_OS), QRect(1000 - 16, 0, 16, 700 - 24 - 16));
    QCOMPARE(Place(Main()->Scroll_H_OS).topLeft(), QPoint(0, 700 - 24 - 16));
  }

  void onlyTheFillPatternsShown() {
    View_Settings(true, false, true, false, false);
    Main()->Arrange_Controls();
    const QRect group = Place(Main()->gbColors);
    QVERIFY(Shown(Main()->gbColors));
    QCOMPARE(Place(Main()->classPATTERNS1).left(), group.left() + 6);
    QCOMPARE(Place(Main()->btnPAT(0)).left(), group.left() + 6 + 230 + 2);
    QVERIFY(Shown(Main()->btnPAT(0)) && Shown(Main()->btnPAT(1)));
    QVERIFY(!Shown(Main()->classCOLORS1) && !Shown(Main()->btnPAL(0)) && !Shown(Main()->btnPAL(1)));
  }

  void thePartialColourModeHidesThePatternPageButtons() {
    View_Settings(true, true, true, false, false);
    modColorSplash::ColorSplash_Mode = 16;
    Main()->Arrange_Controls();
    QVERIFY(Shown(Main()->classPATTERNS1));
    QVERIFY(!Shown(Main()->btnPAT(0)) && !Shown(Main()->btnPAT(1)));
    QVERIFY(Shown(Main()->btnPAL(0)));
    modColorSplash::ColorSplash_Mode = 0;
    Main()->Arrange_Controls();
    QVERIFY(Shown(Main()->btnPAT(0)) && Shown(Main()->btnPAT(1)));
  }

  void theOffsetComesBackFromTheShownBars() {
    View_Settings(true, true, true, true, false);
    Fixture::NewDocument(3000, 3000);
    Main()->Scroll_V_Custom->Value(120);
    Main()->Scroll_H_Custom->Value(30);
    Main()->Arrange_Controls();
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(30, 120));
    // A picture narrow enough loses its horizontal bar and goes back to its left edge; the bar keeps
    // its value for when it shows again.
    Fixture::NewDocument(300, 3000);
    Main()->Arrange_Controls();
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 120));
    Fixture::NewDocument(3000, 3000);
    Main()->Arrange_Controls();
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(30, 120));
  }

  void nothingMovesBeforeTheInitialisation() {
    winMAIN* w = Main();
    View_Settings(true, true, true, true, false);
    Fixture::NewDocument(5000, 5000);
    w->Arrange_Controls();
    QList<QRect> places;
    QList<bool> shown;
    const QList<QWidget*> controls = w->findChildren<QWidget*>();
    for (QWidget* c : controls) {
      places << c->geometry();
      shown << c->isVisibleTo(Content());
    }
    offset = Point_of(3, 4);
    winMAIN_INITFLAG = 98;
    View_Settings(false, false, false, false, true);
    w->Arrange_Controls();
    for (int i = 0; i < controls.size(); ++i) {
      QCOMPARE(controls[i]->geometry(), places[i]);
      QCOMPARE(controls[i]->isVisibleTo(Content()), shown[i]);
    }
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(3, 4));
    winMAIN_INITFLAG = 99;
  }

  void resizingTheWindowLaysItOutAgain() {
    View_Settings(true, true, true, false, false);
    Size_Content(QSize(1063, 600));
    Fixture::NewDocument(640, 480);
    canvas_transparent.reset();
    Size_Content(QSize(1200, 700));
    // While the size changes the window is laid out again at once; the locks keep the status bar along
    // the bottom.
    QCOMPARE(Place(Main()->statusbar), QRect(0, 676, 1048 + 137, 24));
    QCOMPARE(Place(Main()->canvas_BG), QRect(80, 57, 1200 - 80, 700 - 24 - 57));
    QCOMPARE(Main()->gbColors->width(), 1200 - 82 - 4);
    // The resized event comes once the size has settled, and makes the checkerboard for it.
    QVERIFY(!canvas_transparent);
    QTRY_VERIFY(canvas_transparent);
    // The window cannot be made smaller than its minimum.
    Main()->resize(200, 100);
    Main()->layout()->activate();
    QVERIFY(Content()->width() >= 940 && Content()->height() >= 480);
  }
};
PIXMURA_TEST_CLASS(LayoutTests)
#include "LayoutTests.moc"
