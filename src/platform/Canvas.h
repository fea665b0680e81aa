#pragma once
// A drawing canvas control: the owner hooks its paint, mouse and wheel events. A press whose handler
// returns true is followed by drag events (moves with the button down, even outside the canvas) and one
// release; moves with the button up arrive as MouseMove.
#include <QWidget>
#include <functional>
#include <optional>

#include "platform/Graphics.h"

namespace Platform {

class Canvas : public QWidget {
  Q_OBJECT
 public:
  explicit Canvas(QWidget* parent = nullptr, const QString& name = QString());

  std::function<void(Graphics&)> Paint;
  std::function<bool(int x, int y)> MouseDown;
  std::function<void(int x, int y)> MouseDrag;
  std::function<void(int x, int y)> MouseUp;
  std::function<void(int x, int y)> MouseMove;
  std::function<void()> MouseEnter;
  std::function<void()> MouseExit;
  std::function<bool(int x, int y, int deltaX, int deltaY)> MouseWheel;
  std::function<bool(const QString& key)> KeyDown;

  // The backdrop picture drawn before Paint, if any.
  PicturePtr Backdrop;
  // Whether the last press was a contextual click (right button, or Control with the left).
  bool ContextualClick() const { return contextual_; }

  // Marks the canvas for repainting (the background is always erased first).
  void Invalidate(bool eraseBackground = true);
  void Refresh() { repaint(); }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void wheelEvent(QWheelEvent*) override;
  void keyPressEvent(QKeyEvent*) override;

 private:
  // The backdrop and then Paint, onto the painter.
  void Draw(QPainter& p);

  bool pressed_ = false;
  bool inPress_ = false;
  std::optional<QPoint> pendingRelease_;
  bool contextual_ = false;
  QPoint wheelRemainder_;
};

// The text of a key press as the program's key handlers expect it (one character, or the control code
// of Return 13, Enter 3, Tab 9, Backspace 8, Delete 127, Escape 27, arrows 28 to 31).
QString KeyText(const class QKeyEvent* e);

}  // namespace Platform
