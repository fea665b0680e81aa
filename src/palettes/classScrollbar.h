#pragma once
// The program's own scroll bar, drawn from the skin pictures h_slider and v_slider: 16 pixels thick,
// an arrow at each end, a track and a 24-pixel thumb. An arrow moves the value by a line step and the
// track beside the thumb by a page step, both at the release; dragging the thumb moves the value with
// the pointer. Only the user's own changes raise ValueChanged; setting Value from code raises nothing.
//
// The owner gives the control its designed place (wider than high for a horizontal bar) and calls
// Open(); after changing its length it calls Resize(). The control handles the canvas's Paint,
// MouseDown, MouseDrag and MouseUp hooks itself; the mouse wheel is left to the owner.
#include <functional>

#include "platform/Canvas.h"

class classScrollbar : public Platform::Canvas {
  Q_OBJECT
 public:
  explicit classScrollbar(QWidget* parent = nullptr, const QString& name = QString());

  struct Events {
    std::function<void()> ValueChanged;  // the user changed the value; the owner reads Value()
  } On;

  // The open event: orientation, thickness, track and the start values (0 to 10, value 0, line step 1,
  // page step 20, live scrolling).
  void Open();
  // Rebuilds the track for the control's new length and places the thumb again.
  void Resize();

  int32_t Minimum() const { return p_minimum; }
  void Minimum(int32_t v);
  int32_t Maximum() const { return p_maximum; }
  void Maximum(int32_t v);
  int32_t LineStep() const { return p_linestep; }
  void LineStep(int32_t v) { p_linestep = v; }
  int32_t PageStep() const { return p_pagestep; }
  void PageStep(int32_t v) { p_pagestep = v; }
  bool LiveScroll() const { return p_livescroll; }
  void LiveScroll(bool v) { p_livescroll = v; }
  int32_t Value() const { return p_value; }
  // Stores the value as given (also outside the range) and places the thumb; raises no event.
  void Value(int32_t v);

  bool Horizontal() const { return p_Horizontal; }
  // Where the thumb's leading edge stands along the bar.
  int32_t Thumb_Position() const { return thumb_pos; }

 private:
  void Bar_Paint(Platform::Graphics& g);
  bool Bar_MouseDown(int x, int y);
  void Bar_MouseDrag(int x, int y);
  void Bar_MouseUp(int x, int y);
  // Thickness 16 and the length along the bar taken from the control; the track rebuilt.
  void Fit_Length();
  void Create_p_image_H();
  void Create_p_image_V();
  void Create_p_image(bool vertical);
  void Thumb_Value(int32_t value, bool repaint);
  void Do_LineStep(int32_t direction);
  void Do_PageStep(int32_t direction);
  void Do_Step(int32_t direction, int32_t step);
  int32_t Clamp(double value) const;
  int32_t Thumb_Mouse(int x, int y) const;
  void Set_Thumb_Pos(double position);
  // The value under the pointer becomes the value, reported when it changed.
  void Take_Pointer_Value(int x, int y);
  // The pointer's position along the bar.
  int Along(int x, int y) const { return p_Horizontal ? x : y; }

  Platform::PicturePtr p_image;
  bool p_Horizontal = false;
  int32_t p_minimum = 0;
  int32_t p_maximum = 0;
  int32_t p_value = 0;
  int32_t p_linestep = 0;
  int32_t p_pagestep = 0;
  bool p_livescroll = false;
  int32_t p_area = 0;
  int32_t thumb_pos = 0;
  int32_t p_mouse_down_at = 0;
  int32_t p_size = 0;
  int32_t p_last_X = 0;
  int32_t p_Last_Y = 0;
};
