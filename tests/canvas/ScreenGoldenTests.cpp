// The canvas as it shows on screen while the user works, at 25 %, 100 % and 400 %, against golden
// pictures kept in golden_screen/ (looked at by eye): a picture of small stripes in seven colours (a pixel
// taken from the wrong place shows), a rectangle's band grown and shrunk again, a brush stroke, Undo and
// Redo, a lifted selection moved and dropped, white shown as transparent, and a view scrolled off the
// pixel grid.

#include "CanvasDriver.h"
#include "mainwindow/MenuDriving.h"
#include "core/UndoHistory.h"
#include "support/Golden.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {

// Seven colours in diagonal stripes, with white blocks of 16 x 16 pixels here and there.
void Paint_Stripes(const PicturePtr& pic) {
  static const QRgb kColours[7] = {qRgb(200, 40, 40), qRgb(40, 160, 60), qRgb(50, 70, 210), qRgb(230, 200, 40),
                                   qRgb(20, 20, 20),  qRgb(160, 60, 190), qRgb(60, 200, 210)};
  QImage& img = pic->Image();
  for (int y = 0; y < img.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < img.width(); ++x)
      row[x] = (x / 16 + 2 * (y / 16)) % 5 == 0 ? qRgb(255, 255, 255) : kColours[(x * 3 + y * 5) % 7];
  }
}

QImage Shown() { return Widget()->grab().toImage(); }

// Chooses the menu item as the user does; it must be enabled.
void Choose(const char* item) { QVERIFY(MenuDriving::Choose(QString::fromLatin1(item))); }

// A point of the canvas, as a share of its width and height.
QPoint At(double fx, double fy) {
  return QPoint(int(fx * Widget()->width()), int(fy * Widget()->height()));
}

}  // namespace

class ScreenGoldenTests : public FixtureTest {
  Q_OBJECT

  QString zoomName;
  QStringList problems;

  void Check(const QString& scene) {
    const QString problem = Golden::Compare(Shown(), QStringLiteral("canvas/golden_screen"), scene + '_' + zoomName);
    if (!problem.isEmpty()) problems << problem;
  }

 private slots:
  void screen_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("25") << 0.25f << 1280 << 800;
    QTest::newRow("100") << 1.0f << 320 << 200;
    QTest::newRow("400") << 4.0f << 120 << 80;
  }
  void screen() {
    QFETCH(float, zoom);
    QFETCH(int, width);
    QFETCH(int, height);
    zoomName = QString::fromLatin1(QTest::currentDataTag());
    problems.clear();
    Start(width, height, TOOL_RECT);
    Paint_Stripes(work_area);
    pic_Stack[0] = work_area->CopyAtDepth(32);
    Save_as_Transparent = false;
    set_workarea_mask();
    modOptions::option_Lasso_CrossHair = true;
    modOptions::option_Grid_Color[0] = 0x808080;
    modOptions::option_Grid_Color[1] = 0x0000FF;
    show_GRID = true;
    Marching_Ants = 0;
    Main()->Set_Zoom(zoom);
    offset = Point_of(0, 0);
    Main()->Update_Display();
    Main()->classCOLORS1->Set_Color(1, 0x203080);
    Main()->classCOLORS1->Set_Color(2, 0xE0A020);
    Check("plain");

    // A rectangle's band grown and then shrunk: nothing of the larger band stays on screen.
    Drawing_Fillmode = 3;
    Pensize_SET(2, TOOL_PENCIL);
    Press(At(0.2, 0.2));
    DragTo(At(0.8, 0.7));
    DragTo(At(0.5, 0.45));
    Check("band");
    Release(At(0.5, 0.45));
    Check("band_done");

    // A brush stroke, seen while it is drawn.
    size_BRUSH = 4;
    modOptions::option_BrushRandom = false;
    modOptions::option_BrushOpacity = 70;
    Main()->drawing_TOOL_SET(TOOL_BRUSH);
    Press(At(0.1, 0.8));
    DragTo(At(0.3, 0.6));
    DragTo(At(0.6, 0.85));
    Check("brush");
    Release(At(0.6, 0.85));

    Choose("menu_UnDo");
    Check("undo");
    Choose("menu_UnDo");
    Check("undo_twice");
    Choose("menu_ReDo");
    Check("redo");

    // A selection lifted and moved, white of the floating picture shown as transparent.
    modOptions::option_Draw_Opaque = 1;
    Main()->drawing_TOOL_SET(TOOL_LASSO);
    Stroke({At(0.15, 0.15), At(0.3, 0.3), At(0.45, 0.5)});
    HoverAt(At(0.3, 0.3));
    QCOMPARE(drawing_TOOL, int32_t(TOOL_GRABBER));
    Press(At(0.3, 0.3));
    DragTo(At(0.4, 0.35));
    DragTo(At(0.55, 0.4));
    Marching_Ants = 0;
    Check("floating");
    Release(At(0.55, 0.4));
    Main()->Turn_Lasso_OFF();
    Check("dropped");

    // White shown as transparent, then a view scrolled by pixels that are no multiple of the zoom's step.
    Choose("menu_Transparent");
    QVERIFY(Save_as_Transparent);
    Main()->Update_Display();
    Check("transparent");
    offset = Point_of(7, 5);
    Main()->Update_Display();
    Check("scrolled");
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }
};

PIXMURA_TEST_CLASS(ScreenGoldenTests)
#include "ScreenGoldenTests.moc"
