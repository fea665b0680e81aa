// The main window's menu handlers, their binding by item name, and its enabling pass.
#include <QAction>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/modOptions.h"
#include "app/winABOUT.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "effects/modFRAME.h"
#include "mainwindow/winMAIN.h"

using namespace modMAIN;

void winMAIN::AddMenuHandlers() {
  // Every command item that the application object does not serve is the window's; until a command is
  // built its item answers "not handled".
  static const QStringList applicationItems{QStringLiteral("menu_New"),    QStringLiteral("menu_Open"),
                                            QStringLiteral("menu_New_FROM_CLIPBOARD"), QStringLiteral("menu_Recent"),
                                            QStringLiteral("menu_Updates"), QStringLiteral("FileQuit")};
  for (QAction* item : MenuBar1::instance()->Items()) {
    const QString kind = item->property("Kind").toString();
    if (kind == QLatin1String("menu") || kind == QLatin1String("submenu") || kind == QLatin1String("separator")) continue;
    if (applicationItems.contains(item->objectName())) continue;
    Bind_Menu(item->objectName(), [] { return false; });
  }
  // A name that no item carries; its command does nothing.
  Bind_Menu(QStringLiteral("menu_FRAME_TORN"), [] { return true; });

  Bind_Menu(QStringLiteral("menu_ABOUT"), [this] { return _menu_ABOUT_Action(); });
  Bind_Menu(QStringLiteral("menu_EMAIL"), [this] { return _menu_EMAIL_Action(); });
  Bind_Menu(QStringLiteral("menu_CLOSE"), [this] { return _menu_CLOSE_Action(); });
  Bind_Menu(QStringLiteral("menu_ClearRecent"), [this] { return _menu_ClearRecent_Action(); });
  Bind_Menu(QStringLiteral("menu_Save"), [this] { return _menu_Save_Action(); });
  Bind_Menu(QStringLiteral("menu_SaveAs"), [this] { return _menu_SaveAs_Action(); });
  Bind_Menu(QStringLiteral("menu_REVERT"), [this] { return _menu_REVERT_Action(); });
  Bind_Menu(QStringLiteral("menu_DEPTH"), [this] { return _menu_DEPTH_Action(); });
  Bind_Menu(QStringLiteral("menu_CUT"), [this] { return _menu_CUT_Action(); });
  Bind_Menu(QStringLiteral("menu_COPY"), [this] { return _menu_COPY_Action(); });
  Bind_Menu(QStringLiteral("menu_DELETE"), [this] { return _menu_DELETE_Action(); });
  Bind_Menu(QStringLiteral("menu_CROP"), [this] { return _menu_CROP_Action(); });
  Bind_Menu(QStringLiteral("menu_Sepia"), [this] { return _menu_Sepia_Action(); });
  Bind_Menu(QStringLiteral("menu_InvertColors"), [this] { return _menu_InvertColors_Action(); });
  Bind_Menu(QStringLiteral("menu_REDEYE"), [this] { return _menu_REDEYE_Action(); });
  Bind_Menu(QStringLiteral("menu_FRAME_OVAL"), [] { modFRAME::Add_Frame_Oval(false); return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_FEATHER"), [] { modFRAME::Add_Frame_Oval_Feathered(); return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_RECTANGLE"), [] { modFRAME::Add_Frame_Rectangle(false); return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_FEATHERED_RECTANGLE"), [] { modFRAME::Add_Frame_Rectangle_Feathered(); return true; });
  Bind_Menu(QStringLiteral("menu_CS4"), [] { modColorSplash::Switch_ColorSplash_Mode(4); return true; });
  Bind_Menu(QStringLiteral("menu_CS16"), [] { modColorSplash::Switch_ColorSplash_Mode(16); return true; });
  Bind_Menu(QStringLiteral("menu_CS256"), [] { modColorSplash::Switch_ColorSplash_Mode(256); return true; });
  AddPaletteMenuHandlers();
}

void winMAIN::Bind_Menu(const QString& name, std::function<bool()> handler) { menuHandlers_.insert(name, std::move(handler)); }

bool winMAIN::Handle_Menu(const QString& name, int) {
  const auto it = menuHandlers_.constFind(name);
  return it != menuHandlers_.constEnd() && it.value()();
}

void winMAIN::Event_EnableMenuItems() {
  MenuBar1* bar = MenuBar1::instance();
  const bool splash = modColorSplash::ColorSplash_Mode > 0;
  App::menu_New_FROM_CLIPBOARD()->setEnabled(App::Clipboard_Has_Picture() && !splash);
  App::menu_New()->setEnabled(!splash);
  App::menu_Open()->setEnabled(!splash);
  App::menu_ClearRecent()->setEnabled(App::Show_Recent_Items(!splash) > 0);
  bar->Item(QStringLiteral("menu_ViewColors"))
      ->setText(modOptions::option_ShowColors ? QStringLiteral("Hide Palette") : QStringLiteral("Show Palette"));
}

bool winMAIN::_menu_ABOUT_Action() {
  winABOUT* about = winABOUT::instance();
  about->show();
  about->raise();
  about->activateWindow();
  return true;
}

bool winMAIN::_menu_CLOSE_Action() {
  close();
  return true;
}

bool winMAIN::_menu_ClearRecent_Action() {
  MRU_Files.clear();
  return true;
}
