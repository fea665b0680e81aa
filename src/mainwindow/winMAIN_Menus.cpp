// The main window's menu items, their binding to the window's handlers by item name, its enabling pass
// and the commands of the File, Edit, View, Image and Help menus that the window carries out itself.
#include <QAction>

#include "app/App.h"
#include "app/MenuBar1.h"
#include "app/ProgramIdentity.h"
#include "app/UpdateCheck.h"
#include "app/modOptions.h"
#include "app/winABOUT.h"
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "core/Geometry.h"
#include "core/UndoHistory.h"
#include "effects/modColorSplash.h"
#include "effects/modFRAME.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/winShapes.h"
#include "platform/Environment.h"
#include "platform/RuntimeError.h"

using namespace modMAIN;

namespace {

using Handler = bool (winMAIN::*)();

struct Binding {
  const char* name;
  // nullptr: the command answers "not handled" until its topic binds it (below, or in the topic's own
  // Add...MenuHandlers function) or its dialog comes.
  Handler handler;
};

// Every command the window serves, in binding order. The application object serves New, Open, New from
// Clipboard, the recent files and the update check; Quit is the framework's.
const Binding kWindowCommands[] = {
    {"menu_Grid", &winMAIN::_menu_Grid_Action},
    {"menu_ABOUT", &winMAIN::_menu_ABOUT_Action},
    {"menu_InvertColors", &winMAIN::_menu_InvertColors_Action},
    {"menu_DrawOpaque", &winMAIN::_menu_DrawOpaque_Action},
    {"menu_UnDo", &winMAIN::_menu_UnDo_Action},
    {"menu_Save", &winMAIN::_menu_Save_Action},
    {"menu_SaveAs", &winMAIN::_menu_SaveAs_Action},
    {"menu_ClearImage", &winMAIN::_menu_ClearImage_Action},
    {"menu_ClearRecent", &winMAIN::_menu_ClearRecent_Action},
    {"menu_ReDo", &winMAIN::_menu_ReDo_Action},
    {"menu_ROTATE", nullptr},
    {"menu_COPY", &winMAIN::_menu_COPY_Action},
    {"menu_CROP", &winMAIN::_menu_CROP_Action},
    {"menu_CUT", &winMAIN::_menu_CUT_Action},
    {"menu_DELETE", &winMAIN::_menu_DELETE_Action},
    {"menu_PASTE", &winMAIN::_menu_PASTE_Action},
    {"menu_PageSetup", nullptr},
    {"menu_Print", nullptr},
    {"menu_SELECTALL", &winMAIN::_menu_SELECTALL_Action},
    {"menu_THUMBNAIL", &winMAIN::_menu_THUMBNAIL_Action},
    {"menu_RESIZE", nullptr},
    {"menu_CANVAS_SIZE", nullptr},
    {"menu_GetInfo", nullptr},
    {"menu_ZoomIN", &winMAIN::_menu_ZoomIN_Action},
    {"menu_ZoomOut", &winMAIN::_menu_ZoomOut_Action},
    {"menu_ZoomNormal", &winMAIN::_menu_ZoomNormal_Action},
    {"menu_ViewColors", &winMAIN::_menu_ViewColors_Action},
    {"menu_ViewTools", &winMAIN::_menu_ViewTools_Action},
    {"menu_REVERT", &winMAIN::_menu_REVERT_Action},
    {"menu_Sepia", &winMAIN::_menu_Sepia_Action},
    {"menu_AntiAlias", &winMAIN::_menu_AntiAlias_Action},
    {"menu_ColorMeter", &winMAIN::_menu_ColorMeter_Action},
    {"menu_EMAIL", &winMAIN::_menu_EMAIL_Action},
    {"menu_CLOSE", &winMAIN::_menu_CLOSE_Action},
    {"menu_GALLERY", &winMAIN::_menu_GALLERY_Action},
    {"menu_Transparent", &winMAIN::_menu_Transparent_Action},
    {"menu_WEBSITE", &winMAIN::_menu_WEBSITE_Action},
    {"menu_Help", &winMAIN::_menu_Help_Action},
    {"menu_REDEYE", &winMAIN::_menu_REDEYE_Action},
    {"menu_DEPTH", &winMAIN::_menu_DEPTH_Action},
    {"menu_Pref", nullptr},
    {"menu_GRADIENT", nullptr},
    {"menu_ViewRulers", &winMAIN::_menu_ViewRulers_Action},
    {"menu_EFFECTS", nullptr},
    {"menu_FRAME_OVAL", nullptr},
    {"menu_FRAME_FEATHER", nullptr},
    {"menu_FRAME_FEATHERED_RECTANGLE", nullptr},
    {"menu_FRAME_RECTANGLE", nullptr},
    {"menu_Pat_EDIT", nullptr},
    {"menu_Pat_Revert", nullptr},
    {"menu_ViewPatterns", &winMAIN::_menu_ViewPatterns_Action},
    {"menu_CS4", nullptr},
    {"menu_CS256", nullptr},
    {"menu_CS16", nullptr},
    {"Menu_Palette_STD", nullptr},
    {"menu_Palette_ENH", nullptr},
    {"menu_Palette_Skin", nullptr},
};

}  // namespace

// ---- Binding ----

void winMAIN::AddMenuHandlers() {
  for (const Binding& b : kWindowCommands) {
    const Handler handler = b.handler;
    if (handler) Bind_Menu(QLatin1String(b.name), [this, handler] { return (this->*handler)(); });
    else Bind_Menu(QLatin1String(b.name), [] { return false; });
  }
  // A name that no item carries; its command does nothing.
  Bind_Menu(QStringLiteral("menu_FRAME_TORN"), [] { return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_OVAL"), [] { modFRAME::Add_Frame_Oval(false); return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_FEATHER"), [] { modFRAME::Add_Frame_Oval_Feathered(); return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_RECTANGLE"), [] { modFRAME::Add_Frame_Rectangle(false); return true; });
  Bind_Menu(QStringLiteral("menu_FRAME_FEATHERED_RECTANGLE"), [] { modFRAME::Add_Frame_Rectangle_Feathered(); return true; });
  Bind_Menu(QStringLiteral("menu_CS4"), [] { modColorSplash::Switch_ColorSplash_Mode(4); return true; });
  Bind_Menu(QStringLiteral("menu_CS16"), [] { modColorSplash::Switch_ColorSplash_Mode(16); return true; });
  Bind_Menu(QStringLiteral("menu_CS256"), [] { modColorSplash::Switch_ColorSplash_Mode(256); return true; });
  AddPaletteMenuHandlers();
  AddColorWindowMenuHandlers();
  AddGeometryMenuHandlers();
  AddPrintingMenuHandlers();
  AddEffectsMenuHandlers();
  AddPreferencesMenuHandlers();
  AddGradientMenuHandlers();
}

void winMAIN::Bind_Menu(const QString& name, std::function<bool()> handler) { menuHandlers_.insert(name, std::move(handler)); }

bool winMAIN::Handle_Menu(const QString& name, int) {
  const auto it = menuHandlers_.constFind(name);
  return it != menuHandlers_.constEnd() && it.value()();
}

// ---- Menu items ----

QAction* winMAIN::Menu_Item(const QString& name, int32_t index) const {
  auto* bar = qobject_cast<MenuBar1*>(menuWidget());
  if (!bar) throw Platform::NilObjectException(QStringLiteral("the main window has no menu bar"));
  QAction* item = bar->Item(name, index);
  if (!item) throw Platform::NilObjectException(QStringLiteral("the menu bar has no item ") + name);
  return item;
}

#define PIXMURA_DEFINE_MENU_ITEM(name) \
  QAction* winMAIN::name() const { return Menu_Item(QStringLiteral(#name)); }
PIXMURA_WINMAIN_MENU_ITEMS(PIXMURA_DEFINE_MENU_ITEM)
#undef PIXMURA_DEFINE_MENU_ITEM

QAction* winMAIN::menu_Recent(int32_t index) const { return Menu_Item(QStringLiteral("menu_Recent"), index); }

// ---- Enabling ----

void winMAIN::Event_EnableMenuItems() {
  const bool clipboardPicture = App::Clipboard_Has_Picture();
  const bool splash = modColorSplash::ColorSplash_Mode > 0;

  menu_New_FROM_CLIPBOARD()->setEnabled(clipboardPicture);

  menu_ZoomNormal()->setEnabled(Zoom != 1.0f);
  menu_ZoomOut()->setEnabled(Zoom > 0.25f);
  menu_ZoomIN()->setEnabled(Zoom < 16.0f);

  // The palette items follow the colour palette while it is shown; hidden, none is current.
  const bool colours = modOptions::option_ShowColors;
  menu_ViewColors()->setText(colours ? QStringLiteral("Hide Palette") : QStringLiteral("Show Palette"));
  const int32_t palette = colours ? classCOLORS1->Palette() : -1;
  QAction* const palettes[] = {Menu_Palette_STD(), menu_Palette_ENH(), menu_Palette_Skin()};
  for (int32_t i = 0; i < 3; ++i) {
    palettes[i]->setChecked(palette == i);
    palettes[i]->setEnabled(colours);
  }

  menu_ViewPatterns()->setChecked(modOptions::option_ShowPattern);
  menu_ViewTools()->setChecked(modOptions::option_ShowTools);
  menu_ViewRulers()->setChecked(modOptions::option_ShowRuler);

  // At 400 % the grid is drawn but the item shows no check.
  menu_Grid()->setEnabled(Zoom >= 4.0f);
  menu_Grid()->setChecked(show_GRID && Zoom > 4.0f);

  // The setting is True when anti-aliasing is off, and 0 when drawing is opaque.
  menu_AntiAlias()->setChecked(!modOptions::option_AntiAlias);
  menu_DrawOpaque()->setChecked(modOptions::option_Draw_Opaque == 0);
  menu_Transparent()->setChecked(Save_as_Transparent);

  const bool rectangle = active_LASSO && !active_SUPERLASSO;
  menu_COPY()->setEnabled(rectangle);
  menu_CUT()->setEnabled(menu_COPY()->isEnabled());
  menu_PASTE()->setEnabled(clipboardPicture);
  menu_CROP()->setEnabled(rectangle);
  menu_GRADIENT()->setEnabled((active_LASSO || active_SUPERLASSO) && !active_DRAG);
  menu_DELETE()->setEnabled(active_LASSO);
  menu_REVERT()->setEnabled(img_changed && image_FolderObject != nullptr);
  menu_ROTATE()->setEnabled(!active_SUPERLASSO);

  menu_ClearRecent()->setEnabled(App::Show_Recent_Items(!splash) > 0);

  for (QAction* item : {menu_New(), menu_Open(), menu_PageSetup(), menu_Print()}) item->setEnabled(true);

  menu_UnDo()->setEnabled(Current_Picture > 0);
  menu_ReDo()->setEnabled(Current_Picture < pic_Stack.Ubound());

  menu_CS4()->setChecked(modColorSplash::ColorSplash_Mode == 4);
  menu_CS16()->setChecked(modColorSplash::ColorSplash_Mode == 16);
  menu_CS256()->setChecked(modColorSplash::ColorSplash_Mode == 256);

  // The partial colour mode locks out every command that would change the picture behind its back.
  if (splash) {
    for (QAction* item :
         {menu_CS4(), menu_CS16(), menu_CS256(), menu_New(), menu_Open(), menu_PageSetup(), menu_Print(),
          menu_New_FROM_CLIPBOARD(), menu_AntiAlias(), menu_CANVAS_SIZE(), menu_COPY(), menu_CROP(), menu_CUT(),
          menu_DELETE(), menu_DEPTH(), menu_DrawOpaque(), menu_FRAME_FEATHER(), menu_FRAME_FEATHERED_RECTANGLE(),
          menu_FRAME_OVAL(), menu_FRAME_RECTANGLE(), menu_GALLERY(), menu_InvertColors(), menu_PASTE(),
          menu_Pat_EDIT(), menu_Pat_Revert(), menu_REDEYE(), menu_RESIZE(), menu_REVERT(), menu_ROTATE(),
          menu_Save(), menu_SaveAs(), menu_SELECTALL(), menu_Sepia(), menu_Transparent(), menu_ViewColors(),
          menu_ViewPatterns(), menu_EFFECTS(), menu_ClearImage()})
      item->setEnabled(false);
  }
}

// ---- File ----

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

// ---- Edit ----

bool winMAIN::_menu_UnDo_Action() {
  Manage_Undo_Stack(-1);
  return true;
}

bool winMAIN::_menu_ReDo_Action() {
  Manage_Undo_Stack(1);
  return true;
}

bool winMAIN::_menu_SELECTALL_Action() {
  Reset_Everything();
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  Set_Active_Lasso(true);
  img_lasso->set_Top_Left(Point_of(0, 0));
  img_lasso->set_Bot_Right(Point_of(work->Width(), work->Height()));
  drawing_TOOL_SET(TOOL_LASSO);
  // The whole picture floats where it lies, so that its drop puts it back in place.
  active_DRAG = true;
  img_DRAG_DROP = Point_of(0, 0);
  image_COPY(false, true);
  Update_Display();
  return true;
}

// ---- View ----

bool winMAIN::_menu_ViewTools_Action() {
  modOptions::option_ShowTools = !modOptions::option_ShowTools;
  Arrange_Controls();
  return true;
}

bool winMAIN::_menu_ViewColors_Action() {
  modOptions::option_ShowColors = !modOptions::option_ShowColors;
  Arrange_Controls();
  return true;
}

bool winMAIN::_menu_ViewPatterns_Action() {
  modOptions::option_ShowPattern = !modOptions::option_ShowPattern;
  Arrange_Controls();
  return true;
}

bool winMAIN::_menu_ViewRulers_Action() {
  modOptions::option_ShowRuler = !modOptions::option_ShowRuler;
  Arrange_Controls();
  return true;
}

bool winMAIN::_menu_GALLERY_Action() {
  winShapes::Show_Sheet();
  return true;
}

bool winMAIN::_menu_ZoomNormal_Action() {
  Set_Zoom(1);
  return true;
}

bool winMAIN::_menu_ZoomIN_Action() {
  Set_Zoom(Zoom * 2.0f);
  return true;
}

bool winMAIN::_menu_ZoomOut_Action() {
  Set_Zoom(Zoom / 2.0f);
  return true;
}

bool winMAIN::_menu_Grid_Action() {
  show_GRID = !show_GRID;
  Update_Display();
  return true;
}

// ---- Image ----

bool winMAIN::_menu_Transparent_Action() {
  Save_as_Transparent = !Save_as_Transparent;
  set_workarea_mask();
  Update_Display();
  return true;
}

bool winMAIN::_menu_ClearImage_Action() {
  Reset_Everything();
  active_DRAG = false;
  active_SHAPE = false;
  drawing_TOOL_SET(TOOL_PENCIL);
  const PicturePtr& work = Platform::Checked(work_area, "work_area");
  Platform::Graphics g = work->Graphics();
  g.SetForeColor(Draw_Color[2]);
  g.FillRect(0, 0, work->Width(), work->Height());
  Draw_Complete();
  Update_Display();
  return true;
}

bool winMAIN::_menu_DrawOpaque_Action() {
  modOptions::option_Draw_Opaque = modOptions::option_Draw_Opaque == 0 ? 1 : 0;
  if (active_DRAG && drag_Picture) drag_Picture->Transparent = modOptions::option_Draw_Opaque;
  classCOLORS1->Invalidate(true);
  return true;
}

bool winMAIN::_menu_AntiAlias_Action() {
  modOptions::option_AntiAlias = !modOptions::option_AntiAlias;
  return true;
}

// ---- Help ----

bool winMAIN::_menu_Help_Action() {
  Platform::Environment::OpenURL(web_Main_Root() + PGM_Name.toLower() + QStringLiteral("/help/index.html"));
  return true;
}

bool winMAIN::_menu_WEBSITE_Action() {
  Platform::Environment::OpenURL(web_Main_Root());
  return true;
}
