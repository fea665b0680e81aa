#pragma once
// Moves of the pointer over a control with the button up, delivered to the control itself (the test
// library's own moves go through the system cursor, which only reports real changes of position).
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void Hover(QWidget* w, QPoint p) {
  QMouseEvent e(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
