// File > Preferences: the main window's command that opens the preferences window.
#include "mainwindow/winMAIN.h"
#include "preferences/winPreferences.h"

bool winMAIN::_menu_Pref_Action() {
  winPreferences* w = winPreferences::instance();
  w->show();
  w->raise();
  w->activateWindow();
  return true;
}

void winMAIN::AddPreferencesMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_Pref"), [this] { return _menu_Pref_Action(); });
}
