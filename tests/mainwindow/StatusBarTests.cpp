// The status bar: its texts at the left and right, what is left out on a narrow bar, the busy words
// with the progress bar, the separators, and the sliders and the arrow-head chooser that live in it.
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>

#include "SurroundingsDriving.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "palettes/RoundSlider.h"
#include "palettes/winARROWHEAD.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/TestMain.h"
#include "MenuDriving.h"

using namespace modMAIN;
using namespace Surroundings;

namespace {
constexpr Platform::Color kRed = 0xFF0000;
constexpr Platform::Color kSeparator = 0xB3B3B3;

// Paints the bar now and answers the texts it drew.
QList<winMAIN::StatusCell> Cells() {
  Painted(Main()->statusbar);
  return Main()->Statusbar_Cells();
}
QStringList Texts() {
  QStringList texts;
  for (const auto& c : Cells()) texts << c.text;
  return texts;
}
// The texts left of the arrow-head chooser, in order.
QStringList Left_Texts() {
  QStringList texts;
  for (const auto& c : Cells())
    if (c.x < Main()->canvasARROW->x()) texts << c.text;
  return texts;
}
winMAIN::StatusCell Cell(const QString& startingWith) {
  for (const auto& c : Cells())
    if (c.text.startsWith(startingWith)) return c;
  return {-1, QString(), 0};
}

// The width of a text in the bar's font, measured by the program's own text engine.
double Text_Width(const QString& text) {
  Platform::Graphics g(nullptr, 0, 0);
  g.SetTextFont(QStringLiteral("System"));
  g.SetTextSize(12);
  return g.StringWidth(text);
}

// The bar at 640 x 480, 100 %, the pencil at size 1, no message.
void Standard_Bar() {
  Fixture::NewDocument(640, 480);
  Main()->Set_Zoom(1);
  drawing_TOOL = TOOL_PENCIL;
  Pensize_SET(1, TOOL_PENCIL);
  Mouse_Point = Point_of(12, 34);
  Main()->Clear_Status_Msg();
}

// The part of the chooser's picture above its shaft near one end holds black: an arm of a head.
bool Head_At(const QImage& chooser, bool left) {
  const int m = chooser.height() / 2;
  const int from = left ? 5 : chooser.width() - 12, to = left ? 12 : chooser.width() - 5;
  for (int y = m - 5; y < m; ++y)
    for (int x = from; x < to; ++x)
      if (At(chooser, x, y) == 0x000000) return true;
  return false;
}
}  // namespace

class StatusBarTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void theLeftPartReadsCanvasToolAndPointer() {
    Standard_Bar();
    QCOMPARE(Left_Texts(), (QStringList{"Canvas: 640 x 480", "Tool: Pencil", "XY: 12,34"}));
    // The first cell starts 10 pixels in, in black.
    const auto first = Cell(QStringLiteral("Canvas"));
    QCOMPARE(first.x, 10);
    QCOMPARE(first.color, Platform::Color(0x000000));
  }

  void toolNamesAndPenTexts_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<bool>("colourEraser");
    QTest::addColumn<QString>("toolText");
    QTest::addColumn<QString>("penText");
    QTest::addColumn<int>("sliderValue");
    // Sizes: pencil 2, brush 7, eraser 4, spray can 9.
    QTest::newRow("pencil") << int(TOOL_PENCIL) << false << "Tool: Pencil" << "Pencil 2x" << 2;
    QTest::newRow("brush") << int(TOOL_BRUSH) << false << "Tool: Brush" << "Brush 7x" << 7;
    QTest::newRow("spray can") << int(TOOL_SPRAYCAN) << false << "Tool: SprayCan" << "Spray 9x" << 9;
    QTest::newRow("eraser") << int(TOOL_ERASER) << false << "Tool: Eraser" << "Eraser 4x" << 4;
    QTest::newRow("colour eraser") << int(TOOL_ERASER) << true << "Tool: Color Eraser" << "Eraser 4x" << 4;
    QTest::newRow("fill") << int(TOOL_FLOOD) << false << "Tool: Fill" << "Pencil 2x" << 2;
    QTest::newRow("free lasso") << int(TOOL_SUPERLASSO) << false << "Tool: Free Lasso" << "Pencil 2x" << 2;
    QTest::newRow("round rectangle") << int(TOOL_ROUNDRECT) << false << "Tool: Round Rectangle" << "Pencil 2x" << 2;
    QTest::newRow("eyedropper") << int(TOOL_EYEDROPPER) << false << "Tool: EyeDropper" << "Pencil 2x" << 2;
    QTest::newRow("styled text") << int(TOOL_STYLEDTEXT) << false << "Tool: Text" << "Pencil 2x" << 2;
    QTest::newRow("single-line text") << int(TOOL_TEXT2) << false << "Tool: Text" << "Pencil 2x" << 2;
    QTest::newRow("grabber") << int(TOOL_GRABBER) << false << "Tool: Grabber" << "Pencil 2x" << 2;
    QTest::newRow("polygon has no name") << int(TOOL_POLYGON) << false << "Tool: " << "Pencil 2x" << 2;
    QTest::newRow("no tool yet") << 0 << false << "Tool: " << "Pencil 2x" << 2;
    QTest::newRow("tool 9") << 9 << false << "Tool: " << "Pencil 2x" << 2;
  }
  void toolNamesAndPenTexts() {
    QFETCH(int, tool);
    QFETCH(bool, colourEraser);
    QFETCH(QString, toolText);
    QFETCH(QString, penText);
    QFETCH(int, sliderValue);
    Standard_Bar();
    size_PENCIL = 2;
    size_BRUSH = 7;
    size_ERASER = 4;
    size_SPRAYCAN = 9;
    drawing_TOOL = tool;
    Eraser_Mode = colourEraser;
    QCOMPARE(Left_Texts().value(1), toolText);
    QVERIFY2(Texts().contains(penText), qPrintable(Texts().join(" | ")));
    QCOMPARE(Main()->Slider_Pencil->Get_Value(), float(sliderValue));
    // Following the tool changes no size.
    QCOMPARE((QList<int>{size_PENCIL, size_BRUSH, size_ERASER, size_SPRAYCAN}), (QList<int>{2, 7, 4, 9}));
  }

  void theZoomReadsAsAPercentage_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QString>("text");
    QTest::newRow("25") << 0.25f << "Zoom 25%";
    QTest::newRow("50") << 0.5f << "Zoom 50%";
    QTest::newRow("100") << 1.0f << "Zoom 100%";
    QTest::newRow("800") << 8.0f << "Zoom 800%";
    QTest::newRow("1600") << 16.0f << "Zoom 1600%";
  }
  void theZoomReadsAsAPercentage() {
    QFETCH(float, zoom);
    QFETCH(QString, text);
    Standard_Bar();
    Main()->Set_Zoom(zoom);
    const auto cell = Cell(QStringLiteral("Zoom"));
    QCOMPARE(cell.text, text);
    // The text ends 4 pixels left of the zoom slider, which stands 4 pixels in from the right edge.
    QCOMPARE(Main()->Slider_Zoom->x(), Main()->statusbar->width() - Main()->Slider_Zoom->width() - 4);
    QVERIFY(qAbs(cell.x + Text_Width(text) - (Main()->Slider_Zoom->x() - 4)) <= 1);
  }

  void withoutAPictureTheCanvasReadsThreeDots() {
    Standard_Bar();
    work_area.reset();
    QCOMPARE(Left_Texts().value(0), QStringLiteral("..."));
    QCOMPARE(Left_Texts().value(1), QStringLiteral("Tool: Pencil"));
  }

  void aShapeDragReadsStartEndAndSize_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<QPoint>("down");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("rectangle") << int(TOOL_RECT) << QPoint(10, 10) << QPoint(50, 30)
                               << QStringList{"XY: 10,10 to 50,30", "Size: 40 x 20"};
    QTest::newRow("dragged back up and left") << int(TOOL_RECT) << QPoint(50, 30) << QPoint(10, 10)
                                              << QStringList{"XY: 50,30 to 10,10", "Size: -40 x -20"};
    QTest::newRow("line") << int(TOOL_LINE) << QPoint(0, 5) << QPoint(7, 0) << QStringList{"XY: 0,5 to 7,0", "Size: 7 x -5"};
    QTest::newRow("selection") << int(TOOL_LASSO) << QPoint(1, 1) << QPoint(2, 2) << QStringList{"XY: 1,1 to 2,2", "Size: 1 x 1"};
    QTest::newRow("the pencil shows only the pointer") << int(TOOL_PENCIL) << QPoint(10, 10) << QPoint(50, 30)
                                                       << QStringList{"XY: 50,30"};
  }
  void aShapeDragReadsStartEndAndSize() {
    QFETCH(int, tool);
    QFETCH(QPoint, down);
    QFETCH(QPoint, pointer);
    QFETCH(QStringList, expected);
    Standard_Bar();
    drawing_TOOL = tool;
    MouseDown_Point = Point_of(down.x(), down.y());
    Mouse_Point = Point_of(pointer.x(), pointer.y());
    Platform::Environment::OverrideMouse(true);
    QCOMPARE(Left_Texts().mid(2), expected);
    // With the button up the same tool reads only the pointer.
    Platform::Environment::OverrideMouse(false);
    QCOMPARE(Left_Texts().mid(2), QStringList{QStringLiteral("XY: %1,%2").arg(pointer.x()).arg(pointer.y())});
  }

  void theMessageIsRedAndTheBusyWordsFollowIt() {
    Standard_Bar();
    Main()->Set_Status_msg(QStringLiteral("  Hold on "));
    Barber_Pole = true;
    const auto message = Cell(QStringLiteral("Hold"));
    QCOMPARE(message.text, QStringLiteral("Hold on"));
    QCOMPARE(message.color, kRed);
    const auto wait = Cell(QStringLiteral("Please Wait"));
    QVERIFY(wait.x > message.x);
    QCOMPARE(wait.color, kRed);
    // The progress bar follows the words and ends 5 pixels before the limit of the left part.
    QProgressBar* bar = Main()->pb_BARBER;
    QVERIFY(bar->isVisibleTo(Main()));
    QVERIFY(bar->x() > wait.x + Text_Width(QStringLiteral("Please Wait")));
    QCOMPARE(bar->x() + bar->width(), Main()->canvasARROW->x() - 14 - 5);

    // Busy without a message: black words.
    Main()->Clear_Status_Msg();
    QCOMPARE(Cell(QStringLiteral("Please Wait")).color, Platform::Color(0x000000));
    // No longer busy: the words go; the progress bar is left to whoever ends the progress.
    Barber_Pole = false;
    QVERIFY(!Texts().contains(QStringLiteral("Please Wait")));
  }

  void thePartialColourModeShowsItsName() {
    Standard_Bar();
    modColorSplash::ColorSplash_Mode = 16;
    const auto message = Cell(QStringLiteral("Partial"));
    QCOMPARE(message.text, QStringLiteral("Partial Color Mode is active"));
    QCOMPARE(message.color, kRed);
    QCOMPARE(Main()->status_msg, QStringLiteral("Partial Color Mode is active"));
  }

  void aNarrowBarLeavesCellsOutWhole_data() {
    QTest::addColumn<QString>("room");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("busyShown");
    QTest::newRow("no room for the canvas") << "none" << QStringList{} << false;
    QTest::newRow("room for the canvas only") << "canvas" << QStringList{"Canvas: 640 x 480"} << false;
    // The pointer and the message no longer fit; the busy words are put without a test.
    QTest::newRow("room for the canvas and the tool")
        << "tool" << QStringList{"Canvas: 640 x 480", "Tool: Pencil", "Please Wait"} << true;
  }
  void aNarrowBarLeavesCellsOutWhole() {
    QFETCH(QString, room);
    QFETCH(QStringList, expected);
    QFETCH(bool, busyShown);
    Standard_Bar();
    Main()->Set_Status_msg(QStringLiteral("A message"));
    Barber_Pole = true;
    Main()->pb_BARBER->hide();
    // What the right part takes does not depend on the bar's width.
    Cells();
    Main()->pb_BARBER->hide();
    const int right = Main()->statusbar->width() - (Main()->canvasARROW->x() - 14);
    const double canvasEnd = 10 + Text_Width(QStringLiteral("Canvas: 640 x 480"));
    const double toolEnd = canvasEnd + 20 + Text_Width(QStringLiteral("Tool: Pencil"));
    int limit = 0;
    if (room == QLatin1String("none")) limit = int(canvasEnd);              // ends exactly at the limit: left out
    else if (room == QLatin1String("canvas")) limit = int(canvasEnd) + 25;  // the tool text needs more
    else limit = int(toolEnd) + 25;                                         // the pointer text needs more
    Main()->statusbar->resize(limit + right, Main()->statusbar->height());
    QCOMPARE(Left_Texts(), expected);
    QCOMPARE(Main()->canvasARROW->x() - 14, limit);
    // The right part is laid out all the same.
    QVERIFY(Texts().contains(QStringLiteral("Zoom 100%")));
    QCOMPARE(Main()->pb_BARBER->isVisibleTo(Main()), busyShown);
    if (busyShown) QCOMPARE(Main()->pb_BARBER->width(), 0);
  }

  void separatorsStandBesideEachCell() {
    Standard_Bar();
    const QImage bar = Painted(Main()->statusbar);
    QList<int> lines;
    for (int x = 0; x < bar.width(); ++x) {
      bool whole = true;
      for (int y = 1; y < bar.height() && whole; ++y) whole = At(bar, x, y) == kSeparator;
      if (whole) lines << x;
    }
    QList<int> expected;
    for (const auto& c : Main()->Statusbar_Cells())
      if (c.x < Main()->canvasARROW->x()) expected << c.x + int(Text_Width(c.text)) + 10;
    expected << Main()->canvasARROW->x() - 4;
    expected << Cell(QStringLiteral("Pencil")).x - 4;
    expected << Cell(QStringLiteral("Zoom")).x - 10;
    std::sort(expected.begin(), expected.end());
    QCOMPARE(lines, expected);
    // The top border.
    for (int x = 0; x < bar.width(); x += 97) QCOMPARE(At(bar, x, 0), kSeparator);
  }

  void putTextOnAThousandPixelBar() {
    const Platform::PicturePtr pic = Fixture::Filled(1000, 24, 0xE8E8E8);
    Platform::Graphics g(pic);
    QCOMPARE(Main()->Put_Text(g, 10, QString(), true), 20);
    for (int y = 0; y < 24; ++y) QCOMPARE(pic->Pixel(10, y) & 0xFFFFFF, kSeparator);
    QCOMPARE(Main()->Put_Text(g, 1000, QString(), true), 1000);
    // Without a separator nothing is drawn for an empty text.
    QCOMPARE(Main()->Put_Text(g, 500, QString(), false), 500);
    QCOMPARE(pic->Pixel(500, 12) & 0xFFFFFF, Platform::Color(0xE8E8E8));
    // A text moves past itself and 10 pixels; its separator follows there.
    g.SetTextSize(12);
    const int32_t next = Main()->Put_Text(g, 100, QStringLiteral("Canvas"), true);
    const int32_t line = 100 + int32_t(g.StringWidth(QStringLiteral("Canvas"))) + 10;
    QCOMPARE(next, line + 10);
    QCOMPARE(pic->Pixel(line, 0) & 0xFFFFFF, kSeparator);
    QCOMPARE(Main()->XY_of(Point_of(-3, 7)), QStringLiteral("-3,7"));
  }

  void theGoldenStatusBar() {
    KnownFont font;
    Standard_Bar();
    Main()->statusbar->resize(900, 24);
    Main()->Set_Status_msg(QStringLiteral("Hello"));
    Barber_Pole = true;
    modOptions::option_ArrowHead = 3;
    QApplication::processEvents();
    Cells();
    const QString problem = Against_Golden(Painted_Whole(Main()->statusbar), QStringLiteral("status_bar"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  // ---- Sliders ----

  void theZoomSliderSetsTheZoom() {
    Standard_Bar();
    const float zooms[] = {0.25f, 0.5f, 1, 2, 4, 8, 16};
    for (int position : {1, 2, 3, 4, 5, 6, 7, 3}) {
      Main()->Set_Status_msg(QStringLiteral("a message"));
      Main()->Slider_Zoom->Set_Value(float(position));
      QCOMPARE(Zoom, zooms[position - 1]);
      QCOMPARE(Main()->status_msg, QString());
    }
    // A click left of the knob steps one position down: 100 % to 50 %.
    Main()->Set_Status_msg(QStringLiteral("a message"));
    QTest::mouseClick(Main()->Slider_Zoom, Qt::LeftButton, {}, QPoint(2, Main()->Slider_Zoom->height() / 2));
    QCOMPARE(Zoom, 0.5f);
    QCOMPARE(Main()->Slider_Zoom->Get_Value(), 2.0f);
    QCOMPARE(Main()->status_msg, QString());
  }

  void aMenuZoomMovesTheSlider() {
    Standard_Bar();
    Main()->Set_Status_msg(QStringLiteral("a message"));
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ZoomIN")));
    QCOMPARE(Zoom, 2.0f);
    QCOMPARE(Main()->Slider_Zoom->Get_Value(), 4.0f);
    QCOMPARE(Main()->status_msg, QString());
    QCOMPARE(Cell(QStringLiteral("Zoom")).text, QStringLiteral("Zoom 200%"));
  }

  void thePenSliderSetsTheToolsSize() {
    Standard_Bar();
    drawing_TOOL = TOOL_BRUSH;
    size_BRUSH = 3;
    Cells();
    QCOMPARE(Main()->Slider_Pencil->Get_Value(), 3.0f);
    Main()->Slider_Pencil->Set_Value(7);
    QCOMPARE(size_BRUSH, 7);
    QVERIFY(Texts().contains(QStringLiteral("Brush 7x")));
    // Tools without a size of their own set the pencil's.
    drawing_TOOL = TOOL_FLOOD;
    size_PENCIL = 1;
    Cells();
    Main()->Slider_Pencil->Set_Value(5);
    QCOMPARE(size_PENCIL, 5);
    QCOMPARE(size_BRUSH, 7);
  }

  void switchingToolsMovesThePenSliderAndClearsTheMessage() {
    Standard_Bar();
    size_BRUSH = 7;
    Main()->drawing_TOOL_SET(TOOL_BRUSH);
    Cells();
    QCOMPARE(Main()->Slider_Pencil->Get_Value(), 7.0f);
    Main()->Set_Status_msg(QStringLiteral("a message"));
    Main()->drawing_TOOL_SET(TOOL_PENCIL);
    QApplication::processEvents();
    QCOMPARE(Main()->Slider_Pencil->Get_Value(), 1.0f);
    QCOMPARE(Main()->status_msg, QString());
    QCOMPARE(size_BRUSH, 7);
    QCOMPARE(size_PENCIL, 1);
    // The next paint shows no message.
    QVERIFY(!Texts().contains(QStringLiteral("a message")));
  }

  void aSizeTheSliderReportsBackIsStoredWithoutPaintingInsideThePaint() {
    Standard_Bar();
    // A pencil size of 0 (below the slider's range, which keeps it): the paint gives it to the slider,
    // the slider reports it, and the size is stored clamped to 1. The bar asked for inside its own paint
    // is only marked; the next paint reads the stored size.
    size_PENCIL = 0;
    Cells();
    QCOMPARE(size_PENCIL, 1);
    QVERIFY(Texts().contains(QStringLiteral("Pencil 1x")));
    QCOMPARE(Main()->Slider_Pencil->Get_Value(), 1.0f);
  }

  // ---- Arrow-head chooser ----

  void clicksStepTheArrowHeadStyle() {
    Standard_Bar();
    QWidget* chooser = Main()->canvasARROW;
    QCOMPARE(chooser->size(), QSize(50, 21));
    const QList<QPair<bool, bool>> heads{{false, false}, {true, false}, {false, true}, {true, true}, {false, false}};
    for (int click = 0; click < 5; ++click) {
      QCOMPARE(modOptions::option_ArrowHead, click % 4);
      const QImage drawn = Painted(chooser);
      QCOMPARE(At(drawn, 25, 10), Platform::Color(0x000000));  // the shaft
      QCOMPARE(At(drawn, 25, 3), Platform::Color(0xE8E8E8));
      QCOMPARE(Head_At(drawn, true), heads[click].first);
      QCOMPARE(Head_At(drawn, false), heads[click].second);
      QTest::mouseClick(chooser, Qt::LeftButton, {}, QPoint(25, 10));
    }
  }

  void aRightClickOpensTheOptionsWithTheDefaults() {
    Standard_Bar();
    modOptions::option_ArrowHead = 0;
    bool seen = false;
    Fixture::ExpectDialog(QStringLiteral("winARROWHEAD"), [&](QDialog* d) {
      auto* w = static_cast<winARROWHEAD*>(d);
      seen = true;
      QCOMPARE(w->windowTitle(), QStringLiteral("ArrowHeads"));
      QCOMPARE(w->size(), QSize(273, 142));
      QCOMPARE(w->cb(0)->text(), QStringLiteral("Start of Line"));
      QCOMPARE(w->cb(1)->text(), QStringLiteral("End of Line"));
      QVERIFY(!w->cb(0)->isChecked() && !w->cb(1)->isChecked());
      QCOMPARE((QStringList{w->StaticText1->text(), w->StaticText2->text(), w->StaticText3->text()}),
               (QStringList{"Length", "Width", "Concave"}));
      QCOMPARE((QStringList{w->lblValue(0)->text(), w->lblValue(1)->text(), w->lblValue(2)->text()}),
               (QStringList{"5x", "5x", "0%"}));
      QVERIFY(w->flag);
    });
    QTest::mouseClick(Main()->canvasARROW, Qt::RightButton, {}, QPoint(25, 10));
    QVERIFY(seen);
    QCOMPARE(modOptions::option_ArrowHead, 0);
    QCOMPARE((QList<int>{modOptions::option_ArrowLength, modOptions::option_ArrowWidth, modOptions::option_ArrowConcavity}),
             (QList<int>{5, 5, 0}));
  }

  void theOptionsWindowChangesTheSettingsAtOnce() {
    Standard_Bar();
    modOptions::option_ArrowHead = 3;
    Fixture::ExpectDialog(QStringLiteral("winARROWHEAD"), [&](QDialog* d) {
      auto* w = static_cast<winARROWHEAD*>(d);
      w->show();
      QVERIFY(w->cb(0)->isChecked() && w->cb(1)->isChecked());
      QTest::mouseClick(w->cb(0), Qt::LeftButton, {}, QPoint(8, w->cb(0)->height() / 2));
      QCOMPARE(modOptions::option_ArrowHead, 2);
      QTest::mouseClick(w->cb(0), Qt::LeftButton, {}, QPoint(8, w->cb(0)->height() / 2));
      QCOMPARE(modOptions::option_ArrowHead, 3);
      // The concavity slider's two ends.
      w->rSlide(2)->Set_Value(-5);
      QCOMPARE(w->lblValue(2)->text(), QStringLiteral("-50%"));
      QCOMPARE(modOptions::option_ArrowConcavity, -5);
      w->rSlide(2)->Set_Value(5);
      QCOMPARE(w->lblValue(2)->text(), QStringLiteral("50%"));
      QCOMPARE(modOptions::option_ArrowConcavity, 5);
      // A click right of the length knob makes the head one pencil size longer.
      QTest::mouseClick(w->rSlide(0), Qt::LeftButton, {}, QPoint(w->rSlide(0)->width() - 2, 5));
      QCOMPARE(w->lblValue(0)->text(), QStringLiteral("6x"));
      QCOMPARE(modOptions::option_ArrowLength, 6);
      w->close();
    });
    QTest::mouseClick(Main()->canvasARROW, Qt::RightButton, {}, QPoint(25, 10));
    QCOMPARE(modOptions::option_ArrowHead, 3);
    QCOMPARE(modOptions::option_ArrowLength, 6);
    QCOMPARE(modOptions::option_ArrowConcavity, 5);
  }

  void storedValuesOutsideTheSlidersAreSettled() {
    Standard_Bar();
    modOptions::option_ArrowLength = 20;
    modOptions::option_ArrowWidth = 2;
    modOptions::option_ArrowConcavity = -9;
    Fixture::ExpectDialog(QStringLiteral("winARROWHEAD"), [](QDialog* d) {
      auto* w = static_cast<winARROWHEAD*>(d);
      QCOMPARE(w->lblValue(0)->text(), QStringLiteral("10x"));
      QCOMPARE(w->lblValue(2)->text(), QStringLiteral("-50%"));
    });
    winARROWHEAD::Show_Modal();
    QCOMPARE(modOptions::option_ArrowLength, 10);
    QCOMPARE(modOptions::option_ArrowConcavity, -5);
    // A width of 0 to 2 is left as it was.
    QCOMPARE(modOptions::option_ArrowWidth, 2);
  }

  void anyKeyClosesTheOptionsWindow_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("a letter") << int(Qt::Key_A);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
  }
  void anyKeyClosesTheOptionsWindow() {
    QFETCH(int, key);
    Standard_Bar();
    modOptions::option_ArrowHead = 1;
    modOptions::option_ArrowWidth = 8;
    QVERIFY(Fixture::KeyOnRealModal(Qt::Key(key), [] { winARROWHEAD::Show_Modal(); }, QString()));
    QCOMPARE(modOptions::option_ArrowHead, 1);
    QCOMPARE(modOptions::option_ArrowWidth, 8);
  }

  void statusControlsAskForTheirHelpTags_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::newRow("zoom") << "Slider_Zoom" << "Set Magnification Level";
    QTest::newRow("pen") << "Slider_Pencil" << "Set Drawing Width";
    QTest::newRow("chooser") << "canvasARROW" << "Set Line ArrowHeads";
  }
  void statusControlsAskForTheirHelpTags() {
    QFETCH(QString, control);
    QFETCH(QString, text);
    Standard_Bar();
    modOptions::option_HelpTags = true;
    Cells();
    auto* w = Main()->statusbar->findChild<Platform::Canvas*>(control);
    QVERIFY(w);
    QEnterEvent e(QPointF(3, 3), QPointF(3, 3), w->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(w, &e);
    QCOMPARE(HelpTag_Text, text);
    QVERIFY(Main()->timer_HELPTAG->isActive());
    const QPoint place = w->mapTo(Main()->centralWidget(), QPoint(0, 0));
    QCOMPARE(Main()->myHelpTag->pos(), place - QPoint(0, 20));
    Main()->timer_HELPTAG_Action();
    QVERIFY(Main()->myHelpTag->isVisible());
    // Moving over the control hides the tag.
    HoverAt(w, QPoint(4, 4));
    QVERIFY(!Main()->myHelpTag->isVisible());
  }
};

PIXMURA_TEST_CLASS(StatusBarTests)
#include "StatusBarTests.moc"
