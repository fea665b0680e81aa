#pragma once
// The program's one menu bar: eight menus (File, Edit, View, Image, Colors, Frames, Patterns, Help) whose
// items are QActions named as the handlers know them. Choosing an item runs the main window's handler
// of that name and, when it does not handle the command, the application object's. Before a menu shows
// and before a shortcut fires, every auto-enabled item is switched on and the enabling passes run.
#include <QKeySequence>
#include <QList>
#include <QMenuBar>
#include <QPointer>

class QMenu;
class QAction;

class MenuBar1 : public QMenuBar {
  Q_OBJECT
 public:
  // The single instance, made on first use. The main window shows it.
  static MenuBar1* instance();
  static MenuBar1* existing();
  // A further bar built from the same menus and items for another window (each window carries a bar of
  // its own here). Its items run the same handlers; before it is used the shared bar's enabling passes
  // run and each of its items takes the state of the shared item of the same place.
  static MenuBar1* Make_Second_Bar(QWidget* parent);

  // The item (a command, a separator, or the title of a menu or submenu) of that name; for the recent
  // files the index picks one of the eight. nullptr when there is none.
  QAction* Item(const QString& name, int index = -1) const;
  QMenu* Menu(const QString& name) const;
  // Every item in build order, menu titles included.
  const QList<QAction*>& Items() const { return items_; }

  // Switches every auto-enabled item on, then runs the application's and the main window's enabling
  // passes.
  void Enable_Menu_Items();
  // Runs the command of the item: the main window's handler first, then the application object's.
  void Choose(QAction* item);

  // The key sequences of a shortcut as the menu tables write it ("Cmd+Shift+N", "Cmd++", "DEL"): Cmd is
  // Ctrl, Option and Control are Alt, "DEL" is the Delete key; Cmd++ also answers to Cmd+=.
  static QList<QKeySequence> Key_Sequences(const QString& shortcut);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit MenuBar1(MenuBar1* shared = nullptr, QWidget* parent = nullptr);
  // The eight build steps, one per menu in menu order.
  void Untitled0();
  void Untitled1();
  void Untitled2();
  void Untitled3();
  void Untitled4();
  void Untitled5();
  void Untitled6();
  void Untitled7();

  QMenu* Add_Menu(QWidget* parent, const QString& name, const QString& caption);
  QAction* Add_Item(QMenu* menu, const QString& name, const QString& caption, const QString& shortcut = QString(),
                    const QString& kind = QStringLiteral("plain"), bool autoEnable = true);
  QAction* Add_Separator(QMenu* menu, const QString& name);

  QList<QAction*> items_;
  QList<QMenu*> menus_;
  // The shared bar this one follows; nullptr for the shared bar itself.
  QPointer<MenuBar1> shared_;
};
