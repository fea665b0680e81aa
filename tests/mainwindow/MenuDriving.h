#pragma once
// Choosing menu items as a user does: the enabling passes run first, and a disabled item does nothing.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include "app/MenuBar1.h"

namespace MenuDriving {

inline QAction* Item(const QString& name, int index = -1) { return MenuBar1::instance()->Item(name, index); }

// Runs the enabling passes as the menu bar does before a menu shows.
inline void Refresh() { MenuBar1::instance()->Enable_Menu_Items(); }

// Chooses the item after the enabling passes; false (and nothing happens) when it is disabled.
inline bool Choose(const QString& name) {
  Refresh();
  QAction* item = Item(name);
  if (!item || !item->isEnabled()) return false;
  item->trigger();
  return true;
}

inline void ClearClipboard() { QGuiApplication::clipboard()->clear(); }

}  // namespace MenuDriving
