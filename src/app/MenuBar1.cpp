#include "app/MenuBar1.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include "app/App.h"
#include "mainwindow/winMAIN.h"

namespace {
QPointer<MenuBar1>& Instance() {
  static QPointer<MenuBar1> m;
  return m;
}

Qt::Key KeyOf(const QString& key) {
  if (key.size() != 1) return Qt::Key_unknown;
  const QChar c = key[0].toUpper();
  if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) return Qt::Key(Qt::Key_A + (c.unicode() - 'A'));
  if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return Qt::Key(Qt::Key_0 + (c.unicode() - '0'));
  switch (c.unicode()) {
    case '+': return Qt::Key_Plus;
    case '-': return Qt::Key_Minus;
    case '=': return Qt::Key_Equal;
    case ',': return Qt::Key_Comma;
    case '.': return Qt::Key_Period;
    default: return Qt::Key_unknown;
  }
}
}  // namespace

MenuBar1* MenuBar1::instance() {
  if (!Instance()) Instance() = new MenuBar1();
  return Instance();
}

MenuBar1* MenuBar1::existing() { return Instance(); }

MenuBar1* MenuBar1::Make_Second_Bar(QWidget* parent) { return new MenuBar1(instance(), parent); }

MenuBar1::MenuBar1(MenuBar1* shared, QWidget* parent) : QMenuBar(parent), shared_(shared) {
  setObjectName(QStringLiteral("MenuBar1"));
  // Every menu's title is a plain item of the bar, with its own name.
  setNativeMenuBar(false);
  Untitled0();
  Untitled1();
  Untitled2();
  Untitled3();
  Untitled4();
  Untitled5();
  Untitled6();
  Untitled7();
  // The items whose check mark the enabling pass sets: Qt draws a mark only on a checkable item.
  for (const char* name : {"Menu_Palette_STD", "menu_Palette_ENH", "menu_Palette_Skin", "menu_ViewPatterns",
                           "menu_ViewTools", "menu_ViewRulers", "menu_Grid", "menu_AntiAlias", "menu_DrawOpaque",
                           "menu_Transparent", "menu_CS4", "menu_CS16", "menu_CS256"})
    Item(QLatin1String(name))->setCheckable(true);
  // Shortcuts: the enabling passes run before the key is matched against the items.
  qApp->installEventFilter(this);
}

QList<QKeySequence> MenuBar1::Key_Sequences(const QString& shortcut) {
  if (shortcut.isEmpty()) return {};
  if (shortcut == QLatin1String("DEL")) return {QKeySequence(Qt::Key_Delete)};
  Qt::KeyboardModifiers mods;
  QString rest = shortcut;
  for (;;) {
    if (rest.startsWith(QLatin1String("Cmd+")) && rest.size() > 4) {
      mods |= Qt::ControlModifier;
      rest = rest.mid(4);
    } else if (rest.startsWith(QLatin1String("Shift+")) && rest.size() > 6) {
      mods |= Qt::ShiftModifier;
      rest = rest.mid(6);
    } else if (rest.startsWith(QLatin1String("Control+")) && rest.size() > 8) {
      mods |= Qt::AltModifier;
      rest = rest.mid(8);
    } else if (rest.startsWith(QLatin1String("Option+")) && rest.size() > 7) {
      mods |= Qt::AltModifier;
      rest = rest.mid(7);
    } else {
      break;
    }
  }
  const Qt::Key key = KeyOf(rest);
  if (key == Qt::Key_unknown) return {};
  QList<QKeySequence> out{QKeySequence(QKeyCombination(mods, key))};
  // The plus key is the "=" key with Shift on most keyboards; both zoom in.
  if (key == Qt::Key_Plus) out << QKeySequence(QKeyCombination(mods, Qt::Key_Equal));
  return out;
}

QMenu* MenuBar1::Add_Menu(QWidget* parent, const QString& name, const QString& caption) {
  auto* menu = new QMenu(caption, parent);
  menu->setObjectName(name);
  QAction* title = menu->menuAction();
  title->setObjectName(name);
  title->setProperty("Index", -1);
  title->setProperty("AutoEnable", true);
  title->setProperty("KeyboardShortcut", QString());
  title->setProperty("Kind", parent == this ? QStringLiteral("menu") : QStringLiteral("submenu"));
  if (parent == this) addMenu(menu);
  else static_cast<QMenu*>(parent)->addMenu(menu);
  connect(menu, &QMenu::aboutToShow, this, &MenuBar1::Enable_Menu_Items);
  items_ << title;
  menus_ << menu;
  return menu;
}

QAction* MenuBar1::Add_Item(QMenu* menu, const QString& name, const QString& caption, const QString& shortcut,
                            const QString& kind, bool autoEnable) {
  auto* item = new QAction(caption, menu);
  item->setObjectName(name);
  item->setProperty("Index", -1);
  item->setProperty("AutoEnable", autoEnable);
  item->setProperty("KeyboardShortcut", shortcut);
  item->setProperty("Kind", kind);
  item->setShortcuts(Key_Sequences(shortcut));
  item->setShortcutContext(Qt::WindowShortcut);
  if (kind == QLatin1String("app menu")) item->setMenuRole(QAction::ApplicationSpecificRole);
  else if (kind == QLatin1String("prefs")) item->setMenuRole(QAction::PreferencesRole);
  else if (kind == QLatin1String("quit")) item->setMenuRole(QAction::QuitRole);
  else item->setMenuRole(QAction::NoRole);
  menu->addAction(item);
  connect(item, &QAction::triggered, this, [this, item] { Choose(item); });
  items_ << item;
  return item;
}

QAction* MenuBar1::Add_Separator(QMenu* menu, const QString& name) {
  QAction* item = menu->addSeparator();
  item->setObjectName(name);
  // The table's caption "-" makes the separator; as the action's text Qt would draw it as a label.
  item->setProperty("Index", -1);
  item->setProperty("AutoEnable", true);
  item->setProperty("KeyboardShortcut", QString());
  item->setProperty("Kind", QStringLiteral("separator"));
  items_ << item;
  return item;
}

// File
void MenuBar1::Untitled0() {
  QMenu* m = Add_Menu(this, QStringLiteral("xmenu_File"), QStringLiteral("&File"));
  Add_Item(m, QStringLiteral("menu_ABOUT"), QStringLiteral("About"), {}, QStringLiteral("app menu"));
  Add_Item(m, QStringLiteral("menu_Updates"), QStringLiteral("Check for Updates"), {}, QStringLiteral("app menu"));
  Add_Item(m, QStringLiteral("menu_Pref"), QStringLiteral("Preferences"), QStringLiteral("Cmd+,"), QStringLiteral("prefs"));
  Add_Item(m, QStringLiteral("FileQuit"), QStringLiteral("&Quit"), QStringLiteral("Cmd+Q"), QStringLiteral("quit"));
  Add_Item(m, QStringLiteral("menu_New"), QStringLiteral("New"), QStringLiteral("Cmd+N"), QStringLiteral("plain"), false);
  Add_Item(m, QStringLiteral("menu_New_FROM_CLIPBOARD"), QStringLiteral("New from Clipboard"), QStringLiteral("Cmd+Shift+N"));
  Add_Item(m, QStringLiteral("menu_Open"), QStringLiteral("Open..."), QStringLiteral("Cmd+O"));
  QMenu* recent = Add_Menu(m, QStringLiteral("xmenu_OpenRecent"), QStringLiteral("Open Recent"));
  const char* const captions[] = {"*Recent1", "*Recent2", "*Recent3", "*Recent4", "Untitled", "Untitled", "Untitled", "Untitled"};
  for (int i = 0; i < 8; ++i) {
    QAction* item = Add_Item(recent, QStringLiteral("menu_Recent"), QString::fromLatin1(captions[i]));
    item->setProperty("Index", i);
  }
  Add_Separator(recent, QStringLiteral("UntitledSeparator2"));
  Add_Item(recent, QStringLiteral("menu_ClearRecent"), QStringLiteral("Clear Menu"));
  Add_Separator(m, QStringLiteral("UntitledSeparator1"));
  Add_Item(m, QStringLiteral("menu_CLOSE"), QStringLiteral("Close"), QStringLiteral("Cmd+W"));
  Add_Item(m, QStringLiteral("menu_Save"), QStringLiteral("Save"), QStringLiteral("Cmd+S"));
  Add_Item(m, QStringLiteral("menu_SaveAs"), QStringLiteral("Save As ..."), QStringLiteral("Cmd+Shift+S"));
  Add_Item(m, QStringLiteral("menu_REVERT"), QStringLiteral("Revert to Saved"));
  Add_Separator(m, QStringLiteral("UntitledSeparator"));
  Add_Item(m, QStringLiteral("menu_PageSetup"), QStringLiteral("Page Setup"), QStringLiteral("Cmd+Shift+P"));
  Add_Item(m, QStringLiteral("menu_Print"), QStringLiteral("Print"), QStringLiteral("Cmd+P"));
}

// Edit
void MenuBar1::Untitled1() {
  QMenu* m = Add_Menu(this, QStringLiteral("xmenu_Edit"), QStringLiteral("&Edit"));
  Add_Item(m, QStringLiteral("menu_UnDo"), QStringLiteral("&Undo"), QStringLiteral("Cmd+Z"));
  Add_Item(m, QStringLiteral("menu_ReDo"), QStringLiteral("Redo"), QStringLiteral("Cmd+Y"));
  Add_Separator(m, QStringLiteral("UntitledMenu1"));
  Add_Item(m, QStringLiteral("menu_CUT"), QStringLiteral("Cu&t"), QStringLiteral("Cmd+X"));
  Add_Item(m, QStringLiteral("menu_COPY"), QStringLiteral("&Copy"), QStringLiteral("Cmd+C"));
  Add_Item(m, QStringLiteral("menu_PASTE"), QStringLiteral("&Paste"), QStringLiteral("Cmd+V"));
  Add_Item(m, QStringLiteral("menu_DELETE"), QStringLiteral("&Delete"), QStringLiteral("DEL"));
  Add_Separator(m, QStringLiteral("UntitledSeparator0"));
  Add_Item(m, QStringLiteral("menu_CROP"), QStringLiteral("Crop"), QStringLiteral("Cmd+Shift+C"));
  Add_Separator(m, QStringLiteral("UntitledMenu0"));
  Add_Item(m, QStringLiteral("menu_SELECTALL"), QStringLiteral("Select &All"), QStringLiteral("Cmd+A"));
}

// View
void MenuBar1::Untitled2() {
  QMenu* m = Add_Menu(this, QStringLiteral("ViewMenu"), QStringLiteral("View"));
  Add_Item(m, QStringLiteral("menu_ViewTools"), QStringLiteral("Tool Bar"));
  QMenu* palette = Add_Menu(m, QStringLiteral("menu_Palette"), QStringLiteral("Color Palette"));
  Add_Item(palette, QStringLiteral("menu_ViewColors"), QStringLiteral("Hide Palette"));
  Add_Separator(palette, QStringLiteral("UntitledSeparator15"));
  Add_Item(palette, QStringLiteral("Menu_Palette_STD"), QStringLiteral("Standard"), QStringLiteral("Cmd+Control+1"));
  Add_Item(palette, QStringLiteral("menu_Palette_ENH"), QStringLiteral("Enhanced"), QStringLiteral("Cmd+Control+2"));
  Add_Item(palette, QStringLiteral("menu_Palette_Skin"), QStringLiteral("Skin Tones"), QStringLiteral("Cmd+Control+3"));
  Add_Item(m, QStringLiteral("menu_ViewPatterns"), QStringLiteral("Fill Patterns"));
  Add_Item(m, QStringLiteral("menu_ViewRulers"), QStringLiteral("Rulers"));
  Add_Separator(m, QStringLiteral("UntitledSeparator13"));
  Add_Item(m, QStringLiteral("menu_GALLERY"), QStringLiteral("Shapes Gallery"));
  Add_Separator(m, QStringLiteral("UntitledSeparator3"));
  Add_Item(m, QStringLiteral("menu_ZoomNormal"), QStringLiteral("Normal Size"), QStringLiteral("Cmd+1"));
  Add_Item(m, QStringLiteral("menu_ZoomIN"), QStringLiteral("Zoom In"), QStringLiteral("Cmd++"));
  Add_Item(m, QStringLiteral("menu_ZoomOut"), QStringLiteral("Zoom Out"), QStringLiteral("Cmd+-"));
  Add_Separator(m, QStringLiteral("UntitledSeparator7"));
  Add_Item(m, QStringLiteral("menu_Grid"), QStringLiteral("Show Grid"), QStringLiteral("Cmd+G"));
  Add_Item(m, QStringLiteral("menu_THUMBNAIL"), QStringLiteral("Show Thumbnail"), QStringLiteral("Cmd+T"));
  Add_Item(m, QStringLiteral("menu_ColorMeter"), QStringLiteral("Show Color Meter"));
}

// Image
void MenuBar1::Untitled3() {
  QMenu* m = Add_Menu(this, QStringLiteral("xmenu_Image"), QStringLiteral("Image"));
  Add_Item(m, QStringLiteral("menu_ROTATE"), QStringLiteral("Flip / Rotate"));
  Add_Separator(m, QStringLiteral("UntitledSeparator6"));
  Add_Item(m, QStringLiteral("menu_RESIZE"), QStringLiteral("Resize/Scale"));
  Add_Separator(m, QStringLiteral("UntitledSeparator4"));
  Add_Item(m, QStringLiteral("menu_Transparent"), QStringLiteral("Show as Transparent"));
  Add_Separator(m, QStringLiteral("UntitledSeparator8"));
  Add_Item(m, QStringLiteral("menu_CANVAS_SIZE"), QStringLiteral("Canvas Size"));
  Add_Item(m, QStringLiteral("menu_ClearImage"), QStringLiteral("Clear Image"));
  Add_Separator(m, QStringLiteral("UntitledSeparator14"));
  QMenu* splash = Add_Menu(m, QStringLiteral("menuSplash"), QStringLiteral("Untitled"));
  Add_Item(splash, QStringLiteral("menu_CS256"), QStringLiteral("256 level grayscale"));
  Add_Item(splash, QStringLiteral("menu_CS16"), QStringLiteral("16 level grayscale"));
  Add_Item(splash, QStringLiteral("menu_CS4"), QStringLiteral("4 level grayscale"));
  Add_Separator(m, QStringLiteral("UntitledSeparator9"));
  Add_Item(m, QStringLiteral("menu_DrawOpaque"), QStringLiteral("Draw Opaque"));
  Add_Item(m, QStringLiteral("menu_AntiAlias"), QStringLiteral("Anti-Alias"));
}

// Colors
void MenuBar1::Untitled4() {
  QMenu* m = Add_Menu(this, QStringLiteral("xmenu_Colors"), QStringLiteral("Colors"));
  Add_Item(m, QStringLiteral("menu_EFFECTS"), QStringLiteral("Photo Effects"), QStringLiteral("Cmd+E"));
  Add_Separator(m, QStringLiteral("UntitledSeparator10"));
  Add_Item(m, QStringLiteral("menu_InvertColors"), QStringLiteral("Reverse Colors"), QStringLiteral("Cmd+R"));
  Add_Item(m, QStringLiteral("menu_Sepia"), QStringLiteral("Sepia Tones"));
  Add_Item(m, QStringLiteral("menu_GRADIENT"), QStringLiteral("Gradient Overlay"));
  Add_Item(m, QStringLiteral("menu_DEPTH"), QStringLiteral("Change Color Depth"));
  Add_Separator(m, QStringLiteral("UntitledSeparator12"));
  Add_Item(m, QStringLiteral("menu_REDEYE"), QStringLiteral("Remove Red Eye"));
  Add_Separator(m, QStringLiteral("UntitledSeparator5"));
  Add_Item(m, QStringLiteral("menu_GetInfo"), QStringLiteral("Get Information"), QStringLiteral("Cmd+I"));
}

// Frames
void MenuBar1::Untitled5() {
  QMenu* m = Add_Menu(this, QStringLiteral("xmenu_FRAMES"), QStringLiteral("Frames"));
  Add_Item(m, QStringLiteral("menu_FRAME_OVAL"), QStringLiteral("Solid Oval"));
  Add_Item(m, QStringLiteral("menu_FRAME_FEATHER"), QStringLiteral("Feathered Oval"));
  Add_Item(m, QStringLiteral("menu_FRAME_RECTANGLE"), QStringLiteral("Solid Rectangle"));
  Add_Item(m, QStringLiteral("menu_FRAME_FEATHERED_RECTANGLE"), QStringLiteral("Feathered Rectangle"));
}

// Patterns
void MenuBar1::Untitled6() {
  QMenu* m = Add_Menu(this, QStringLiteral("xmenu_PATTERNS"), QStringLiteral("Patterns"));
  Add_Item(m, QStringLiteral("menu_Pat_EDIT"), QStringLiteral("Edit Pattern Template"));
  Add_Item(m, QStringLiteral("menu_Pat_Revert"), QStringLiteral("Revert to Original Template"));
}

// Help
void MenuBar1::Untitled7() {
  QMenu* m = Add_Menu(this, QStringLiteral("xMenuHelp"), QStringLiteral("Help"));
  Add_Item(m, QStringLiteral("menu_Help"), QStringLiteral("Online Help File"));
  Add_Separator(m, QStringLiteral("UntitledSeparator11"));
  Add_Item(m, QStringLiteral("menu_WEBSITE"), QStringLiteral("Tovrelle Website"));
  Add_Item(m, QStringLiteral("menu_EMAIL"), QStringLiteral("Feedback"));
}

QAction* MenuBar1::Item(const QString& name, int index) const {
  for (QAction* a : items_)
    if (a->objectName() == name && a->property("Index").toInt() == index) return a;
  return nullptr;
}

QMenu* MenuBar1::Menu(const QString& name) const {
  for (QMenu* m : menus_)
    if (m->objectName() == name) return m;
  return nullptr;
}

void MenuBar1::Enable_Menu_Items() {
  if (shared_) {
    // Both bars come from the same build steps, so their items stand at the same places.
    shared_->Enable_Menu_Items();
    const QList<QAction*>& from = shared_->Items();
    for (qsizetype i = 0; i < items_.size() && i < from.size(); ++i) {
      QAction* a = items_[i];
      a->setText(from[i]->text());
      a->setVisible(from[i]->isVisible());
      a->setEnabled(from[i]->isEnabled());
      if (a->isCheckable()) a->setChecked(from[i]->isChecked());
    }
    return;
  }
  for (QAction* a : items_)
    if (a->property("AutoEnable").toBool()) a->setEnabled(true);
  if (App* app = App::instance()) app->Event_EnableMenuItems();
  if (winMAIN* w = winMAIN::existing()) w->Event_EnableMenuItems();
}

void MenuBar1::Choose(QAction* item) {
  const QString name = item->objectName();
  const int index = item->property("Index").toInt();
  if (name == QLatin1String("FileQuit")) {
    App::Quit();
    return;
  }
  if (winMAIN* w = winMAIN::existing(); w && w->Handle_Menu(name, index)) return;
  if (App* app = App::instance()) app->Handle_Menu(name, index);
}

bool MenuBar1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && window()->isActiveWindow()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (QAction* a : items_) {
      if (a->shortcuts().contains(pressed)) {
        Enable_Menu_Items();
        break;
      }
    }
  }
  return QMenuBar::eventFilter(watched, event);
}
