// The canvas-size handles on the surround: where they stand and what a point hits, the pointer shapes,
// the drag with its guides and size tag, and the release that gives the picture its new canvas size.
#include <algorithm>

#include "MenuDriving.h"
#include "SurroundingsDriving.h"
#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Surroundings;

namespace {
QWidget* Surround() { return Main()->canvas_BG; }

// A white picture of w x h at the zoom, on a surround large enough to show it whole at that zoom.
void Picture_At(int w, int h, float zoom) {
  Fixture::NewDocument(w, h);
  Main()->Set_Zoom(zoom);
  Surround()->resize(std::max(900, int(w * zoom) + 60), std::max(560, int(h * zoom) + 60));
  Main()->Update_Display();
  Main()->SetWindowModified(false);
  QApplication::processEvents();
}

QSize Picture_Size() { return QSize(work_area->Width(), work_area->Height()); }

}  // namespace

class CanvasHandleTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void whereTheHandlesStandAndWhatAPointHits_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QList<QPoint>>("handles");
    QTest::addColumn<QList<QPoint>>("points");
    QTest::addColumn<QList<int>>("modes");
    // The handles are drawn 9 x 9 centred on their points; the painting canvas covers (4, 4) to (643, 483).
    QTest::newRow("640 x 480") << QSize(640, 480) << QList<QPoint>{{644, 232}, {644, 484}, {312, 484}}
                               << QList<QPoint>{{648, 232}, {646, 488}, {312, 488}, {644, 228}, {643, 483},
                                                {649, 232}, {646, 237}, {317, 486}}
                               << QList<int>{1, 2, 3, 1, 0, 0, 0, 0};
    // The right handle reaches from row -3 to row 5 and the bottom one from column -3 to 5; the canvas
    // covers (4, 4) to (20, 20).
    QTest::newRow("17 x 17") << QSize(17, 17) << QList<QPoint>{{21, 1}, {21, 21}, {1, 21}}
                             << QList<QPoint>{{22, 0}, {21, 0}, {20, 3}, {20, 4}, {22, 22}, {0, 21}, {5, 26}, {26, 1}}
                             << QList<int>{1, 1, 1, 0, 2, 3, 0, 0};
  }
  void whereTheHandlesStandAndWhatAPointHits() {
    QFETCH(QSize, picture);
    QFETCH(QList<QPoint>, handles);
    QFETCH(QList<QPoint>, points);
    QFETCH(QList<int>, modes);
    Picture_At(picture.width(), picture.height(), 1);
    QCOMPARE(Main()->Screen_Canvas->size(), picture);
    const QImage drawn = Painted(Surround());
    for (const QPoint& h : handles) QVERIFY2(Handle_Drawn_At(drawn, h), qPrintable(QStringLiteral("%1,%2").arg(h.x()).arg(h.y())));
    for (int i = 0; i < points.size(); ++i)
      QCOMPARE(Main()->Background_Mode(points[i].x(), points[i].y()), modes[i]);
  }

  // Near the canvas's right and bottom edges every pixel where the surround shows a handle answers
  // with that handle's mode, and every other pixel with none: a handle takes the mouse exactly where it
  // is seen.
  void aHandleAnswersOnItsOwnPixels_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QList<QPoint>>("handles");
    QTest::newRow("640 x 480") << QSize(640, 480) << 1.0f << QList<QPoint>{{644, 232}, {644, 484}, {312, 484}};
    // Canvas 400 x 240.
    QTest::newRow("100 x 60 at 400 %") << QSize(100, 60) << 4.0f << QList<QPoint>{{404, 112}, {404, 244}, {192, 244}};
    QTest::newRow("17 x 17") << QSize(17, 17) << 1.0f << QList<QPoint>{{21, 1}, {21, 21}, {1, 21}};
    // Only the corner handle lies on the surround.
    QTest::newRow("1 x 1") << QSize(1, 1) << 1.0f << QList<QPoint>{{5, -7}, {5, 5}, {-7, 5}};
  }
  void aHandleAnswersOnItsOwnPixels() {
    QFETCH(QSize, picture);
    QFETCH(float, zoom);
    QFETCH(QList<QPoint>, handles);
    Picture_At(picture.width(), picture.height(), zoom);
    const QImage drawn = Painted(Surround());
    const QRect canvas = Main()->Screen_Canvas->geometry();
    const int R = canvas.right() + 1, B = canvas.bottom() + 1;
    QList<int> seen{0, 0, 0, 0};
    QString wrong;
    for (int y = 0; y <= B + 10 && wrong.isEmpty(); ++y)
      for (int x = 0; x <= R + 10 && wrong.isEmpty(); ++x) {
        if ((x < R - 10 && y < B - 10) || canvas.contains(x, y) || !drawn.rect().contains(x, y)) continue;
        int owner = 0;
        for (int mode = 1; mode <= 3; ++mode)
          if (std::abs(x - handles[mode - 1].x()) <= 4 && std::abs(y - handles[mode - 1].y()) <= 4) owner = mode;
        const bool shows = At(drawn, x, y) != modOptions::option_Background_Color;
        QCOMPARE(shows, owner != 0);
        const int answer = Main()->Background_Mode(x, y);
        if (answer != owner) wrong = QStringLiteral("%1,%2 answers %3, shows %4").arg(x).arg(y).arg(answer).arg(owner);
        ++seen[owner];
      }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QVERIFY(seen[2] > 0);
  }

  void thePointerShowsTheHandlesArrows() {
    Picture_At(640, 480, 1);
    const QList<QPair<QPoint, Qt::CursorShape>> moves{
        {{648, 232}, Qt::SizeHorCursor}, {{700, 300}, Qt::ArrowCursor}, {{646, 488}, Qt::SizeFDiagCursor},
        {{312, 488}, Qt::SizeVerCursor}, {{800, 500}, Qt::ArrowCursor}};
    for (const auto& [at, shape] : moves) {
      HoverAt(Surround(), at);
      QCOMPARE(Surround()->cursor().shape(), shape);
    }
    // Over a handle the painting canvas shows the arrows too; a point under the painting canvas leaves
    // every pointer alone.
    HoverAt(Surround(), QPoint(646, 488));
    QCOMPARE(Main()->Screen_Canvas->cursor().shape(), Qt::SizeFDiagCursor);
    QCOMPARE(Main()->Background_Mode(643, 483), 0);
    QCOMPARE(Surround()->cursor().shape(), Qt::SizeFDiagCursor);
  }

  void aDragGivesTheNewCanvasSize_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<QSize>("result");
    // The height stays even when the pointer also moved down.
    QTest::newRow("right edge 50 to the right") << QSize(640, 480) << 1.0f << QPoint(646, 234) << QPoint(696, 260)
                                                << QSize(690, 480);
    QTest::newRow("right edge, 40 to the left") << QSize(640, 480) << 1.0f << QPoint(646, 234) << QPoint(606, 200)
                                                << QSize(600, 480);
    QTest::newRow("corner") << QSize(640, 480) << 1.0f << QPoint(646, 486) << QPoint(706, 456) << QSize(700, 450);
    // 40 screen pixels at 400 % are 10 rows.
    QTest::newRow("bottom edge at 400 %") << QSize(100, 60) << 4.0f << QPoint(194, 246) << QPoint(230, 286)
                                          << QSize(100, 70);
    QTest::newRow("corner at 50 %") << QSize(400, 300) << 0.5f << QPoint(206, 156) << QPoint(216, 146)
                                    << QSize(420, 280);
    QTest::newRow("2 pixels change nothing") << QSize(640, 480) << 1.0f << QPoint(646, 486) << QPoint(648, 488)
                                             << QSize(640, 480);
    QTest::newRow("3 pixels do") << QSize(640, 480) << 1.0f << QPoint(646, 486) << QPoint(649, 486) << QSize(643, 480);
    QTest::newRow("3 pixels up") << QSize(640, 480) << 1.0f << QPoint(646, 486) << QPoint(646, 483) << QSize(640, 477);
    // Along the axis a handle does not change, any travel is no change.
    QTest::newRow("right edge moved only up and down") << QSize(640, 480) << 1.0f << QPoint(646, 234)
                                                       << QPoint(647, 300) << QSize(640, 480);
    // Far above and left of the picture: the smallest canvas, never an empty one.
    QTest::newRow("far up and left") << QSize(640, 480) << 1.0f << QPoint(646, 486) << QPoint(-3000, -3000)
                                     << QSize(1, 1);
    QTest::newRow("far left at 1600 %") << QSize(30, 20) << 16.0f << QPoint(486, 154) << QPoint(-600, 154)
                                        << QSize(1, 20);
  }
  void aDragGivesTheNewCanvasSize() {
    QFETCH(QSize, picture);
    QFETCH(float, zoom);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(QSize, result);
    Picture_At(picture.width(), picture.height(), zoom);
    QVERIFY(Main()->Background_Mode(press.x(), press.y()) != 0);
    const size_t states = pic_Stack.size();
    Drag(Surround(), press, release);
    QCOMPARE(Picture_Size(), result);
    QCOMPARE(pic_Stack.size(), states + (result == picture ? 0 : 1));
    // However far it went, the drag is over: no mode, no guides, no tag; the canvas shows the new size.
    QCOMPARE(bkgd_mode, 0);
    QVERIFY(!Main()->myHelpTag->isVisible());
    QCOMPARE(Surround()->cursor().shape(), Qt::ArrowCursor);
    if (result != picture)
      QCOMPARE(Main()->Screen_Canvas->size(),
               QSize(std::max(1, int(result.width() * zoom)), std::max(1, int(result.height() * zoom))));
  }

  void aResizedPictureKeepsItsContentAtTheTopLeft() {
    Picture_At(40, 30, 1);
    pic_Stack[0]->SetPixel(39, 29, 0x123456);
    Move_to_WorkArea();
    Drag(Surround(), QPoint(46, 36), QPoint(56, 46));
    QCOMPARE(Picture_Size(), QSize(50, 40));
    QCOMPARE(work_area->Pixel(39, 29) & 0xFFFFFF, Platform::Color(0x123456));
  }

  void theDragShowsGuidesAndTheSizeTag() {
    Picture_At(640, 480, 1);
    Marching_Ants = 0;
    Press(Surround(), QPoint(646, 486));
    QCOMPARE(bkgd_mode, 2);
    DragTo(Surround(), QPoint(704, 504));
    // The tag reads the guides' corner less 4 each way, beside the pointer, whatever help tags say.
    QCOMPARE(HelpTag_Text, QStringLiteral("700x500"));
    QVERIFY(!HelpTag_Mode);
    QVERIFY(Main()->myHelpTag->isVisible());
    QCOMPARE(Main()->myHelpTag->pos(), Surround()->pos() + QPoint(704, 504));
    QCOMPARE(QPoint(Main()->bkgd_x, Main()->bkgd_y), QPoint(704, 504));
    // Dashes of 5 pixels every 8 along both guides, up to where they cross.
    const QImage drawn = Painted(Surround());
    for (int y = 490; y <= 504; ++y) QCOMPARE(At(drawn, 704, y) == 0x000000, y % 8 <= 4);
    for (int x = 650; x <= 704; ++x) QCOMPARE(At(drawn, x, 504) == 0x000000, x % 8 <= 4);
    QCOMPARE(At(drawn, 705, 504), Platform::Color(0x808080));
    QCOMPARE(At(drawn, 704, 506), Platform::Color(0x808080));
    // The new size follows the pointer's travel from the press, 2 pixels inside the handle's square.
    Release(Surround(), QPoint(704, 504));
    QCOMPARE(Picture_Size(), QSize(698, 498));
    // The guides are gone.
    QCOMPARE(At(Painted(Surround()), 704, 496), Platform::Color(0x808080));
  }

  void theRightHandlesGuideStaysOnTheBottomEdge() {
    Picture_At(640, 480, 1);
    Press(Surround(), QPoint(646, 234));
    DragTo(Surround(), QPoint(680, 300));
    QCOMPARE(QPoint(Main()->bkgd_x, Main()->bkgd_y), QPoint(680, 484));
    QCOMPARE(HelpTag_Text, QStringLiteral("676x480"));
    Release(Surround(), QPoint(680, 300));
  }

  void aPressBesideTheHandlesIsNotClaimed() {
    Picture_At(640, 480, 1);
    Press(Surround(), QPoint(700, 300));
    QCOMPARE(bkgd_mode, 0);
    DragTo(Surround(), QPoint(760, 400));
    QVERIFY(!Main()->myHelpTag->isVisible());
    Release(Surround(), QPoint(760, 400));
    QCOMPARE(Picture_Size(), QSize(640, 480));
    QCOMPARE(pic_Stack.size(), size_t(1));
  }

  void undoRestoresTheSizeAndTheDocumentStaysChanged() {
    Picture_At(640, 480, 1);
    QVERIFY(!img_changed);
    Drag(Surround(), QPoint(646, 486), QPoint(706, 526));
    QCOMPARE(Picture_Size(), QSize(700, 520));
    // A resized document has unsaved changes: the mark shows and closing asks about them.
    QVERIFY(img_changed);
    QVERIFY(Main()->isWindowModified());
    Painted(Main()->statusbar);
    QVERIFY(std::any_of(Main()->Statusbar_Cells().begin(), Main()->Statusbar_Cells().end(),
                        [](const auto& c) { return c.text == QStringLiteral("Canvas: 700 x 520"); }));
    bool asked = false;
    Fixture::ExpectAny([&](Platform::ModalRequest& r) -> QVariant {
      asked = r.kind == Platform::ModalKind::Alert && r.message.startsWith(QStringLiteral("Do you want to save the changes"));
      return QStringLiteral("Cancel");
    });
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_CLOSE")));
    QVERIFY(asked);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_UnDo")));
    QCOMPARE(Picture_Size(), QSize(640, 480));
  }

  void theGoldenSurround_data() {
    QTest::addColumn<bool>("dragging");
    QTest::newRow("handles") << false;
    QTest::newRow("handles with guides") << true;
  }
  void theGoldenSurround() {
    QFETCH(bool, dragging);
    Picture_At(60, 40, 1);
    if (dragging) {
      Marching_Ants = 4;
      Press(Surround(), QPoint(66, 46));
      DragTo(Surround(), QPoint(80, 58));
    }
    // The surround with a white stand-in for the picture canvas, which paints itself.
    QImage drawn = Painted(Surround()).copy(0, 0, 100, 80);
    QPainter p(&drawn);
    p.fillRect(QRect(Main()->Screen_Canvas->pos(), Main()->Screen_Canvas->size()), Qt::white);
    p.end();
    if (dragging) Release(Surround(), QPoint(80, 58));
    const QString problem = Against_Golden(drawn, dragging ? QStringLiteral("surround_guides") : QStringLiteral("surround"));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
  }
};

PIXMURA_TEST_CLASS(CanvasHandleTests)
#include "CanvasHandleTests.moc"
