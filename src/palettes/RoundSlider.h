#pragma once
// The program's own horizontal slider: a round knob sliding along a thin track, both cut from the skin
// picture "normal". It holds a value between minimum and maximum in whole steps; the user drags the knob,
// clicks beside it to step by one, or turns the horizontal wheel. Every change of the whole-number value
// is reported through valueChanged.
//
// The owner sets minimum, maximum, liveScroll and allowCancel, gives the control its place and then
// calls Open(). The control handles the canvas's Paint, MouseDown, MouseDrag, MouseUp and MouseWheel hooks
// itself; the owner's handlers go into On.
#include <functional>

#include "platform/Canvas.h"

class RoundSlider : public Platform::Canvas {
  Q_OBJECT
 public:
  explicit RoundSlider(QWidget* parent = nullptr, const QString& name = QString());

  float minimum = 0;
  float maximum = 0;
  // The value is computed and reported while the knob is dragged, not only at the release.
  bool liveScroll = false;
  // A drag that ends, or moves, more than 5 pixels outside the control puts the knob back.
  bool allowCancel = false;

  // The owner's handlers; an event without one is skipped.
  struct Events {
    std::function<void()> Open;                      // the pictures are built
    std::function<void(float value)> valueChanged;   // the whole-number value changed
    std::function<void()> MouseUp;                  // the release of a knob drag
    std::function<void()> MouseDown;                 // a press on the knob
  } On;

  // The open event: builds the pictures (the control's height becomes the knob's size), composes the
  // control's picture, then raises Open.
  virtual void Open();
  // Places the knob for v (not limited to the track) and reports the value that position gives.
  void Set_Value(float v);
  float Get_Value() const { return xvalue; }

  // The knob's size in pixels (0 before Open).
  int KnobSize() const { return A; }
  float KnobX() const { return knobX; }

 protected:
  virtual bool Slider_MouseWheel(int x, int y, int deltaX, int deltaY);
  virtual void Slider_MouseDrag(int x, int y);
  virtual void Slider_MouseUp(int x, int y);
  virtual bool Slider_MouseDown(int x, int y);
  // Composes the control's picture from the track and the knob and shows it.
  virtual void repaint();

  void resizeEvent(QResizeEvent* e) override;

  Platform::PicturePtr sliderBody;  // the track, the control's size, with its mask
  Platform::PicturePtr knob;        // A x A, with its mask
  float knobX = 0;                  // the knob's left edge

 private:
  void initialize();
  void doValueChange();
  bool shouldCancel(int x, int y) const;
  // The distance the knob travels.
  double Travel() const { return double(width()) - A; }
  float Position_of(double v) const;
  float Value_of(double x) const;
  // A step the user asked for, kept inside the range.
  float Within_Range(float v) const;

  float xvalue = 0;
  float xDown = 0;
  float lastValue = 0;
  int A = 0;
  bool opened_ = false;
};
