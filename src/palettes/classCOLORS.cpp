#include "palettes/classCOLORS.h"

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

classCOLORS::classCOLORS(QWidget* parent, const QString& name) : Platform::Canvas(parent, name) {}

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
