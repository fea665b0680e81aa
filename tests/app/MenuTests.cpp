#include <QAction>
#include <QFile>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextBlock>
#include <QAbstractTextDocumentLayout>
#include <QTest>
#include <QTextEdit>

#include "app/App.h"
#include "app/BundleResources.h"
#include "app/ErrWin.h"
#include "app/MenuBar1.h"
#include "app/ProgramIdentity.h"
#include "app/modOptions.h"
#include "app/winABOUT.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "support/Fixture.h"
#include "support/Selections.h"
#include "support/TestMain.h"

namespace {
// The menu bar as a user meets it: every item in menu order with its parent, caption, key sequences
// (Qt's portable text), kind and automatic enabling.
const char* const kMenuTable[] = {
    "|xmenu_File|&File||menu|1",
    "xmenu_File|menu_ABOUT|About Pixmura||app menu|1",
    "xmenu_File|menu_Updates|Check for Updates||app menu|1",
    "xmenu_File|menu_Pref|Preferences|Ctrl+,|prefs|1",
    "xmenu_File|FileQuit|&Quit|Ctrl+Q|quit|1",
    "xmenu_File|menu_New|New|Ctrl+N|plain|0",
    "xmenu_File|menu_New_FROM_CLIPBOARD|New from Clipboard|Ctrl+Shift+N|plain|1",
    "xmenu_File|menu_Open|Open...|Ctrl+O|plain|1",
    "xmenu_File|xmenu_OpenRecent|Open Recent||submenu|1",
    "xmenu_OpenRecent|menu_Recent[0]|*Recent1||plain|1",
    "xmenu_OpenRecent|menu_Recent[1]|*Recent2||plain|1",
    "xmenu_OpenRecent|menu_Recent[2]|*Recent3||plain|1",
    "xmenu_OpenRecent|menu_Recent[3]|*Recent4||plain|1",
    "xmenu_OpenRecent|menu_Recent[4]|Untitled||plain|1",
    "xmenu_OpenRecent|menu_Recent[5]|Untitled||plain|1",
    "xmenu_OpenRecent|menu_Recent[6]|Untitled||plain|1",
    "xmenu_OpenRecent|menu_Recent[7]|Untitled||plain|1",
    "xmenu_OpenRecent|UntitledSeparator2|-||separator|1",
    "xmenu_OpenRecent|menu_ClearRecent|Clear Menu||plain|1",
    "xmenu_File|UntitledSeparator1|-||separator|1",
    "xmenu_File|menu_CLOSE|Close|Ctrl+W|plain|1",
    "xmenu_File|menu_Save|Save|Ctrl+S|plain|1",
    "xmenu_File|menu_SaveAs|Save As ...|Ctrl+Shift+S|plain|1",
    "xmenu_File|menu_REVERT|Revert to Saved||plain|1",
    "xmenu_File|UntitledSeparator|-||separator|1",
    "xmenu_File|menu_PageSetup|Page Setup|Ctrl+Shift+P|plain|1",
    "xmenu_File|menu_Print|Print|Ctrl+P|plain|1",
    "|xmenu_Edit|&Edit||menu|1",
    "xmenu_Edit|menu_UnDo|&Undo|Ctrl+Z|plain|1",
    "xmenu_Edit|menu_ReDo|Redo|Ctrl+Y|plain|1",
    "xmenu_Edit|UntitledMenu1|-||separator|1",
    "xmenu_Edit|menu_CUT|Cu&t|Ctrl+X|plain|1",
    "xmenu_Edit|menu_COPY|&Copy|Ctrl+C|plain|1",
    "xmenu_Edit|menu_PASTE|&Paste|Ctrl+V|plain|1",
    "xmenu_Edit|menu_DELETE|&Delete|Del|plain|1",
    "xmenu_Edit|UntitledSeparator0|-||separator|1",
    "xmenu_Edit|menu_CROP|Crop|Ctrl+Shift+C|plain|1",
    "xmenu_Edit|UntitledMenu0|-||separator|1",
    "xmenu_Edit|menu_SELECTALL|Select &All|Ctrl+A|plain|1",
    "|ViewMenu|View||menu|1",
    "ViewMenu|menu_ViewTools|Tool Bar||plain|1",
    "ViewMenu|menu_Palette|Color Palette||submenu|1",
    "menu_Palette|menu_ViewColors|Hide Palette||plain|1",
    "menu_Palette|UntitledSeparator15|-||separator|1",
    "menu_Palette|Menu_Palette_STD|Standard|Ctrl+Alt+1|plain|1",
    "menu_Palette|menu_Palette_ENH|Enhanced|Ctrl+Alt+2|plain|1",
    "menu_Palette|menu_Palette_Skin|Skin Tones|Ctrl+Alt+3|plain|1",
    "ViewMenu|menu_ViewPatterns|Fill Patterns||plain|1",
    "ViewMenu|menu_ViewRulers|Rulers||plain|1",
    "ViewMenu|UntitledSeparator13|-||separator|1",
    "ViewMenu|menu_GALLERY|Shapes Gallery||plain|1",
    "ViewMenu|UntitledSeparator3|-||separator|1",
    "ViewMenu|menu_ZoomNormal|Normal Size|Ctrl+1|plain|1",
    "ViewMenu|menu_ZoomIN|Zoom In|Ctrl++; Ctrl+=|plain|1",
    "ViewMenu|menu_ZoomOut|Zoom Out|Ctrl+-|plain|1",
    "ViewMenu|UntitledSeparator7|-||separator|1",
    "ViewMenu|menu_Grid|Show Grid|Ctrl+G|plain|1",
    "ViewMenu|menu_THUMBNAIL|Show Thumbnail|Ctrl+T|plain|1",
    "ViewMenu|menu_ColorMeter|Show Color Meter||plain|1",
    "|xmenu_Image|Image||menu|1",
    "xmenu_Image|menu_ROTATE|Flip / Rotate||plain|1",
    "xmenu_Image|UntitledSeparator6|-||separator|1",
    "xmenu_Image|menu_RESIZE|Resize/Scale||plain|1",
    "xmenu_Image|UntitledSeparator4|-||separator|1",
    "xmenu_Image|menu_Transparent|Show as Transparent||plain|1",
    "xmenu_Image|UntitledSeparator8|-||separator|1",
    "xmenu_Image|menu_CANVAS_SIZE|Canvas Size||plain|1",
    "xmenu_Image|menu_ClearImage|Clear Image||plain|1",
    "xmenu_Image|UntitledSeparator14|-||separator|1",
    "xmenu_Image|menuSplash|Partial Color Mode||submenu|1",
    "menuSplash|menu_CS256|256 level grayscale||plain|1",
    "menuSplash|menu_CS16|16 level grayscale||plain|1",
    "menuSplash|menu_CS4|4 level grayscale||plain|1",
    "xmenu_Image|UntitledSeparator9|-||separator|1",
    "xmenu_Image|menu_DrawOpaque|Draw Opaque||plain|1",
    "xmenu_Image|menu_AntiAlias|Anti-Alias||plain|1",
    "|xmenu_Colors|Colors||menu|1",
    "xmenu_Colors|menu_EFFECTS|Photo Effects|Ctrl+E|plain|1",
    "xmenu_Colors|UntitledSeparator10|-||separator|1",
    "xmenu_Colors|menu_InvertColors|Reverse Colors|Ctrl+R|plain|1",
    "xmenu_Colors|menu_Sepia|Sepia Tones||plain|1",
    "xmenu_Colors|menu_GRADIENT|Gradient Overlay||plain|1",
    "xmenu_Colors|menu_DEPTH|Change Color Depth||plain|1",
    "xmenu_Colors|UntitledSeparator12|-||separator|1",
    "xmenu_Colors|menu_REDEYE|Remove Red Eye||plain|1",
    "xmenu_Colors|UntitledSeparator5|-||separator|1",
    "xmenu_Colors|menu_GetInfo|Get Information|Ctrl+I|plain|1",
    "|xmenu_FRAMES|Frames||menu|1",
    "xmenu_FRAMES|menu_FRAME_OVAL|Solid Oval||plain|1",
    "xmenu_FRAMES|menu_FRAME_FEATHER|Feathered Oval||plain|1",
    "xmenu_FRAMES|menu_FRAME_RECTANGLE|Solid Rectangle||plain|1",
    "xmenu_FRAMES|menu_FRAME_FEATHERED_RECTANGLE|Feathered Rectangle||plain|1",
    "|xmenu_PATTERNS|Patterns||menu|1",
    "xmenu_PATTERNS|menu_Pat_EDIT|Edit Pattern Template||plain|1",
    "xmenu_PATTERNS|menu_Pat_Revert|Revert to Original Template||plain|1",
    "|xMenuHelp|Help||menu|1",
    "xMenuHelp|menu_Help|Online Help File||plain|1",
    "xMenuHelp|UntitledSeparator11|-||separator|1",
    "xMenuHelp|menu_WEBSITE|Tovrelle Website||plain|1",
    "xMenuHelp|menu_EMAIL|eMail Feedback about Pixmura v%1||plain|1",
};

QString Describe(const QString& parent, QAction* a) {
  QString name = a->objectName();
  if (name == QLatin1String("menu_Recent")) name += QStringLiteral("[%1]").arg(a->property("Index").toInt());
  QStringList keys;
  for (const QKeySequence& k : a->shortcuts()) keys << k.toString(QKeySequence::PortableText);
  const QString caption = a->isSeparator() ? QStringLiteral("-") : a->text();
  return QStringList{parent, name, caption, keys.join(QStringLiteral("; ")), a->property("Kind").toString(),
                     a->property("AutoEnable").toBool() ? QStringLiteral("1") : QStringLiteral("0")}
      .join(QLatin1Char('|'));
}

void Walk(const QString& parent, const QList<QAction*>& actions, QStringList& out) {
  for (QAction* a : actions) {
    out << Describe(parent, a);
    if (a->menu()) Walk(a->objectName(), a->menu()->actions(), out);
  }
}

winMAIN* ActiveMain() {
  winMAIN* w = winMAIN::instance();
  w->activateWindow();
  if (!QTest::qWaitForWindowActive(w)) qWarning("the main window did not become active");
  return w;
}

// Counts the commands that reach the main window's handler of an item.
int& Bound(const QString& name) {
  static QHash<QString, int> counts;
  counts[name] = 0;
  winMAIN::instance()->Bind_Menu(name, [name] {
    ++counts[name];
    return true;
  });
  return counts[name];
}
}  // namespace

class MenuTests : public FixtureTest {
  Q_OBJECT
 private slots:
  void everyItem() {
    QStringList expected;
    for (const char* row : kMenuTable) expected << QString::fromUtf8(row).arg(PGM_Version);
    QStringList actual;
    Walk(QString(), MenuBar1::instance()->actions(), actual);
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i) QCOMPARE(actual[i], expected[i]);
    QCOMPARE(winMAIN::instance()->menuBar(), static_cast<QMenuBar*>(MenuBar1::instance()));
    // Separators are plain lines: a text on them would be drawn as a labelled section.
    int separators = 0;
    for (QAction* a : MenuBar1::instance()->Items())
      if (a->isSeparator()) {
        ++separators;
        QVERIFY2(a->text().isEmpty(), qPrintable(a->objectName() + QStringLiteral(": ") + a->text()));
      }
    QCOMPARE(separators, 19);
  }

  void frameworkShortcutTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keys");
    QTest::newRow("command") << "Cmd+N" << "Ctrl+N";
    QTest::newRow("shift") << "Cmd+Shift+N" << "Ctrl+Shift+N";
    QTest::newRow("plus") << "Cmd++" << "Ctrl++; Ctrl+=";
    QTest::newRow("minus") << "Cmd+-" << "Ctrl+-";
    QTest::newRow("control") << "Cmd+Control+3" << "Ctrl+Alt+3";
    QTest::newRow("option") << "Cmd+Option+Z" << "Ctrl+Alt+Z";
    QTest::newRow("delete") << "DEL" << "Del";
    QTest::newRow("none") << "" << "";
  }
  void frameworkShortcutTexts() {
    QFETCH(QString, text);
    QFETCH(QString, keys);
    QStringList out;
    for (const QKeySequence& k : MenuBar1::Key_Sequences(text)) out << k.toString(QKeySequence::PortableText);
    QCOMPARE(out.join(QStringLiteral("; ")), keys);
  }

  void shortcutsChooseTheirItems() {
    winMAIN* w = ActiveMain();
    int& zoomIn = Bound(QStringLiteral("menu_ZoomIN"));
    int& zoomOut = Bound(QStringLiteral("menu_ZoomOut"));
    int& standard = Bound(QStringLiteral("Menu_Palette_STD"));
    int& skin = Bound(QStringLiteral("menu_Palette_Skin"));
    int& del = Bound(QStringLiteral("menu_DELETE"));
    // Delete needs a selection to be enabled.
    Fixture::Select(1, 1, 5, 5);
    QTest::keyClick(w, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_1, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(w, Qt::Key_3, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    QCOMPARE(zoomIn, 2);
    QCOMPARE(zoomOut, 1);
    QCOMPARE(standard, 1);
    QCOMPARE(skin, 1);
    QCOMPARE(del, 1);
  }

  // The passes run before a shortcut is matched: the item's state at that moment decides, whatever the
  // last pass left.
  void disabledItemsShortcutDoesNothing() {
    winMAIN* w = ActiveMain();
    int& created = Bound(QStringLiteral("menu_New"));
    modColorSplash::ColorSplash_Mode = 16;
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(created, 0);
    QVERIFY(!App::menu_New()->isEnabled());
    modColorSplash::ColorSplash_Mode = 0;
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(created, 1);
    modColorSplash::ColorSplash_Mode = 16;
    QTest::keyClick(w, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(created, 1);
    modColorSplash::ColorSplash_Mode = 0;
  }

  void recentFilesInTheMenu() {
    MenuBar1* bar = MenuBar1::instance();
    bar->Enable_Menu_Items();
    for (int i = 0; i < 8; ++i) QVERIFY(!App::menu_Recent(i)->isVisible());
    QVERIFY(!App::menu_ClearRecent()->isEnabled());
    for (int i = 0; i < 10; ++i) modMAIN::MRU_Files << QStringLiteral("/pictures/file%1.png").arg(i);
    modMAIN::MRU_Files[1] = QStringLiteral("/pictures/Tom & Jerry.png");
    // Opening the menu runs the passes.
    QMenu* recent = bar->Menu(QStringLiteral("xmenu_OpenRecent"));
    recent->popup(QPoint(0, 0));
    recent->hide();
    for (int i = 0; i < 8; ++i) {
      QVERIFY(App::menu_Recent(i)->isVisible());
      QVERIFY(App::menu_Recent(i)->isEnabled());
    }
    QCOMPARE(App::menu_Recent(0)->text(), QStringLiteral("file0.png"));
    QCOMPARE(App::menu_Recent(1)->text(), QStringLiteral("Tom && Jerry.png"));
    QCOMPARE(App::menu_Recent(7)->text(), QStringLiteral("file7.png"));
    QVERIFY(App::menu_ClearRecent()->isEnabled());
    // The partial colour mode disables New, Open and the recent files, not Clear Menu.
    modColorSplash::ColorSplash_Mode = 4;
    bar->Enable_Menu_Items();
    QVERIFY(!App::menu_New()->isEnabled());
    QVERIFY(!App::menu_Open()->isEnabled());
    QVERIFY(!App::menu_Recent(3)->isEnabled());
    QVERIFY(App::menu_ClearRecent()->isEnabled());
    modColorSplash::ColorSplash_Mode = 0;
    App::menu_ClearRecent()->trigger();
    QVERIFY(modMAIN::MRU_Files.isEmpty());
    bar->Enable_Menu_Items();
    QVERIFY(!App::menu_Recent(0)->isVisible());
    QVERIFY(!App::menu_ClearRecent()->isEnabled());
  }

  void newFromClipboardFollowsTheClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("words"));
    MenuBar1::instance()->Enable_Menu_Items();
    QVERIFY(!App::menu_New_FROM_CLIPBOARD()->isEnabled());
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    clipboard->setImage(picture);
    MenuBar1::instance()->Enable_Menu_Items();
    QVERIFY(App::menu_New_FROM_CLIPBOARD()->isEnabled());
    modColorSplash::ColorSplash_Mode = 256;
    MenuBar1::instance()->Enable_Menu_Items();
    QVERIFY(!App::menu_New_FROM_CLIPBOARD()->isEnabled());
    modColorSplash::ColorSplash_Mode = 0;
    clipboard->clear();
  }

  void paletteItemCaption() {
    modOptions::option_ShowColors = false;
    MenuBar1::instance()->Enable_Menu_Items();
    QCOMPARE(MenuBar1::instance()->Item(QStringLiteral("menu_ViewColors"))->text(), QStringLiteral("Show Palette"));
    modOptions::option_ShowColors = true;
    MenuBar1::instance()->Enable_Menu_Items();
    QCOMPARE(MenuBar1::instance()->Item(QStringLiteral("menu_ViewColors"))->text(), QStringLiteral("Hide Palette"));
  }

  void commandsNotBuiltYetAreNotHandled() {
    QVERIFY(!winMAIN::instance()->Handle_Menu(QStringLiteral("menu_PASTE"), -1));
    QVERIFY(winMAIN::instance()->Handle_Menu(QStringLiteral("menu_FRAME_TORN"), -1));
    QVERIFY(!winMAIN::instance()->Handle_Menu(QStringLiteral("menu_New"), -1));
  }

  void aFailingCommandShowsTheErrorWindowAndTheProgramGoesOn() {
    winMAIN* w = ActiveMain();
    w->Bind_Menu(QStringLiteral("menu_Grid"), []() -> bool {
      std::shared_ptr<int> missing;
      return *Platform::Checked(missing) > 0;
    });
    w->Bind_Menu(QStringLiteral("menu_THUMBNAIL"), []() -> bool { throw Platform::OutOfBoundsException(); });
    // Show Grid is enabled from 400 % on.
    modMAIN::Zoom = 4;
    QTest::keyClick(w, Qt::Key_G, Qt::ControlModifier);
    ErrWin* error = ErrWin::existing();
    QVERIFY(error);
    QVERIFY(error->isVisible());
    QCOMPARE(error->windowTitle(), QStringLiteral("Error"));
    const QStringList lines = error->EditField1->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines[0], QStringLiteral("Error in module: App.UnhandledException"));
    QCOMPARE(lines[1], QStringLiteral("Type: NilObjectException"));
    QVERIFY(lines[2].startsWith(QStringLiteral("Stack:")));
    QVERIFY(lines[2].size() > 6);
    // The next failure replaces the report in the same window.
    QTest::keyClick(w, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(ErrWin::existing(), error);
    QCOMPARE(error->EditField1->toPlainText().split(QLatin1Char('\n'))[1], QStringLiteral("Type: OutOfBoundsException"));
    // Closed, it comes back new with the next failure.
    error->close();
    QTRY_VERIFY(!ErrWin::existing());
    QTest::keyClick(ActiveMain(), Qt::Key_G, Qt::ControlModifier);
    QVERIFY(ErrWin::existing());
    QVERIFY(winMAIN::instance()->isVisible());
  }

  void anEmptyStackEndsTheReport() {
    mErr::Display(QStringLiteral("Here"), Platform::IOException(), QString());
    QCOMPARE(ErrWin::existing()->EditField1->toPlainText(),
             QStringLiteral("Error in module: Here\nType: IOException\nStack:"));
  }

  void aboutWindow() {
    QAction* about = App::menu_ABOUT();
    about->trigger();
    winABOUT* first = winABOUT::existing();
    QVERIFY(first && first->isVisible());
    QCOMPARE(first->size(), QSize(473, 259));
    QCOMPARE(first->txtVersion->text(), QStringLiteral("Version %1 [build %2]").arg(PGM_Version).arg(Build_Number()));
    // The build number is the build's: the number of commits of the source it was built from.
    QProcess git;
    git.start(QStringLiteral("git"), {QStringLiteral("-C"), qEnvironmentVariable("PIXMURA_SOURCE_DIR"),
                                      QStringLiteral("rev-list"), QStringLiteral("--count"), QStringLiteral("HEAD")});
    if (git.waitForFinished(10000) && git.exitCode() == 0)
      QCOMPARE(Build_Number(), git.readAllStandardOutput().trimmed().toInt());
    // All six credit lines fit in the credits area.
    QPlainTextEdit* credits = first->TextArea1;
    QCOMPARE(credits->toPlainText().split(QLatin1Char('\n')).size(), 6);
    QTextDocument* document = credits->document();
    qreal height = 2 * document->documentMargin();
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
      height += document->documentLayout()->blockBoundingRect(b).height();
    QVERIFY2(height <= credits->viewport()->height(),
             qPrintable(QStringLiteral("%1 > %2").arg(height).arg(credits->viewport()->height())));
    // The logo's white shows the window's background; its other pixels are drawn as they are.
    const Platform::PicturePtr logo = Resources::pgm_logo();
    const QImage shown = first->Canvas1->grab().toImage();
    const QRgb background = first->palette().color(QPalette::Window).rgb();
    int white = 0, drawn = 0;
    for (int y = 0; y < 128; y += 3)
      for (int x = 0; x < 128; x += 3) {
        const QRgb pixel = shown.pixel(x, y) | 0xFF000000u;
        if (logo->Pixel(x, y) == 0xFFFFFF) {
          ++white;
          QCOMPARE(pixel, background);
        } else if (pixel == Platform::ToQRgb(logo->Pixel(x, y))) {
          ++drawn;
        }
      }
    QVERIFY(white > 0);
    QVERIFY(drawn > 0);
    about->trigger();
    QCOMPARE(winABOUT::existing(), first);
    first->close();
    QTRY_VERIFY(!winABOUT::existing());
    about->trigger();
    QVERIFY(winABOUT::existing());
  }

  void closeItemClosesTheMainWindow() {
    MenuBar1::instance()->Item(QStringLiteral("menu_CLOSE"))->trigger();
    QVERIFY(!winMAIN::instance()->isVisible());
    QVERIFY(QFile::exists(Fixture::SettingsFolder() + QStringLiteral("/Config.INI")));
  }
};

PIXMURA_TEST_CLASS(MenuTests)
#include "MenuTests.moc"
