#pragma once
// A small pair of arrow buttons, one above the other, that step a value up or down: a press on the upper
// half calls Up, on the lower half Down; holding the button repeats the step as a spin box does. It
// takes no keyboard focus.
#include <QTimer>
#include <QWidget>
#include <functional>

namespace Platform {

class UpDownArrows : public QWidget {
  Q_OBJECT
 public:
  explicit UpDownArrows(QWidget* parent = nullptr, const QString& name = QString());

  std::function<void()> Up;
  std::function<void()> Down;

  // Presses and releases one arrow, as a click does.
  void Click(bool up);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void changeEvent(QEvent*) override;

 private:
  void Step();
  void Stop();

  // 1 while the upper arrow is held, -1 for the lower one, 0 when none is.
  int held_ = 0;
  QTimer repeat_;
};

}  // namespace Platform
