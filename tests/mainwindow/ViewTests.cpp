// The main window's view: the two pixel spaces, the canvas size and scroll ranges, the zoom with its
// slider, repaint requests, and the scroll bars of both kinds with the wheel over them.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/RoundSlider.h"
#include "palettes/classScrollbar.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// Counts the paints of a canvas from now on, keeping what it painted before.
struct PaintCounter {
  Platform::Canvas* canvas;
  std::function<void(Platform::Graphics&)> before;
  int paints = 0;
  explicit PaintCounter(Platform::Canvas* c) : canvas(c), before(c->Paint) {
    canvas->Paint = [this](Platform::Graphics& g) {
      ++paints;
      if (before) before(g);
    };
  }
  ~PaintCounter() { canvas->Paint = before; }
};

// Lets pending paints run, then forgets them.
void Settle(std::initializer_list<PaintCounter*> counters) {
  QApplication::processEvents();
  QApplication::processEvents();
  for (PaintCounter* c : counters) c->paints = 0;
}

// Sends a wheel turn of `notches` (positive: towards the user, scrolling down) to a widget.
void Wheel(QWidget* w, int notches, bool sideways = false) {
  const QPoint at(w->width() / 2, w->height() / 2);
  const QPoint delta = sideways ? QPoint(-120 * notches, 0) : QPoint(0, -120 * notches);
  QWheelEvent e(at, w->mapToGlobal(at), QPoint(), delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &e);
}
}  // namespace

class ViewTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void screenAndImagePixelsConvertBothWays_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QPoint>("offsetAt");
    QTest::addColumn<QPoint>("screen");
    QTest::addColumn<QPoint>("image");
    QTest::newRow("25 %") << 0.25f << QPoint(10, 20) << QPoint(3, 5) << QPoint(22, 40);
    QTest::newRow("400 %") << 4.0f << QPoint(100, 50) << QPoint(8, 12) << QPoint(102, 53);
    QTest::newRow("100 %, scrolled") << 1.0f << QPoint(7, 9) << QPoint(0, 0) << QPoint(7, 9);
  }
  void screenAndImagePixelsConvertBothWays() {
    QFETCH(float, zoom);
    QFETCH(QPoint, offsetAt);
    QFETCH(QPoint, screen);
    QFETCH(QPoint, image);
    Zoom = zoom;
    offset = Point_of(offsetAt.x(), offsetAt.y());
    const point_record i = Main()->Screen_to_image_Coordinates(screen.x(), screen.y());
    QCOMPARE(QPoint(i.x, i.y), image);
    const point_record s = Main()->image_to_Screen_Coordinates(Point_of(image.x(), image.y()));
    QCOMPARE(QPoint(s.x, s.y), screen);
  }

  void aScreenPointInsideAZoomedPixelFindsThatPixel() {
    // At 400 % the screen pixels 8 to 11 all show the image pixel 102.
    Zoom = 4;
    offset = Point_of(100, 50);
    for (int sx = 8; sx <= 11; ++sx) QCOMPARE(Main()->Screen_to_image_Coordinates(sx, 12).x, 102);
    QCOMPARE(Main()->Screen_to_image_Coordinates(12, 12).x, 103);
  }

  void aSelectionConvertsToTheScreenNormalised() {
    Zoom = 4;
    offset = Point_of(100, 50);
    classRECTANGLE r;
    // Stored bottom-right first.
    r.set_Top_Left(Point_of(110, 60));
    r.set_Bot_Right(Point_of(102, 53));
    const auto s = Main()->image_to_Screen_Rectangle(r);
    QCOMPARE(QPoint(s->Top_Left().x, s->Top_Left().y), QPoint(8, 12));
    QCOMPARE(QPoint(s->Bot_Right().x, s->Bot_Right().y), QPoint(40, 40));
    // The first corner stored is the top-left one.
    s->set_Bot_Right(Point_of(0, 0));
    QCOMPARE(QPoint(s->Top_Left().x, s->Top_Left().y), QPoint(0, 0));
    QCOMPARE(QPoint(s->Bot_Right().x, s->Bot_Right().y), QPoint(8, 12));
    // The given rectangle is left as it was.
    QCOMPARE(QPoint(r.Top_Left().x, r.Top_Left().y), QPoint(102, 53));
  }

  void theCanvasAndTheScrollRangesFollowPictureZoomAndSurround_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("surround");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QList<int>>("across");  // maximum, page, line
    QTest::addColumn<QList<int>>("down");
    QTest::newRow("100 %") << 1.0f << QSize(640, 480) << QSize(867, 413) << QSize(640, 413) << QList<int>{20, 640, 64}
                           << QList<int>{87, 413, 42};
    QTest::newRow("200 %") << 2.0f << QSize(640, 480) << QSize(866, 412) << QSize(866, 412)
                           << QList<int>{217, 433, 44} << QList<int>{284, 206, 21};
    QTest::newRow("1600 %") << 16.0f << QSize(100, 100) << QSize(864, 400) << QSize(864, 400)
                            << QList<int>{48, 54, 6} << QList<int>{77, 25, 3};
    // Fitting at 25 %: the view may still go 80 image pixels past the picture.
    QTest::newRow("25 %") << 0.25f << QSize(400, 200) << QSize(800, 600) << QSize(100, 50) << QList<int>{80, 400, 40}
                          << QList<int>{80, 200, 20};
  }
  void theCanvasAndTheScrollRangesFollowPictureZoomAndSurround() {
    QFETCH(float, zoom);
    QFETCH(QSize, picture);
    QFETCH(QSize, surround);
    QFETCH(QSize, canvas);
    QFETCH(QList<int>, across);
    QFETCH(QList<int>, down);
    Zoom = zoom;
    Fixture::NewDocument(picture.width(), picture.height());
    Main()->canvas_BG->resize(surround);
    Main()->Update_Display();
    QCOMPARE(Main()->Screen_Canvas->size(), canvas);
    QCOMPARE(Main()->Screen_Canvas->pos(), QPoint(4, 4));
    QCOMPARE((QList<int>{Main()->Scroll_H_OS->maximum(), Main()->Scroll_H_OS->pageStep(), Main()->Scroll_H_OS->singleStep()}),
             across);
    QCOMPARE((QList<int>{Main()->Scroll_H_Custom->Maximum(), Main()->Scroll_H_Custom->PageStep(),
                         Main()->Scroll_H_Custom->LineStep()}),
             across);
    QCOMPARE((QList<int>{Main()->Scroll_V_OS->maximum(), Main()->Scroll_V_OS->pageStep(), Main()->Scroll_V_OS->singleStep()}),
             down);
    QCOMPARE((QList<int>{Main()->Scroll_V_Custom->Maximum(), Main()->Scroll_V_Custom->PageStep(),
                         Main()->Scroll_V_Custom->LineStep()}),
             down);
  }

  void noPictureOrNoRoomChangesNothing() {
    Zoom = 1;
    Fixture::NewDocument(640, 480);
    Main()->canvas_BG->resize(867, 413);
    Main()->Update_Display();
    const int maximum = Main()->Scroll_V_OS->maximum();
    // A surround without height: the canvas and the ranges stay.
    Main()->canvas_BG->resize(300, 0);
    Main()->Update_Display();
    QCOMPARE(Main()->Screen_Canvas->size(), QSize(640, 413));
    QCOMPARE(Main()->Scroll_V_OS->maximum(), maximum);
    // No working picture at all.
    Main()->canvas_BG->resize(200, 100);
    work_area.reset();
    Main()->Update_Display();
    QCOMPARE(Main()->Screen_Canvas->size(), QSize(640, 413));
  }

  void aPictureBelowAScreenPixelShowsAsOne() {
    Zoom = 0.25;
    Fixture::NewDocument(640, 480);
    Main()->canvas_BG->resize(867, 413);
    Fixture::NewDocument(3, 2);
    QCOMPARE(Main()->Screen_Canvas->size(), QSize(1, 1));
    // The view may still go 80 image pixels past it.
    QCOMPARE(Main()->Scroll_H_OS->maximum(), 3 - 4 + 80);
  }

  void aNewRangeThatCutsTheValueMovesTheView() {
    Zoom = 1;
    modOptions::option_OS_Scrollbar = true;
    Fixture::NewDocument(640, 2000);
    Main()->Arrange_Controls();
    Main()->Update_Display();
    Main()->Scroll_V_OS->setValue(1500);
    QCOMPARE(offset.y, 1500);
    // A shorter picture: the bar's value is cut to the new maximum and the view follows.
    Fixture::NewDocument(640, 1000);
    const int maximum = Main()->Scroll_V_OS->maximum();
    QVERIFY(maximum < 1500);
    QCOMPARE(Main()->Scroll_V_OS->value(), maximum);
    QCOMPARE(offset.y, maximum);
  }

  void theZoomIsHeldToItsStepsAndMovesTheSlider_data() {
    QTest::addColumn<float>("asked");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("position");
    QTest::newRow("too far in") << 32.0f << 16.0f << 7;
    QTest::newRow("too far out") << 0.1f << 0.25f << 1;
    QTest::newRow("50 %") << 0.5f << 0.5f << 2;
    QTest::newRow("200 %") << 2.0f << 2.0f << 4;
    QTest::newRow("400 %") << 4.0f << 4.0f << 5;
    QTest::newRow("800 %") << 8.0f << 8.0f << 6;
  }
  void theZoomIsHeldToItsStepsAndMovesTheSlider() {
    QFETCH(float, asked);
    QFETCH(float, zoom);
    QFETCH(int, position);
    QCOMPARE(Zoom, 1.0f);
    QCOMPARE(Main()->Slider_Zoom->Get_Value(), 3.0f);
    Main()->Set_Status_msg(QStringLiteral("a notice"));
    Main()->Set_Zoom(asked);
    QCOMPARE(Zoom, zoom);
    QCOMPARE(Main()->Slider_Zoom->Get_Value(), float(position));
    // The slider's report of its new position clears the message.
    QCOMPARE(Main()->status_msg, QString());
  }

  void aZoomChangeLaysOutAndRedisplays() {
    // The blank 640 x 480 fits at 100 %; at 200 % it needs both bars and the canvas fills the surround.
    QVERIFY(!Main()->Scroll_H_OS->isVisible() && !Main()->Scroll_H_Custom->isVisible());
    PaintCounter rulers(Main()->canvasRULER(0));
    modOptions::option_ShowRuler = true;
    Main()->Arrange_Controls();
    Settle({&rulers});
    Main()->Set_Zoom(2);
    QVERIFY(Main()->Scroll_H_OS->isVisible() || Main()->Scroll_H_Custom->isVisible());
    QVERIFY(Main()->Scroll_V_OS->isVisible() || Main()->Scroll_V_Custom->isVisible());
    QCOMPARE(Main()->Screen_Canvas->size(), Main()->canvas_BG->size());
    QCOMPARE(Main()->Scroll_H_OS->pageStep(), (Main()->canvas_BG->width() + 1) / 2);
    QTRY_VERIFY(rulers.paints > 0);
  }

  void theSameZoomAgainChangesNothing() {
    Main()->Set_Status_msg(QStringLiteral("a notice"));
    Main()->Screen_Canvas->resize(10, 10);
    Main()->Set_Zoom(1);
    QCOMPARE(Main()->status_msg, QStringLiteral("a notice"));
    QCOMPARE(Main()->Screen_Canvas->size(), QSize(10, 10));
    // Zooming in at the limit is the same zoom again.
    Main()->Set_Zoom(16);
    Main()->Set_Status_msg(QStringLiteral("a notice"));
    Main()->Set_Zoom(32);
    QCOMPARE(Main()->status_msg, QStringLiteral("a notice"));
    QCOMPARE(Main()->Slider_Zoom->Get_Value(), 7.0f);
  }

  void theZoomSliderSetsTheZoom_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<float>("zoom");
    QTest::newRow("1") << 1 << 0.25f;
    QTest::newRow("2") << 2 << 0.5f;
    QTest::newRow("4") << 4 << 2.0f;
    QTest::newRow("7") << 7 << 16.0f;
  }
  void theZoomSliderSetsTheZoom() {
    QFETCH(int, position);
    QFETCH(float, zoom);
    Main()->Set_Status_msg(QStringLiteral("a notice"));
    Main()->Slider_Zoom->Set_Value(float(position));
    QCOMPARE(Zoom, zoom);
    QCOMPARE(Main()->status_msg, QString());
  }

  void rulersRepaintOnlyWhileShown() {
    modOptions::option_ShowRuler = true;
    Main()->Arrange_Controls();
    PaintCounter h(Main()->canvasRULER(0)), v(Main()->canvasRULER(1)), corner(Main()->canvasFiller);
    Settle({&h, &v, &corner});
    Main()->Refresh_Rulers();
    QTRY_VERIFY(h.paints > 0 && v.paints > 0 && corner.paints > 0);
    modOptions::option_ShowRuler = false;
    Settle({&h, &v, &corner});
    Main()->Refresh_Rulers();
    QApplication::processEvents();
    QCOMPARE(h.paints + v.paints + corner.paints, 0);
  }

  void aBarMovesItsAxisOnlyAndRepaintsItsRuler_data() {
    QTest::addColumn<bool>("system");
    QTest::addColumn<bool>("horizontal");
    QTest::newRow("platform, across") << true << true;
    QTest::newRow("platform, down") << true << false;
    QTest::newRow("drawn, across") << false << true;
    QTest::newRow("drawn, down") << false << false;
  }
  void aBarMovesItsAxisOnlyAndRepaintsItsRuler() {
    QFETCH(bool, system);
    QFETCH(bool, horizontal);
    modOptions::option_ShowRuler = true;
    modOptions::option_OS_Scrollbar = system;
    Fixture::NewDocument(3000, 3000);
    Main()->Arrange_Controls();
    Main()->Update_Display();
    PaintCounter canvas(Main()->Screen_Canvas), across(Main()->canvasRULER(0)), down(Main()->canvasRULER(1));
    Settle({&canvas, &across, &down});
    offset = Point_of(5, 6);
    if (system) (horizontal ? Main()->Scroll_H_OS : Main()->Scroll_V_OS)->setValue(30);
    else if (horizontal) QTest::mouseClick(Main()->Scroll_H_Custom, Qt::LeftButton, {}, QPoint(Main()->Scroll_H_Custom->width() - 6, 8));
    else QTest::mouseClick(Main()->Scroll_V_Custom, Qt::LeftButton, {}, QPoint(8, Main()->Scroll_V_Custom->height() - 6));
    // The drawn bars' arrows move by a line step.
    const int expected = system ? 30 : (horizontal ? Main()->Scroll_H_Custom->LineStep() : Main()->Scroll_V_Custom->LineStep());
    QCOMPARE(horizontal ? offset.x : offset.y, expected);
    QCOMPARE(horizontal ? offset.y : offset.x, horizontal ? 6 : 5);
    QTRY_VERIFY(canvas.paints > 0);
    QTRY_VERIFY((horizontal ? across.paints : down.paints) > 0);
    QCOMPARE(horizontal ? down.paints : across.paints, 0);
  }

  void aDrawnBarMovedByTheUserMovesThePlatformBarToo() {
    modOptions::option_OS_Scrollbar = false;
    Fixture::NewDocument(3000, 3000);
    Main()->Arrange_Controls();
    Main()->Update_Display();
    classScrollbar* bar = Main()->Scroll_V_Custom;
    QVERIFY(bar->isVisible());
    // A click on the track below the thumb pages down.
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(8, bar->height() - 40));
    QCOMPARE(bar->Value(), bar->PageStep());
    QCOMPARE(Main()->Scroll_V_OS->value(), bar->PageStep());
    QCOMPARE(offset.y, bar->PageStep());
    // The next wheel turn goes on from there.
    Main()->Scroll_V_OS_MouseWheel(0, 0, 0, 3);
    QCOMPARE(offset.y, bar->PageStep() + 3);
  }

  void theWheelOverABarMovesItByItsAmount_data() {
    QTest::addColumn<bool>("system");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("deltaX");
    QTest::addColumn<int>("deltaY");
    QTest::addColumn<int>("result");
    for (bool system : {true, false}) {
      const char* kind = system ? "platform" : "drawn";
      QTest::addRow("%s, down, +3 at 10", kind) << system << false << 10 << 0 << 3 << 13;
      QTest::addRow("%s, down, +3 at 99", kind) << system << false << 99 << 0 << 3 << 100;
      QTest::addRow("%s, down, -3 at 1", kind) << system << false << 1 << 0 << -3 << 0;
      QTest::addRow("%s, across, the vertical amount", kind) << system << true << 10 << 0 << 3 << 13;
      QTest::addRow("%s, across, sideways only", kind) << system << true << 10 << 5 << 0 << 10;
    }
  }
  void theWheelOverABarMovesItByItsAmount() {
    QFETCH(bool, system);
    QFETCH(bool, horizontal);
    QFETCH(int, value);
    QFETCH(int, deltaX);
    QFETCH(int, deltaY);
    QFETCH(int, result);
    winMAIN* w = Main();
    // A picture that needs both bars of the kind.
    modOptions::option_OS_Scrollbar = system;
    Fixture::NewDocument(3000, 3000);
    w->Arrange_Controls();
    w->Update_Display();
    offset = Point_of(value, value);
    bool handled = true;
    if (system) {
      QScrollBar* bar = horizontal ? w->Scroll_H_OS : w->Scroll_V_OS;
      bar->setMaximum(100);
      bar->setValue(value);
      handled = horizontal ? w->Scroll_H_OS_MouseWheel(0, 0, deltaX, deltaY) : w->Scroll_V_OS_MouseWheel(0, 0, deltaX, deltaY);
      QCOMPARE(bar->value(), result);
    } else {
      classScrollbar* bar = horizontal ? w->Scroll_H_Custom : w->Scroll_V_Custom;
      bar->Maximum(100);
      bar->Value(value);
      handled = horizontal ? w->Scroll_H_Custom_MouseWheel(0, 0, deltaX, deltaY)
                           : w->Scroll_V_Custom_MouseWheel(0, 0, deltaX, deltaY);
      QCOMPARE(bar->Value(), result);
    }
    QVERIFY(!handled);
    QCOMPARE(horizontal ? offset.x : offset.y, result);
    QCOMPARE(horizontal ? offset.y : offset.x, value);
  }

  void aNotchOfTheWheelScrollsAUsefulDistance_data() {
    QTest::addColumn<bool>("system");
    QTest::newRow("platform") << true;
    QTest::newRow("drawn") << false;
  }
  void aNotchOfTheWheelScrollsAUsefulDistance() {
    QFETCH(bool, system);
    modOptions::option_OS_Scrollbar = system;
    Fixture::NewDocument(640, 5000);
    Main()->Arrange_Controls();
    Main()->Update_Display();
    QWidget* bar = system ? static_cast<QWidget*>(Main()->Scroll_V_OS) : Main()->Scroll_V_Custom;
    QVERIFY(bar->isVisible());
    // A notch moves three tenths of the view, however many image pixels that is at this zoom.
    const int view = Main()->Screen_Canvas->height();
    const int line = (view + 9) / 10;
    Wheel(bar, 1);
    QCOMPARE(offset.y, 3 * line);
    QVERIFY(offset.y >= view / 4);
    Wheel(bar, -1);
    QCOMPARE(offset.y, 0);
    Main()->Set_Zoom(4);
    const int zoomedLine = ((Main()->Screen_Canvas->height() + 3) / 4 + 9) / 10;
    Wheel(bar, 2);
    QCOMPARE(offset.y, 6 * zoomedLine);
    if (system) QCOMPARE(Main()->Scroll_V_OS->value(), 6 * zoomedLine);
  }
};
PIXMURA_TEST_CLASS(ViewTests)
#include "ViewTests.moc"
