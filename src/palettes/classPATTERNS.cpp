#include "palettes/classPATTERNS.h"

#include <algorithm>

#include "app/modOptions.h"
#include "app/modProgress.h"
#include "core/DrawingRoutines.h"
#include "core/EditingState.h"
#include "effects/modColorSplash.h"
#include "platform/Numbers.h"

using Platform::Graphics;
using Platform::PicturePtr;
using PatternFills::Shape;

namespace {
// Fills never need coordinates beyond this: keeping boxes inside it keeps their arithmetic in range for
// any drag, however far past the picture it reaches.
constexpr int64_t kFar = int64_t(1) << 29;

// The box of a fill from a corner and signed sizes, normalised, in safe range.
QRect Box(int32_t x, int32_t y, int32_t w, int32_t h) {
  int64_t left = x, top = y, width = w, height = h;
  if (width < 0) {
    left += width;
    width = -width;
  }
  if (height < 0) {
    top += height;
    height = -height;
  }
  const auto clamp = [](int64_t v) { return int(std::clamp(v, -kFar, kFar)); };
  const int l = clamp(left), t = clamp(top);
  return QRect(QPoint(l, t), QPoint(clamp(left + width) - 1, clamp(top + height) - 1));
}
}  // namespace

classPATTERNS::classPATTERNS(QWidget* parent, const QString& name) : Platform::Canvas(parent, name) {
  Paint = [this](Graphics& g) { Event_Paint(g); };
  MouseDown = [this](int x, int y) { return Event_MouseDown(x, y); };
  MouseExit = [this] { Event_MouseExit(); };
}

void classPATTERNS::Event_Open() {}

void classPATTERNS::Event_MouseExit() { Hide_HelpTag(); }

void classPATTERNS::Hide_HelpTag() {
  if (HelpTag) HelpTag(false, 0, 0, QString());
}

int32_t classPATTERNS::Cell_X(int32_t cell) const { return (cell % 8) * 23 + Platform::ToInt(wS * 1.5); }

int32_t classPATTERNS::Cell_Y(int32_t cell) const { return (cell / 8) * 23; }

int32_t classPATTERNS::Get_Pattern_Index(int32_t x, int32_t y) const {
  for (int32_t i = 0; i < 16; ++i) {
    const int32_t cx = Cell_X(i), cy = Cell_Y(i);
    if (x >= cx && x <= cx + 21 && y >= cy && y <= cy + 21) {
      const int32_t n = i + 8 * page;
      return n > 16 ? n - 16 : n;
    }
  }
  return -1;
}

bool classPATTERNS::Event_MouseDown(int32_t x, int32_t y) {
  Hide_HelpTag();
  // The cells' places come with the palette picture.
  if (!background_img) Make_Background();
  const int32_t n = Get_Pattern_Index(x, y);
  if (n == -1 || n == x_BrushID) return false;
  x_BrushID = n;
  Graphics g = background_img->Graphics();
  Update_Current_Pattern(g);
  if (Pattern_Changed) Pattern_Changed(n);
  Invalidate(false);
  return false;
}

void classPATTERNS::Event_Paint(Graphics& g) {
  if (!background_img || background_img->Width() != width() || background_img->Height() != height())
    Make_Background();
  if (modColorSplash::ColorSplash_Mode == 0) g.DrawPicture(background_img, 0, 0);
}

void classPATTERNS::Reset() {
  Make_Background();
  Invalidate(true);
}

void classPATTERNS::Change_Page(int32_t step) {
  page += step;
  if (page > 3) page = 0;
  if (page < 0) page = 3;
  Reset();
}

void classPATTERNS::Make_Background() {
  wS = 31;
  background_img = Platform::Picture::Create(std::max(1, width()), std::max(1, height()), 32);
  Graphics g = background_img->Graphics();
  modMAIN::RenderMode(g, true);
  g.SetForeColor(0xE8E8E8);
  g.FillRect(0, 0, g.Width(), g.Height());
  Update_Current_Pattern(g);
  for (int32_t i = 0; i < 16; ++i) {
    const int32_t x = Cell_X(i), y = Cell_Y(i);
    int32_t n = i + 8 * page;
    if (n > 16) n -= 16;
    FillRect(g, x, y, 20, 20, n, false);
    modMAIN::Draw_WellBevel(g, x, y);
  }
}

void classPATTERNS::Update_Current_Pattern(Graphics& g) {
  FillRect(g, 4, 4, 36, 36, x_BrushID, false);
  g.SetForeColor(0x000000);
  g.DrawRect(4, 4, 36, 36);
}

PatternFills::Tile classPATTERNS::Make_Brush(int32_t pattern) const {
  if (pattern == 0) return PatternFills::SolidTile(modMAIN::Draw_Color[1]);
  return PatternFills::PatternTile(modMAIN::user_brushes, pattern, modMAIN::Draw_Color[1], modMAIN::Draw_Color[2]);
}

PicturePtr classPATTERNS::Draw_Pattern(int32_t x, int32_t y, int32_t w, int32_t h, int32_t pattern) const {
  if (w < 1 || h < 1) return nullptr;
  if (pattern < 0) pattern = x_BrushID;
  PicturePtr p = Platform::Picture::Create(w, h, 32);
  PatternFills::Fill(*p, QRect(0, 0, w, h), Make_Brush(pattern), false, Shape::Rect, 0, 0, QPoint(x, y));
  return p;
}

void classPATTERNS::FillRect(Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t pattern,
                             bool useTransparency) {
  // A rectangle without area paints nothing.
  if (w == 0 || h == 0) return;
  FillShape(g, x, y, w, h, 0, 0, pattern, Shape::Rect, useTransparency && modOptions::option_Draw_Opaque == 1);
}

void classPATTERNS::FillRoundRect(Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW,
                                  int32_t arcH, int32_t pattern) {
  FillShape(g, x, y, w, h, arcW, arcH, pattern, Shape::RoundRect, modOptions::option_Draw_Opaque == 1);
}

void classPATTERNS::FillOval(Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t pattern) {
  FillShape(g, x, y, w, h, 0, 0, pattern, Shape::Oval, modOptions::option_Draw_Opaque == 1);
}

void classPATTERNS::FillShape(Graphics& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t arcW,
                              int32_t arcH, int32_t pattern, Shape shape, bool skipWhite) {
  const QRect box = Box(x, y, w, h);
  if (w == 0 || h == 0) {
    // A flat rounded rectangle or oval: its outline is the line it has shrunk to.
    if (w == 0 && h != 0) g.DrawLine(box.left(), box.top(), box.left(), box.top() + box.height() - 1);
    else if (h == 0 && w != 0) g.DrawLine(box.left(), box.top(), box.left() + box.width() - 1, box.top());
    return;
  }
  if (pattern < 0) pattern = x_BrushID;
  if (const PicturePtr target = g.Target()) {
    PatternFills::Fill(*target, box, Make_Brush(pattern), skipWhite, shape, arcW, arcH);
    return;
  }
  // A context without a picture of its own (a control's paint): only the part of the box inside it is
  // made as a picture, with the shape as its mask, and drawn.
  const QRect area = box.intersected(QRect(0, 0, g.Width(), g.Height()));
  if (area.isEmpty()) return;
  const PicturePtr p = Draw_Pattern(area.x(), area.y(), area.width(), area.height(), pattern);
  if (shape != Shape::Rect) p->Mask()->Image() = PatternFills::ShapeMask(box, area, shape, arcW, arcH);
  p->Transparent = skipWhite ? 1 : 0;
  g.DrawPicture(p, area.x(), area.y());
}

QRect classPATTERNS::Flood(const PicturePtr& pic, int32_t x, int32_t y, int32_t pattern) {
  if (!pic) return QRect();
  if (pattern < 0) pattern = x_BrushID;
  // Hides the progress bar and ends the busy state however the fill ends.
  modProgress::Progress_Scope progress;
  if (pattern == 0) return PatternFills::Flood(*pic, x, y, modMAIN::Draw_Color[0]);
  const PatternFills::Tile brush = Make_Brush(pattern);
  const int32_t width = pic->Width();
  modProgress::Progress_Start(width, pic->Height());
  return PatternFills::FloodPattern(*pic, x, y, brush, [width](int) { modProgress::Progress_Check(width); });
}
