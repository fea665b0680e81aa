#pragma once
// The fill-pattern palette: the selected pattern in a well and sixteen pattern cells of one of four
// pages, shown in the current foreground and background colours. The same class carries the pattern
// fills that the painting tools call: rectangles, rounded rectangles, ovals and the flood fill.
//
// A pattern is a number: 0 is the plain colour, n from 1 up the 32 x 32 cell n of the user pattern sheet
// (modMAIN::user_brushes) with black taking the foreground colour and white the background colour.
#include <QRect>
#include <functional>

#include "core/PatternFills.h"
#include "platform/Canvas.h"
#include "platform/Types.h"

class classPATTERNS : public Platform::Canvas {
  Q_OBJECT
 public:
  explicit classPATTERNS(QWidget* parent = nullptr, const QString& name = QStringLiteral("classPATTERNS1"));

  // Raised with the new pattern after a click selected a different one.
  std::function<void(int32_t pattern)> Pattern_Changed;
  // Asks the owner to show a help tag at (x, y) in the palette's pixels, or to hide it (the palette only
  // ever hides it).
  std::function<void(bool show, int32_t x, int32_t y, const QString& text)> HelpTag;

  // ---- Canvas events ----
  void Event_Open();
  void Event_MouseExit();
  // Selects the pattern of the cell under the point; never claims the press.
  bool Event_MouseDown(int32_t x, int32_t y);
  void Event_Paint(Platform::Graphics& g);

  // Rebuilds the palette in the current colours and repaints it.
  void Reset();
  // Turns the page by the step; pages 0 to 3 wrap around. The selected pattern stays.
  void Change_Page(int32_t step);
  int32_t Page() const { return page; }
  // The selected pattern.
  int32_t Pattern() const { return x_BrushID; }

  // ---- Pattern fills ----
  // Fills the rectangle (negative sizes extend it left or up). A negative pattern is the selected one.
  // With useTransparency, pure white pixels of the pattern are left undrawn while white is drawn as
  // transparent (modOptions::option_Draw_Opaque 1).
  void FillRect(Platform::Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t pattern,
                bool useTransparency);
  // The rounded rectangle with corner ovals arcW x arcH, and the oval, inscribed in the rectangle; pure
  // white pattern pixels are left undrawn while white is drawn as transparent. A flat shape (a size of 0)
  // draws its outline in the context's colour and pen instead.
  void FillRoundRect(Platform::Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW, int32_t arcH,
                     int32_t pattern);
  void FillOval(Platform::Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t pattern);
  // Flood-fills the picture from (x, y): pattern 0 with the stroke colour modMAIN::Draw_Color(0), else
  // with the pattern. Answers the bounds of what changed (empty when nothing did).
  QRect Flood(const Platform::PicturePtr& pic, int32_t x, int32_t y, int32_t pattern);

 private:
  int32_t Cell_X(int32_t cell) const;
  int32_t Cell_Y(int32_t cell) const;
  // The pattern of the cell holding the point on the current page; -1 for none.
  int32_t Get_Pattern_Index(int32_t x, int32_t y) const;
  // The pattern as it falls on the rectangle (x, y, w, h) of the target; none for an empty size.
  Platform::PicturePtr Draw_Pattern(int32_t x, int32_t y, int32_t w, int32_t h, int32_t pattern) const;
  void Make_Background();
  void Update_Current_Pattern(Platform::Graphics& g);
  // The 32 x 32 tile of the pattern in the current colours.
  PatternFills::Tile Make_Brush(int32_t pattern) const;
  void FillShape(Platform::Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW, int32_t arcH,
                 int32_t pattern, PatternFills::Shape shape, bool skipWhite);
  void Hide_HelpTag();

  int32_t x_BrushID = 0;
  int32_t wS = 0;
  Platform::PicturePtr background_img;
  int32_t page = 0;
};
