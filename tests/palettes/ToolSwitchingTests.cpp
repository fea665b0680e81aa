#include <QTest>

#include "app/BundleResources.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classTOOLS.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// A floating selection: a 2 x 2 black picture over the white document at (1, 1).
void Float_A_Selection() {
  Fixture::NewDocument(8, 8, 0xFFFFFF);
  Set_Active_Lasso(true);
  img_lasso = std::make_shared<classRECTANGLE>();
  active_DRAG = true;
  drag_Picture = Fixture::Filled(2, 2, 0x000000);
  img_DRAG_DROP = Point_of(1, 1);
}

// Which cursor the painting canvas shows: the name of a bundle cursor, or of a system shape.
QString Canvas_Cursor() {
  const QCursor c = Main()->Screen_Canvas->cursor();
  if (c.shape() != Qt::BitmapCursor) {
    switch (c.shape()) {
      case Qt::ArrowCursor: return QStringLiteral("arrow");
      case Qt::BlankCursor: return QStringLiteral("blank");
      case Qt::SizeAllCursor: return QStringLiteral("size all");
      default: return QStringLiteral("shape %1").arg(int(c.shape()));
    }
  }
  const QImage image = c.pixmap().toImage();
  const QList<std::pair<QString, Resources::CursorPtr>> own = {
      {QStringLiteral("hourglass"), Resources::Hourglass()},       {QStringLiteral("lasso"), Resources::cursor_lasso()},
      {QStringLiteral("brush"), Resources::cursor_brush()},        {QStringLiteral("pencil"), Resources::cursor_pencil()},
      {QStringLiteral("eyedropper"), Resources::cursor_eyedropper()},
      {QStringLiteral("bucket"), Resources::cursor_bucket()},      {QStringLiteral("airbrush"), Resources::cursor_airbrush()},
      {QStringLiteral("crosshair"), Resources::cursor_crosshair()}};
  for (const auto& [name, cursor] : own)
    if (cursor && cursor->pixmap().toImage() == image && cursor->hotSpot() == c.hotSpot()) return name;
  return QStringLiteral("unknown picture");
}
}  // namespace

class ToolSwitchingTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theCanvasCursorFollowsTheTool_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("eraser");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<QString>("cursor");
    QTest::newRow("busy before everything") << 2 << true << true << "hourglass";
    QTest::newRow("an eraser stroke hides it") << 2 << true << false << "blank";
    const std::pair<int, const char*> tools[] = {
        {1, "lasso"},      {11, "brush"},     {2, "pencil"},     {14, "pencil"},    {12, "eyedropper"},
        {4, "bucket"},     {13, "airbrush"},  {5, "crosshair"},  {6, "crosshair"},  {7, "crosshair"},
        {10, "crosshair"}, {15, "crosshair"}, {16, "crosshair"}, {17, "crosshair"}, {3, "blank"},
        {18, "size all"},  {99, "size all"},  {8, "arrow"},      {9, "arrow"},      {42, "arrow"}};
    for (const auto& [tool, cursor] : tools) QTest::addRow("tool %d", tool) << tool << false << false << cursor;
  }
  void theCanvasCursorFollowsTheTool() {
    QFETCH(int, tool);
    QFETCH(bool, eraser);
    QFETCH(bool, busy);
    QFETCH(QString, cursor);
    Main()->drawing_TOOL_SET(tool);
    active_ERASER = eraser;
    Main()->Set_Paint_Cursor(busy);
    QCOMPARE(Canvas_Cursor(), cursor);
    QCOMPARE(Barber_Pole, busy);
  }

  void theSprayTimerRunsWhileTheSprayCanIsTheTool() {
    QTimer* timer = Main()->timer_SPRAYCAN;
    QVERIFY(!timer->isActive());
    Main()->drawing_TOOL_SET(13);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 200);
    QVERIFY(!timer->isSingleShot());
    Main()->drawing_TOOL_SET(13);
    QVERIFY(timer->isActive());
    Main()->drawing_TOOL_SET(5);
    QVERIFY(!timer->isActive());
    // A choice in the tool palette applies the tool without drawing_TOOL_SET: the timer runs too.
    Main()->classTOOLS1->Current_Tool(13);
    Main()->drawing_TOOL_GET(13);
    QVERIFY(timer->isActive());
    Main()->classTOOLS1->Current_Tool(2);
    Main()->drawing_TOOL_GET(2);
    QVERIFY(!timer->isActive());
  }

  void settingAToolLightsItAndAppliesIt() {
    Main()->drawing_TOOL_SET(15);
    QCOMPARE(drawing_TOOL, 15);
    QCOMPARE(Main()->classTOOLS1->Current_Tool(), 15);
    QCOMPARE(Last_DrawTool, 15);
    Main()->drawing_TOOL_SET(12);
    QCOMPARE(Main()->classTOOLS1->Current_Tool(), 12);
    QCOMPARE(Last_DrawTool, 15);
  }

  void revertingGoesBackToTheLastDrawingTool_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("last");
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("lastAfter");
    QTest::newRow("no tool yet") << 12 << -1 << 2 << 2;
    QTest::newRow("the single-line text") << 12 << 18 << 2 << 2;
    QTest::newRow("after the eyedropper") << 12 << 5 << 5 << 5;
    QTest::newRow("the rectangular selection stays") << 10 << 5 << 10 << 5;
    QTest::newRow("the free-hand selection stays") << 1 << 5 << 1 << 5;
  }
  void revertingGoesBackToTheLastDrawingTool() {
    QFETCH(int, current);
    QFETCH(int, last);
    QFETCH(int, tool);
    QFETCH(int, lastAfter);
    Main()->drawing_TOOL_SET(current);
    Last_DrawTool = last;
    Main()->Screen_Canvas->setCursor(Qt::PointingHandCursor);
    Main()->Revert_to_Last_Draw_Tool(false);
    QCOMPARE(drawing_TOOL, tool);
    QCOMPARE(Main()->classTOOLS1->Current_Tool(), tool);
    QCOMPARE(Last_DrawTool, lastAfter);
    // With a selection tool not even the cursor changes.
    QCOMPARE(Main()->Screen_Canvas->cursor().shape() == Qt::PointingHandCursor, tool == current);
  }

  void leavingAToolEndsTheSelection_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("kept");
    QTest::newRow("grabber") << 99 << true;
    QTest::newRow("single-line text") << 18 << true;
    QTest::newRow("rectangular selection") << 10 << true;
    QTest::newRow("free-hand selection") << 1 << true;
    QTest::newRow("line") << 5 << false;
    QTest::newRow("eraser") << 3 << false;
  }
  void leavingAToolEndsTheSelection() {
    QFETCH(int, tool);
    QFETCH(bool, kept);
    Main()->drawing_TOOL_SET(6);
    Float_A_Selection();
    const int states = int(pic_Stack.size());
    Main()->drawing_TOOL_GET(tool);
    QCOMPARE(active_LASSO, kept);
    // A dropped floating selection is one more undo step.
    QCOMPARE(int(pic_Stack.size()), states + (kept ? 0 : 1));
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(kept ? 0xFFFFFF : 0x000000));
  }

  void theSameToolAgainDoesNothing() {
    Main()->drawing_TOOL_SET(5);
    Float_A_Selection();
    active_ERASER = true;
    Main()->drawing_TOOL_GET(5);
    Main()->drawing_TOOL_SET(5);
    QVERIFY(active_LASSO);
    QVERIFY(active_ERASER);
    QCOMPARE(int(pic_Stack.size()), 1);
  }

  void theEraserKeepsItsPointerHidden() {
    Main()->drawing_TOOL_SET(3);
    active_ERASER = true;
    Main()->Turn_ERASER_OFF();
    QVERIFY(!active_ERASER);
    QCOMPARE(Canvas_Cursor(), QStringLiteral("blank"));
    Main()->drawing_TOOL_SET(11);
    QCOMPARE(Canvas_Cursor(), QStringLiteral("brush"));
  }

  void resetWithTheTextToolDiscardsItsFloatingPicture() {
    Main()->drawing_TOOL_SET(18);
    Float_A_Selection();
    Main()->Reset_Everything();
    QVERIFY(!active_LASSO);
    QVERIFY(!drag_Picture);
    // The text being placed is drawn as the one undo step; the floating picture is not.
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0xFFFFFF));
    // With another tool the floating selection is dropped into the picture.
    Main()->drawing_TOOL_SET(6);
    Float_A_Selection();
    Main()->Reset_Everything();
    QCOMPARE(int(pic_Stack.size()), 2);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0x000000));
  }
};

PIXMURA_TEST_CLASS(ToolSwitchingTests)
#include "ToolSwitchingTests.moc"
