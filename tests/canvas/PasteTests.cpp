// Edit > Paste, the Shift-drop of a picture file and File > New from Clipboard on the real window.
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QUrl>

#include "CanvasDriver.h"
#include "core/Geometry.h"
#include "platform/Environment.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Canvas;

namespace {
// A w x h picture: its left half red, its right half white.
QImage Half_Red(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w / 2; ++x) image.setPixel(x, y, 0xFFFF0000u);
  return image;
}

// A marked document of w x h with the pencil.
void Start_Marked(int w, int h) {
  Start(w, h, TOOL_PENCIL);
  Fixture::PaintMarkers(work_area);
  pic_Stack[0] = work_area->CopyAtDepth(32);
}

Color At(int x, int y) { return work_area->Pixel(x, y) & 0xFFFFFFu; }
}  // namespace

class PasteTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // The clipboard's picture floats at the view's top-left pixel under the grabber; only its drop is an
  // undo step, and Draw Opaque decides whether its white covers the picture.
  void pasteFloatsUntilDropped_data() {
    QTest::addColumn<int>("opaque");
    QTest::addColumn<int>("zoom");
    QTest::newRow("white covers, 100 %") << 0 << 1;
    QTest::newRow("white left out, 100 %") << 1 << 1;
    QTest::newRow("400 %, scrolled") << 0 << 4;
  }
  void pasteFloatsUntilDropped() {
    QFETCH(int, opaque);
    QFETCH(int, zoom);
    Start_Marked(300, 250);
    modOptions::option_Draw_Opaque = opaque;
    if (zoom != 1) {
      Main()->Set_Zoom(zoom);
      Main()->Scroll_H_OS->setValue(40);
      Main()->Scroll_V_OS->setValue(30);
      QVERIFY(offset.x > 0 && offset.y > 0);
    }
    const point_record at = offset;
    QGuiApplication::clipboard()->setImage(Half_Red(100, 100));
    QVERIFY(!Main()->Handle_Menu(QStringLiteral("menu_PASTE"), 0));  // reported as not handled
    QVERIFY(active_DRAG && active_LASSO);
    QCOMPARE(drawing_TOOL, TOOL_GRABBER);
    QCOMPARE(img_DRAG_DROP, at);
    QCOMPARE(img_lasso->Top_Left(), at);
    QCOMPARE(img_lasso->Bot_Right(), Point_of(at.x + 100, at.y + 100));
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(At(at.x + 10, at.y + 10), Fixture::Marker(at.x + 10, at.y + 10));  // still floating
    Main()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(work_area->Width(), 300);
    QCOMPARE(At(at.x + 10, at.y + 10), Color(0xFF0000));
    QCOMPARE(At(at.x + 70, at.y + 70), opaque ? Fixture::Marker(at.x + 70, at.y + 70) : Color(0xFFFFFF));
    QCOMPARE(At(at.x + 110, at.y + 10), Fixture::Marker(at.x + 110, at.y + 10));
  }

  // A paste while another floats drops the old one first, in its own undo step.
  void pasteWhileFloating() {
    Start_Marked(200, 150);
    QGuiApplication::clipboard()->setImage(Half_Red(20, 20));
    Main()->image_PASTE(false, nullptr);
    img_DRAG_DROP = Point_of(50, 50);
    img_lasso->set_Top_Left(Point_of(50, 50));
    img_lasso->set_Bot_Right(Point_of(70, 70));
    Main()->image_PASTE(false, nullptr);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(At(55, 55), Color(0xFF0000));
    QVERIFY(active_DRAG);
    QCOMPARE(img_DRAG_DROP, Point_of(0, 0));
  }

  // A picture wider than the document enlarges the canvas (one undo step), the artwork unscaled at the
  // top-left and the new part white.
  void widerPictureEnlargesTheCanvas() {
    Start_Marked(60, 40);
    QGuiApplication::clipboard()->setImage(Half_Red(100, 20));
    Main()->image_PASTE(false, nullptr);
    QCOMPARE(work_area->Width(), 100);
    QCOMPARE(work_area->Height(), 40);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QVERIFY(active_DRAG);
    QCOMPARE(At(59, 39), Fixture::Marker(59, 39));
    QCOMPARE(At(30, 30), Fixture::Marker(30, 30));
    QCOMPARE(At(80, 30), Color(0xFFFFFF));
    Main()->Turn_Lasso_OFF();
    QCOMPARE(pic_Stack.size(), size_t(3));
    QCOMPARE(At(10, 10), Color(0xFF0000));
    QCOMPARE(At(30, 30), Fixture::Marker(30, 30));
  }

  // An empty clipboard gives a beep and changes nothing.
  void emptyClipboardBeeps() {
    Start_Marked(60, 40);
    QGuiApplication::clipboard()->clear();
    Platform::Environment::ResetBeepCount();
    Main()->image_PASTE(false, nullptr);
    Main()->image_New_from_clipboard();
    QCOMPARE(Platform::Environment::BeepCount(), 2);
    QVERIFY(!active_DRAG);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(work_area->Width(), 60);
  }

  // A PNG dropped with Shift floats like a paste and leaves the clipboard alone; without Shift nothing
  // floats.
  void shiftDropFloats() {
    Start_Marked(200, 150);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("drop.png"));
    QVERIFY(Half_Red(30, 20).save(file));
    QGuiApplication::clipboard()->setText(QStringLiteral("keep me"));
    Platform::Environment::OverrideKeys(Qt::ShiftModifier);
    Main()->Event_DropObject({QUrl::fromLocalFile(file)}, 0);
    Platform::Environment::OverrideKeys(std::nullopt);
    QVERIFY(active_DRAG);
    QCOMPARE(drawing_TOOL, TOOL_GRABBER);
    QCOMPARE(img_lasso->Bot_Right(), Point_of(30, 20));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
    QCOMPARE(pic_Stack.size(), size_t(1));
    Main()->Turn_Lasso_OFF();
    QCOMPARE(At(5, 5), Color(0xFF0000));
  }

  // New from Clipboard with a picture of the canvas size: no resize step, the picture committed on the
  // white one, no tool current.
  void newFromClipboardOfCanvasSize() {
    Start_Marked(60, 40);
    modOptions::option_Width = 80;
    modOptions::option_Height = 50;
    QGuiApplication::clipboard()->setImage(Half_Red(80, 50));
    Main()->image_New_from_clipboard();
    QCOMPARE(work_area->Width(), 80);
    QCOMPARE(work_area->Height(), 50);
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(pic_Stack[0]->Pixel(5, 5) & 0xFFFFFFu, 0xFFFFFFu);
    QCOMPARE(At(5, 5), Color(0xFF0000));
    QCOMPARE(At(70, 5), Color(0xFFFFFF));
    QCOMPARE(drawing_TOOL, -1);
    QVERIFY(!active_DRAG);
  }
};

PIXMURA_TEST_CLASS(PasteTests)
#include "PasteTests.moc"
