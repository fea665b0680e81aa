#include <QTest>
#include <set>

#include "app/modOptions.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;
using Platform::Color;

using Points = QList<QPoint>;

static QPoint Q(point_record p) { return QPoint(p.x, p.y); }

// The pixels of row y from x0 to x1 as a text of "B" (black), "W" (white) and "." (untouched grey).
static QString RowText(const Platform::PicturePtr& pic, int y, int x0, int x1) {
  QString s;
  for (int x = x0; x <= x1; ++x) {
    const Color c = pic->Pixel(x, y);
    s += c == 0 ? QLatin1Char('B') : c == 0xFFFFFF ? QLatin1Char('W') : QLatin1Char('.');
  }
  return s;
}

// The arrow-head settings' defaults with a pen of 1.
static void ArrowDefaults() {
  modOptions::option_ArrowLength = 5;
  modOptions::option_ArrowWidth = 5;
  modOptions::option_ArrowConcavity = 0;
  size_PENCIL = 1;
}

class DrawingRoutineTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void arrowHeadPolygons_data() {
    QTest::addColumn<int>("pen");
    QTest::addColumn<int>("concavity");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<Points>("head");
    QTest::newRow("pen 1") << 1 << 0 << QPoint(20, 0) << Points{{20, 0}, {15, 3}, {15, 0}, {15, -2}};
    QTest::newRow("concave") << 1 << 2 << QPoint(20, 0) << Points{{20, 0}, {15, 3}, {16, 0}, {15, -2}};
    QTest::newRow("pen 3") << 3 << 0 << QPoint(40, 0) << Points{{43, 1}, {28, 9}, {28, 1}, {28, -6}};
    QTest::newRow("downwards") << 1 << 0 << QPoint(0, 20) << Points{{0, 20}, {-2, 15}, {0, 15}, {3, 15}};
  }
  void arrowHeadPolygons() {
    QFETCH(int, pen);
    QFETCH(int, concavity);
    QFETCH(QPoint, end);
    QFETCH(Points, head);
    ArrowDefaults();
    size_PENCIL = pen;
    modOptions::option_ArrowConcavity = concavity;
    const auto corners = ArrowHead_Polygon(Point_of(0, 0), Point_of(end.x(), end.y()));
    Points got;
    for (const point_record& p : corners) got << Q(p);
    QCOMPARE(got, head);
  }

  void arrowHeadsAreFilledWithTheForegroundColour() {
    ArrowDefaults();
    auto pic = Fixture::Filled(60, 20, 0xFFFFFF);
    Platform::Graphics g = pic->Graphics();
    Draw_Color[0] = 0x00FF00;
    Draw_Color[1] = 0xFF0000;
    modOptions::PolyPoints.Append(Point_of(1, 1));
    modOptions::option_ArrowHead = 0;
    Draw_ArrowHead(g, Point_of(10, 10), Point_of(50, 10));
    QCOMPARE(Fixture::Difference(pic, Fixture::Filled(60, 20, 0xFFFFFF)), QString());
    QCOMPARE(modOptions::PolyPoints.size(), size_t(1));
    modOptions::option_ArrowHead = 3;
    Draw_ArrowHead(g, Point_of(10, 10), Point_of(50, 10));
    QCOMPARE(pic->Pixel(47, 10), Color(0xFF0000));  // head at the end
    QCOMPARE(pic->Pixel(12, 10), Color(0xFF0000));  // head at the start
    QCOMPARE(pic->Pixel(30, 10), Color(0xFFFFFF));  // the line is the caller's
    QVERIFY(modOptions::PolyPoints.empty());
  }

  void lineWalk_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<Points>("pixels");
    QTest::newRow("shallow") << QPoint(0, 0) << QPoint(3, 1) << Points{{0, 0}, {1, 0}, {2, 1}, {3, 1}};
    QTest::newRow("steep") << QPoint(0, 0) << QPoint(1, 3) << Points{{0, 0}, {0, 1}, {1, 2}, {1, 3}};
    QTest::newRow("one point") << QPoint(4, 5) << QPoint(4, 5) << Points{{4, 5}};
    QTest::newRow("backwards") << QPoint(3, 0) << QPoint(0, 0) << Points{{3, 0}, {2, 0}, {1, 0}, {0, 0}};
    QTest::newRow("diagonal up") << QPoint(0, 2) << QPoint(2, 0) << Points{{0, 2}, {1, 1}, {2, 0}};
  }
  void lineWalk() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(Points, pixels);
    Points got;
    Line_Walk(Point_of(from.x(), from.y()), Point_of(to.x(), to.y()), [&](int x, int y) { got << QPoint(x, y); });
    QCOMPARE(got, pixels);
  }

  void theEraserWalksTheLine() {
    Fixture::NewDocument(40, 20, 0x000000);
    Draw_Color[1] = 0x000000;
    Draw_Color[2] = 0xFFFFFF;
    size_ERASER = 1;  // a square of 4: two pixels either side
    Move_along_a_Line(Point_of(5, 10), Point_of(30, 10), TOOL_ERASER);
    QCOMPARE(work_area->Pixel(3, 8), Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(32, 12), Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(33, 10), Color(0));
    QCOMPARE(work_area->Pixel(20, 7), Color(0));
    // Other tools stamp nothing.
    Move_along_a_Line(Point_of(5, 2), Point_of(30, 2), TOOL_PENCIL);
    QCOMPARE(work_area->Pixel(10, 2), Color(0));
  }

  void theSecondEraserModeTakesOnlyTheForeground() {
    Fixture::NewDocument(10, 10, 0x0000FF);
    work_area->SetPixel(5, 5, 0x000000);
    Draw_Color[1] = 0x000000;
    Draw_Color[2] = 0xFFFFFF;
    size_ERASER = 1;
    Eraser_Mode = true;
    Do_Function(5, 5, TOOL_ERASER);
    QCOMPARE(work_area->Pixel(5, 5), Color(0xFFFFFF));
    QCOMPARE(work_area->Pixel(4, 4), Color(0x0000FF));
  }

  void theBrushBlendsWithTheHistory() {
    Fixture::NewDocument(20, 20, 0xFFFFFF);
    size_BRUSH = 2;
    modOptions::option_BrushRandom = false;
    modOptions::option_BrushOpacity = 50;
    Make_Paintbrush_Tip();
    Draw_Color[1] = 0x000000;
    Draw_Color[2] = 0x00FF00;
    Move_along_a_Line(Point_of(5, 5), Point_of(12, 5), TOOL_BRUSH);
    // Half paint over white, however often the stamps overlap.
    const Color half = work_area->Pixel(8, 5);
    QVERIFY(std::abs(Platform::Red(half) - 128) <= 1);
    QCOMPARE(half, Platform::RGB(Platform::Red(half), Platform::Red(half), Platform::Red(half)));
    QCOMPARE(work_area->Pixel(8, 15), Color(0xFFFFFF));
    // A right-button stroke paints with the background colour.
    Eraser_Mode = true;
    Move_along_a_Line(Point_of(5, 12), Point_of(12, 12), TOOL_BRUSH);
    const Color green = work_area->Pixel(8, 12);
    QVERIFY(Platform::Green(green) == 255 && Platform::Red(green) < 200 && Platform::Red(green) == Platform::Blue(green));
  }

  void randomBrushTips_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("dots");
    QTest::newRow("1") << 1 << 3;
    QTest::newRow("3") << 3 << 3;
    QTest::newRow("10") << 10 << 30;
  }
  void randomBrushTips() {
    QFETCH(int, size);
    QFETCH(int, dots);
    size_BRUSH = size;
    modOptions::option_BrushRandom = true;
    Make_Paintbrush_Tip();
    QCOMPARE(Paintbrush_Tip->Width(), 2 * size + 1);
    QCOMPARE(Paintbrush_Tip->Height(), 2 * size + 1);
    int painted = 0;
    for (int y = 0; y < Paintbrush_Tip->Height(); ++y)
      for (int x = 0; x < Paintbrush_Tip->Width(); ++x) {
        const Color c = Paintbrush_Tip->Pixel(x, y);
        if (c == 0) continue;
        ++painted;
        const int grey = Platform::Red(c);
        QVERIFY(grey >= 128 && grey <= 192);
        QCOMPARE(c, Platform::RGB(grey, grey, grey));
      }
    QVERIFY(painted >= 1 && painted <= dots);
  }

  // The opacity's default of 128 percent gives full paint, not a colour spilling into other channels.
  void softTipGreyStaysAGrey_data() {
    QTest::addColumn<int>("opacity");
    QTest::addColumn<int>("grey");
    QTest::newRow("50") << 50 << 127;
    QTest::newRow("100") << 100 << 255;
    QTest::newRow("128") << 128 << 255;
  }
  void softTipGreyStaysAGrey() {
    QFETCH(int, opacity);
    QFETCH(int, grey);
    size_BRUSH = 3;
    modOptions::option_BrushRandom = false;
    modOptions::option_BrushOpacity = opacity;
    Make_Paintbrush_Tip();
    QCOMPARE(Paintbrush_Tip->Pixel(3, 3), Platform::RGB(grey, grey, grey));
    QCOMPARE(Paintbrush_Tip->Pixel(0, 0), Color(0));
  }

  void bezierHasAHundredSegments() {
    img_Curve[1] = Point_of(0, 0);
    img_Curve[4] = Point_of(0, 30);
    img_Curve[3] = Point_of(30, 30);
    img_Curve[2] = Point_of(30, 0);
    const auto points = Bezier_Points();
    QCOMPARE(points.size(), size_t(101));
    QCOMPARE(Q(points.front()), QPoint(0, 0));
    QVERIFY(std::abs(points.back().x - 30) <= 1 && std::abs(points.back().y) <= 1);
    for (int i = 1; i <= 4; ++i) img_Curve[i] = Point_of(7, 9);
    for (const point_record& p : Bezier_Points()) QCOMPARE(Q(p), QPoint(7, 9));
    auto pic = Fixture::Filled(20, 20, 0xFFFFFF);
    Platform::Graphics g = pic->Graphics();
    Draw_Color[0] = 0x0000FF;
    modOptions::option_ArrowHead = 0;
    Draw_Bezier(g);
    QCOMPARE(pic->Pixel(7, 9), Color(0x0000FF));
  }

  void marchingAnts_data() {
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("x1");
    QTest::addColumn<QString>("row");
    QTest::newRow("phase 0") << 0 << 0 << "BBBBWWWWW....";
    QTest::newRow("phase 4") << 4 << 0 << "....BBBBWWW..";
    QTest::newRow("beyond the end") << 4 << 8 << ".............";
  }
  void marchingAnts() {
    QFETCH(int, phase);
    QFETCH(int, x1);
    QFETCH(QString, row);
    auto pic = Fixture::Filled(13, 13, 0x808080);
    Platform::Graphics g = pic->Graphics();
    Marching_Ants = phase;
    Draw_H_Ants(g, x1, 10, 2, 6);
    QCOMPARE(RowText(pic, 2, 0, 12), row);
    QCOMPARE(RowText(pic, 6, 0, 12), row);
    auto turned = Fixture::Filled(13, 13, 0x808080);
    Platform::Graphics tg = turned->Graphics();
    Draw_V_Ants(tg, x1, 10, 3, 9);
    QString column;
    for (int y = 0; y <= 12; ++y) column += RowText(turned, y, 9, 9);
    QCOMPARE(column, row);
  }

  void checkerboardCells_data() {
    QTest::addColumn<QString>("size");
    QTest::addColumn<int>("cell");
    QTest::newRow("S") << "S" << 4;
    QTest::newRow("M") << "m" << 8;
    QTest::newRow("L") << "L" << 16;
    QTest::newRow("other") << "X" << 16;
  }
  void checkerboardCells() {
    QFETCH(QString, size);
    QFETCH(int, cell);
    modOptions::option_Transparent_BG_Size = size;
    modOptions::option_Transparent_BG_Color[0] = 0xDBDBDB;
    modOptions::option_Transparent_BG_Color[1] = 0xFFFFFF;
    Make_Transparent();
    winMAIN* w = winMAIN::instance();
    QCOMPARE(canvas_transparent->Width(), w->width());
    QCOMPARE(canvas_transparent->Height(), w->height());
    QCOMPARE(canvas_transparent->Depth(), 24);
    QCOMPARE(canvas_transparent->Transparent, 0);
    QCOMPARE(canvas_transparent->Pixel(0, 0), Color(0xDBDBDB));
    QCOMPARE(canvas_transparent->Pixel(cell - 1, cell - 1), Color(0xDBDBDB));
    QCOMPARE(canvas_transparent->Pixel(cell, 0), Color(0xFFFFFF));
    QCOMPARE(canvas_transparent->Pixel(0, cell), Color(0xFFFFFF));
    QCOMPARE(canvas_transparent->Pixel(cell, cell), Color(0xDBDBDB));
  }

  // The canvas of a document with white shown as transparent shows the checkerboard of the settings
  // behind its white pixels, and its other pixels as they are.
  void theCanvasShowsTheCheckerboardBehindWhite() {
    modOptions::option_Transparent_BG_Size = QStringLiteral("M");
    modOptions::option_Transparent_BG_Color[0] = 0x102030;
    modOptions::option_Transparent_BG_Color[1] = 0x405060;
    canvas_transparent.reset();
    work_area->Image().fill(0xFFFFFFFFu);
    work_area->SetPixel(20, 20, 0xC01020);
    Save_as_Transparent = true;
    set_workarea_mask();
    winMAIN* w = winMAIN::instance();
    QVERIFY(w->Screen_Canvas->width() > 24 && w->Screen_Canvas->height() > 24);
    const QImage shown = w->Screen_Canvas->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto at = [&](int x, int y) { return Platform::FromQRgb(shown.pixel(x, y)); };
    QCOMPARE(at(1, 1), Color(0x102030));
    QCOMPARE(at(9, 1), Color(0x405060));
    QCOMPARE(at(9, 9), Color(0x102030));
    QCOMPARE(at(20, 20), Color(0xC01020));
    QVERIFY(canvas_transparent);
  }

  void colourWells_data() {
    QTest::addColumn<uint>("colour");
    QTest::addColumn<int>("opaque");
    QTest::addColumn<bool>("crossed");
    QTest::addColumn<bool>("letter");
    QTest::newRow("white, T") << 0xFFFFFFu << 1 << false << true;
    QTest::newRow("near white, W") << 0xFEFEFEu << 1 << false << true;
    QTest::newRow("white, opaque off") << 0xFFFFFFu << 0 << false << false;
    QTest::newRow("white, crossed") << 0xFFFFFFu << 1 << true << false;
    QTest::newRow("red") << 0xFF0000u << 1 << false << false;
  }
  void colourWells() {
    QFETCH(uint, colour);
    QFETCH(int, opaque);
    QFETCH(bool, crossed);
    QFETCH(bool, letter);
    modOptions::option_Draw_Opaque = opaque;
    auto pic = Fixture::Filled(30, 30, 0x808080);
    Platform::Graphics g = pic->Graphics();
    Draw_ColorWell(g, 2, 3, colour, crossed);
    QCOMPARE(pic->Pixel(2, 3), Platform::RGB(153, 168, 172));
    QCOMPARE(pic->Pixel(23, 10), Color(0xFFFFFF));
    QCOMPARE(pic->Pixel(22, 10), Platform::RGB(226, 239, 241));
    QCOMPARE(pic->Pixel(3, 10), Platform::RGB(113, 111, 100));
    QCOMPARE(pic->Pixel(24, 10), Color(0x808080));
    // Inside the bevel: the well's colour, the cross, and the letter's pixels (shaded as the font draws).
    int marked = 0, crosses = 0;
    for (int y = 5; y < 22; ++y)
      for (int x = 4; x < 21; ++x) {
        const Color c = pic->Pixel(x, y);
        crosses += c == 0xC0C0C0;
        marked += c != colour && c != 0xC0C0C0;
      }
    QCOMPARE(marked > 0, letter);
    QCOMPARE(crosses > 0, crossed);
  }
};
PIXMURA_TEST_CLASS(DrawingRoutineTests)

#include "DrawingRoutineTests.moc"
