#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>
#include <QImage>
#include <map>

#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "mainwindow/MenuDriving.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "platform/Environment.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using MenuDriving::Choose;

namespace {

// The names the window binds, in binding order.
const char* const kBoundNames[] = {
    "menu_Grid", "menu_ABOUT", "menu_InvertColors", "menu_DrawOpaque", "menu_UnDo", "menu_Save", "menu_SaveAs",
    "menu_ClearImage", "menu_ClearRecent", "menu_ReDo", "menu_ROTATE", "menu_COPY", "menu_CROP", "menu_CUT",
    "menu_DELETE", "menu_PASTE", "menu_PageSetup", "menu_Print", "menu_SELECTALL", "menu_THUMBNAIL", "menu_RESIZE",
    "menu_CANVAS_SIZE", "menu_GetInfo", "menu_ZoomIN", "menu_ZoomOut", "menu_ZoomNormal", "menu_ViewColors",
    "menu_ViewTools", "menu_REVERT", "menu_Sepia", "menu_AntiAlias", "menu_ColorMeter", "menu_EMAIL", "menu_CLOSE",
    "menu_GALLERY", "menu_Transparent", "menu_WEBSITE", "menu_Help", "menu_REDEYE", "menu_DEPTH", "menu_Pref",
    "menu_GRADIENT", "menu_ViewRulers", "menu_EFFECTS", "menu_FRAME_OVAL", "menu_FRAME_FEATHER",
    "menu_FRAME_FEATHERED_RECTANGLE", "menu_FRAME_RECTANGLE", "menu_Pat_EDIT", "menu_Pat_Revert",
    "menu_ViewPatterns", "menu_CS4", "menu_CS256", "menu_CS16", "Menu_Palette_STD", "menu_Palette_ENH",
    "menu_Palette_Skin"};

// What choosing an item must do, each told apart from its neighbours' effects: a set-up, then a check of
// the result that answers what went wrong ("" when right).
struct Effect {
  std::function<void()> prepare;
  std::function<QString()> check;
};

QString Expect(bool ok, const char* what) { return ok ? QString() : QString::fromLatin1(what); }

QStringList& OpenedAddresses() {
  static QStringList a;
  return a;
}

const std::map<QString, Effect>& Effects() {
  static const std::map<QString, Effect> effects{
      {"menu_Grid", {[] { winMAIN::instance()->Set_Zoom(4); }, [] { return Expect(show_GRID, "grid still off"); }}},
      {"menu_DrawOpaque", {{}, [] { return Expect(modOptions::option_Draw_Opaque == 1, "not transparent white"); }}},
      {"menu_AntiAlias", {{}, [] { return Expect(modOptions::option_AntiAlias, "setting unchanged"); }}},
      {"menu_Transparent", {[] { Save_as_Transparent = false; }, [] { return Expect(Save_as_Transparent, "not set"); }}},
      {"menu_ZoomIN", {{}, [] { return Expect(Zoom == 2.0f, "zoom not 200 %"); }}},
      {"menu_ZoomOut", {{}, [] { return Expect(Zoom == 0.5f, "zoom not 50 %"); }}},
      {"menu_ZoomNormal", {[] { winMAIN::instance()->Set_Zoom(8); }, [] { return Expect(Zoom == 1.0f, "zoom not 100 %"); }}},
      {"menu_ViewTools", {{}, [] { return Expect(!modOptions::option_ShowTools, "tools still shown"); }}},
      {"menu_ViewColors", {{}, [] { return Expect(!modOptions::option_ShowColors, "colours still shown"); }}},
      {"menu_ViewPatterns", {{}, [] { return Expect(!modOptions::option_ShowPattern, "patterns still shown"); }}},
      {"menu_ViewRulers", {{}, [] { return Expect(modOptions::option_ShowRuler, "rulers still hidden"); }}},
      {"menu_THUMBNAIL", {{}, [] { return Expect(active_THUMBNAIL && winTHUMBNAIL::existing(), "no navigator"); }}},
      {"menu_ColorMeter", {{}, [] { return Expect(active_COLORMETER && winCOLORMeter::existing(), "no meter"); }}},
      {"menu_UnDo",
       {[] {
          pic_Stack.Append(Fixture::Filled(640, 480, 0x102030));
          Current_Picture = 1;
        },
        [] { return Expect(Current_Picture == 0, "not stepped back"); }}},
      {"menu_ReDo",
       {[] { pic_Stack.Append(Fixture::Filled(640, 480, 0x102030)); },
        [] { return Expect(Current_Picture == 1 && work_area->Pixel(0, 0) == 0x102030, "not stepped forward"); }}},
      {"menu_SELECTALL", {{}, [] { return Expect(active_DRAG && active_LASSO, "nothing floats"); }}},
      {"menu_ClearImage",
       {[] { Draw_Color[2] = 0x0000FF; }, [] { return Expect(work_area->Pixel(9, 9) == 0x0000FF, "not cleared"); }}},
      {"menu_ClearRecent",
       {[] { MRU_Files = QStringList{QStringLiteral("/a.png")}; }, [] { return Expect(MRU_Files.isEmpty(), "list kept"); }}},
      {"menu_Help", {{}, [] { return Expect(OpenedAddresses().value(0).endsWith(QLatin1String("/help/index.html")), "no help page"); }}},
      {"menu_WEBSITE", {{}, [] { return Expect(OpenedAddresses().size() == 1 && !OpenedAddresses()[0].contains(QLatin1String("help")), "no site"); }}},
      {"menu_GALLERY",
       {[] { Fixture::ExpectDialog(QStringLiteral("winShapes"), [](QDialog* d) { d->reject(); }); },
        [] { return QString(); }}},  // the fixture checks that the gallery came
  };
  return effects;
}

}  // namespace

class MenuCommandTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void init() {
    FixtureTest::init();
    OpenedAddresses().clear();
    Platform::Environment::OverrideOpenURL([](const QString& address) {
      OpenedAddresses() << address;
      return true;
    });
  }

  // Every name of the binding list is bound to a handler of the window, and no other command name is.
  void everyBoundNameDispatches() {
    winMAIN* w = winMAIN::instance();
    QStringList missing;
    for (const char* name : kBoundNames) {
      const QString n = QLatin1String(name);
      if (!w->Has_Menu_Handler(n) || !MenuDriving::Item(n)) missing << n;
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char(' '))));
    for (const char* name : {"menu_New", "menu_Open", "menu_New_FROM_CLIPBOARD", "menu_Recent", "menu_Updates", "FileQuit"})
      QVERIFY2(!w->Has_Menu_Handler(QLatin1String(name)), name);
    const auto before = work_area->CopyAtDepth(32);
    for (const char* name : {"menu_PASTE"}) {
      QVERIFY2(!w->Handle_Menu(QLatin1String(name), -1), name);
    }
    QCOMPARE(Fixture::Difference(work_area, before), QString());
    QCOMPARE(pic_Stack.size(), size_t(1));
    // A name the window does not serve is left to the application object.
    QVERIFY(!w->Handle_Menu(QStringLiteral("menu_New"), -1));
  }

  // Choosing each of the window's own commands from the menu bar reaches its own handler.
  void eachItemReachesItsHandler_data() {
    QTest::addColumn<QString>("name");
    for (const auto& [name, effect] : Effects()) QTest::newRow(qPrintable(name)) << name;
  }
  void eachItemReachesItsHandler() {
    QFETCH(QString, name);
    const Effect& effect = Effects().at(name);
    if (effect.prepare) effect.prepare();
    Move_to_WorkArea();
    QVERIFY2(Choose(name), "the item is disabled");
    const QString wrong = effect.check();
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
  }

  void selectAllFloatsTheWholePictureInPlace() {
    Fixture::MarkedDocument(640, 480);
    const auto original = work_area->CopyAtDepth(32);
    // A drop point left from an earlier floating selection.
    img_DRAG_DROP = Point_of(100, 50);
    QVERIFY(Choose(QStringLiteral("menu_SELECTALL")));
    QVERIFY(active_LASSO);
    QVERIFY(active_DRAG);
    QCOMPARE(drawing_TOOL, 10);
    QCOMPARE(img_lasso->Top_Left().x, 0);
    QCOMPARE(img_lasso->Top_Left().y, 0);
    QCOMPARE(img_lasso->Bot_Right().x, 640);
    QCOMPARE(img_lasso->Bot_Right().y, 480);
    QCOMPARE(img_DRAG_DROP.x, 0);
    QCOMPARE(img_DRAG_DROP.y, 0);
    QCOMPARE(Fixture::Difference(drag_Picture, original), QString());
    const QImage clip = QGuiApplication::clipboard()->image();
    QCOMPARE(clip.size(), QSize(640, 480));
    for (const QPoint p : {QPoint(0, 0), QPoint(639, 0), QPoint(0, 479), QPoint(639, 479), QPoint(321, 123)})
      QCOMPARE(clip.pixel(p) & 0xFFFFFFu, Fixture::Marker(p.x(), p.y()));
    // Nothing was erased, and the drop puts the picture back where it was.
    QCOMPARE(Fixture::Difference(work_area, original), QString());
    winMAIN::instance()->Turn_Lasso_OFF();
    QCOMPARE(Fixture::Difference(work_area, original), QString());
  }

  void clearImageFillsWithTheBackgroundAsOneStep() {
    Fixture::MarkedDocument(64, 48);
    winMAIN::instance()->drawing_TOOL_SET(15);
    Draw_Color[2] = 0x336699;
    QVERIFY(Choose(QStringLiteral("menu_ClearImage")));
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(64, 48, 0x336699)), QString());
    QCOMPARE(pic_Stack.size(), size_t(2));
    QCOMPARE(Current_Picture, 1);
    QCOMPARE(drawing_TOOL, 2);
    QVERIFY(img_changed);
    QVERIFY(Choose(QStringLiteral("menu_UnDo")));
    QCOMPARE(work_area->Pixel(5, 7), Fixture::Marker(5, 7));
  }

  // A floating selection is dropped first, then the whole picture is cleared; nothing floats afterwards.
  void clearImageWithAFloatingSelection() {
    Fixture::MarkedDocument(64, 48);
    Fixture::Select(10, 10, 20, 20);
    image_COPY(true, false);
    active_DRAG = true;
    img_DRAG_DROP = Point_of(30, 30);
    Draw_Color[2] = 0xFFFFFF;
    QVERIFY(Choose(QStringLiteral("menu_ClearImage")));
    QVERIFY(!active_DRAG);
    QVERIFY(!active_LASSO);
    QCOMPARE(Fixture::Difference(work_area, Fixture::Filled(64, 48, 0xFFFFFF)), QString());
    // The drop and the clearing are a step each.
    QCOMPARE(pic_Stack.size(), size_t(3));
    QCOMPARE(pic_Stack[1]->Pixel(30, 30), Fixture::Marker(10, 10));
  }

  void drawOpaqueTwice_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("first");
    QTest::newRow("opaque") << 0 << 1;
    QTest::newRow("transparent white") << 1 << 0;
    QTest::newRow("any other value") << 5 << 0;
  }
  void drawOpaqueTwice() {
    QFETCH(int, start);
    QFETCH(int, first);
    QVERIFY(Choose(QStringLiteral("menu_SELECTALL")));
    modOptions::option_Draw_Opaque = start;
    drag_Picture->Transparent = start;
    QVERIFY(Choose(QStringLiteral("menu_DrawOpaque")));
    QCOMPARE(modOptions::option_Draw_Opaque, first);
    QCOMPARE(drag_Picture->Transparent, first);
    QVERIFY(Choose(QStringLiteral("menu_DrawOpaque")));
    QCOMPARE(modOptions::option_Draw_Opaque, 1 - first);
    QCOMPARE(drag_Picture->Transparent, 1 - first);
  }

  void zoomItemsStayWithinTheirLimits() {
    winMAIN* w = winMAIN::instance();
    w->Set_Zoom(16);
    QVERIFY(!Choose(QStringLiteral("menu_ZoomIN")));
    QVERIFY(w->Handle_Menu(QStringLiteral("menu_ZoomIN"), -1));
    QCOMPARE(Zoom, 16.0f);
    w->Set_Zoom(0.25f);
    QVERIFY(w->Handle_Menu(QStringLiteral("menu_ZoomOut"), -1));
    QCOMPARE(Zoom, 0.25f);
    QVERIFY(Choose(QStringLiteral("menu_ZoomIN")));
    QCOMPARE(Zoom, 0.5f);
  }

  void showAsTransparentRenewsTheMask() {
    Save_as_Transparent = true;
    Move_to_WorkArea();
    QVERIFY(Choose(QStringLiteral("menu_Transparent")));
    QVERIFY(!Save_as_Transparent);
    QVERIFY(work_area->HasMask());
    QVERIFY(Choose(QStringLiteral("menu_Transparent")));
    QVERIFY(Save_as_Transparent);
    QVERIFY(!work_area->HasMask());
  }

  // The floating windows open on one choice and close on the next; their own close box clears the flag,
  // so the next choice opens them again.
  void floatingWindowsFollowTheirItems_data() {
    QTest::addColumn<QString>("item");
    QTest::newRow("navigator") << "menu_THUMBNAIL";
    QTest::newRow("colour meter") << "menu_ColorMeter";
  }
  void floatingWindowsFollowTheirItems() {
    QFETCH(QString, item);
    const bool navigator = item == QLatin1String("menu_THUMBNAIL");
    const auto window = [navigator]() -> QWidget* {
      if (navigator) return winTHUMBNAIL::existing();
      return winCOLORMeter::existing();
    };
    const auto flag = [navigator] { return navigator ? active_THUMBNAIL : active_COLORMETER; };
    QVERIFY(Choose(item));
    QVERIFY(flag());
    QVERIFY(window() && window()->isVisible());
    QVERIFY(Choose(item));
    QVERIFY(!flag());
    QTRY_VERIFY(!window());
    QVERIFY(Choose(item));
    QVERIFY(window() && window()->isVisible());
    window()->close();
    QVERIFY(!flag());
    QTRY_VERIFY(!window());
    QVERIFY(Choose(item));
    QVERIFY(flag());
    QVERIFY(window() && window()->isVisible());
  }

  // The four view toggles lay the window out again: the tool bar (78 pixels wide, 2 in from the left)
  // gives its strip back, the rulers (21 pixels thick) take theirs, and the palette strip goes only with
  // both palettes hidden.
  void viewTogglesRearrangeTheWindow() {
    winMAIN* w = winMAIN::instance();
    const int top = w->canvas_BG->y();
    QCOMPARE(w->canvas_BG->x(), 80);
    QVERIFY(Choose(QStringLiteral("menu_ViewTools")));
    QVERIFY(w->gbTools->isHidden());
    QCOMPARE(w->canvas_BG->x(), 0);
    QVERIFY(Choose(QStringLiteral("menu_ViewTools")));
    QVERIFY(!w->gbTools->isHidden());
    QCOMPARE(w->canvas_BG->x(), 80);
    QVERIFY(Choose(QStringLiteral("menu_ViewRulers")));
    QVERIFY(!w->canvasRULER(0)->isHidden() && !w->canvasRULER(1)->isHidden());
    QCOMPARE(w->canvas_BG->x(), 80 + 21);
    QCOMPARE(w->canvas_BG->y(), top + 21);
    QVERIFY(Choose(QStringLiteral("menu_ViewRulers")));
    QVERIFY(w->canvasRULER(0)->isHidden());
    QCOMPARE(w->canvas_BG->y(), top);
    QVERIFY(Choose(QStringLiteral("menu_ViewColors")));
    QVERIFY(w->classCOLORS1->isHidden());
    QVERIFY(!w->gbColors->isHidden());
    QCOMPARE(w->canvas_BG->y(), top);
    QVERIFY(Choose(QStringLiteral("menu_ViewPatterns")));
    QVERIFY(w->gbColors->isHidden());
    QCOMPARE(w->canvas_BG->y(), 0);
  }

  void helpPagesOpenInTheBrowser() {
    modOptions::option_Website = QStringLiteral("www.example.org");
    QVERIFY(Choose(QStringLiteral("menu_Help")));
    QVERIFY(Choose(QStringLiteral("menu_WEBSITE")));
    QCOMPARE(OpenedAddresses(), (QStringList{QStringLiteral("HTTP://www.example.org/pixmura/help/index.html"),
                                             QStringLiteral("HTTP://www.example.org/")}));
  }

  void antiAliasOnlyFlipsTheSetting() {
    const auto before = work_area->CopyAtDepth(32);
    QVERIFY(Choose(QStringLiteral("menu_AntiAlias")));
    QVERIFY(modOptions::option_AntiAlias);
    QVERIFY(Choose(QStringLiteral("menu_AntiAlias")));
    QVERIFY(!modOptions::option_AntiAlias);
    QCOMPARE(pic_Stack.size(), size_t(1));
    QCOMPARE(Fixture::Difference(work_area, before), QString());
  }
};

PIXMURA_TEST_CLASS(MenuCommandTests)
#include "MenuCommandTests.moc"
