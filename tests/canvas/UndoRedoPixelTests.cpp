// Each kind of change on the real window (a rectangle's band, a brush stroke, a selection moved, a paste,
// an effect, a turn), then Undo and Redo from the Edit menu, twice: the working picture and the history
// hold exactly the pixels worked out by hand for the picture before and after the change. The document
// is 150 x 100, so that changes cross the borders of the history's tiles and reach its cut last tiles;
// one sequence does every change in turn and steps back through all of them and forward again.
#include <QClipboard>
#include <QGuiApplication>

#include "CanvasDriver.h"
#include "mainwindow/MenuDriving.h"
#include "core/DrawingRoutines.h"
#include "core/Geometry.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {

constexpr int kW = 150, kH = 100;
constexpr QRgb kFore = 0xFF203080, kBack = 0xFFE0A020;

// The changes, each as the user makes it and as its pixels are worked out by hand.
enum Change { Band, Brush, Move, Paste, Invert, Turn };

QImage Marked() {
  QImage img(kW, kH, QImage::Format_RGB32);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) img.setPixel(x, y, 0xFF000000u | Fixture::Marker(x, y));
  return img;
}

// 40 x 30 of four colour quarters, for the clipboard.
QImage Quarters() {
  QImage img(40, 30, QImage::Format_RGB32);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      img.setPixel(x, y, x < 20 ? (y < 15 ? 0xFFFF0000u : 0xFF00FF00u) : (y < 15 ? 0xFF0000FFu : 0xFF101010u));
  return img;
}

void Fill(QImage& img, int left, int top, int right, int bottom, QRgb c) {
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) img.setPixel(x, y, c);
}

// The brush's tip as the stroke uses it: 3 pixels across, at full opacity.
const PicturePtr& Brush_Tip() {
  size_BRUSH = 1;
  modOptions::option_BrushRandom = false;
  modOptions::option_BrushOpacity = 100;
  Make_Paintbrush_Tip();
  return Paintbrush_Tip;
}

// The picture after the change, worked out by hand from the picture before it.
QImage Expected(Change change, const QImage& before) {
  QImage img = before.copy();
  switch (change) {
    case Band:  // the box from the press (10, 10) to the last pointer pixel (70, 40), both included
      Fill(img, 10, 10, 70, 40, kFore);
      break;
    case Brush: {  // the tip at full opacity stamped at every pixel of row 50 from column 20 to 120: each
                   // pixel of the tip that is not black takes the colour
      const PicturePtr& tip = Brush_Tip();
      const int half = tip->Width() / 2;
      for (int at = 20; at <= 120; ++at)
        for (int j = 0; j < tip->Height(); ++j)
          for (int i = 0; i < tip->Width(); ++i)
            if (tip->Pixel(i, j) != 0) img.setPixel(at - half + i, 50 - half + j, kFore);
      break;
    }
    case Move: {  // (30, 20)-(59, 49) lifted, its place left in the background colour, put down at (55, 55)
      const QImage block = before.copy(30, 20, 30, 30);
      Fill(img, 30, 20, 59, 49, kBack);
      for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) img.setPixel(55 + x, 55 + y, block.pixel(x, y));
      break;
    }
    case Paste: {  // the clipboard's picture at the view's top-left
      const QImage q = Quarters();
      for (int y = 0; y < q.height(); ++y)
        for (int x = 0; x < q.width(); ++x) img.setPixel(x, y, q.pixel(x, y));
      break;
    }
    case Invert:
      for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, img.pixel(x, y) ^ 0x00FFFFFFu);
      break;
    case Turn: {  // a quarter turn clockwise: the left column becomes the top row
      QImage turned(before.height(), before.width(), QImage::Format_RGB32);
      for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x) turned.setPixel(x, y, before.pixel(y, before.height() - 1 - x));
      img = turned;
      break;
    }
  }
  return img;
}

// Chooses the menu item as the user does; it must be enabled.
void Choose(const char* item) { QVERIFY(MenuDriving::Choose(QString::fromLatin1(item))); }

// The change made on the window, as the user makes it.
void Make(Change change) {
  Main()->classCOLORS1->Set_Color(1, kFore & 0xFFFFFFu);
  Main()->classCOLORS1->Set_Color(2, kBack & 0xFFFFFFu);
  modOptions::option_Draw_Opaque = 0;
  switch (change) {
    case Band:
      Main()->drawing_TOOL_SET(TOOL_RECT);
      Drawing_Fillmode = 2;
      Press({10, 10});
      DragTo({100, 70});  // grown beyond the end, then back
      DragTo({70, 40});
      Release({70, 40});
      break;
    case Brush:
      Main()->drawing_TOOL_SET(TOOL_BRUSH);
      Brush_Tip();
      Stroke({{20, 50}, {70, 50}, {120, 50}});
      break;
    case Move:
      Main()->drawing_TOOL_SET(TOOL_LASSO);
      Stroke({{30, 20}, {45, 35}, {60, 50}});
      HoverAt({40, 30});
      Stroke({{40, 30}, {50, 50}, {65, 65}});
      Main()->Turn_Lasso_OFF();
      break;
    case Paste:
      QGuiApplication::clipboard()->setImage(Quarters());
      Choose("menu_PASTE");
      Main()->Turn_Lasso_OFF();
      break;
    case Invert: Choose("menu_InvertColors"); break;
    case Turn: image_Rotate(90); break;
  }
}

// Empty when the picture holds exactly the expected pixels.
QString Difference(const PicturePtr& pic, const QImage& expected, const QString& what) {
  if (!pic) return what + QStringLiteral(": no picture");
  if (pic->Width() != expected.width() || pic->Height() != expected.height())
    return QStringLiteral("%1: %2 x %3, expected %4 x %5")
        .arg(what)
        .arg(pic->Width())
        .arg(pic->Height())
        .arg(expected.width())
        .arg(expected.height());
  for (int y = 0; y < expected.height(); ++y)
    for (int x = 0; x < expected.width(); ++x)
      if ((pic->Pixel(x, y) & 0xFFFFFFu) != (expected.pixel(x, y) & 0xFFFFFFu))
        return QStringLiteral("%1: pixel (%2, %3) is %4, expected %5")
            .arg(what)
            .arg(x)
            .arg(y)
            .arg(pic->Pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
            .arg(expected.pixel(x, y) & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
  return {};
}

// The working picture and the state on show both hold the expected pixels.
QString Shows(const QImage& expected, const QString& when) {
  QString problem = Difference(work_area, expected, when + QStringLiteral(", working picture"));
  if (problem.isEmpty()) problem = Difference(pic_Stack[Current_Picture], expected, when + QStringLiteral(", history"));
  return problem;
}

void Start_Marked() {
  Start(kW, kH, TOOL_PENCIL);
  Save_as_Transparent = false;
  Fixture::PaintMarkers(work_area);
  pic_Stack[0] = work_area->CopyAtDepth(32);
  Main()->Manage_Undo_Stack(0);  // the working picture made from the state, as after opening
}

}  // namespace

Q_DECLARE_METATYPE(Change)

class UndoRedoPixelTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void undoAndRedo_data() {
    QTest::addColumn<Change>("change");
    QTest::newRow("band") << Band;
    QTest::newRow("brush") << Brush;
    QTest::newRow("selection moved") << Move;
    QTest::newRow("paste") << Paste;
    QTest::newRow("effect") << Invert;
    QTest::newRow("turn") << Turn;
  }
  void undoAndRedo() {
    QFETCH(Change, change);
    Start_Marked();
    const QImage before = Marked();
    const QImage after = Expected(change, before);
    Make(change);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QString problem = Shows(after, QStringLiteral("after the change"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    for (int round = 1; round <= 2; ++round) {
      Choose("menu_UnDo");
      problem = Shows(before, QStringLiteral("after Undo %1").arg(round));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
      Choose("menu_ReDo");
      problem = Shows(after, QStringLiteral("after Redo %1").arg(round));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
  }

  // A stroke whose undo step finds no memory is taken back: the picture shows the state before it again,
  // and the same stroke with the memory gives its pixels.
  void aStrokeWithoutMemoryForItsStepIsTakenBack() {
    Start_Marked();
    const QImage before = Marked();
    Platform::SetAllocationRefusal([](qint64 bytes) { return bytes >= kW * kH * 3; });
    Fixture::ExpectMessageBox(QStringLiteral("Out of Memory^Insufficient memory to create a new picture"),
                              QStringLiteral("Ok"));
    Make(Brush);
    Platform::SetAllocationRefusal(nullptr);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QString problem = Shows(before, QStringLiteral("after the refused step"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    Make(Brush);
    QCOMPARE(pic_Stack.size(), size_t(2));
    problem = Shows(Expected(Brush, before), QStringLiteral("after the stroke"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }

  // Every change in turn, then back through all of them and forward again.
  void undoAndRedoThroughASequence() {
    Start_Marked();
    const QList<Change> changes{Band, Brush, Move, Paste, Invert, Turn};
    QList<QImage> states{Marked()};
    for (Change change : changes) {
      states << Expected(change, states.back());
      Make(change);
      const QString problem = Shows(states.back(), QStringLiteral("after change %1").arg(states.size() - 1));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    QCOMPARE(pic_Stack.size(), size_t(states.size()));
    for (qsizetype i = states.size() - 2; i >= 0; --i) {
      Choose("menu_UnDo");
      const QString problem = Shows(states[i], QStringLiteral("back at state %1").arg(i));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    for (qsizetype i = 1; i < states.size(); ++i) {
      Choose("menu_ReDo");
      const QString problem = Shows(states[i], QStringLiteral("forward at state %1").arg(i));
      QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    // A new change after going back drops the states ahead and is undone to the state it was made on.
    Choose("menu_UnDo");
    Choose("menu_UnDo");
    const QImage base = states[states.size() - 3];
    Make(Band);
    QString problem = Shows(Expected(Band, base), QStringLiteral("the new change"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    Choose("menu_UnDo");
    problem = Shows(base, QStringLiteral("the new change undone"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }
};

PIXMURA_TEST_CLASS(UndoRedoPixelTests)
#include "UndoRedoPixelTests.moc"
