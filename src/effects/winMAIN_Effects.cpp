// The main window's Colors > Photo Effects command.
#include "effects/DozerIvidEffectsLibrary.h"
#include "effects/winEffects.h"
#include "mainwindow/winMAIN.h"

void winMAIN::AddEffectsMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_EFFECTS"), [this] { return _menu_EFFECTS_Action(); });
}

bool winMAIN::_menu_EFFECTS_Action() {
  if (!DozerIvidEffectsLibrary::Refuse_Effect()) winEffects::Show_Modal(this);
  return true;
}
