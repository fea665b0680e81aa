// The view after the picture changes: every command that gives the picture another size leaves the
// scroll bars, the rulers, the canvas-size handles, the status bar's canvas size and the navigator
// arranged for the new picture, on the screen as well as in the controls' state; an axis without a
// scroll bar is never scrolled; a new or opened document shows from its top-left pixel.
#include <QClipboard>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>

#include "MenuDriving.h"
#include "SurroundingsDriving.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "geometry/SheetField.h"
#include "geometry/winCANVAS_SIZE.h"
#include "geometry/winFlipRotate.h"
#include "geometry/winimage_RESIZE.h"
#include "palettes/classScrollbar.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using namespace Surroundings;

namespace {

// The designed window with every panel and the rulers shown: the picture may fill 981 x 517 before it
// needs a bar; the surround stands at (101, 78) and is 962 x 498, 16 less along each axis that has a
// bar across it.
void Designed_Window(bool systemBars) {
  View_Settings(true, true, true, true, systemBars);
  Size_Content(QSize(1063, 600));
}

// Lets the repaints asked for run, as the event loop does after a command.
void Settle() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
}

QString Picture_File(const QString& name, int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(qRgb(40, 90, 160));
  const QString path = Fixture::Home() + QLatin1Char('/') + name;
  if (!image.save(path)) qWarning("the picture could not be written");
  return path;
}

void Put_Picture_On_Clipboard(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(qRgb(200, 30, 30));
  QGuiApplication::clipboard()->setImage(image);
}

void Flip_Rotate(int operation, int angle, const QString& free = QString()) {
  Fixture::ExpectDialog(QStringLiteral("winFlipRotate"), [=](QDialog* d) {
    auto* sheet = qobject_cast<winFlipRotate*>(d);
    QVERIFY(sheet);
    sheet->rbDeg[angle]->setChecked(true);
    if (!free.isEmpty()) sheet->inpANGLE->setText(free);
    sheet->rb[operation]->setChecked(true);
    sheet->pbOK->click();
  });
  QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ROTATE")));
}

void Turn_A_Quarter() { Flip_Rotate(2, 0); }

// A sheet that asks for a width and a height (fields 0 and 1), answered in pixels with OK.
template <typename Sheet>
void Size_Sheet(const char* command, QRadioButton* (*pixels)(Sheet*), int width, int height) {
  Fixture::ExpectDialog(QString::fromLatin1(Sheet::staticMetaObject.className()), [=](QDialog* d) {
    auto* sheet = qobject_cast<Sheet*>(d);
    QVERIFY(sheet);
    pixels(sheet)->setChecked(true);
    sheet->inp[0]->setText(QString::number(width));
    sheet->inp[1]->setText(QString::number(height));
    sheet->pbOK->click();
  });
  QVERIFY(MenuDriving::Choose(QLatin1String(command)));
}

// The question about the changes made to the document is answered without saving them.
void Dont_Save() {
  Fixture::ExpectAny([](Platform::ModalRequest& r) -> QVariant {
    if (r.kind != Platform::ModalKind::Alert) Platform::ModalHost::RecordFailure(QStringLiteral("expected the question"));
    return QStringLiteral("Don\u2019t Save");
  });
}

void Open(const QString& path) {
  Fixture::ExpectOpenFile(path);
  QVERIFY(MenuDriving::Choose(QStringLiteral("menu_Open")));
}

// Runs one command of the table as a user gives it.
void Give_Command(const QString& command) {
  if (command == QLatin1String("rotate 90")) Turn_A_Quarter();
  else if (command == QLatin1String("rotate 180")) Flip_Rotate(2, 1);
  else if (command == QLatin1String("rotate 270")) Flip_Rotate(2, 2);
  else if (command == QLatin1String("free rotate 45")) Flip_Rotate(2, 3, QStringLiteral("45"));
  else if (command == QLatin1String("flip horizontal")) Flip_Rotate(0, 0);
  else if (command == QLatin1String("flip vertical")) Flip_Rotate(1, 0);
  else if (command == QLatin1String("resize"))
    Size_Sheet<winimage_RESIZE>("menu_RESIZE", [](winimage_RESIZE* w) { return w->rbMethod[0]; }, 1280, 854);
  else if (command == QLatin1String("canvas size"))
    Size_Sheet<winCANVAS_SIZE>("menu_CANVAS_SIZE", [](winCANVAS_SIZE* w) { return w->rb[1]; }, 300, 200);
  else if (command == QLatin1String("canvas-size handle")) {
    // The corner handle of the 640 x 427 canvas, 60 to the right and 40 down.
    Drag(Main()->canvas_BG, QPoint(646, 433), QPoint(706, 473));
  } else if (command == QLatin1String("crop")) {
    Fixture::Select(20, 10, 520, 410);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_CROP")));
  } else if (command == QLatin1String("paste")) {
    Put_Picture_On_Clipboard(800, 600);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_PASTE")));
  } else if (command == QLatin1String("undo")) {
    Turn_A_Quarter();
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_UnDo")));
  } else if (command == QLatin1String("redo")) {
    Turn_A_Quarter();
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_UnDo")));
    Settle();
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ReDo")));
  } else if (command == QLatin1String("open")) {
    Dont_Save();
    Open(Picture_File(QStringLiteral("wide.png"), 900, 300));
  } else if (command == QLatin1String("open at 50 %")) {
    Dont_Save();
    Open(Picture_File(QStringLiteral("tall.png"), 427, 640));
  } else if (command == QLatin1String("open recent")) {
    MRU_Files = QStringList{Picture_File(QStringLiteral("recent.png"), 500, 450)};
    Dont_Save();
    MenuDriving::Refresh();
    QAction* recent = MenuDriving::Item(QStringLiteral("menu_Recent"), 0);
    QVERIFY(recent && recent->isEnabled());
    recent->trigger();
  } else if (command == QLatin1String("revert")) {
    Dont_Save();
    Open(Picture_File(QStringLiteral("small.png"), 300, 200));
    Turn_A_Quarter();
    Settle();
    Fixture::ExpectAny([](Platform::ModalRequest&) -> QVariant { return QStringLiteral("Revert"); });
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_REVERT")));
  } else if (command == QLatin1String("new")) {
    Dont_Save();
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_New")));
  } else if (command == QLatin1String("new from clipboard")) {
    Put_Picture_On_Clipboard(1280, 854);
    Dont_Save();
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_New_FROM_CLIPBOARD")));
  } else {
    QFAIL("no such command");
  }
}

// Where the control is in the window's own pixels.
QRect In_Window(const QWidget* control) { return QRect(control->mapTo(Main(), QPoint(0, 0)), control->size()); }

// Empty when what the screen shows of the control is what the control paints now, that is when its
// last repaint came after the last change of what it shows; otherwise the first pixel that differs.
// The picture canvas inside the surround paints on its own and is left out.
QString Stale(const QImage& screen, QWidget* control) {
  const QImage fresh = Painted_Whole(control);
  const QRect place = In_Window(control);
  const QRect picture = control == Main()->canvas_BG ? Main()->Screen_Canvas->geometry() : QRect();
  for (int y = 0; y < fresh.height(); ++y)
    for (int x = 0; x < fresh.width(); ++x) {
      if (picture.contains(x, y)) continue;
      if (screen.pixel(place.x() + x, place.y() + y) != fresh.pixel(x, y))
        return QStringLiteral("%1 at %2,%3").arg(control->objectName()).arg(x).arg(y);
    }
  return QString();
}

// The last position along the ruler where a tick or a label's tick is drawn.
int Ruler_End(int index) {
  const QList<int> profile = Tick_Profile(index);
  for (int p = int(profile.size()) - 1; p >= 0; --p)
    if (profile[p] > 1) return p;
  return -1;
}

bool Shows(const QWidget* w) { return !w->isHidden(); }

}  // namespace

class ViewFollowsTests : public FixtureTest {
  Q_OBJECT
 private slots:
  // From a 640 x 427 photo opened at 100 % in the designed window, with a dot drawn on it. The ranges are the horizontal bars'
  // maximum and page and the vertical bars' maximum and page (maximum: the picture less the canvas in
  // image pixels, plus 20 screen pixels' worth; page: the canvas). The rulers end at their last tick
  // before the picture's far edge (a label exactly on the edge counts) or before their own end. The
  // handles stand at the middle of the canvas's right edge, its corner and the middle of its bottom
  // edge: (cw + 4, (ch - 20) div 2 + 2), (cw + 4, ch + 4), ((cw - 20) div 2 + 2, ch + 4).
  void everySizeChangeArrangesTheView_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("systemBars");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QString>("bars");
    QTest::addColumn<QList<int>>("ranges");
    QTest::addColumn<QList<int>>("rulerEnds");
    QTest::addColumn<QList<QPoint>>("handles");
    // 640 x 427 again: canvas 640 x 427, no bar.
    const QList<int> startRanges{20, 640, 20, 427};
    const QList<int> startRulers{630, 420};
    const QList<QPoint> startHandles{{644, 205}, {644, 431}, {312, 431}};
    // 427 x 640: a vertical bar, the surround 946 x 498, canvas 427 x 498, the vertical ruler 494 long.
    const QList<int> tallRanges{20, 427, 162, 498};
    const QList<int> tallRulers{420, 490};
    const QList<QPoint> tallHandles{{431, 241}, {431, 502}, {205, 502}};
    // 1280 x 854: both bars, the surround and the canvas 946 x 482, the rulers 942 and 478 long.
    const QList<int> bigRanges{354, 946, 392, 482};
    const QList<int> bigRulers{940, 470};
    const QList<QPoint> bigHandles{{950, 233}, {950, 486}, {465, 486}};
    // 300 x 200: no bar.
    const QList<int> smallRanges{20, 300, 20, 200};
    const QList<int> smallRulers{300, 200};
    const QList<QPoint> smallHandles{{304, 92}, {304, 204}, {142, 204}};

    QTest::newRow("rotate 90") << "rotate 90" << true << QSize(427, 640) << 1.0f << "V" << tallRanges << tallRulers
                               << tallHandles;
    QTest::newRow("rotate 180") << "rotate 180" << false << QSize(640, 427) << 1.0f << "" << startRanges
                                << startRulers << startHandles;
    QTest::newRow("rotate 270") << "rotate 270" << false << QSize(427, 640) << 1.0f << "V" << tallRanges
                                << tallRulers << tallHandles;
    // The corners turned by 45 degrees about the centre span 753 pixels each way.
    QTest::newRow("free rotate 45") << "free rotate 45" << true << QSize(753, 753) << 1.0f << "V"
                                    << QList<int>{20, 753, 275, 498} << QList<int>{750, 490}
                                    << QList<QPoint>{{757, 241}, {757, 502}, {368, 502}};
    QTest::newRow("flip horizontal") << "flip horizontal" << true << QSize(640, 427) << 1.0f << "" << startRanges
                                     << startRulers << startHandles;
    QTest::newRow("flip vertical") << "flip vertical" << false << QSize(640, 427) << 1.0f << "" << startRanges
                                   << startRulers << startHandles;
    QTest::newRow("resize") << "resize" << false << QSize(1280, 854) << 1.0f << "HV" << bigRanges << bigRulers
                            << bigHandles;
    QTest::newRow("canvas size") << "canvas size" << true << QSize(300, 200) << 1.0f << "" << smallRanges
                                 << smallRulers << smallHandles;
    QTest::newRow("canvas-size handle") << "canvas-size handle" << false << QSize(700, 467) << 1.0f << ""
                                        << QList<int>{20, 700, 20, 467} << QList<int>{700, 460}
                                        << QList<QPoint>{{704, 225}, {704, 471}, {342, 471}};
    QTest::newRow("crop") << "crop" << true << QSize(500, 400) << 1.0f << "" << QList<int>{20, 500, 20, 400}
                          << QList<int>{500, 400} << QList<QPoint>{{504, 192}, {504, 404}, {242, 404}};
    // 800 x 600: a vertical bar; canvas 800 x 498.
    QTest::newRow("paste that enlarges") << "paste" << false << QSize(800, 600) << 1.0f << "V"
                                         << QList<int>{20, 800, 122, 498} << QList<int>{800, 490}
                                         << QList<QPoint>{{804, 241}, {804, 502}, {392, 502}};
    QTest::newRow("undo of a turn") << "undo" << true << QSize(640, 427) << 1.0f << "" << startRanges << startRulers
                                    << startHandles;
    QTest::newRow("redo of a turn") << "redo" << false << QSize(427, 640) << 1.0f << "V" << tallRanges << tallRulers
                                    << tallHandles;
    QTest::newRow("open") << "open" << true << QSize(900, 300) << 1.0f << "" << QList<int>{20, 900, 20, 300}
                          << QList<int>{900, 300} << QList<QPoint>{{904, 142}, {904, 304}, {442, 304}};
    // 427 x 640 does not fit the 946 x 498 that is left beside its bar: it opens at 50 %, where it
    // fits; canvas 213 x 320; the maximum is 40 image pixels past the picture, 41 across where half a
    // pixel is lost; the rulers tick every 5 screen pixels.
    QTest::newRow("open at 50 %") << "open at 50 %" << false << QSize(427, 640) << 0.5f << "" << QList<int>{41, 426, 40, 640}
                          << QList<int>{210, 315} << QList<QPoint>{{217, 152}, {217, 324}, {98, 324}};
    QTest::newRow("open recent") << "open recent" << true << QSize(500, 450) << 1.0f << ""
                                 << QList<int>{20, 500, 20, 450} << QList<int>{500, 440}
                                 << QList<QPoint>{{504, 217}, {504, 454}, {242, 454}};
    QTest::newRow("revert") << "revert" << false << QSize(300, 200) << 1.0f << "" << smallRanges << smallRulers
                            << smallHandles;
    QTest::newRow("new") << "new" << true << QSize(640, 480) << 1.0f << "" << QList<int>{20, 640, 20, 480}
                         << QList<int>{630, 470} << QList<QPoint>{{644, 232}, {644, 484}, {312, 484}};
    QTest::newRow("new from clipboard") << "new from clipboard" << false << QSize(1280, 854) << 1.0f << "HV"
                                        << bigRanges << bigRulers << bigHandles;
  }
  void everySizeChangeArrangesTheView() {
    QFETCH(QString, command);
    QFETCH(bool, systemBars);
    QFETCH(QSize, picture);
    QFETCH(float, zoom);
    QFETCH(QString, bars);
    QFETCH(QList<int>, ranges);
    QFETCH(QList<int>, rulerEnds);
    QFETCH(QList<QPoint>, handles);
    Designed_Window(systemBars);
    Open(Picture_File(QStringLiteral("photo.png"), 640, 427));
    QCOMPARE(Zoom, 1.0f);
    Press(Main()->Screen_Canvas, QPoint(100, 100));
    Release(Main()->Screen_Canvas, QPoint(100, 100));
    QVERIFY(img_changed);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_THUMBNAIL")));
    QVERIFY(winTHUMBNAIL::existing());
    Settle();

    Give_Command(command);
    Settle();

    QCOMPARE(QSize(work_area->Width(), work_area->Height()), picture);
    QCOMPARE(Zoom, zoom);
    // The bars of the chosen kind show where the picture needs them; the other kind never shows.
    winMAIN* w = Main();
    QCOMPARE(Shows(w->Scroll_H_OS), systemBars && bars.contains(QLatin1Char('H')));
    QCOMPARE(Shows(w->Scroll_H_Custom), !systemBars && bars.contains(QLatin1Char('H')));
    QCOMPARE(Shows(w->Scroll_V_OS), systemBars && bars.contains(QLatin1Char('V')));
    QCOMPARE(Shows(w->Scroll_V_Custom), !systemBars && bars.contains(QLatin1Char('V')));
    // Both pairs carry the ranges, shown or not; the view starts at the picture's top-left.
    QCOMPARE((QList<int>{w->Scroll_H_OS->maximum(), w->Scroll_H_OS->pageStep(), w->Scroll_V_OS->maximum(),
                         w->Scroll_V_OS->pageStep()}),
             ranges);
    QCOMPARE((QList<int>{w->Scroll_H_Custom->Maximum(), w->Scroll_H_Custom->PageStep(), w->Scroll_V_Custom->Maximum(),
                         w->Scroll_V_Custom->PageStep()}),
             ranges);
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 0));
    // The status bar's last paint read the new size.
    const QString size = QStringLiteral("Canvas: %1 x %2").arg(picture.width()).arg(picture.height());
    QVERIFY2(std::any_of(w->Statusbar_Cells().begin(), w->Statusbar_Cells().end(),
                         [&](const auto& c) { return c.text == size; }),
             qPrintable(w->Statusbar_Cells().isEmpty() ? QString() : w->Statusbar_Cells().first().text));
    // What the screen shows of the surround, the rulers, the status bar and the navigator is painted
    // for the new picture.
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w->winId()).toImage();
    for (QWidget* control : std::initializer_list<QWidget*>{w->canvas_BG, w->canvasRULER(0), w->canvasRULER(1), w->statusbar}) {
      const QString stale = Stale(screen, control);
      QVERIFY2(stale.isEmpty(), qPrintable(stale));
    }
    winTHUMBNAIL* navigator = winTHUMBNAIL::existing();
    const QImage shown = QGuiApplication::primaryScreen()->grabWindow(navigator->winId()).toImage();
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), Painted_Whole(navigator->Canvas1));
    // The rulers end with the picture or with themselves.
    QCOMPARE((QList<int>{Ruler_End(0), Ruler_End(1)}), rulerEnds);
    // The handles are drawn where they stand and answer there.
    const QImage surround = Painted(w->canvas_BG);
    for (int mode = 1; mode <= 3; ++mode) {
      const QPoint at = handles[mode - 1];
      QCOMPARE(w->Background_Mode(at.x(), at.y()), mode);
      if (surround.rect().contains(at)) QVERIFY2(Handle_Drawn_At(surround, at), qPrintable(QString::number(mode)));
    }
  }

  // A 2000 x 2000 picture scrolled down 120 rows, then zoomed out to 25 %, where it fits: no bar, and
  // the view shows the picture's first row.
  void aBarThatGoesLeavesItsAxisAtTheEdge_data() {
    QTest::addColumn<bool>("systemBars");
    QTest::newRow("platform bars") << true;
    QTest::newRow("drawn bars") << false;
  }
  void aBarThatGoesLeavesItsAxisAtTheEdge() {
    QFETCH(bool, systemBars);
    Designed_Window(systemBars);
    Fixture::NewDocument(2000, 2000);
    Main()->Arrange_Controls();
    Main()->Update_Display();
    winMAIN* w = Main();
    if (systemBars) {
      w->Scroll_V_OS->setValue(120);
    } else {
      w->Scroll_V_Custom->Value(120);
      w->Scroll_V_Custom_ValueChanged();
    }
    QCOMPARE(offset.y, 120);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ZoomOut")));
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ZoomOut")));
    QCOMPARE(Zoom, 0.25f);
    for (QWidget* bar : std::initializer_list<QWidget*>{w->Scroll_H_OS, w->Scroll_V_OS, w->Scroll_H_Custom, w->Scroll_V_Custom})
      QVERIFY2(!Shows(bar), qPrintable(bar->objectName()));
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 0));
    const point_record corner = w->Screen_to_image_Coordinates(0, 0);
    QCOMPARE(QPoint(corner.x, corner.y), QPoint(0, 0));
  }

  // The wheel over the picture turned along both axes, and a press on the navigator towards the far
  // corner: along the axis the picture fits, without a bar, the view stays at the picture's edge and
  // the hidden bars stay at 0; along the other axis it scrolls.
  void anAxisWithoutABarIsNotScrolled_data() {
    QTest::addColumn<bool>("systemBars");
    QTest::addColumn<QSize>("picture");
    QTest::newRow("tall, platform bars") << true << QSize(640, 3000);
    QTest::newRow("tall, drawn bars") << false << QSize(640, 3000);
    QTest::newRow("wide, platform bars") << true << QSize(3000, 400);
    QTest::newRow("wide, drawn bars") << false << QSize(3000, 400);
  }
  void anAxisWithoutABarIsNotScrolled() {
    QFETCH(bool, systemBars);
    QFETCH(QSize, picture);
    Designed_Window(systemBars);
    Fixture::NewDocument(picture.width(), picture.height());
    Main()->Arrange_Controls();
    Main()->Update_Display();
    const bool tall = picture.height() > picture.width();
    QScrollBar* fitting = tall ? Main()->Scroll_H_OS : Main()->Scroll_V_OS;
    QWidget* canvas = Main()->Screen_Canvas;
    const QPoint at(canvas->width() / 2, canvas->height() / 2);
    for (const bool sideways : {true, false}) {
      // Two notches away from the picture's start.
      const QPoint delta = sideways ? QPoint(-240, 0) : QPoint(0, -240);
      QWheelEvent e(at, canvas->mapToGlobal(at), QPoint(), delta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(canvas, &e);
    }
    QCOMPARE(tall ? offset.x : offset.y, 0);
    QCOMPARE(fitting->value(), 0);
    const int scrolled = tall ? offset.y : offset.x;
    QVERIFY(scrolled > 0);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_THUMBNAIL")));
    Settle();
    // Near the far corner of the navigator's picture.
    const classRECTANGLE& thumbnail = winTHUMBNAIL::existing()->Thumbnail_Rect();
    const QPoint near(thumbnail.Bot_Right().x - 2, thumbnail.Bot_Right().y - 2);
    QWidget* navigator = winTHUMBNAIL::existing()->Canvas1;
    Press(navigator, near);
    Release(navigator, near);
    QCOMPARE(tall ? offset.x : offset.y, 0);
    QVERIFY((tall ? offset.y : offset.x) != scrolled);
  }

  // After scrolling a large picture to (300, 500): File > New shows the blank picture from its
  // top-left pixel and File > Open shows the opened one so, with every bar back at 0.
  void aNewDocumentShowsFromItsTopLeft_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("systemBars");
    QTest::newRow("new, platform bars") << "new" << true;
    QTest::newRow("new, drawn bars") << "new" << false;
    QTest::newRow("open, platform bars") << "open" << true;
    QTest::newRow("open, drawn bars") << "open" << false;
  }
  void aNewDocumentShowsFromItsTopLeft() {
    QFETCH(QString, command);
    QFETCH(bool, systemBars);
    Designed_Window(systemBars);
    Fixture::NewDocument(3000, 3000);
    Main()->Arrange_Controls();
    Main()->Update_Display();
    winMAIN* w = Main();
    if (systemBars) {
      w->Scroll_H_OS->setValue(300);
      w->Scroll_V_OS->setValue(500);
    } else {
      w->Scroll_H_Custom->Value(300);
      w->Scroll_H_Custom_ValueChanged();
      w->Scroll_V_Custom->Value(500);
      w->Scroll_V_Custom_ValueChanged();
    }
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(300, 500));
    if (command == QLatin1String("new")) {
      QVERIFY(MenuDriving::Choose(QStringLiteral("menu_New")));
      QCOMPARE(work_area->Width(), 640);
    } else {
      // 4000 x 2100 fits at none of 100 % and 50 %: it opens at 25 %, still needing both bars.
      Fixture::ExpectOpenFile(Picture_File(QStringLiteral("large.png"), 4000, 2100));
      QVERIFY(MenuDriving::Choose(QStringLiteral("menu_Open")));
      QCOMPARE(work_area->Width(), 4000);
      QCOMPARE(Zoom, 0.25f);
      QVERIFY(Shows(systemBars ? static_cast<QWidget*>(w->Scroll_V_OS) : w->Scroll_V_Custom));
    }
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 0));
    const point_record corner = w->Screen_to_image_Coordinates(0, 0);
    QCOMPARE(QPoint(corner.x, corner.y), QPoint(0, 0));
    QCOMPARE((QList<int>{w->Scroll_H_OS->value(), w->Scroll_V_OS->value(), w->Scroll_H_Custom->Value(),
                         w->Scroll_V_Custom->Value()}),
             (QList<int>{0, 0, 0, 0}));
    // Zoomed in until the bars show, the view still starts at the top-left.
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ZoomIN")));
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_ZoomIN")));
    QVERIFY(Shows(systemBars ? static_cast<QWidget*>(w->Scroll_H_OS) : w->Scroll_H_Custom));
    QCOMPARE(QPoint(offset.x, offset.y), QPoint(0, 0));
  }
};
PIXMURA_TEST_CLASS(ViewFollowsTests)
#include "ViewFollowsTests.moc"
