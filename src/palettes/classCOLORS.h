#pragma once
// The colour palette: the built-in colours of one of three palettes ("Standard", "Enhanced",
// "Skin Tones") followed by the user's custom colours.
#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

class classCOLORS : public Platform::Canvas {
  Q_OBJECT
 public:
  explicit classCOLORS(QWidget* parent = nullptr, const QString& name = QStringLiteral("classCOLORS1"));

  // Writes one colour at the write position (appending at the end of the list).
  void Add_Color(Platform::Color colour);
  // The number of custom colours: 0 without any, -1 while the list is still empty.
  int32_t CustomColor_Count() const;
  // Custom colour i, counted from 1.
  Platform::Color CustomColor_GET(int32_t i) const;
  // Removes every custom colour equal to a colour before it; returns the custom colours left.
  int32_t Remove_Dups();
  // Writes black, white, the palette's own colours (palette 0, 1 or 2; none for another number) and
  // opaque white, and makes the palette number the current one.
  void Add_Standard_Colors(int32_t palette);
  // The palette number last written by Add_Standard_Colors.
  int32_t Palette() const { return current_palette; }

  // Every colour of the palette in cell order (built-in colours first).
  const Platform::Array<Platform::Color>& Colors() const { return xColors; }

 private:
  Platform::Array<Platform::Color> xColors;
  int32_t Color_ptr = 0;
  int32_t base_color_count = 0;
  int32_t current_palette = 0;
};
