#include "palettes/classCOLORS.h"

#include "app/modOptions.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"

namespace {
// Entries 2 to 27 of the three built-in palettes.
constexpr Platform::Color kPalettes[3][26] = {
    {0x808080, 0xC0C0C0, 0x800000, 0xFF0000, 0x808000, 0xFFFF00, 0x008000, 0x00FF00, 0x008080,
     0x00FFFF, 0x000080, 0x0000FF, 0x800080, 0xFF00FF, 0x808040, 0xFFFF80, 0x004040, 0x00FF80,
     0x0080FF, 0x80FFFF, 0x004080, 0x8080FF, 0x8000FF, 0xFF0080, 0x804000, 0xFF8040},
    {0x464646, 0xDCDCDC, 0x787878, 0xB4B4B4, 0x9B0031, 0x9D593F, 0xF00D2B, 0xFFA2B1, 0xFF8021,
     0xE6AA7D, 0xFFC330, 0xF5E5A0, 0xFFF336, 0xFFFAC0, 0xA6E839, 0xD2FABF, 0x11B352, 0x9CBC66,
     0x00B7ED, 0x97D9E9, 0x4C6AEF, 0x6F99CF, 0x2E3396, 0x536D8D, 0x702C96, 0xB5A4D3},
    {0xFFD4BF, 0xFEE4DD, 0xFDE1CB, 0xFCDCC7, 0xFBD8C3, 0xFAF1EF, 0xF9DFD0, 0xF6DED2, 0xF4C8A7,
     0xF2DACB, 0xF0C6A8, 0xE9B59B, 0xE3CCAE, 0xE2B08C, 0xD7A77A, 0xD1BBA6, 0xCF9A7C, 0xBC7654,
     0xB67C6C, 0xA76E48, 0x967E69, 0x933A3A, 0x8B6245, 0x8A614A, 0x6B4C47, 0x655B56},
};
}  // namespace

namespace {
constexpr int32_t kCells = 44;
bool Partial_Colour_Mode() { return modColorSplash::ColorSplash_Mode != 0; }
}  // namespace

classCOLORS::classCOLORS(QWidget* parent, const QString& name) : Platform::Canvas(parent, name) {
  Paint = [this](Platform::Graphics& g) { Event_Paint(g); };
  MouseDown = [this](int x, int y) { return Event_MouseDown(x, y); };
  MouseMove = [this](int x, int y) { Event_MouseMove(x, y); };
  MouseExit = [this] { Event_MouseExit(); };
}

void classCOLORS::Event_Open() {
  w = 31;
  Invalidate(true);
  if (BColor_Changed) BColor_Changed(Selected_Color[0]);
  if (FColor_Changed) FColor_Changed(Selected_Color[1]);
  Last_ColorIndex = -99;
}

int32_t classCOLORS::Cell_X(int32_t cell) const {
  return (cell / 2) * 23 + Platform::ToInt(w * 1.5) + (cell > 27 ? 24 : 0);
}

int32_t classCOLORS::Cell_Y(int32_t cell) const { return cell % 2 == 1 ? 23 : 0; }

int32_t classCOLORS::Get_Color_Index(int32_t x, int32_t y) const {
  for (int32_t i = 0; i < kCells; ++i) {
    const int32_t cx = Cell_X(i), cy = Cell_Y(i);
    if (x >= cx && x <= cx + 21 && y >= cy && y <= cy + 21) return i;
  }
  return -1;
}

void classCOLORS::Event_Paint(Platform::Graphics& g) {
  modMAIN::RenderMode(g, true);
  g.SetForeColor(0xE8E8E8);
  g.FillRect(0, 0, width(), height());
  // The background well behind, the foreground well in front.
  const int32_t wells[2][2] = {{w / 3, 0}, {0, 1}};
  for (const auto& [at, which] : wells) {
    g.SetForeColor(Selected_Color[which]);
    g.FillRect(at, at, w, w);
    g.SetForeColor(0x000000);
    g.DrawRect(at, at, w, w);
  }
  const int32_t cells = Partial_Colour_Mode() ? 2 : kCells;
  for (int32_t i = 0; i < cells; ++i) {
    const bool empty = i > xColors.Ubound();
    modMAIN::Draw_ColorWell(g, Cell_X(i), Cell_Y(i), empty ? 0xFFFFFF : xColors[i], empty);
  }
}

QString classCOLORS::HelpTag_Text(int32_t cell) const {
  if (cell < 0 || cell > xColors.Ubound()) return QStringLiteral("Click=Create a new color");
  QString text = QStringLiteral("Click=ForeColor, RightClick=BackColor");
  if (cell > base_color_count) text += QStringLiteral(", ShiftClick=Edit Color");
  if (modOptions::option_Draw_Opaque == 1) {
    if (xColors[cell] == 0xFFFFFF) text = QStringLiteral("TRANSPARENT\r") + text;
    else if (xColors[cell] == 0xFEFEFE) text = QStringLiteral("Opaque White\r") + text;
  }
  return text;
}

void classCOLORS::Hide_HelpTag() {
  if (HelpTag) HelpTag(false, 0, 0, QString());
}

void classCOLORS::Event_MouseMove(int32_t x, int32_t y) {
  const int32_t i = Get_Color_Index(x, y);
  if (Partial_Colour_Mode() && i >= 2) return;
  // Within one cell the tag is asked for once: moving on inside it hides a tag that is showing.
  if (i == -1 || i == Last_ColorIndex) {
    Hide_HelpTag();
    return;
  }
  Last_ColorIndex = i;
  if (HelpTag) HelpTag(true, Platform::ToInt(Cell_X(i) + 10.5), Cell_Y(i) + 19, HelpTag_Text(i));
}

void classCOLORS::Event_MouseExit() { Hide_HelpTag(); }

bool classCOLORS::Event_MouseDown(int32_t x, int32_t y) {
  Hide_HelpTag();
  const int32_t i = Get_Color_Index(x, y);
  color_index = i;
  const bool partial = Partial_Colour_Mode();
  if (i == -1 || (partial && i >= 2)) return false;
  const bool empty = i > xColors.Ubound();
  // Which well the click picked for: 0 the background, 1 the foreground; -1 none.
  int32_t picked = -1;
  if (ContextualClick()) {
    if (empty) Edit_Color(i);
    else picked = 0;
  } else if ((Platform::Environment::ShiftKey() || empty) && !partial && i > base_color_count) {
    Edit_Color(i);
  } else if (!empty) {
    picked = 1;
  }
  if (picked >= 0) {
    const Platform::Color colour = xColors[i];
    Selected_Color[picked] = colour;
    // In the partial colour mode the other well takes the opposite of black and white, and is reported
    // as well, so that the colours painted with are the ones shown.
    const int32_t other = 1 - picked;
    if (partial) Selected_Color[other] = Platform::Red(colour) == 255 ? 0x000000 : 0xFFFFFF;
    const auto& report = [&](int32_t which) {
      const auto& event = which == 1 ? FColor_Changed : BColor_Changed;
      if (event) event(Selected_Color[which]);
    };
    report(picked);
    if (partial) report(other);
  }
  Invalidate(true);
  return false;
}

void classCOLORS::Edit_Color(int32_t cell) {
  const bool empty = cell > xColors.Ubound();
  const Platform::Color chosen = modOptions::Select_A_Color(empty ? 0x000000 : xColors[cell]);
  if (modMAIN::Dialog_Cancel) return;
  // A new colour goes after the colours there are, whichever empty cell was clicked.
  if (empty) Add_Color(chosen);
  else xColors[cell] = chosen;
  Invalidate(true);
}

void classCOLORS::Set_Color(int32_t which, Platform::Color colour) {
  colour &= 0xFFFFFFu;
  if (which == 1 || which == 2) {
    Platform::Color& stored = Selected_Color[which == 1 ? 1 : 0];
    if (stored != colour) {
      stored = colour;
      const auto& event = which == 1 ? FColor_Changed : BColor_Changed;
      if (event) event(colour);
    }
  }
  Invalidate(true);
}

Platform::Color classCOLORS::Get_Color(int32_t which) const { return Selected_Color[which == 1 ? 1 : 0]; }

void classCOLORS::Change_Palette(int32_t palette) {
  if (palette >= 0 && palette == current_palette) return;
  if (palette < 0) palette = current_palette + 1;
  if (palette > 2) palette = 0;
  // The new built-in colours are written over the old ones; the custom colours after them stay.
  Color_ptr = 0;
  Add_Standard_Colors(palette);
  Color_ptr = int32_t(xColors.size());
}

void classCOLORS::Add_Color(Platform::Color colour) {
  if (Color_ptr < int32_t(xColors.size())) xColors[Color_ptr] = colour;
  else xColors.Append(colour);
  ++Color_ptr;
  Invalidate(false);
}

int32_t classCOLORS::CustomColor_Count() const { return xColors.Ubound() - base_color_count; }

Platform::Color classCOLORS::CustomColor_GET(int32_t i) const { return xColors[base_color_count + i]; }

int32_t classCOLORS::Remove_Dups() {
  if (CustomColor_Count() <= 0) return CustomColor_Count();
  // From the last entry down to the last built-in one, every colour that an earlier entry already has.
  for (int32_t i = xColors.Ubound(); i >= base_color_count; --i) {
    bool repeated = false;
    for (int32_t j = 0; j < i && !repeated; ++j) repeated = xColors[j] == xColors[i];
    if (repeated) xColors.Remove(i);
  }
  return CustomColor_Count();
}

void classCOLORS::Add_Standard_Colors(int32_t palette) {
  Add_Color(0x000000);
  Add_Color(0xFFFFFF);
  if (palette >= 0 && palette <= 2)
    for (Platform::Color c : kPalettes[palette]) Add_Color(c);
  Add_Color(0xFEFEFE);
  base_color_count = Color_ptr - 1;
  current_palette = palette;
}
