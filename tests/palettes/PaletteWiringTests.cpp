// The main window's handling of its palettes' events: the tool palette's choices, help tags asked for by
// the colour and pattern palettes, and the pointing hand over the palettes.
#include <QApplication>
#include <QEnterEvent>
#include <QTest>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classTOOLS.h"
#include "Pointer.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;

namespace {
winMAIN* Main() { return winMAIN::instance(); }

// Clicks a point of the tool palette as it shows, after the pointer came to rest there (the palette acts
// on what the last move found).
void ClickTools(QPoint at) {
  Main()->classTOOLS1->grab();
  Hover(Main()->classTOOLS1, at);
  Hover(Main()->classTOOLS1, at);
  QTest::mouseClick(Main()->classTOOLS1, Qt::LeftButton, {}, at);
}
QPoint ToolCell(int32_t id) { return QPoint(classTOOLS::Get_tool_X(id) + 16, classTOOLS::Get_tool_Y(id) + 16); }

// A 2 x 2 black picture floating over the white document at (1, 1).
void Float_A_Selection() {
  Fixture::NewDocument(8, 8, 0xFFFFFF);
  Set_Active_Lasso(true);
  img_lasso = std::make_shared<classRECTANGLE>();
  active_DRAG = true;
  drag_Picture = Fixture::Filled(2, 2, 0x000000);
  img_DRAG_DROP = Point_of(1, 1);
}
}  // namespace

class PaletteWiringTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theToolPaletteOpensOnThePencil() {
    QCOMPARE(drawing_TOOL, int32_t(TOOL_PENCIL));
    QCOMPARE(Main()->classTOOLS1->Current_Tool(), int32_t(TOOL_PENCIL));
    QCOMPARE(Drawing_Fillmode, 1);
  }

  void aToolPickedDropsTheFloatingSelectionFirst_data() {
    QTest::addColumn<int>("tool");
    QTest::newRow("line") << int(TOOL_LINE);
    QTest::newRow("rectangular selection") << int(TOOL_LASSO);
  }
  void aToolPickedDropsTheFloatingSelectionFirst() {
    QFETCH(int, tool);
    Float_A_Selection();
    const int32_t steps = pic_Stack.Ubound();
    ClickTools(ToolCell(tool));
    QCOMPARE(drawing_TOOL, tool);
    QVERIFY(!active_DRAG);
    QVERIFY(!active_LASSO);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0x000000));
    QCOMPARE(pic_Stack.Ubound(), steps + 1);
  }

  void theCurrentToolAgainKeepsTheSelection() {
    Float_A_Selection();
    ClickTools(ToolCell(TOOL_PENCIL));
    QVERIFY(active_DRAG);
    QCOMPARE(work_area->Pixel(1, 1), Platform::Color(0xFFFFFF));
  }

  void theFillModeGoesIntoTheEditingState() {
    ClickTools(ToolCell(TOOL_RECT));
    ClickTools(QPoint(30, classTOOLS::Get_Fill_Y(3) + 16));
    QCOMPARE(Drawing_Fillmode, 3);
    QCOMPARE(drawing_TOOL, int32_t(TOOL_RECT));
  }

  void palettesShowThePointingHand() {
    for (QWidget* palette : {static_cast<QWidget*>(Main()->classTOOLS1), static_cast<QWidget*>(Main()->classCOLORS1),
                             static_cast<QWidget*>(Main()->classPATTERNS1)}) {
      QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
      QApplication::sendEvent(palette, &enter);
      QCOMPARE(palette->cursor().shape(), Qt::PointingHandCursor);
    }
  }

  void aColourCellsTagShowsBelowIt() {
    modOptions::option_HelpTags = true;
    modOptions::option_Draw_Opaque = 1;
    classCOLORS* colours = Main()->classCOLORS1;
    // Cell 28, the opaque white: 392 from the palette's left, in the top row.
    Hover(colours, QPoint(400, 10));
    QCOMPARE(HelpTag_Text, QStringLiteral("Opaque White\rClick=ForeColor, RightClick=BackColor"));
    QCOMPARE(Main()->myHelpTag->pos(), colours->mapTo(Main()->myHelpTag->parentWidget(), QPoint(402, 19)));
    QVERIFY(Main()->timer_HELPTAG->isActive());
    Main()->timer_HELPTAG_Action();
    QVERIFY(Main()->myHelpTag->isVisible());
    // A press on the pattern palette hides it.
    QTest::mouseClick(Main()->classPATTERNS1, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(!Main()->myHelpTag->isVisible());
  }
};
PIXMURA_TEST_CLASS(PaletteWiringTests)
#include "PaletteWiringTests.moc"
