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

// A press and its release that arrive together, with no time and no move between them (a tap, a
// synthetic click): both wait in the event queue and are handled one after the other.
inline void Tap(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  const QPoint global = w->mapToGlobal(p);
  QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonPress, p, global, b, b, Qt::NoModifier));
  QCoreApplication::postEvent(w, new QMouseEvent(QEvent::MouseButtonRelease, p, global, b, Qt::NoButton, Qt::NoModifier));
  QCoreApplication::sendPostedEvents(w);
}
