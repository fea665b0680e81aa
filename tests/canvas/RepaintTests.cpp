// The canvas as it shows on screen, grabbed: grid, marching ants, crosshair, eraser outline and the
// checkerboard of a transparent document.
#include <QScrollBar>
#include <QWheelEvent>

#include "CanvasDriver.h"
#include "palettes/classScrollbar.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
constexpr Color kGrey = 0x808080;

// A grey document of w x h at the zoom, nothing selected, white not shown as transparent.
void Start_Grey(int w, int h, float zoom) {
  Start(w, h, TOOL_PENCIL);
  work_area->Image().fill(Platform::ToQRgb(kGrey));
  pic_Stack[0] = work_area->CopyAtDepth(32);
  Save_as_Transparent = false;
  Main()->Set_Zoom(zoom);
  Main()->Update_Display();
}

QImage Shown() { return Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }
Color At(const QImage& image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }
}  // namespace

class RepaintTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // From 400 % on a line at every image-pixel boundary; none below.
  void grid_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<bool>("lines");
    QTest::newRow("200 %") << 2.0f << false;
    QTest::newRow("400 %") << 4.0f << true;
    QTest::newRow("800 %") << 8.0f << true;
  }
  void grid() {
    QFETCH(float, zoom);
    QFETCH(bool, lines);
    Start_Grey(20, 20, zoom);
    modOptions::option_Grid_Color[0] = 0x0000FF;
    modOptions::option_Grid_Color[1] = 0x0000FF;
    show_GRID = true;
    const QImage shown = Shown();
    const int z = int(zoom);
    QCOMPARE(shown.width(), 20 * z);
    int blue = 0;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) {
        const bool onLine = lines && (x % z == 0 || y % z == 0);
        if (onLine) ++blue;
        QCOMPARE(At(shown, x, y), onLine ? Color(0x0000FF) : kGrey);
      }
    QCOMPARE(blue > 0, lines);
  }

  // Every tenth image column in the second colour, but never on the canvas's left edge.
  void gridTenthLines() {
    Start_Grey(40, 20, 4);
    modOptions::option_Grid_Color[0] = 0x0000FF;
    modOptions::option_Grid_Color[1] = 0xFF0000;
    show_GRID = true;
    offset = Point_of(10, 0);
    const QImage shown = Shown();
    QCOMPARE(At(shown, 0, 2), Color(0x0000FF));   // image column 10, on the edge
    QCOMPARE(At(shown, 4, 2), Color(0x0000FF));   // column 11
    QCOMPARE(At(shown, 40, 2), Color(0xFF0000));  // column 20
    QCOMPARE(At(shown, 80, 2), Color(0xFF0000));  // column 30
    QCOMPARE(At(shown, 2, 40), Color(0xFF0000));  // row 10
    QCOMPARE(At(shown, 2, 0), Color(0x0000FF));   // row 0, on the edge
  }

  // The ants move by 4 pixels at every tick of the timer: black 4, white 4, then the picture.
  void antsMoveAtEachTick() {
    Start_Grey(40, 40, 1);
    Fixture::Select(2, 2, 20, 20);
    Lasso_State = false;
    Marching_Ants = 0;
    QImage shown = Shown();
    QCOMPARE(At(shown, 3, 2), Color(0x000000));
    QCOMPARE(At(shown, 8, 2), Color(0xFFFFFF));
    QCOMPARE(At(shown, 12, 2), kGrey);
    QCOMPARE(At(shown, 2, 3), Color(0x000000));
    Main()->timer_LASSO_Action();
    QCOMPARE(Marching_Ants, 4);
    shown = Shown();
    QCOMPARE(At(shown, 3, 2), kGrey);
    QCOMPARE(At(shown, 8, 2), Color(0x000000));
    QCOMPARE(At(shown, 12, 2), Color(0xFFFFFF));
    QCOMPARE(At(shown, 20, 8), Color(0x000000));
  }

  // The wheel over the picture moves the view through both pairs of bars, within their ranges.
  void wheelScrollsTheView() {
    Start_Grey(2000, 2000, 1);
    QScrollBar* v = Main()->Scroll_V_OS;
    QScrollBar* h = Main()->Scroll_H_OS;
    const int step = Main()->Wheel_Step(false);
    QVERIFY(step >= 1 && v->maximum() > 3 * step);
    const auto wheel = [](QPoint delta) {
      const QPoint at(20, 20);
      QWheelEvent e(at, Widget()->mapToGlobal(at), QPoint(), delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                    false);
      QApplication::sendEvent(Widget(), &e);
    };
    wheel({0, 120});  // away from the user at the top: nothing to scroll
    QCOMPARE(v->value(), 0);
    wheel({0, -240});  // two notches towards the user
    QCOMPARE(v->value(), 2 * step);
    QCOMPARE(offset.y, 2 * step);
    QCOMPARE(Main()->Scroll_V_Custom->Value(), 2 * step);
    wheel({-120, 0});
    QCOMPARE(h->value(), Main()->Wheel_Step(true));
    QCOMPARE(offset.x, h->value());
    QCOMPARE(Main()->Scroll_H_Custom->Value(), h->value());
    for (int i = 0; i < 40; ++i) wheel({0, -1200});
    QCOMPARE(v->value(), v->maximum());
    QCOMPARE(offset.y, v->maximum());
  }

  // While a predefined shape is dragged its box shows marching ants; the release ends them.
  void shapeBoxWhileDragging() {
    Start_Grey(60, 60, 1);
    Main()->drawing_TOOL_SET(TOOL_SHAPE);
    Drawing_Fillmode = 1;
    Marching_Ants = 0;
    Press({10, 10});
    DragTo({40, 30});
    QVERIFY(active_SHAPE);
    QImage shown = Shown();
    QCOMPARE(At(shown, 11, 10), Color(0x000000));
    QCOMPARE(At(shown, 40, 11), Color(0x000000));
    Release({40, 30});
    QVERIFY(!active_SHAPE);
    QCOMPARE(pic_Stack.size(), size_t(2));
    shown = Shown();
    QCOMPARE(At(shown, 11, 10), kGrey);
  }

  // The floating picture over its selection: with white drawn as transparent the picture below shows
  // through its white pixels.
  void floatingPictureWhite_data() {
    QTest::addColumn<int>("opaque");
    QTest::addColumn<quint32>("white");
    QTest::newRow("white drawn") << 0 << quint32(0xFFFFFF);
    QTest::newRow("white transparent") << 1 << quint32(kGrey);
  }
  void floatingPictureWhite() {
    QFETCH(int, opaque);
    QFETCH(quint32, white);
    Start_Grey(30, 30, 2);
    modOptions::option_Draw_Opaque = opaque;
    Fixture::Select(5, 5, 15, 15);
    drag_Picture = Fixture::Filled(10, 10, 0xFFFFFF);
    drag_Picture->SetPixel(0, 0, 0x00FF00);
    drag_Picture->Mask()->Image().fill(0);  // fully opaque mask: removed while white is transparent
    img_DRAG_DROP = Point_of(5, 5);
    active_DRAG = true;
    const QImage shown = Shown();
    QCOMPARE(At(shown, 11, 11), Color(0x00FF00));
    QCOMPARE(At(shown, 17, 17), Color(white));
    QCOMPARE(drag_Picture->MaskIfAny() == nullptr, opaque == 1);
  }

  // A free-hand selection's outline marches by its two outline pictures; no rectangle, no crosshair.
  void freeHandOutline() {
    Start_Grey(40, 40, 1);
    modOptions::option_Lasso_CrossHair = true;
    Fixture::SelectFreeHand(10, 10, 30, 30, [](int, int) { return true; });
    Super_Lasso_mask[2] = Fixture::Filled(20, 20, 0xFF0000);
    Super_Lasso_mask[3] = Fixture::Filled(20, 20, 0x0000FF);
    Marching_Ants = 0;
    QImage shown = Shown();
    QCOMPARE(At(shown, 20, 20), Color(0xFF0000));
    QCOMPARE(At(shown, 20, 15), Color(0xFF0000));  // where the crosshair would be
    Marching_Ants = 4;
    shown = Shown();
    QCOMPARE(At(shown, 20, 20), Color(0x0000FF));
    QCOMPARE(At(shown, 31, 20), kGrey);
  }

  void crosshair_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("on") << true;
    QTest::newRow("off") << false;
  }
  void crosshair() {
    QFETCH(bool, on);
    Start_Grey(40, 40, 1);
    modOptions::option_Lasso_CrossHair = on;
    Fixture::Select(10, 10, 30, 30);
    const QImage shown = Shown();
    // Black through the centre (20, 20), white one pixel right and down.
    QCOMPARE(At(shown, 20, 15), on ? Color(0x000000) : kGrey);
    QCOMPARE(At(shown, 15, 20), on ? Color(0x000000) : kGrey);
    QCOMPARE(At(shown, 21, 16), on ? Color(0xFFFFFF) : kGrey);
    QCOMPARE(At(shown, 26, 21), on ? Color(0xFFFFFF) : kGrey);
    QCOMPARE(At(shown, 20, 14), kGrey);
  }

  // Eraser size 2 at 400 %: a square of 28 canvas pixels (7 image pixels) in the background colour with a
  // black frame, following the pointer while it is over the canvas.
  void eraserOutline() {
    Start_Grey(30, 30, 4);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    size_ERASER = 2;
    Main()->drawing_TOOL_SET(TOOL_ERASER);
    Main()->Screen_Canvas_MouseEnter();
    HoverAt({41, 42});  // image (10, 10), canvas (40, 40)
    QCOMPARE(Mouse_Point, Point_of(10, 10));
    QImage shown = Shown();
    QCOMPARE(At(shown, 28, 40), Color(0x000000));
    QCOMPARE(At(shown, 55, 40), Color(0x000000));
    QCOMPARE(At(shown, 40, 28), Color(0x000000));
    QCOMPARE(At(shown, 40, 55), Color(0x000000));
    QCOMPARE(At(shown, 27, 40), kGrey);
    QCOMPARE(At(shown, 56, 40), kGrey);
    QCOMPARE(At(shown, 29, 29), Color(0xFF0000));
    QCOMPARE(At(shown, 54, 54), Color(0xFF0000));
    Main()->Screen_Canvas_MouseExit();
    shown = Shown();
    QCOMPARE(At(shown, 40, 40), kGrey);
  }

  // The canvas keeps the picture between repaints: what is written through the whole plane shows at every
  // repaint, also what its writer writes after a repaint (as an effect that reports its progress does),
  // and after the commit; then a drawing shows by its own area again.
  void writesThroughTheWholePlaneShow() {
    Start_Grey(40, 30, 1);
    QCOMPARE(At(Shown(), 5, 5), kGrey);
    QImage& plane = work_area->Image();
    plane.setPixel(5, 5, 0xFFFF0000u);
    QCOMPARE(At(Shown(), 5, 5), Color(0xFF0000));
    plane.setPixel(30, 20, 0xFF00FF00u);
    QCOMPARE(At(Shown(), 30, 20), Color(0x00FF00));
    Main()->Draw_Complete();
    QCOMPARE(At(Shown(), 30, 20), Color(0x00FF00));
    work_area->SetPixel(10, 10, 0x0000FF);
    const QImage shown = Shown();
    QCOMPARE(At(shown, 10, 10), Color(0x0000FF));
    QCOMPARE(At(shown, 5, 5), Color(0xFF0000));
    QCOMPARE(At(shown, 11, 10), kGrey);
  }

  // White shows the checkerboard exactly while the document is transparent, and only over the picture.
  void checkerboard() {
    Start(30, 30, TOOL_PENCIL);
    modOptions::option_Transparent_BG_Color[0] = 0x00FF00;
    modOptions::option_Transparent_BG_Color[1] = 0x0000FF;
    modOptions::option_Transparent_BG_Size = QStringLiteral("S");
    canvas_transparent.reset();
    work_area->SetPixel(3, 3, 0x123456);
    Save_as_Transparent = true;
    offset = Point_of(10, 0);  // the view scrolled 10 pixels past the right edge
    QImage shown = Shown();
    QCOMPARE(shown.width(), 30);
    const auto board = [](Color c) { return c == 0x00FF00 || c == 0x0000FF; };
    QVERIFY(board(At(shown, 5, 5)));
    QVERIFY(At(shown, 0, 0) != At(shown, 4, 0));  // squares of 4
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 20; x < 30; ++x) QVERIFY2(!board(At(shown, x, y)), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    QCOMPARE(work_area->Transparent, 0);
    Save_as_Transparent = false;
    offset = Point_of(0, 0);
    shown = Shown();
    QCOMPARE(At(shown, 5, 5), Color(0xFFFFFF));
    QCOMPARE(At(shown, 3, 3), Color(0x123456));
  }
};

PIXMURA_TEST_CLASS(RepaintTests)
#include "RepaintTests.moc"
