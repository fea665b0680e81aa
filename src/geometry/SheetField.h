#pragma once
// A text field of the geometry sheets, one member of a field array: it carries its index and hands its
// key presses and focus changes to its window's handlers. Text reaches it only through keys that the
// key handler lets pass: it has no context menu, takes no drops, pastes nothing on a middle click and
// takes no input-method text. Select all and copy, which change no text, reach it past the key handler.
#include <QLineEdit>
#include <functional>

class SheetField : public QLineEdit {
  Q_OBJECT
 public:
  SheetField(QWidget* parent, const QString& name, int index);

  const int Index;
  // The key handler, given the key as the program's key handlers see it; true refuses the key.
  // Escape and Shift+Tab always go on to the window (Cancel, focus backwards).
  std::function<bool(const QString& key)> KeyDown;
  // At most this many characters can be typed (0: no limit); text that the window puts in itself may
  // be longer.
  int Typed_Limit = 0;
  // Run after the field has taken or lost the keyboard focus.
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};
