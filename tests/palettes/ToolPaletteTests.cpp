#include <QSet>
#include <QTest>
#include <algorithm>

#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classTOOLS.h"
#include "palettes/winShapes.h"
#include "platform/Environment.h"
#include "Pointer.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "text/winTEXT2.h"

namespace {
// The main window's tool palette with its events recorded.
struct Palette {
  classTOOLS* p = winMAIN::instance()->classTOOLS1;
  QList<int32_t> tools;
  QList<int32_t> modes;

  Palette() {
    p->On.tool_Changed = [this] { tools << p->Current_Tool(); };
    p->On.FillMode_Changed = [this](int32_t mode) { modes << mode; };
  }
  // Shows the palette as it stands (its paint decides what is shown below the cells).
  QImage Shot() { return p->grab().toImage(); }
  void Move(int x, int y) { Hover(p, QPoint(x, y)); }
  // The pointer comes to rest, then clicks.
  void Click(int x, int y) {
    Move(x, y);
    Move(x, y);
    QTest::mouseClick(p, Qt::LeftButton, {}, QPoint(x, y));
  }
  void Choose(int32_t tool) {
    p->Current_Tool(tool);
    Shot();
  }
};

QPoint Cell(int32_t id) { return QPoint(classTOOLS::Get_tool_X(id) + 16, classTOOLS::Get_tool_Y(id) + 16); }
QPoint Button(int32_t i) { return QPoint(30, classTOOLS::Get_Fill_Y(i) + 16); }

winMAIN* Main() { return winMAIN::instance(); }

// How a control looks: its darkest grey level and its strongest colour (the largest difference between
// two channels of one pixel), and how many different pixels it has.
struct Look {
  int darkest = 255;
  int colour = 0;
  int shades = 0;
};
Look Look_Of(QWidget* control) {
  const QImage shot = control->grab().toImage().convertToFormat(QImage::Format_RGB32);
  Look look;
  QSet<QRgb> seen;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) {
      const QRgb p = shot.pixel(x, y);
      const int r = qRed(p), g = qGreen(p), b = qBlue(p);
      look.darkest = std::min(look.darkest, std::min({r, g, b}));
      look.colour = std::max(look.colour, std::max({r, g, b}) - std::min({r, g, b}));
      seen.insert(p);
    }
  look.shades = int(seen.size());
  return look;
}
}  // namespace

class ToolPaletteTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void cleanup() {
    modColorSplash::ColorSplash_Mode = 0;
    FixtureTest::cleanup();
  }

  void theCellUnderThePointer_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QPoint>("tagAt");
    QTest::newRow("top-left corner of cell 1") << QPoint(3, 3) << 1 << "Freehand Selection" << QPoint(19, 37);
    QTest::newRow("bottom-right corner of cell 1") << QPoint(35, 35) << 1 << "Freehand Selection" << QPoint(19, 37);
    QTest::newRow("left of cell 1") << QPoint(2, 10) << -1 << "<undefined>" << QPoint(19, -33);
    QTest::newRow("between the columns") << QPoint(37, 10) << -1 << "<undefined>" << QPoint(19, -33);
    QTest::newRow("between rows 1 and 2") << QPoint(10, 37) << -1 << "<undefined>" << QPoint(19, -33);
    QTest::newRow("top of cell 2") << QPoint(10, 38) << 2 << "Freehand Drawing" << QPoint(19, 72);
    QTest::newRow("cell 10") << QPoint(38, 3) << 10 << "Rectangular Selection Tool" << QPoint(54, 37);
    QTest::newRow("right of cell 10") << QPoint(71, 3) << -1 << "<undefined>" << QPoint(19, -33);
    QTest::newRow("cell 5") << QPoint(20, 160) << 5 << "Line Tool" << QPoint(19, 177);
    QTest::newRow("cell 8") << QPoint(3, 248) << 8 << "Text Tool" << QPoint(19, 282);
    QTest::newRow("bottom of cell 17") << QPoint(70, 280) << 17 << "Predefined Shapes" << QPoint(54, 282);
    QTest::newRow("below cell 17") << QPoint(70, 281) << -1 << "<undefined>" << QPoint(19, -33);
  }
  void theCellUnderThePointer() {
    QFETCH(QPoint, at);
    QFETCH(int, tool);
    QFETCH(QString, tag);
    QFETCH(QPoint, tagAt);
    Palette t;
    t.Move(Cell(16).x(), Cell(16).y());  // another cell first
    t.Move(at.x(), at.y());
    QCOMPARE(t.p->Hovered_Tool(), tool);
    QCOMPARE(modMAIN::HelpTag_Text, tag);
    QCOMPARE(Main()->myHelpTag->pos(), tagAt);
    QVERIFY(Main()->timer_HELPTAG->isActive());
  }

  void aClickActsOnTheCellOfTheLastMove() {
    Palette t;
    t.Click(Cell(5).x(), Cell(5).y());
    QCOMPARE(t.p->Current_Tool(), 5);
    QCOMPARE(t.tools, QList<int32_t>{5});
    // The lit cell shows the selected backdrop, the hovered one the hover backdrop.
    t.Move(Cell(11).x(), Cell(11).y());
    const QImage shot = t.Shot();
    const QRgb selected = shot.pixel(classTOOLS::Get_tool_X(5) + 1, classTOOLS::Get_tool_Y(5) + 16);
    const QRgb hover = shot.pixel(classTOOLS::Get_tool_X(11) + 1, classTOOLS::Get_tool_Y(11) + 16);
    const QRgb none = shot.pixel(classTOOLS::Get_tool_X(6) + 1, classTOOLS::Get_tool_Y(6) + 16);
    QVERIFY(selected != hover && selected != none && hover != none);
    // The current cell again: no event, no change.
    t.Click(Cell(5).x(), Cell(5).y());
    QCOMPARE(t.tools.size(), 1);
  }

  // A press and its release that come together, with no move to the press point first (a tap, a
  // synthetic click), act where they are, as a click held there does, whatever the last move found.
  void aTapActsWhereItIs_data() {
    QTest::addColumn<int>("current");
    QTest::addColumn<QPoint>("lastMove");
    QTest::addColumn<QPoint>("tap");
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("fill");
    QTest::newRow("a tool cell, the pointer last over another cell") << 2 << Cell(16) << Cell(5) << 5 << 1;
    QTest::newRow("a tool cell, the pointer last beside the cells") << 2 << QPoint(37, 100) << Cell(17) << 17 << 1;
    QTest::newRow("a fill-mode button, the pointer last over the tool's cell") << 6 << Cell(6) << Button(2) << 6 << 2;
    QTest::newRow("the last fill-mode button, the pointer last over the first") << 15 << Button(1) << Button(3) << 15 << 3;
    QTest::newRow("beside every cell, the pointer last over a cell") << 2 << Cell(13) << QPoint(37, 100) << 2 << 1;
  }
  void aTapActsWhereItIs() {
    QFETCH(int, current);
    QFETCH(QPoint, lastMove);
    QFETCH(QPoint, tap);
    QFETCH(int, tool);
    QFETCH(int, fill);
    Palette t;
    t.Choose(current);
    t.Move(lastMove.x(), lastMove.y());
    t.Move(lastMove.x(), lastMove.y());
    Tap(t.p, tap);
    QCOMPARE(t.p->Current_Tool(), tool);
    QCOMPARE(t.tools, tool == current ? QList<int32_t>{} : QList<int32_t>{tool});
    QCOMPARE(t.p->FillMode(), fill);
    QCOMPARE(t.modes, fill == 1 ? QList<int32_t>{} : QList<int32_t>{fill});
  }

  void aClickBesideEveryCellOnlyClearsTheMessage() {
    Palette t;
    Main()->Set_Status_msg(QStringLiteral("Something"));
    t.Click(37, 100);
    QCOMPARE(Main()->status_msg, QString());
    QCOMPARE(t.p->Current_Tool(), 2);
    QVERIFY(t.tools.isEmpty());
  }

  void fillModeButtonsShowForTheShapeTools_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("buttons");
    for (int tool : {1, 2, 3, 4, 5, 8, 10, 11, 12, 13, 14, 18, 99}) QTest::addRow("%d", tool) << tool << false;
    for (int tool : {6, 7, 15, 16, 17}) QTest::addRow("%d", tool) << tool << true;
  }
  void fillModeButtonsShowForTheShapeTools() {
    QFETCH(int, tool);
    QFETCH(bool, buttons);
    Palette t;
    t.Choose(tool);
    // Button 2's picture: a solid box in &hD0544B.
    QCOMPARE((t.Shot().pixel(Button(2)) & 0xFFFFFF) == 0xD0544B, buttons);
    t.Click(Button(2).x(), Button(2).y());
    QCOMPARE(t.modes, buttons ? QList<int32_t>{2} : QList<int32_t>{});
    QCOMPARE(t.p->FillMode(), buttons ? 2 : 1);
  }

  void theButtonsHaveTheirOwnTags() {
    Palette t;
    t.Choose(6);
    t.Move(3, 324);  // the top-left corner of button 2
    QCOMPARE(t.p->Hovered_Fill(), 2);
    QCOMPARE(modMAIN::HelpTag_Text, QStringLiteral("Draw solid shape, no outline"));
    QCOMPARE(Main()->myHelpTag->pos(), QPoint(36, 360));
    t.Move(70, 390);  // the bottom-right corner of button 3
    QCOMPARE(t.p->Hovered_Fill(), 3);
    QCOMPARE(modMAIN::HelpTag_Text, QStringLiteral("Draw outlined solid shape"));
    t.Move(71, 390);
    QCOMPARE(t.p->Hovered_Fill(), -1);
    // Leaving the palette forgets the hover.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(t.p, &leave);
    QCOMPARE(t.p->Hovered_Tool(), -1);
    QCOMPARE(t.p->Hovered_Fill(), -1);
  }

  void theSampleBandOpensTheGallery_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("gallery");
    QTest::addColumn<QList<int32_t>>("modes");
    QTest::newRow("button 3 above the band") << QPoint(30, 377) << false << QList<int32_t>{3};
    QTest::newRow("button 3 in the band") << QPoint(30, 378) << true << QList<int32_t>{3};
    QTest::newRow("bottom of the band, right edge") << QPoint(73, 442) << true << QList<int32_t>{};
    QTest::newRow("below the band") << QPoint(30, 443) << false << QList<int32_t>{};
  }
  void theSampleBandOpensTheGallery() {
    QFETCH(QPoint, at);
    QFETCH(bool, gallery);
    QFETCH(QList<int32_t>, modes);
    Palette t;
    Main()->drawing_TOOL_SET(modMAIN::TOOL_SHAPE);
    t.Shot();
    if (gallery)
      Fixture::ExpectDialog(QStringLiteral("winShapes"), [](QDialog* d) {
        QTest::mouseClick(static_cast<winShapes*>(d)->PushButton1, Qt::LeftButton);
      });
    t.Click(at.x(), at.y());
    QCOMPARE(t.modes, modes);
  }

  void theToolToReturnTo_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<int>("last");
    for (int tool : {3, 8, 10, 12, 18, 99}) QTest::addRow("%d is not recorded", tool) << tool << 4;
    for (int tool : {1, 2, 5, 11, 13, 16, 17}) QTest::addRow("%d is recorded", tool) << tool << tool;
  }
  void theToolToReturnTo() {
    QFETCH(int, tool);
    QFETCH(int, last);
    Palette t;
    modMAIN::Last_DrawTool = 4;
    t.p->Current_Tool(tool);
    QCOMPARE(modMAIN::Last_DrawTool, last);
    QCOMPARE(t.p->Current_Tool(), tool);
    QVERIFY(t.tools.isEmpty());
  }

  void theTextCell_data() {
    QTest::addColumn<bool>("oldText");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("message");
    QTest::newRow("single-line text at 100 %") << false << 1.f << 18 << "";
    QTest::newRow("single-line text at 200 %") << false << 2.f << 2 << "Must be at 100% for Text Tool";
    QTest::newRow("single-line text at 50 %") << false << .5f << 2 << "Must be at 100% for Text Tool";
    QTest::newRow("styled text at 200 %") << true << 2.f << 8 << "";
  }
  void theTextCell() {
    QFETCH(bool, oldText);
    QFETCH(float, zoom);
    QFETCH(int, tool);
    QFETCH(QString, message);
    Palette t;
    modOptions::option_UseOldText = oldText;
    modMAIN::Zoom = zoom;
    t.Click(Cell(8).x(), Cell(8).y());
    QCOMPARE(t.p->Current_Tool(), tool);
    QCOMPARE(t.tools, tool == 2 ? QList<int32_t>{} : QList<int32_t>{tool});
    QCOMPARE(Main()->status_msg, message);
    QCOMPARE(Platform::Environment::BeepCount(), message.isEmpty() ? 0 : 1);
    // No cell is lit for the single-line text tool.
    if (tool == 18) {
      const QImage shot = t.Shot();
      QCOMPARE(shot.pixel(classTOOLS::Get_tool_X(8) + 1, classTOOLS::Get_tool_Y(8) + 16),
               shot.pixel(classTOOLS::Get_tool_X(7) + 1, classTOOLS::Get_tool_Y(7) + 16));
    }
  }

  void partialColourModeAllowsOnlyPencilAndRectangle() {
    Palette t;
    modColorSplash::ColorSplash_Mode = 16;
    t.Choose(6);
    Main()->Set_Status_msg(QStringLiteral("Partial"));
    t.Move(Cell(5).x(), Cell(5).y());
    QCOMPARE(t.p->Hovered_Tool(), -1);
    QVERIFY(!Main()->timer_HELPTAG->isActive());
    t.Click(Cell(5).x(), Cell(5).y());
    QCOMPARE(t.p->Current_Tool(), 6);
    // The fill-mode buttons are neither shown nor chosen.
    QVERIFY((t.Shot().pixel(Button(2)) & 0xFFFFFF) != 0xD0544B);
    t.Click(Button(2).x(), Button(2).y());
    QVERIFY(t.modes.isEmpty());
    t.Click(Cell(2).x(), Cell(2).y());
    QCOMPARE(t.p->Current_Tool(), 2);
    QCOMPARE(t.tools, QList<int32_t>{2});
    // A click does not clear the status message.
    QCOMPARE(Main()->status_msg, QStringLiteral("Partial"));
  }

  // A disabled control is drawn greyed, as Qt draws its own disabled controls: no colour and no black
  // ink left, yet its drawing still shows. The Text Options window disables the tool palette and the
  // status bar; any other drawn control looks the same when disabled.
  void aDisabledControlIsDrawnGreyed_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("coloured");
    QTest::newRow("tool palette, by the Text Options window") << "classTOOLS1" << true;
    QTest::newRow("status bar, by the Text Options window") << "statusbar" << false;
    QTest::newRow("colour palette") << "classCOLORS1" << true;
  }
  void aDisabledControlIsDrawnGreyed() {
    QFETCH(QString, control);
    QFETCH(bool, coloured);
    Fixture::NewDocument(200, 100);
    Main()->show();
    QWidget* c = Main()->findChild<QWidget*>(control);
    QVERIFY(c);
    const Look enabled = Look_Of(c);
    QVERIFY2(enabled.darkest < 64, qPrintable(QString::number(enabled.darkest)));
    if (coloured) QVERIFY2(enabled.colour > 100, qPrintable(QString::number(enabled.colour)));
    const bool byTheTextWindow = control != QLatin1String("classCOLORS1");
    if (byTheTextWindow) {
      modMAIN::Zoom = 1;
      Main()->drawing_TOOL_GET(modMAIN::TOOL_TEXT2);
      QVERIFY(winTEXT2::existing());
    } else {
      c->setEnabled(false);
    }
    QVERIFY(!c->isEnabled());
    const Look disabled = Look_Of(c);
    // Black through Qt's greying over a light window colour comes out near mid-grey.
    QVERIFY2(disabled.darkest > 80, qPrintable(QString::number(disabled.darkest)));
    QVERIFY2(disabled.colour <= 12, qPrintable(QString::number(disabled.colour)));
    QVERIFY2(disabled.shades > 3, qPrintable(QString::number(disabled.shades)));
    // Enabled again, it shows its colours and its black again.
    if (byTheTextWindow) QTest::mouseClick(winTEXT2::existing()->pbCancel, Qt::LeftButton);
    else c->setEnabled(true);
    QVERIFY(c->isEnabled());
    const Look again = Look_Of(c);
    QCOMPARE(again.darkest, enabled.darkest);
    QCOMPARE(again.colour, enabled.colour);
  }

  void aDisabledPaletteTakesNothing() {
    Palette t;
    t.Move(Cell(5).x(), Cell(5).y());
    t.p->setEnabled(false);
    QTest::mouseClick(t.p, Qt::LeftButton, {}, Cell(5));
    QCOMPARE(t.p->Current_Tool(), 2);
    QVERIFY(t.tools.isEmpty());
  }
};

PIXMURA_TEST_CLASS(ToolPaletteTests)
#include "ToolPaletteTests.moc"
