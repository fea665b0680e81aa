#pragma once
// The application object: the start of the program, the application-level events (open, a document
// handed over at launch, the enabling pass for its own menu items, failures that escape a handler) and
// the six application-level menu commands.
#include <QDateTime>
#include <QHash>
#include <functional>

#include "platform/Application.h"
#include "platform/FolderItem.h"

class QAction;

class App : public Platform::Application {
  Q_OBJECT
 public:
  // The start step: the file types, the menu bar and the application's menu handlers.
  App(int& argc, char** argv);
  // The application object, or nullptr when the program runs under another one.
  static App* instance();

  // Runs the rest of the start inside the event loop: the open event, the documents named on the command
  // line (handed over as at launch), the main window's first open, then the automatic update check when
  // it is due.
  void Start(const QStringList& documents);

  // ---- Events ----
  // A document handed over by the system: remembered for the main window's initialisation.
  void Event_OpenDocument(const Platform::FolderItemPtr& item);
  // The enabling pass for New, Open, New from Clipboard, the recent files and Clear Menu.
  void Event_EnableMenuItems();
  // Shows the failure in the error window; the program goes on.
  static void Event_UnhandledException(const Platform::RuntimeException& e);
  // The application's open event: identity, captions and the start values every part relies on.
  void Event_Open();

  // ---- Shared with the main window's enabling pass ----
  static bool Clipboard_Has_Picture();
  // The caption of a recent file: its display name, with "&" shown as itself.
  static QString Recent_Caption(const QString& path);
  // Shows the recent-file items that have a file (captioned, enabled or not) and hides the others;
  // returns the number shown.
  static int Show_Recent_Items(bool enabled);

  // ---- Menu handlers ----
  bool _menu_New_Action();
  bool _menu_Open_Action();
  bool _menu_New_FROM_CLIPBOARD_Action();
  bool _menu_Recent_Action(int32_t index);
  bool _menu_ClearRecent_Action();
  bool _menu_Updates_Action();
  // Runs the handler bound to the item's name; false when there is none or it did not handle it.
  bool Handle_Menu(const QString& name, int index);

  // ---- Menu items ----
  static QAction* menu_New();
  static QAction* menu_Open();
  static QAction* menu_New_FROM_CLIPBOARD();
  static QAction* menu_ClearRecent();
  static QAction* menu_ABOUT();
  static QAction* menu_EMAIL();
  static QAction* menuSplash();
  static QAction* menu_Recent(int32_t index);

  // The Quit item: closes the main window (which asks about unsaved changes and saves the settings);
  // the program ends when its last window has closed.
  static void Quit();
  // Asks the event loop to end once the current event is done (not while tests run).
  static void Request_Quit();

  // Whether the automatic update check is due: the setting is on and the local time, written
  // yyyymmddhhmm, is not before the stored next-check time.
  static bool Update_Check_Due(const QDateTime& now);

 protected:
  bool event(QEvent* e) override;

 private:
  void _ApplicationAddMenuHandlers();
  QHash<QString, std::function<bool(int)>> handlers_;
};
