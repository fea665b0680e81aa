// The canvas keeps the working picture as it last showed it and the history compares only where the
// picture changed: after each command the canvas must show what drawing the whole picture afresh shows,
// and Undo and Redo must give back exactly the pixels before and after the command (a command without
// a step of its own leaves the pixels as they were). Each command runs at 25 %, 100 % and 400 %, on a
// document of distinct pixels with a white block to fill, after one earlier change so that the history
// already holds a step.
#include <QClipboard>
#include <QGuiApplication>

#include "CanvasDriver.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "effects/DozerIvidEffectsLibrary.h"
#include "mainwindow/MenuDriving.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {

constexpr int kW = 150, kH = 100;
constexpr QRgb kUnpainted = 0xFF010203u;  // a colour that neither the picture nor the canvas's marks use

enum Command {
  Pencil,
  SmoothLine,
  Oval,
  Flood,
  PatternFlood,
  PatternBox,
  Brush,
  Eraser,
  Invert,
  Sepia,
  FlipSelection,
  TurnSelection,
  MoveSelection,
  Paste,
  Cut,
  ClearImage,
  Frame,
  Crop,
  CanvasSize,
  Transparent,
  Scroll,
  ZoomIn,
  EffectPreview,
  SelectionPreview,
  ColourSplash,
  FreeHandDelete,
};

// Every pixel its own colour, but for a white block (20, 10)-(79, 59) for the fills.
void Paint_Document() {
  Start(kW, kH, TOOL_PENCIL);
  Save_as_Transparent = false;
  Fixture::PaintMarkers(work_area);
  work_area->Graphics().ClearRect(20, 10, 60, 50);
  pic_Stack[0] = work_area->CopyAtDepth(32);
  Main()->Manage_Undo_Stack(0);
}

// The canvas as the window shows it.
QImage Shown() { return Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

// Empty when every canvas pixel that shows the picture is what the whole picture drawn afresh gives.
QString Stale(const QString& when) {
  const QImage shown = Shown();
  auto fresh = Platform::Picture::Create(shown.width(), shown.height(), 32);
  fresh->Image().fill(kUnpainted);
  Platform::Graphics g(fresh);
  Main()->Screen_Canvas->Paint(g);
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb want = fresh->Pixel(x, y);
      if (want == (kUnpainted & 0xFFFFFFu)) continue;
      if ((shown.pixel(x, y) & 0xFFFFFFu) != want)
        return QStringLiteral("%1: canvas pixel (%2, %3) shows %4, the picture gives %5")
            .arg(when)
            .arg(x)
            .arg(y)
            .arg(shown.pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
            .arg(want, 6, 16, QLatin1Char('0'));
    }
  return {};
}

QImage Pixels(const PicturePtr& pic) { return pic->CopyAtDepth(32)->Image().copy(); }

// Empty when the working picture and the state on show hold the pixels.
QString Holds(const QImage& expected, const QString& when) {
  for (const auto& [pic, what] : {std::pair{work_area, "working picture"}, std::pair{pic_Stack[Current_Picture], "history"}}) {
    const QImage got = Pixels(pic);
    if (got.size() != expected.size()) return QStringLiteral("%1, %2: wrong size").arg(when, what);
    for (int y = 0; y < got.height(); ++y)
      for (int x = 0; x < got.width(); ++x)
        if ((got.pixel(x, y) & 0xFFFFFFu) != (expected.pixel(x, y) & 0xFFFFFFu))
          return QStringLiteral("%1, %2: pixel (%3, %4) is %5, expected %6")
              .arg(when, what)
              .arg(x)
              .arg(y)
              .arg(got.pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
              .arg(expected.pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
  }
  return {};
}

void Choose(const char* item) { QVERIFY(MenuDriving::Choose(QString::fromLatin1(item))); }

// Image pixel to canvas point at the zoom in use (the view at the picture's top-left).
QPoint On(int x, int y) { return QPoint(int(x * Zoom) + int(Zoom) / 2, int(y * Zoom) + int(Zoom) / 2); }

void Do(Command command) {
  Main()->classCOLORS1->Set_Color(1, 0x203080);
  Main()->classCOLORS1->Set_Color(2, 0xE0A020);
  modOptions::option_Draw_Opaque = 0;
  switch (command) {
    case Pencil: Main()->drawing_TOOL_SET(TOOL_PENCIL); Stroke({On(5, 5), On(60, 40), On(140, 90)}); break;
    case SmoothLine:
      modOptions::option_AntiAlias = false;  // the anti-aliasing renderer
      Pensize_SET(5, TOOL_PENCIL);
      Main()->drawing_TOOL_SET(TOOL_LINE);
      Stroke({On(10, 80), On(70, 20), On(130, 30)});
      break;
    case Oval:
      modOptions::option_AntiAlias = false;
      Main()->drawing_TOOL_SET(TOOL_OVAL);
      Drawing_Fillmode = 1;  // the ring alone
      Pensize_SET(3, TOOL_PENCIL);
      Stroke({On(30, 20), On(90, 50), On(110, 70)});
      break;
    case Flood: Main()->drawing_TOOL_SET(TOOL_FLOOD); Stroke({On(40, 30)}); break;
    case PatternFlood:
      Brush_Pattern = 3;
      Main()->drawing_TOOL_SET(TOOL_FLOOD);
      Stroke({On(40, 30)});
      break;
    case PatternBox:
      Brush_Pattern = 5;
      Drawing_Fillmode = 2;
      Main()->drawing_TOOL_SET(TOOL_RECT);
      Stroke({On(50, 40), On(120, 90), On(100, 80)});
      break;
    case Brush:
      size_BRUSH = 3;
      modOptions::option_BrushRandom = false;
      modOptions::option_BrushOpacity = 70;
      Main()->drawing_TOOL_SET(TOOL_BRUSH);
      Stroke({On(10, 60), On(60, 70), On(120, 40)});
      break;
    case Eraser:
      size_ERASER = 3;
      Main()->drawing_TOOL_SET(TOOL_ERASER);
      Stroke({On(100, 10), On(40, 60), On(20, 90)});
      break;
    case Invert: Choose("menu_InvertColors"); break;
    case Sepia: Choose("menu_Sepia"); break;
    case FlipSelection:
      Fixture::Select(30, 20, 90, 70);
      image_Flip(true);
      Main()->Turn_Lasso_OFF();
      break;
    case TurnSelection:
      Fixture::Select(30, 20, 90, 70);
      image_Rotate(90);
      Main()->Turn_Lasso_OFF();
      break;
    case MoveSelection:
      Main()->drawing_TOOL_SET(TOOL_LASSO);
      Stroke({On(30, 20), On(45, 35), On(60, 50)});
      HoverAt(On(40, 30));
      Stroke({On(40, 30), On(50, 50), On(65, 65)});
      Main()->Turn_Lasso_OFF();
      break;
    case Paste: {
      QImage q(40, 30, QImage::Format_RGB32);
      q.fill(0xFF40C040u);
      q.setPixel(3, 4, 0xFFFF0000u);
      QGuiApplication::clipboard()->setImage(q);
      Choose("menu_PASTE");
      Main()->Turn_Lasso_OFF();
      break;
    }
    case Cut:
      Fixture::Select(60, 30, 130, 80);
      Choose("menu_CUT");
      Main()->Turn_Lasso_OFF();
      break;
    case ClearImage: Choose("menu_ClearImage"); break;
    case Frame: Choose("menu_FRAME_FEATHERED_RECTANGLE"); break;
    case Crop:
      Fixture::Select(10, 10, 140, 90);
      Choose("menu_CROP");
      break;
    case CanvasSize: Resize_Canvas(120, 110); break;
    case Transparent: Choose("menu_Transparent"); break;
    case Scroll:
      offset = Point_of(7, 5);
      Main()->Update_Display();
      break;
    case ZoomIn: Choose("menu_ZoomIN"); break;
    case EffectPreview:
    case SelectionPreview: {
      // Two previews as the effects window makes them (the second with a blur, which makes a picture of
      // its own), then the picture as it was.
      if (command == SelectionPreview) Fixture::Select(30, 20, 90, 70);
      DozerIvidEffectsLibrary::EFFECTS_START();
      DozerIvidEffectsLibrary::Apply_Effects({0, 0, 40, 0, 0, 0, 0, 0, 0, 0});
      const QString problem = Stale(QStringLiteral("after the first preview"));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
      DozerIvidEffectsLibrary::Apply_Effects({0, 0, -30, 0, 0, 3, 0, 0, 0, 0});
      DozerIvidEffectsLibrary::EFFECTS_RESTORE();
      DozerIvidEffectsLibrary::EFFECTS_Picture_GET();
      Main()->Update_Display();
      break;
    }
    case FreeHandDelete:
      // The background colour through the shape's mask, a disc inside the selection's box.
      Draw_Color[2] = 0xE0A020;
      Fixture::SelectFreeHand(30, 20, 90, 70, [](int x, int y) { return (x - 30) * (x - 30) + (y - 25) * (y - 25) < 400; });
      Choose("menu_DELETE");
      break;
    case ColourSplash:
      Fixture::ExpectMessageBox(QStringLiteral("Partial Color Mode : ON - Graylevels=4^Use BLACK to reveal COLOR "
                                               "portion of your drawing^Use WHITE to replace GRAY background^Press "
                                               "[ESC] when finished^^Note : Pencil size set to 10"),
                                QStringLiteral("Ok"));
      Choose("menu_CS4");
      // Undo back to the picture before the mode ends it.
      Fixture::ExpectMessageBox(QStringLiteral("Partial Color Mode: OFF^Resume drawing as normal"), QStringLiteral("Ok"));
      Main()->classCOLORS1->Set_Color(1, 0x000000);
      Main()->drawing_TOOL_SET(TOOL_PENCIL);
      Stroke({On(20, 20), On(80, 60)});
      break;
  }
}

}  // namespace

Q_DECLARE_METATYPE(Command)

class CanvasFollowsChangesTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void commands_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<float>("zoom");
    const std::pair<Command, const char*> commands[] = {
        {Pencil, "pencil"},          {SmoothLine, "smooth line"},   {Oval, "oval"},
        {Flood, "flood"},            {PatternFlood, "pattern flood"}, {PatternBox, "pattern box"},
        {Brush, "brush"},            {Eraser, "eraser"},            {Invert, "invert"},
        {Sepia, "sepia"},            {FlipSelection, "flip selection"}, {TurnSelection, "turn selection"},
        {MoveSelection, "move selection"}, {Paste, "paste"},        {Cut, "cut"},
        {ClearImage, "clear"},       {Frame, "frame"},              {Crop, "crop"},
        {CanvasSize, "canvas size"}, {Transparent, "transparent"},  {Scroll, "scroll"},
        {ZoomIn, "zoom in"},         {EffectPreview, "effect preview"}, {SelectionPreview, "selection preview"},
        {ColourSplash, "partial colour"}, {FreeHandDelete, "free-hand delete"}};
    for (const auto& [command, name] : commands)
      for (float zoom : {0.25f, 1.0f, 4.0f})
        QTest::addRow("%s at %d %%", name, int(zoom * 100)) << command << zoom;
  }
  void commands() {
    QFETCH(Command, command);
    QFETCH(float, zoom);
    Paint_Document();
    Main()->Set_Zoom(zoom);
    offset = Point_of(0, 0);
    Main()->Update_Display();
    const QImage original = Pixels(work_area);
    // An earlier step: a band drawn and committed, then the canvas shown.
    Main()->drawing_TOOL_SET(TOOL_RECT);
    Drawing_Fillmode = 2;
    Stroke({On(100, 60), On(140, 95)});
    QString problem = Stale(QStringLiteral("after the earlier step"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QImage before = Pixels(work_area);
    const size_t steps = pic_Stack.size();

    Do(command);
    problem = Stale(QStringLiteral("after the command"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QImage after = Pixels(work_area);
    if (pic_Stack.size() == steps) {
      // A command without a step of its own leaves the pixels as they were.
      problem = Holds(before, QStringLiteral("after the command"));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
      return;
    }
    problem = Holds(after, QStringLiteral("after the command"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // Back to the state before the command, forward to its last state, back again, and to the start.
    const int32_t last = Current_Picture, previous = int32_t(steps) - 1;
    const std::pair<int32_t, const QImage*> walk[] = {{previous, &before}, {last, &after}, {previous, &before}, {0, &original}};
    for (const auto& [index, expected] : walk) {
      while (Current_Picture > index) Choose("menu_UnDo");
      while (Current_Picture < index) Choose("menu_ReDo");
      const QString when = QStringLiteral("at state %1").arg(index);
      problem = Holds(*expected, when);
      if (problem.isEmpty()) problem = Stale(when);
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
  }
};

PIXMURA_TEST_CLASS(CanvasFollowsChangesTests)
#include "CanvasFollowsChangesTests.moc"
