// The rectangular selection on the real canvas: drawing it, hovering into the grabber, moving what it
// lifts, the drop as one undo step, and Cut and Delete while it floats.
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include "CanvasDriver.h"
#include "core/Geometry.h"
#include "platform/Environment.h"
#include "platform/StyledText.h"
#include "text/StyledTextDrawing.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
// A marked document of w x h at 100 % with the rectangular selection tool, background colour red.
void Start_Marked(int w, int h) {
  Start(w, h, TOOL_LASSO);
  Fixture::PaintMarkers(work_area);
  pic_Stack[0] = work_area->CopyAtDepth(32);
  Main()->classCOLORS1->Set_Color(2, 0xFF0000);
}

// The selection (10, 10)-(20, 20) drawn with the tool, then lifted and moved by (+3, -2) with the grabber.
void Select_And_Move() {
  Stroke({{10, 10}, {15, 15}, {20, 20}});
  HoverAt({15, 15});
  Stroke({{15, 15}, {17, 14}, {18, 13}});
}

// Where the picture shows the area (10, 10)-(19, 19) moved to (13, 8), and the rest of the area filled
// with the colour (or left as it was, for hole < 0).
QString Check_Moved(const PicturePtr& pic, int64_t hole) {
  for (int y = 0; y < pic->Height(); ++y)
    for (int x = 0; x < pic->Width(); ++x) {
      Color want = Fixture::Marker(x, y);
      if (x >= 13 && x < 23 && y >= 8 && y < 18) want = Fixture::Marker(x - 3, y + 2);
      else if (hole >= 0 && x >= 10 && x < 20 && y >= 10 && y < 20) want = Color(hole);
      if ((pic->Pixel(x, y) & 0xFFFFFFu) != want)
        return QStringLiteral("(%1,%2): %3 instead of %4").arg(x).arg(y).arg(pic->Pixel(x, y) & 0xFFFFFFu, 0, 16).arg(want, 0, 16);
    }
  return QString();
}

QImage Clipboard_Rgb() { return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32); }

// True when the image holds the markers of the area from (x, y) on.
bool Holds_Area(const QImage& image, int x, int y, int w, int h) {
  if (image.width() != w || image.height() != h) return false;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if ((image.pixel(i, j) & 0xFFFFFFu) != Fixture::Marker(x + i, y + j)) return false;
  return true;
}
}  // namespace

class SelectionTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // Corner differences under 2 on either axis end the selection at the release.
  void sizeAtRelease_data() {
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("survives");
    QTest::newRow("click") << QPoint(10, 10) << false;
    QTest::newRow("1 wide") << QPoint(11, 20) << false;
    QTest::newRow("2 x 2") << QPoint(12, 12) << true;
    QTest::newRow("dragged up and left") << QPoint(5, 6) << true;
  }
  void sizeAtRelease() {
    QFETCH(QPoint, to);
    QFETCH(bool, survives);
    Start(40, 30, TOOL_LASSO);
    Stroke({{10, 10}, to});
    QCOMPARE(active_LASSO, survives);
    QCOMPARE(pic_Stack.size(), size_t(1));
    if (!survives) return;
    QCOMPARE(img_lasso->Top_Left(), Point_of(std::min(10, to.x()), std::min(10, to.y())));
    QCOMPARE(img_lasso->Bot_Right(), Point_of(std::max(10, to.x()), std::max(10, to.y())));
    QCOMPARE(drawing_TOOL, int32_t(TOOL_LASSO));
  }

  // While the box grows, a tag at the pointer shows its size in canvas pixels (at 200 %: 11 x 6 image
  // pixels of corner difference are 22 x 12).
  void sizeTagWhileDragging() {
    Start(60, 40, TOOL_LASSO);
    Main()->Set_Zoom(2);
    Press({10, 10});
    DragTo({30, 20});
    DragTo({32, 22});
    QVERIFY(Main()->myHelpTag->isVisible());
    QCOMPARE(HelpTag_Text, QStringLiteral("22x12"));
    Release({32, 22});
    QVERIFY(!Main()->myHelpTag->isVisible());
    QCOMPARE(img_lasso->Bot_Right(), Point_of(16, 11));
  }

  // Hovering inside makes the grabber current; outside again brings the selection tool back.
  void hoverSwitchesToTheGrabber() {
    Start(40, 30, TOOL_LASSO);
    Stroke({{10, 10}, {20, 20}});
    HoverAt({30, 25});
    QCOMPARE(drawing_TOOL, int32_t(TOOL_LASSO));
    HoverAt({15, 15});
    QCOMPARE(drawing_TOOL, int32_t(TOOL_GRABBER));
    HoverAt({30, 25});
    QCOMPARE(drawing_TOOL, int32_t(TOOL_LASSO));
  }

  void anotherToolWithASelectionIsReported() {
    Start(40, 30, TOOL_LASSO);
    Stroke({{10, 10}, {20, 20}});
    drawing_TOOL = TOOL_PENCIL;  // a state no tool change leaves behind
    HoverAt({5, 5});
    QCOMPARE(Main()->windowTitle(), QStringLiteral("TOOL ERROR : 2"));
  }

  // The grabber lifts the area (leaving the background colour, or nothing with Option), moves it by
  // whole pixels, and the drop is one undo step.
  void moveAndDrop_data() {
    QTest::addColumn<bool>("option");
    QTest::newRow("hole in the background colour") << false;
    QTest::newRow("Option: copy") << true;
  }
  void moveAndDrop() {
    QFETCH(bool, option);
    Start_Marked(40, 30);
    if (option) Platform::Environment::OverrideKeys(Qt::AltModifier);
    Select_And_Move();
    QVERIFY(active_DRAG);
    QCOMPARE(img_lasso->Top_Left(), Point_of(13, 8));
    QCOMPARE(img_lasso->Bot_Right(), Point_of(23, 18));
    QCOMPARE(img_DRAG_DROP, Point_of(13, 8));
    QVERIFY(Holds_Area(Clipboard_Rgb(), 10, 10, 10, 10));
    QCOMPARE(pic_Stack.size(), size_t(1));
    Platform::Environment::OverrideKeys(std::nullopt);
    Main()->drawing_TOOL_SET(TOOL_PENCIL);  // a tool change ends the selection
    QVERIFY(!active_DRAG && !active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Check_Moved(work_area, option ? -1 : 0xFF0000), QString());
  }

  // A click inside without a drag lifts the area; it is dropped back where it was.
  void clickWithoutDragDropsInPlace() {
    Start_Marked(40, 30);
    img_DRAG_DROP = Point_of(30, 25);  // left over from an earlier floating selection
    Stroke({{10, 10}, {20, 20}});
    HoverAt({15, 15});
    Stroke({{15, 15}});
    QVERIFY(active_DRAG);
    Main()->Reset_Everything();
    QCOMPARE(pic_Stack.size(), size_t(2));
    PicturePtr expected = Fixture::Marked(40, 30);
    QCOMPARE(Fixture::Difference(work_area, expected), QString());
  }

  // Cut and Delete while the selection floats: what floats goes, once, as one undo step.
  void cutOrDeleteWhileFloating_data() {
    QTest::addColumn<bool>("cut");
    QTest::newRow("cut") << true;
    QTest::newRow("delete") << false;
  }
  void cutOrDeleteWhileFloating() {
    QFETCH(bool, cut);
    Start_Marked(40, 30);
    Select_And_Move();
    QGuiApplication::clipboard()->clear();
    if (cut) Main()->_menu_CUT_Action();
    else Main()->_menu_DELETE_Action();
    QVERIFY(!active_DRAG && !active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
    // The hole stays; the floating area is gone, the pixels it covered show again.
    PicturePtr expected = Fixture::Marked(40, 30);
    Platform::Graphics g = expected->Graphics();
    g.SetForeColor(0xFF0000);
    g.FillRect(10, 10, 10, 10);
    QCOMPARE(Fixture::Difference(work_area, expected), QString());
    QCOMPARE(Holds_Area(Clipboard_Rgb(), 10, 10, 10, 10), cut);
    // Nothing floats any more: ending the selection again drops nothing.
    Main()->Reset_Everything();
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  // After Select All the whole picture floats where it lies: Cut or Delete leave the background colour.
  void cutOrDeleteAfterSelectAll_data() { cutOrDeleteWhileFloating_data(); }
  void cutOrDeleteAfterSelectAll() {
    QFETCH(bool, cut);
    Start_Marked(40, 30);
    Main()->_menu_SELECTALL_Action();
    QVERIFY(active_DRAG);
    QGuiApplication::clipboard()->clear();
    if (cut) Main()->_menu_CUT_Action();
    else Main()->_menu_DELETE_Action();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(40, 30, 0xFF0000)), QString());
    QCOMPARE(Holds_Area(Clipboard_Rgb(), 0, 0, 40, 30), cut);
  }

  // Escape ends a floating selection by dropping it where it lies, as one undo step.
  void escapeDropsWhatFloats() {
    Start_Marked(40, 30);
    Select_And_Move();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    QApplication::sendEvent(Widget(), &escape);
    QVERIFY(!active_DRAG && !active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Check_Moved(work_area, 0xFF0000), QString());
  }

  // The single-line text's box follows a drag like a floating selection; another tool draws the text
  // where the box was left, as one undo step.
  void textBoxFollowsADrag() {
    Start(200, 120, TOOL_PENCIL);
    Main()->drawing_TOOL_GET(TOOL_TEXT2);
    QCOMPARE(img_DRAG_DROP, Point_of(3, 3));
    const int32_t w = img_lasso->Width(), h = img_lasso->Height();
    Stroke({{10, 10}, {13, 11}, {15, 12}});
    QCOMPARE(img_DRAG_DROP, Point_of(8, 5));
    QCOMPARE(img_lasso->Top_Left(), Point_of(8, 5));
    QCOMPARE(img_lasso->Width(), w);
    QCOMPARE(img_lasso->Height(), h);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(200, 120, 0xFFFFFF)), QString());
    Main()->drawing_TOOL_SET(TOOL_PENCIL);
    QCOMPARE(pic_Stack.size(), size_t(2));
    const QRect ink = Bounds_Not(work_area, 0xFFFFFF);
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(8, 5, w, h).contains(ink));
  }

  // A placed styled text ends with one undo step: opaque (mode 0) as its picture with its white, mode 1
  // as its letters alone, mode 2 as a box of the background colour with the letters cut out.
  void styledTextDrop_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("white");
    QTest::addColumn<bool>("background");
    QTest::newRow("opaque") << 0 << true << false;
    QTest::newRow("letters alone") << 1 << false << false;
    QTest::newRow("knock-out") << 2 << false << true;
  }
  void styledTextDrop() {
    QFETCH(int, mode);
    QFETCH(bool, white);
    QFETCH(bool, background);
    Start(120, 60, TOOL_PENCIL);
    work_area->Image().fill(Platform::ToQRgb(0x00A000));
    pic_Stack[0] = work_area->CopyAtDepth(32);
    Main()->classCOLORS1->Set_Color(2, 0xFF0000);
    auto text = std::make_shared<Platform::StyledText>();
    Platform::StyleRun run;
    run.Text = QStringLiteral("Hi");
    run.Font = QStringLiteral("DejaVu Sans");
    run.Size = 24;
    run.Bold = true;
    run.TextColor = 0x0000FF;
    text->InsertStyleRun(run, 0);
    myStyledText = text;
    Fixture::Select(10, 10, 60, 45);
    drag_Picture = Fixture::Filled(50, 35, 0xFFFFFF);
    drag_Picture->Transparent = 1;  // as it showed while floating
    {
      Platform::Graphics g = drag_Picture->Graphics();
      StyledTextDrawing::DrawStyledText(g, *text, 2, 0, 9999);
    }
    img_DRAG_DROP = Point_of(10, 10);
    Dragging_Text = true;
    Dragging_Text_Mode = mode;
    active_TEXTMODE = true;
    active_DRAG = true;
    Main()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(!Dragging_Text && !active_DRAG && !active_LASSO && !active_TEXTMODE);
    int whites = 0, reds = 0, blues = 0;
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 120; ++x) {
        const Color c = work_area->Pixel(x, y) & 0xFFFFFFu;
        whites += c == 0xFFFFFF;
        reds += c == 0xFF0000;
        blues += c == 0x0000FF;
      }
    QCOMPARE(whites > 0, white);
    QCOMPARE(reds > 0, background);
    QCOMPARE(blues > 0, mode != 2);
    Main()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(2));
  }

  // Choosing another tool ends a selection that does not float without an undo step.
  void toolChangeEndsAPlainSelection() {
    Start_Marked(40, 30);
    Stroke({{10, 10}, {20, 20}});
    Main()->drawing_TOOL_SET(TOOL_OVAL);
    QVERIFY(!active_LASSO);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Fixture::Difference(work_area, Fixture::Marked(40, 30)), QString());
  }
};

PIXMURA_TEST_CLASS(SelectionTests)
#include "SelectionTests.moc"
