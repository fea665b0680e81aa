#pragma once
// The colour palette: two overlapping wells with the foreground colour in front of the background
// colour, and 44 colour cells in two rows: the built-in colours of one of three palettes ("Standard",
// "Enhanced", "Skin Tones") followed by the user's custom colours. A click makes a cell's colour the
// foreground colour, a contextual click the background colour; a click on an empty cell, or a Shift-click
// on a custom colour, asks for a colour to create or change. While the partial colour mode is on only
// black and white are offered.
#include <QString>
#include <functional>

#include "platform/Array.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

class classCOLORS : public Platform::Canvas {
  Q_OBJECT
 public:
  explicit classCOLORS(QWidget* parent = nullptr, const QString& name = QStringLiteral("classCOLORS1"));

  // ---- Events to the owner ----
  // Raised with the colour every time a colour is picked as the foreground (background) colour.
  std::function<void(Platform::Color colour)> FColor_Changed;
  std::function<void(Platform::Color colour)> BColor_Changed;
  // Asks the owner to show a help tag with its top-left corner at (x, y) in the palette's pixels, below
  // the cell under the pointer, or to hide it.
  std::function<void(bool show, int32_t x, int32_t y, const QString& text)> HelpTag;

  // ---- Canvas events ----
  // Sets the wells up and reports both colours to the owner.
  void Event_Open();
  void Event_MouseExit();
  void Event_MouseMove(int32_t x, int32_t y);
  void Event_Paint(Platform::Graphics& g);
  // Picks or edits the colour of the cell under the point; never claims the press.
  bool Event_MouseDown(int32_t x, int32_t y);

  // Writes one colour at the write position (appending at the end of the list).
  void Add_Color(Platform::Color colour);
  // The number of custom colours: 0 without any, -1 while the list is still empty.
  int32_t CustomColor_Count() const;
  // Custom colour i, counted from 1.
  Platform::Color CustomColor_GET(int32_t i) const;
  // which 1 sets the foreground colour, 2 the background colour; the change is reported only when the
  // colour differs from the one shown. Any other which stores nothing.
  void Set_Color(int32_t which, Platform::Color colour);
  // The foreground (1) or background (2) colour.
  Platform::Color Get_Color(int32_t which) const;
  // Removes every custom colour equal to a colour before it; returns the custom colours left.
  int32_t Remove_Dups();
  // Writes black, white, the palette's own colours (palette 0, 1 or 2; none for another number) and
  // opaque white, and makes the palette number the current one.
  void Add_Standard_Colors(int32_t palette);
  // Switches to a built-in palette, keeping the custom colours: a negative number means the next one, a
  // number above 2 the first. The wells keep their colours.
  void Change_Palette(int32_t palette);
  // The palette number last written by Add_Standard_Colors.
  int32_t Palette() const { return current_palette; }

  // Every colour of the palette in cell order (built-in colours first).
  const Platform::Array<Platform::Color>& Colors() const { return xColors; }
  // The help tag of a cell, lines separated by a carriage return.
  QString HelpTag_Text(int32_t cell) const;
  // The cell holding the point, -1 for none.
  int32_t Get_Color_Index(int32_t x, int32_t y) const;
  int32_t Cell_X(int32_t cell) const;
  int32_t Cell_Y(int32_t cell) const;

 private:
  void Edit_Color(int32_t cell);
  void Hide_HelpTag();

  Platform::Array<Platform::Color> xColors;
  int32_t Color_ptr = 0;
  int32_t w = 0;
  int32_t base_color_count = 0;
  // (0) the background colour, (1) the foreground colour.
  Platform::Array<Platform::Color> Selected_Color{0xFFFFFF, 0x000000};
  int32_t Last_ColorIndex = 0;
  int32_t color_index = 0;
  int32_t current_palette = 0;
};
