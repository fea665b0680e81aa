#include "palettes/RoundSlider.h"

#include <QResizeEvent>
#include <cmath>

#include "app/BundleResources.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

using Platform::Picture;
using Platform::PicturePtr;

namespace {
// Copies the area (sx, sy, w, h) of a picture's pixels to (dx, dy) of another picture (colour plane or
// mask); what falls outside either picture is skipped.
void Copy_Pixels(const Picture& from, int sx, int sy, int w, int h, Picture& to, int dx, int dy) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) to.SetPixel(dx + x, dy + y, from.Pixel(sx + x, sy + y));
}

// Lays the mask `over` onto the mask `under` at (dx, dy): only its covering (non-white) pixels count.
void Overlay_Mask(const Picture& over, Picture& under, int dx, int dy) {
  for (int y = 0; y < over.Height(); ++y)
    for (int x = 0; x < over.Width(); ++x) {
      const Platform::Color c = over.Pixel(x, y);
      if (c != 0xFFFFFF) under.SetPixel(dx + x, dy + y, c);
    }
}

// Values this close to a whole number are that number: the knob's position is held in single precision,
// and the way back from a position to a value must not turn k into k + 1.
constexpr double kWholeTolerance = 1e-4;
}  // namespace

RoundSlider::RoundSlider(QWidget* parent, const QString& name) : Platform::Canvas(parent, name) {
  // The picture composed by repaint is the canvas's backdrop: the paint itself draws nothing.
  Platform::Canvas::MouseDown = [this](int x, int y) { return Slider_MouseDown(x, y); };
  Platform::Canvas::MouseDrag = [this](int x, int y) { Slider_MouseDrag(x, y); };
  Platform::Canvas::MouseUp = [this](int x, int y) { Slider_MouseUp(x, y); };
  Platform::Canvas::MouseWheel = [this](int x, int y, int dx, int dy) { return Slider_MouseWheel(x, y, dx, dy); };
  setFocusPolicy(Qt::NoFocus);
}

void RoundSlider::Open() {
  initialize();
  opened_ = true;
  repaint();
  if (On.Open) On.Open();
}

void RoundSlider::initialize() {
  const Picture& skin = Platform::Deref(Resources::normal(), "the slider's skin picture");
  A = skin.Width() / 2;
  if (height() != A) resize(width(), A);

  knob = Picture::Create(A, A);
  Copy_Pixels(skin, 0, 0, A, A, *knob, 0, 0);
  Copy_Pixels(skin, A, 0, A, A, *knob->Mask(), 0, 0);

  const int strip = skin.Height() - A;
  const int top = Platform::ToInt(A / 2.0 - strip / 2.0);
  const int w = width();
  sliderBody.reset();
  // A control that has no width yet gets its track when it is laid out.
  if (w > 0 && A > 0) {
    sliderBody = Picture::Create(w, A);
    Picture& mask = *sliderBody->Mask();
    mask.Image().fill(255);
    mask.Transparent = 1;
    for (Picture* target : {sliderBody.get(), &mask}) {
      const int sx = target == &mask ? A : 0;
      Copy_Pixels(skin, sx, A, 4, 5, *target, 0, top);
      Copy_Pixels(skin, sx + 5, A, 4, 5, *target, w - 4, top);
      for (int x = 4; x < w - 4; ++x) Copy_Pixels(skin, sx + 4, A, 1, 5, *target, x, top);
    }
  }
  knobX = Position_of(xvalue);
}

void RoundSlider::repaint() {
  if (!sliderBody) return;
  PicturePtr p = Picture::Create(width(), height());
  Picture& mask = *p->Mask();
  mask.Image().fill(255);
  const int kx = Platform::ToInt(knobX);
  Copy_Pixels(*knob->Mask(), 0, 0, A, A, mask, kx, 0);
  Overlay_Mask(*sliderBody->Mask(), mask, 0, 0);
  Platform::Graphics g = p->Graphics();
  g.DrawPicture(sliderBody, 0, 0);
  g.DrawPicture(knob, kx, 0);
  Backdrop = p;
  update();
}

void RoundSlider::resizeEvent(QResizeEvent* e) {
  Platform::Canvas::resizeEvent(e);
  // A slider opened before it had its width builds its track once it has one.
  if (opened_ && e->size().width() != e->oldSize().width()) {
    initialize();
    repaint();
  }
}

float RoundSlider::Position_of(double v) const {
  const double range = double(maximum) - double(minimum);
  if (range == 0) return 0;
  return float((v - double(minimum)) * Travel() / range);
}

float RoundSlider::Value_of(double x) const {
  const double travel = Travel();
  if (travel <= 0 || maximum == minimum) return minimum;
  double v = x * (double(maximum) - double(minimum)) / travel + double(minimum);
  const double whole = std::round(v);
  if (std::abs(v - whole) < kWholeTolerance) v = whole;
  // Away from zero: a negative value rounds down and stops at the minimum, any other rounds up and
  // stops at the maximum.
  if (v < 0) {
    v = std::floor(v);
    if (v < minimum) v = minimum;
  } else {
    v = std::ceil(v);
    if (v > maximum) v = maximum;
  }
  return float(v);
}

float RoundSlider::Within_Range(float v) const {
  if (v > maximum) v = maximum;
  if (v < minimum) v = minimum;
  return v;
}

void RoundSlider::Set_Value(float v) {
  knobX = Position_of(v);
  doValueChange();
}

void RoundSlider::doValueChange() {
  xvalue = Value_of(knobX);
  if (xvalue != lastValue) {
    if (On.valueChanged) On.valueChanged(xvalue);
    lastValue = xvalue;
    repaint();
  }
}

bool RoundSlider::shouldCancel(int x, int y) const {
  return allowCancel && (x < -5 || x > width() + 5 || y < -5 || y > height() + 5);
}

bool RoundSlider::Slider_MouseDown(int x, int y) {
  if (x < knobX) {
    Set_Value(Within_Range(xvalue - 1));
    return false;
  }
  if (x > knobX + A) {
    Set_Value(Within_Range(xvalue + 1));
    return false;
  }
  xDown = knobX;
  if (On.MouseDown) On.MouseDown();
  return true;
}

void RoundSlider::Slider_MouseDrag(int x, int y) {
  knobX = float(std::clamp(x - A / 2.0, 0.0, std::max(0.0, Travel())));
  if (shouldCancel(x, y)) knobX = xDown;
  else if (liveScroll) doValueChange();
  else repaint();
}

void RoundSlider::Slider_MouseUp(int x, int y) {
  if (shouldCancel(x, y)) knobX = xDown;
  doValueChange();
  if (On.MouseUp) On.MouseUp();
  // The knob stays where it was let go, also between the places of two values.
  repaint();
}

bool RoundSlider::Slider_MouseWheel(int x, int y, int deltaX, int deltaY) {
  if (deltaX != 0) Set_Value(Within_Range(lastValue + (deltaX > 0 ? 1 : -1)));
  return false;
}
