// The main window's palettes, their page buttons and the palette menu commands: the palettes' events
// become the tool, the fill mode, the drawing colours and the fill pattern of the editing state.
#include "app/BundleResources.h"
#include "app/modOptions.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "mainwindow/winMAIN.h"
#include "palettes/classCOLORS.h"
#include "palettes/classPATTERNS.h"
#include "palettes/classTOOLS.h"
#include "palettes/modBRUSHES.h"
#include "text/classTEXT2.h"
#include "text/winTEXT.h"

using namespace modMAIN;

namespace {
// The palette strip along the top of the window: its height, and the places of the palettes and page
// buttons within it.
constexpr int kStripTop = 2;
constexpr int kStripHeight = 55;
constexpr int kPaletteTop = kStripTop + 3;
constexpr int kUpperButtonTop = kStripTop + 5;
constexpr int kLowerButtonTop = kStripTop + 27;
}  // namespace

void winMAIN::Create_Palettes(QWidget* parent) {
  classCOLORS1 = new classCOLORS(parent, QStringLiteral("classCOLORS1"));
  classCOLORS1->resize(580, 45);
  classPATTERNS1 = new classPATTERNS(parent, QStringLiteral("classPATTERNS1"));
  classPATTERNS1->resize(230, 45);
  for (int i = 0; i < 2; ++i) {
    // btnPAT(0) and btnPAL(1) are the upper buttons, with the arrow up.
    btnPAT_[i] = new Platform::Canvas(parent, QStringLiteral("btnPAT%1").arg(i));
    btnPAT_[i]->Backdrop = i == 0 ? Resources::up() : Resources::down();
    btnPAT_[i]->MouseDown = [this, i](int x, int y) { return btnPAT_MouseDown(i, x, y); };
    btnPAL_[i] = new Platform::Canvas(parent, QStringLiteral("btnPAL%1").arg(i));
    btnPAL_[i]->Backdrop = i == 1 ? Resources::up() : Resources::down();
    btnPAL_[i]->MouseDown = [this, i](int x, int y) { return btnPAL_MouseDown(i, x, y); };
    for (Platform::Canvas* button : {btnPAT_[i], btnPAL_[i]}) button->resize(18, 19);
  }
  classTOOLS1->On.Open = [this] { classTOOLS1_Open(); };
  classTOOLS1->On.tool_Changed = [this] { classTOOLS1_tool_Changed(); };
  classTOOLS1->On.FillMode_Changed = [this](int32_t mode) { classTOOLS1_FillMode_Changed(mode); };
  classTOOLS1->MouseEnter = [this] { classTOOLS1_MouseEnter(); };
  // The colour palette asks for its help tags in its own pixels.
  classCOLORS1->HelpTag = [this](bool show, int32_t x, int32_t y, const QString& text) {
    const QPoint at = classCOLORS1->mapTo(myHelpTag->parentWidget(), QPoint(x, y));
    Set_myHelpTag(show, at.x(), at.y(), text);
  };
  classPATTERNS1->HelpTag = [this](bool show, int32_t x, int32_t y, const QString& text) {
    Set_myHelpTag(show, x, y, text);
  };
  classCOLORS1->FColor_Changed = [this](Platform::Color c) { classCOLORS1_FColor_Changed(c); };
  classCOLORS1->BColor_Changed = [this](Platform::Color c) { classCOLORS1_BColor_Changed(c); };
  classCOLORS1->MouseEnter = [this] { classCOLORS1_MouseEnter(); };
  classPATTERNS1->Pattern_Changed = [this](int32_t n) { classPATTERNS1_Pattern_Changed(n); };
  classPATTERNS1->MouseEnter = [this] { classPATTERNS1_MouseEnter(); };
  for (QWidget* control : std::initializer_list<QWidget*>{classCOLORS1, classPATTERNS1, btnPAT_[0], btnPAT_[1],
                                                          btnPAL_[0], btnPAL_[1]})
    control->hide();
}

void winMAIN::classTOOLS1_Open() { drawing_TOOL_SET(TOOL_PENCIL); }

void winMAIN::classTOOLS1_tool_Changed() {
  // A floating selection or text is dropped into the picture first, whichever tool was picked.
  Turn_Lasso_OFF();
  drawing_TOOL_GET(classTOOLS1->Current_Tool());
}

void winMAIN::classTOOLS1_FillMode_Changed(int32_t mode) { Drawing_Fillmode = mode; }

void winMAIN::classTOOLS1_MouseEnter() { classTOOLS1->setCursor(Qt::PointingHandCursor); }

void winMAIN::classCOLORS1_FColor_Changed(Platform::Color colour) {
  Draw_Color[1] = colour;
  // The Add Text window's selection takes the foreground colour.
  if (winTEXT_Open)
    if (winTEXT* w = winTEXT::existing()) w->Set_TextColor(colour);
  // The single-line text being placed takes the foreground colour for its text.
  if (drawing_TOOL == TOOL_TEXT2 && Info_Text2) Info_Text2->TextColor(colour);
  classPATTERNS1->Reset();
}

void winMAIN::classCOLORS1_BColor_Changed(Platform::Color colour) {
  Draw_Color[2] = colour;
  // The Add Text window's area takes the background colour.
  if (winTEXT_Open)
    if (winTEXT* w = winTEXT::existing()) w->Set_BackColor(colour);
  // ... and the background colour for its shadow.
  if (drawing_TOOL == TOOL_TEXT2 && Info_Text2) Info_Text2->ShadowColor(colour);
  classPATTERNS1->Reset();
}

void winMAIN::classCOLORS1_MouseEnter() { classCOLORS1->setCursor(Qt::PointingHandCursor); }

void winMAIN::classPATTERNS1_Pattern_Changed(int32_t index) { Brush_Pattern = index; }

void winMAIN::classPATTERNS1_MouseEnter() { classPATTERNS1->setCursor(Qt::PointingHandCursor); }

bool winMAIN::btnPAT_MouseDown(int index, int32_t, int32_t) {
  classPATTERNS1->Change_Page(index == 0 ? -1 : index == 1 ? 1 : 0);
  return false;
}

bool winMAIN::btnPAL_MouseDown(int index, int32_t, int32_t) {
  classCOLORS1->Change_Palette(classCOLORS1->Palette() + (index == 1 ? 1 : index == 0 ? -1 : 0));
  return false;
}

void winMAIN::AddPaletteMenuHandlers() {
  Bind_Menu(QStringLiteral("menu_Pat_EDIT"), [this] { return _menu_Pat_EDIT_Action(); });
  Bind_Menu(QStringLiteral("menu_Pat_Revert"), [this] { return _menu_Pat_Revert_Action(); });
  Bind_Menu(QStringLiteral("Menu_Palette_STD"), [this] { return _Menu_Palette_STD_Action(); });
  Bind_Menu(QStringLiteral("menu_Palette_ENH"), [this] { return _menu_Palette_ENH_Action(); });
  Bind_Menu(QStringLiteral("menu_Palette_Skin"), [this] { return _menu_Palette_Skin_Action(); });
}

bool winMAIN::_menu_Pat_EDIT_Action() {
  modBRUSHES::Edit_User_Brushes();
  return true;
}

bool winMAIN::_menu_Pat_Revert_Action() {
  modBRUSHES::revert_to_installed_brushes();
  return true;
}

bool winMAIN::_Menu_Palette_STD_Action() {
  classCOLORS1->Change_Palette(0);
  return true;
}

bool winMAIN::_menu_Palette_ENH_Action() {
  classCOLORS1->Change_Palette(1);
  return true;
}

bool winMAIN::_menu_Palette_Skin_Action() {
  classCOLORS1->Change_Palette(2);
  return true;
}
