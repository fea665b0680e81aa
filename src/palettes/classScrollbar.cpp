#include "palettes/classScrollbar.h"

#include <cmath>

#include "app/BundleResources.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

namespace {
constexpr int kThick = 16;
constexpr int kCap = 21;    // an arrow cap's length; only its outer 16 pixels count as the arrow
constexpr int kTile = 8;    // the track tile's length
constexpr int kThumb = 24;  // the thumb's length

// Where the parts lie along the skin: the track tile after the back cap, the thumb (one pixel earlier
// on the vertical skin), the forward cap at the end.
constexpr int kTileAt = 21;
int Thumb_At(bool vertical) { return vertical ? 31 : 32; }

Platform::PicturePtr Skin(bool vertical) {
  Platform::PicturePtr skin = vertical ? Resources::v_slider() : Resources::h_slider();
  Platform::Deref(skin, "the scroll bar's skin picture");
  return skin;
}

int Sign(double v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }
}  // namespace

classScrollbar::classScrollbar(QWidget* parent, const QString& name) : Platform::Canvas(parent, name) {
  Paint = [this](Platform::Graphics& g) { Bar_Paint(g); };
  Platform::Canvas::MouseDown = [this](int x, int y) { return Bar_MouseDown(x, y); };
  Platform::Canvas::MouseDrag = [this](int x, int y) { Bar_MouseDrag(x, y); };
  Platform::Canvas::MouseUp = [this](int x, int y) { Bar_MouseUp(x, y); };
  setFocusPolicy(Qt::NoFocus);
}

void classScrollbar::Open() {
  p_Horizontal = !(width() < height());
  Fit_Length();
  p_minimum = 0;
  p_maximum = 10;
  p_value = 0;
  p_linestep = 1;
  p_pagestep = 20;
  p_livescroll = true;
  Set_Thumb_Pos(0);
}

void classScrollbar::Resize() {
  Fit_Length();
  Thumb_Value(Value(), true);
}

void classScrollbar::Fit_Length() {
  // The owner lays its bars out again at every step of a window's resizing: the track is made anew only
  // for a new length (or orientation).
  const int32_t length = p_Horizontal ? width() : height();
  const bool same = p_image && length == p_size && p_image->Width() == (p_Horizontal ? length : kThick);
  if (p_Horizontal) resize(width(), kThick);
  else resize(kThick, height());
  p_size = length;
  if (same) return;
  if (p_Horizontal) Create_p_image_H();
  else Create_p_image_V();
}

void classScrollbar::Create_p_image_H() { Create_p_image(false); }
void classScrollbar::Create_p_image_V() { Create_p_image(true); }

void classScrollbar::Create_p_image(bool vertical) {
  p_image.reset();
  // A bar that has no length yet gets its track when it is given one.
  if (p_size <= 0) return;
  const Platform::PicturePtr source = Skin(vertical);
  const Platform::PicturePtr pic = vertical ? Platform::Picture::Create(kThick, p_size)
                                            : Platform::Picture::Create(p_size, kThick);
  Platform::Graphics g = pic->Graphics();
  // Draws the part of the skin from `from` (along the bar), `length` long, at `at` along the bar.
  auto part = [&](int at, int from, int length) {
    if (vertical) g.DrawPicture(source, 0, at, kThick, length, 0, from, kThick, length);
    else g.DrawPicture(source, at, 0, length, kThick, from, 0, length, kThick);
  };
  for (int at = 0; at <= p_size; at += kTile) part(at, kTileAt, kTile);
  part(0, 0, kCap);
  const int skinLength = vertical ? source->Height() : source->Width();
  part(p_size - kCap, skinLength - kCap, kCap);
  p_image = pic;
}

void classScrollbar::Bar_Paint(Platform::Graphics& g) {
  if (!p_image) return;
  g.DrawPicture(p_image, 0, 0);
  const bool vertical = !p_Horizontal;
  const Platform::PicturePtr source = Skin(vertical);
  if (vertical) g.DrawPicture(source, 0, thumb_pos, kThick, kThumb, 0, Thumb_At(true), kThick, kThumb);
  else g.DrawPicture(source, thumb_pos, 0, kThumb, kThick, Thumb_At(false), 0, kThumb, kThick);
}

void classScrollbar::Minimum(int32_t v) {
  p_minimum = v;
  Thumb_Value(Value(), true);
}

void classScrollbar::Maximum(int32_t v) {
  p_maximum = v;
  Thumb_Value(Value(), true);
}

void classScrollbar::Value(int32_t v) {
  if (v == p_value) return;
  p_value = v;
  Thumb_Value(v, true);
}

int32_t classScrollbar::Clamp(double value) const {
  return Platform::ToInt(std::min(std::max(double(p_minimum), value), double(p_maximum)));
}

void classScrollbar::Thumb_Value(int32_t value, bool repaint) {
  const double range = double(p_maximum) - double(p_minimum);
  // An empty range has one place for the thumb: the start of the track.
  const double share = range == 0 ? 0 : (Clamp(value) - double(p_minimum)) / range;
  thumb_pos = Platform::ToInt(share * (p_size - 54.0) + 15);
  if (repaint) update();
}

void classScrollbar::Set_Thumb_Pos(double position) {
  const int32_t t = Platform::ToInt(std::max(std::min(position, p_size - 38.0), 16.0) - 1);
  if (t != thumb_pos) {
    thumb_pos = t;
    update();
  }
}

int32_t classScrollbar::Thumb_Mouse(int x, int y) const {
  const double span = p_size - 32.0;
  // A bar too short for a track has nothing to read the pointer against.
  if (span <= 0) return p_minimum;
  const int32_t h = Platform::ToInt(std::min(std::max(double(Along(x, y)), 16.0), p_size - 16.0));
  return Platform::ToInt((h - 16) / span * (double(p_maximum) - double(p_minimum)) + p_minimum);
}

void classScrollbar::Do_Step(int32_t direction, int32_t step) {
  const int32_t before = Value();
  Value(Clamp(double(Sign(direction)) * step + Value()));
  if (Value() != before && On.ValueChanged) On.ValueChanged();
}

void classScrollbar::Do_LineStep(int32_t direction) { Do_Step(direction, p_linestep); }
void classScrollbar::Do_PageStep(int32_t direction) { Do_Step(direction, p_pagestep); }

bool classScrollbar::Bar_MouseDown(int x, int y) {
  p_area = 0;
  const int d = Along(x, y);
  p_mouse_down_at = d - thumb_pos;
  if (d <= 16) p_area = -2;
  else if (d > p_size - 16) p_area = 2;
  else if (d < thumb_pos) p_area = -1;
  else if (d > thumb_pos + kThumb) p_area = 1;
  p_last_X = x;
  p_Last_Y = y;
  return true;
}

void classScrollbar::Bar_MouseDrag(int x, int y) {
  if (p_area != 0) return;
  if (p_Horizontal ? x == p_last_X : y == p_Last_Y) return;
  p_last_X = x;
  p_Last_Y = y;
  const double d = Along(x, y);
  Set_Thumb_Pos(Platform::ToInt(std::min(std::max(d, 16.0), p_size - 16.0) - p_mouse_down_at));
  if (p_livescroll) Take_Pointer_Value(x, y);
}

void classScrollbar::Take_Pointer_Value(int x, int y) {
  const int32_t v = Thumb_Mouse(x, y);
  if (v == p_value) return;
  // Stored directly: the thumb stays where the drag put it.
  p_value = v;
  if (On.ValueChanged) On.ValueChanged();
}

void classScrollbar::Bar_MouseUp(int x, int y) {
  const int32_t forward = Sign(double(p_maximum) - double(p_minimum));
  switch (p_area) {
    case -2: Do_LineStep(-forward); break;
    case 2: Do_LineStep(forward); break;
    case -1: Do_PageStep(-forward); break;
    case 1: Do_PageStep(forward); break;
    default: Take_Pointer_Value(x, y); break;
  }
}
