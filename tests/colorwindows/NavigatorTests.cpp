// The navigator, opened from the View menu: its thumbnail, the box of the main view, its title, presses
// that scroll the main view, its cursor, and its remembered place and size.
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "core/Thumbnail.h"
#include "mainwindow/winMAIN.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/TestMain.h"

using Platform::Color;

namespace {

void Menu() { MenuBar1::instance()->Item(QStringLiteral("menu_THUMBNAIL"))->trigger(); }
winTHUMBNAIL* Navigator() { return winTHUMBNAIL::existing(); }

// A document of w x h, its left half red and its right half blue, seen in a main view of the given size
// at zoom 1 from its top-left corner, and the navigator open at size nw x nh.
void Scene(int w, int h, QSize view, int nw = 200, int nh = 200) {
  Fixture::NewDocument(w, h, 0x0000FF);
  modMAIN::work_area->Image().fill(Platform::ToQRgb(0x0000FF));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w / 2; ++x) modMAIN::work_area->SetPixel(x, y, 0xFF0000);
  modMAIN::Save_as_Transparent = false;
  modMAIN::offset = modMAIN::Point_of(0, 0);
  // The view as the main window shows it in a surround of that size: the platform's scroll bars show,
  // as for a picture larger than the view, with their ranges.
  winMAIN* main = winMAIN::instance();
  modOptions::option_OS_Scrollbar = true;
  main->canvas_BG->resize(view);
  main->Scroll_H_OS->show();
  main->Scroll_V_OS->show();
  main->Update_Display();
  modOptions::option_Thumbnail_Width = nw;
  modOptions::option_Thumbnail_Height = nh;
  Menu();
}

// The canvas as it paints now (which also lays out the thumbnail and sets the title).
QImage Shown() { return Navigator()->Canvas1->grab().toImage().convertToFormat(QImage::Format_RGB32); }
Color At(const QImage& image, int x, int y) { return Platform::FromQRgb(image.pixel(x, y)); }

QRect Thumbnail() {
  const classRECTANGLE& r = Navigator()->Thumbnail_Rect();
  return QRect(r.Top_Left().x, r.Top_Left().y, r.Width(), r.Height());
}

void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, at, Navigator()->Canvas1->mapToGlobal(at), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(Navigator()->Canvas1, &e);
}
void Press(QPoint at) {
  Mouse(QEvent::MouseButtonPress, at, Qt::LeftButton);
  Mouse(QEvent::MouseButtonRelease, at, Qt::NoButton);
}
QPoint Offset() { return QPoint(modMAIN::offset.x, modMAIN::offset.y); }

}  // namespace

class NavigatorTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void thePictureFitsAndTheBoxShowsTheView_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("navigator");
    QTest::addColumn<QSize>("view");
    QTest::addColumn<QRect>("thumbnail");
    QTest::addColumn<QString>("title");
    QTest::newRow("small picture, full size") << QSize(120, 90) << QSize(200, 200) << QSize(120, 90)
                                              << QRect(40, 55, 120, 90) << "Thumbnail View :100.0%  120/90";
    QTest::newRow("wide picture fills the width") << QSize(800, 600) << QSize(200, 200) << QSize(400, 300)
                                                  << QRect(0, 25, 200, 150) << "Thumbnail View :25.0%  100/75";
    QTest::newRow("tall picture fills the height") << QSize(600, 800) << QSize(200, 200) << QSize(400, 300)
                                                   << QRect(25, 0, 150, 200) << "Thumbnail View :25.0%  100/75";
    QTest::newRow("a third, rounded up") << QSize(300, 150) << QSize(100, 100) << QSize(150, 90)
                                         << QRect(0, 25, 100, 50) << "Thumbnail View :33.4%  50/30";
  }
  void thePictureFitsAndTheBoxShowsTheView() {
    QFETCH(QSize, picture);
    QFETCH(QSize, navigator);
    QFETCH(QSize, view);
    QFETCH(QRect, thumbnail);
    QFETCH(QString, title);
    Scene(picture.width(), picture.height(), view, navigator.width(), navigator.height());
    QCOMPARE(Navigator()->Canvas1->size(), navigator);
    const QImage shown = Shown();
    QCOMPARE(Thumbnail(), thumbnail);
    QCOMPARE(Navigator()->windowTitle(), title);
    // The grey ground beside the thumbnail, the red left and blue right half inside it (away from the
    // box's edges).
    const int tx = thumbnail.x(), ty = thumbnail.y(), tw = thumbnail.width(), th = thumbnail.height();
    if (tx > 0) QCOMPARE(At(shown, tx - 1, ty + th / 2), Color(0x707070));
    if (ty > 0) QCOMPARE(At(shown, tx + tw / 2, ty - 1), Color(0x707070));
    QCOMPARE(At(shown, tx + tw / 2 - 1, ty + th - 2), Color(0xFF0000));
    QCOMPARE(At(shown, tx + tw / 2, ty + th - 2), Color(0x0000FF));
  }

  void theBoxIsDrawnWithMarchingAnts() {
    Scene(800, 600, QSize(400, 300));
    modMAIN::offset = modMAIN::Point_of(200, 100);
    // Box at (50, 50), 100 x 75: along the top edge from x 50, black 50..53, white 54..58, the picture at
    // 59..61; the phase moves it on by 4.
    QImage shown = Shown();
    QCOMPARE(Navigator()->windowTitle(), QStringLiteral("Thumbnail View :25.0%  100/75"));
    const QList<QPair<int, Color>> top{{50, 0x000000}, {53, 0x000000}, {54, 0xFFFFFF}, {58, 0xFFFFFF},
                                       {59, 0xFF0000}, {61, 0xFF0000}, {62, 0x000000}};
    for (const auto& [x, c] : top) {
      QCOMPARE(At(shown, x, 50), c);
      QCOMPARE(At(shown, x, 125), c);  // the bottom edge
    }
    QCOMPARE(At(shown, 50, 54), Color(0xFFFFFF));   // the left edge runs down the same way
    QCOMPARE(At(shown, 150, 53), Color(0x000000));  // the right edge
    QCOMPARE(At(shown, 151, 53), Color(0x0000FF));
    modMAIN::Marching_Ants = 4;
    shown = Shown();
    QCOMPARE(At(shown, 51, 50), Color(0xFF0000));
    QCOMPARE(At(shown, 54, 50), Color(0x000000));
    QCOMPARE(At(shown, 58, 50), Color(0xFFFFFF));
  }

  void whiteShowsTheCheckerboardWhileItIsTransparent() {
    Fixture::NewDocument(120, 90, 0xFFFFFF);
    winMAIN::instance()->Screen_Canvas->resize(60, 40);
    Menu();
    modMAIN::Save_as_Transparent = true;
    modMAIN::canvas_transparent.reset();
    QImage shown = Shown();
    // Squares of 16 from the thumbnail's corner at (40, 55), in the two colours of the settings.
    QCOMPARE(At(shown, 45, 100), Color(0xDBDBDB));
    QCOMPARE(At(shown, 60, 100), Color(0xFFFFFF));
    QCOMPARE(At(shown, 76, 100), Color(0xDBDBDB));
    QCOMPARE(At(shown, 76, 71), Color(0xFFFFFF));
    modMAIN::Save_as_Transparent = false;
    shown = Shown();
    QCOMPARE(At(shown, 45, 100), Color(0xFFFFFF));
    QCOMPARE(At(shown, 76, 100), Color(0xFFFFFF));
  }

  void aPressBringsThePressedPointToTheMiddleOfTheView_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("middle") << QPoint(100, 100) << QPoint(200, 150);
    QTest::newRow("near the corner") << QPoint(10, 30) << QPoint(0, 0);
    // The column right of the thumbnail and the row below it count as its last ones; the view goes no
    // farther than the main window lets it scroll.
    QTest::newRow("right and bottom edges") << QPoint(200, 175) << QPoint(420, 320);
    QTest::newRow("the grey ground") << QPoint(100, 10) << QPoint(7, 9);
    QTest::newRow("below the thumbnail") << QPoint(100, 176) << QPoint(7, 9);
  }
  void aPressBringsThePressedPointToTheMiddleOfTheView() {
    QFETCH(QPoint, at);
    QFETCH(QPoint, offset);
    Scene(800, 600, QSize(400, 300));
    Shown();
    winMAIN::instance()->Scroll_H_OS->setValue(7);
    winMAIN::instance()->Scroll_V_OS->setValue(9);
    QCOMPARE(Offset(), QPoint(7, 9));
    Press(at);
    QCOMPARE(Offset(), offset);
  }

  void theThumbnailAveragesItsPartAndKeepsTransparency_data() {
    QTest::addColumn<bool>("whiteTransparent");
    QTest::addColumn<QList<uint>>("pixels");  // premultiplied ARGB, row by row
    QTest::newRow("white opaque") << false << QList<uint>{0xFF600000, 0xFFFFFFFF, 0xFF8080FF, 0xBF00BF00};
    QTest::newRow("white transparent") << true << QList<uint>{0xFF600000, 0x00000000, 0x80000080, 0xBF00BF00};
  }
  void theThumbnailAveragesItsPartAndKeepsTransparency() {
    QFETCH(bool, whiteTransparent);
    QFETCH(QList<uint>, pixels);
    // Four 2 x 2 blocks reduced to one pixel each: reds 0, 64, 128, 192; all white; white over blue;
    // green with one pixel made transparent by the mask.
    auto pic = Fixture::Filled(4, 4, 0x00FF00);
    const Color colours[4][4] = {{0x000000, 0x400000, 0xFFFFFF, 0xFFFFFF},
                                 {0x800000, 0xC00000, 0xFFFFFF, 0xFFFFFF},
                                 {0xFFFFFF, 0xFFFFFF, 0x00FF00, 0x00FF00},
                                 {0x0000FF, 0x0000FF, 0x00FF00, 0x00FF00}};
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x) pic->SetPixel(x, y, colours[y][x]);
    pic->Mask()->Image().scanLine(3)[3] = 255;
    const QImage reduced = modMAIN::Reduced_Picture(*pic, 2, 2, whiteTransparent);
    QCOMPARE(reduced.size(), QSize(2, 2));
    QList<uint> seen;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) seen << reinterpret_cast<const QRgb*>(reduced.constScanLine(y))[x];
    QCOMPARE(seen, pixels);
    // Never larger than the picture, nothing for an empty size.
    QCOMPARE(modMAIN::Reduced_Picture(*pic, 10, 10, false).size(), QSize(4, 4));
    QVERIFY(modMAIN::Reduced_Picture(*pic, 0, 10, false).isNull());
  }

  void aDragScrollsOnceAtThePress() {
    Scene(800, 600, QSize(400, 300));
    Shown();
    Mouse(QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
    QCOMPARE(Offset(), QPoint(200, 150));
    Mouse(QEvent::MouseMove, QPoint(140, 120), Qt::LeftButton);
    Mouse(QEvent::MouseMove, QPoint(180, 160), Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(180, 160), Qt::NoButton);
    QCOMPARE(Offset(), QPoint(200, 150));
    // The next paint puts the box around the pressed point.
    Shown();
    QCOMPARE(Navigator()->windowTitle(), QStringLiteral("Thumbnail View :25.0%  100/75"));
    QCOMPARE(At(Shown(), 50, 62), Color(0x000000));
  }

  void aThumbnailWithoutWidthIgnoresPresses() {
    Scene(1, 30000, QSize(1, 300), 100, 100);
    Shown();
    QCOMPARE(Thumbnail().width(), 0);
    modMAIN::offset = modMAIN::Point_of(3, 4);
    Press(QPoint(50, 50));
    QCOMPARE(Offset(), QPoint(3, 4));
  }

  void theCursorShowsWhereAPressCounts() {
    Scene(800, 600, QSize(400, 300));
    QCOMPARE(Navigator()->Canvas1->cursor().shape(), Qt::ArrowCursor);
    // Before the first paint nothing counts.
    Mouse(QEvent::MouseMove, QPoint(100, 100), Qt::NoButton);
    QCOMPARE(Navigator()->Canvas1->cursor().shape(), Qt::ArrowCursor);
    Shown();
    Mouse(QEvent::MouseMove, QPoint(100, 100), Qt::NoButton);
    QCOMPARE(Navigator()->Canvas1->cursor().shape(), Qt::BitmapCursor);
    Mouse(QEvent::MouseMove, QPoint(100, 190), Qt::NoButton);
    QCOMPARE(Navigator()->Canvas1->cursor().shape(), Qt::ArrowCursor);
    Mouse(QEvent::MouseMove, QPoint(200, 175), Qt::NoButton);
    QCOMPARE(Navigator()->Canvas1->cursor().shape(), Qt::BitmapCursor);
  }

  void aResizeLaysItOutAgain() {
    Scene(800, 600, QSize(400, 300));
    Shown();
    Navigator()->resize(100, 100);
    QCOMPARE(Navigator()->Canvas1->size(), QSize(100, 100));
    Shown();
    QCOMPARE(Thumbnail(), QRect(0, 12, 100, 75));
    QCOMPARE(Navigator()->windowTitle(), QStringLiteral("Thumbnail View :12.5%  50/37"));
    Navigator()->resize(60, 40);
    QCOMPARE(Navigator()->size(), QSize(100, 100));
  }

  void closedItReopensWithItsPlaceAndSize() {
    Scene(800, 600, QSize(400, 300));
    QCOMPARE(Navigator()->geometry(), QRect(60, 60, 200, 200));
    Navigator()->setGeometry(400, 100, 300, 250);
    QVERIFY(Navigator()->close());
    QVERIFY(!Navigator());
    QVERIFY(!modMAIN::active_THUMBNAIL);
    Menu();
    QCOMPARE(Navigator()->geometry(), QRect(400, 100, 300, 250));
    QVERIFY(modMAIN::active_THUMBNAIL);
  }

  void aRememberedPlaceStaysOnTheScreenAndTheSizeAtLeast100() {
    Platform::Environment::OverrideScreenSize(QSize(1024, 768));
    modOptions::option_Thumbnail_Left = -50;
    modOptions::option_Thumbnail_Top = 2000;
    modOptions::option_Thumbnail_Width = 20;
    modOptions::option_Thumbnail_Height = 300;
    Menu();
    QCOMPARE(Navigator()->geometry(), QRect(0, 768 - 300, 100, 300));
  }

  void theMenuItemAndItsShortcut() {
    QAction* item = MenuBar1::instance()->Item(QStringLiteral("menu_THUMBNAIL"));
    QCOMPARE(item->shortcut(), QKeySequence(QStringLiteral("Ctrl+T")));
    Menu();
    QVERIFY(Navigator() && Navigator()->isVisible());
    Menu();
    QVERIFY(!Navigator());
    QVERIFY(!modMAIN::active_THUMBNAIL);
    QVERIFY(!item->isChecked());
    // An open navigator shows again when the main window is activated.
    Menu();
    Navigator()->hide();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(winMAIN::instance(), &activate);
    QVERIFY(Navigator()->isVisible());
  }
};

PIXMURA_TEST_CLASS(NavigatorTests)
#include "NavigatorTests.moc"
