#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "effects/modColorSplash.h"
#include "mainwindow/MenuDriving.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "platform/FolderItem.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

using namespace modMAIN;
using MenuDriving::Item;
using MenuDriving::Refresh;

namespace {

// Each item's enabled state after the passes, as "1" or "0", in four situations: a fresh document in
// normal mode, the same in the partial colour mode, then a busy document (a rectangular selection, a
// picture on the clipboard, unsaved changes to a file, three recent files, three undo states with the
// middle one shown, zoom 200 %) in normal and in the partial colour mode.
struct Row {
  const char* name;
  const char* states;
};
const Row kEnabled[] = {
    {"menu_CLOSE", "1111"},          {"menu_ABOUT", "1111"},         {"menu_Pref", "1111"},
    {"menu_Updates", "1111"},        {"menu_New", "1010"},           {"menu_Open", "1010"},
    {"menu_New_FROM_CLIPBOARD", "0010"},
    {"menu_Save", "1010"},           {"menu_SaveAs", "1010"},        {"menu_REVERT", "0010"},
    {"menu_PageSetup", "1010"},      {"menu_Print", "1010"},         {"menu_ClearRecent", "0011"},
    {"menu_UnDo", "0011"},           {"menu_ReDo", "0011"},          {"menu_CUT", "0010"},
    {"menu_COPY", "0010"},           {"menu_PASTE", "0010"},         {"menu_DELETE", "0010"},
    {"menu_CROP", "0010"},           {"menu_SELECTALL", "1010"},     {"menu_ViewTools", "1111"},
    {"menu_ViewColors", "1010"},     {"Menu_Palette_STD", "1111"},   {"menu_Palette_ENH", "1111"},
    {"menu_Palette_Skin", "1111"},   {"menu_ViewPatterns", "1010"},  {"menu_ViewRulers", "1111"},
    {"menu_GALLERY", "1010"},        {"menu_ZoomNormal", "0011"},    {"menu_ZoomIN", "1111"},
    {"menu_ZoomOut", "1111"},        {"menu_Grid", "0000"},          {"menu_THUMBNAIL", "1111"},
    {"menu_ColorMeter", "1111"},     {"menu_ROTATE", "1010"},        {"menu_RESIZE", "1010"},
    {"menu_Transparent", "1010"},    {"menu_CANVAS_SIZE", "1010"},   {"menu_ClearImage", "1010"},
    {"menu_CS256", "1010"},          {"menu_CS16", "1010"},          {"menu_CS4", "1010"},
    {"menu_DrawOpaque", "1010"},     {"menu_AntiAlias", "1010"},     {"menu_EFFECTS", "1010"},
    {"menu_InvertColors", "1010"},   {"menu_Sepia", "1010"},         {"menu_GRADIENT", "0011"},
    {"menu_DEPTH", "1010"},          {"menu_REDEYE", "1010"},        {"menu_GetInfo", "1111"},
    {"menu_FRAME_OVAL", "1010"},     {"menu_FRAME_FEATHER", "1010"}, {"menu_FRAME_RECTANGLE", "1010"},
    {"menu_FRAME_FEATHERED_RECTANGLE", "1010"},
    {"menu_Pat_EDIT", "1010"},       {"menu_Pat_Revert", "1010"},    {"menu_Help", "1111"},
    {"menu_WEBSITE", "1111"},        {"menu_EMAIL", "1111"},
};

void BusyDocument() {
  const QString file = Fixture::WriteFile(QStringLiteral("pictures/shown.png"), "x");
  image_FolderObject = Platform::FolderItem::FromPath(file);
  MRU_Files = QStringList{file, QStringLiteral("/pictures/b.png"), QStringLiteral("/pictures/c.png")};
  Fixture::NewDocument(60, 40);
  pic_Stack.Append(Fixture::Filled(60, 40, 0x112233));
  pic_Stack.Append(Fixture::Filled(60, 40, 0x445566));
  Current_Picture = 1;
  Move_to_WorkArea();
  winMAIN::instance()->SetWindowModified(true);
  winMAIN::instance()->Set_Zoom(2);
  Fixture::Select(5, 5, 20, 20);
  QImage picture(3, 3, QImage::Format_RGB32);
  picture.fill(Qt::blue);
  QGuiApplication::clipboard()->setImage(picture);
}

bool Checked(const char* name) { return Item(QLatin1String(name))->isChecked(); }
bool Enabled(const char* name) { return Item(QLatin1String(name))->isEnabled(); }

}  // namespace

class MenuEnablingTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void cleanup() {
    modColorSplash::ColorSplash_Mode = 0;
    MenuDriving::ClearClipboard();
    FixtureTest::cleanup();
  }

  void theTableInNormalAndPartialColourMode_data() {
    QTest::addColumn<bool>("busy");
    QTest::addColumn<int>("mode");
    QTest::newRow("fresh, normal") << false << 0;
    QTest::newRow("fresh, partial colour") << false << 16;
    QTest::newRow("busy, normal") << true << 0;
    QTest::newRow("busy, partial colour") << true << 256;
  }
  void theTableInNormalAndPartialColourMode() {
    QFETCH(bool, busy);
    QFETCH(int, mode);
    MenuDriving::ClearClipboard();
    if (busy) BusyDocument();
    modColorSplash::ColorSplash_Mode = mode;
    // Opening a menu runs the passes, as for the user.
    QMenu* edit = MenuBar1::instance()->Menu(QStringLiteral("xmenu_Edit"));
    edit->popup(QPoint(0, 0));
    edit->hide();
    const int column = (busy ? 2 : 0) + (mode > 0 ? 1 : 0);
    QStringList wrong;
    for (const Row& row : kEnabled) {
      const bool expected = row.states[column] == '1';
      if (Enabled(row.name) != expected) wrong << QStringLiteral("%1 %2").arg(QLatin1String(row.name), expected ? "off" : "on");
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral(", "))));
  }

  void zoomAndGrid_data() {
    QTest::addColumn<float>("zoom");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<QString>("expected");  // Normal Size, Zoom In, Zoom Out, Show Grid enabled; grid checked
    QTest::newRow("25 %") << 0.25f << true << "11000";
    QTest::newRow("100 %") << 1.0f << true << "01100";
    QTest::newRow("200 %, grid on") << 2.0f << true << "11100";
    QTest::newRow("400 %, grid on") << 4.0f << true << "11110";
    QTest::newRow("800 %, grid on") << 8.0f << true << "11111";
    QTest::newRow("800 %, grid off") << 8.0f << false << "11110";
    QTest::newRow("1600 %, grid on") << 16.0f << true << "10111";
  }
  void zoomAndGrid() {
    QFETCH(float, zoom);
    QFETCH(bool, grid);
    QFETCH(QString, expected);
    winMAIN::instance()->Set_Zoom(zoom);
    show_GRID = grid;
    QMenu* view = MenuBar1::instance()->Menu(QStringLiteral("ViewMenu"));
    view->popup(QPoint(0, 0));
    view->hide();
    QString actual;
    for (const char* name : {"menu_ZoomNormal", "menu_ZoomIN", "menu_ZoomOut", "menu_Grid"})
      actual += QLatin1Char(Enabled(name) ? '1' : '0');
    actual += QLatin1Char(Checked("menu_Grid") ? '1' : '0');
    QCOMPARE(actual, expected);
  }

  // The grid check follows the zoom without a change of the grid setting.
  void showGridChosenAt400And800() {
    winMAIN* w = winMAIN::instance();
    w->Set_Zoom(4);
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_Grid")));
    QVERIFY(show_GRID);
    Refresh();
    QVERIFY(!Checked("menu_Grid"));
    w->Set_Zoom(8);
    Refresh();
    QVERIFY(Checked("menu_Grid"));
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_Grid")));
    QVERIFY(!show_GRID);
    Refresh();
    QVERIFY(!Checked("menu_Grid"));
    w->Set_Zoom(2);
    QVERIFY(!MenuDriving::Choose(QStringLiteral("menu_Grid")));
    QVERIFY(!show_GRID);
  }

  void colourPaletteItems_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("palette");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("checks");  // Standard, Enhanced, Skin Tones
    QTest::addColumn<bool>("enabled");
    QTest::newRow("shown, standard") << true << 0 << "Hide Palette" << "100" << true;
    QTest::newRow("shown, enhanced") << true << 1 << "Hide Palette" << "010" << true;
    QTest::newRow("shown, skin tones") << true << 2 << "Hide Palette" << "001" << true;
    QTest::newRow("hidden, enhanced") << false << 1 << "Show Palette" << "000" << false;
  }
  void colourPaletteItems() {
    QFETCH(bool, shown);
    QFETCH(int, palette);
    QFETCH(QString, caption);
    QFETCH(QString, checks);
    QFETCH(bool, enabled);
    winMAIN::instance()->classCOLORS1->Change_Palette(palette);
    modOptions::option_ShowColors = shown;
    Refresh();
    QCOMPARE(Item(QStringLiteral("menu_ViewColors"))->text(), caption);
    QString actual;
    for (const char* name : {"Menu_Palette_STD", "menu_Palette_ENH", "menu_Palette_Skin"}) {
      actual += QLatin1Char(Checked(name) ? '1' : '0');
      QCOMPARE(Enabled(name), enabled);
    }
    QCOMPARE(actual, checks);
  }

  // The settings shown inverted (Anti-Alias, Draw Opaque) and the plain ones.
  void checkMarks() {
    const auto marks = [] {
      Refresh();
      QString s;
      for (const char* name : {"menu_ViewPatterns", "menu_ViewTools", "menu_ViewRulers", "menu_AntiAlias",
                               "menu_DrawOpaque", "menu_Transparent", "menu_CS4", "menu_CS16", "menu_CS256"})
        s += QLatin1Char(Checked(name) ? '1' : '0');
      return s;
    };
    modOptions::option_ShowPattern = true;
    modOptions::option_ShowTools = false;
    modOptions::option_ShowRuler = true;
    modOptions::option_AntiAlias = false;
    modOptions::option_Draw_Opaque = 0;
    Save_as_Transparent = true;
    QCOMPARE(marks(), QStringLiteral("101111000"));
    modOptions::option_ShowPattern = false;
    modOptions::option_ShowTools = true;
    modOptions::option_ShowRuler = false;
    modOptions::option_AntiAlias = true;
    modOptions::option_Draw_Opaque = 1;
    Save_as_Transparent = false;
    modColorSplash::ColorSplash_Mode = 4;
    QCOMPARE(marks(), QStringLiteral("010000100"));
    modColorSplash::ColorSplash_Mode = 16;
    QCOMPARE(marks(), QStringLiteral("010000010"));
    modColorSplash::ColorSplash_Mode = 256;
    QCOMPARE(marks(), QStringLiteral("010000001"));
  }

  void selectionKinds_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");  // Copy, Cut, Crop, Flip / Rotate, Delete, Gradient Overlay
    QTest::newRow("none") << 0 << "000100";
    QTest::newRow("rectangle") << 1 << "111111";
    QTest::newRow("rectangle, floating") << 2 << "111110";
    QTest::newRow("free-hand") << 3 << "000011";
    QTest::newRow("free-hand, floating") << 4 << "000010";
  }
  void selectionKinds() {
    QFETCH(int, kind);
    QFETCH(QString, expected);
    if (kind == 1 || kind == 2) Fixture::Select(10, 10, 30, 30);
    if (kind == 3 || kind == 4) Fixture::SelectFreeHand(10, 10, 30, 30, [](int x, int y) { return x + y < 20; });
    active_DRAG = kind == 2 || kind == 4;
    Refresh();
    QString actual;
    for (const char* name : {"menu_COPY", "menu_CUT", "menu_CROP", "menu_ROTATE", "menu_DELETE", "menu_GRADIENT"})
      actual += QLatin1Char(Enabled(name) ? '1' : '0');
    QCOMPARE(actual, expected);
  }

  void revertNeedsChangesAndAFile() {
    Refresh();
    QVERIFY(!Enabled("menu_REVERT"));
    winMAIN::instance()->SetWindowModified(true);
    Refresh();
    QVERIFY(!Enabled("menu_REVERT"));  // untitled
    image_FolderObject = Platform::FolderItem::FromPath(Fixture::WriteFile(QStringLiteral("a.png"), "x"));
    Refresh();
    QVERIFY(Enabled("menu_REVERT"));
    winMAIN::instance()->SetWindowModified(false);
    Refresh();
    QVERIFY(!Enabled("menu_REVERT"));
  }

  void recentItemsAndClearMenu() {
    Refresh();
    for (int i = 0; i < 8; ++i) QVERIFY(!winMAIN::instance()->menu_Recent(i)->isVisible());
    QVERIFY(!Enabled("menu_ClearRecent"));
    MRU_Files = QStringList{QStringLiteral("/p/one.png"), QStringLiteral("/p/two.jpg"), QStringLiteral("/p/three.bmp")};
    Refresh();
    const QStringList captions{QStringLiteral("one.png"), QStringLiteral("two.jpg"), QStringLiteral("three.bmp")};
    for (int i = 0; i < 8; ++i) {
      QAction* item = winMAIN::instance()->menu_Recent(i);
      QCOMPARE(item->isVisible(), i < 3);
      if (i < 3) QCOMPARE(item->text(), captions[i]);
    }
    QVERIFY(Enabled("menu_ClearRecent"));
  }

  void undoAndRedoFollowTheHistory() {
    Refresh();
    QVERIFY(!Enabled("menu_UnDo"));
    QVERIFY(!Enabled("menu_ReDo"));
    pic_Stack.Append(Fixture::Filled(640, 480, 0x010203));
    Current_Picture = 1;
    Refresh();
    QVERIFY(Enabled("menu_UnDo"));
    QVERIFY(!Enabled("menu_ReDo"));
    QVERIFY(MenuDriving::Choose(QStringLiteral("menu_UnDo")));
    QCOMPARE(Current_Picture, 0);
    Refresh();
    QVERIFY(!Enabled("menu_UnDo"));
    QVERIFY(Enabled("menu_ReDo"));
  }

  // The accessors reach the items of the window's bar; a missing bar is a nil-object failure.
  void accessors() {
    winMAIN* w = winMAIN::instance();
    QCOMPARE(w->menu_Grid(), Item(QStringLiteral("menu_Grid")));
    QCOMPARE(w->xmenu_File(), MenuBar1::instance()->Menu(QStringLiteral("xmenu_File"))->menuAction());
    QVERIFY(w->UntitledSeparator3()->isSeparator());
    QCOMPARE(w->FileQuit()->menuRole(), QAction::QuitRole);
    for (int i = 0; i < 8; ++i) QCOMPARE(w->menu_Recent(i), App::menu_Recent(i));
    w->setMenuBar(nullptr);
    bool failed = false;
    try {
      w->menu_Grid();
    } catch (const Platform::NilObjectException&) {
      failed = true;
    }
    QVERIFY(failed);
  }
};

PIXMURA_TEST_CLASS(MenuEnablingTests)
#include "MenuEnablingTests.moc"
