#pragma once
// Helpers of the gradient editor's tests: the editor shown through the modal host and driven as a user
// does, mouse events on its canvases.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <functional>

#include "gradients/winGradient.h"
#include "support/Fixture.h"

namespace EditorHelpers {

// Queues the editor's showing: drive runs on the shown window, then the answer ("OK" or "Cancel") is
// pressed when given.
inline void ExpectEditor(std::function<void(winGradient*)> drive, const QString& answer) {
  Fixture::ExpectDialog(
      QStringLiteral("winGradient"),
      [drive](QDialog* d) {
        auto* w = qobject_cast<winGradient*>(d);
        QVERIFY(w);
        w->show();
        if (!QTest::qWaitForWindowExposed(w)) qWarning("editor not exposed");
        drive(w);
      },
      answer);
}

// Shows the editor, drives it and answers.
inline void Edit(std::function<void(winGradient*)> drive, const QString& answer) {
  ExpectEditor(std::move(drive), answer);
  winGradient::Show();
}

inline void Send(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held,
                 Qt::KeyboardModifiers mods = Qt::NoModifier) {
  const QPoint at(x, y);
  QMouseEvent e(type, at, w->mapToGlobal(at), button, held, mods);
  QApplication::sendEvent(w, &e);
}
inline void Press(QWidget* w, int x, int y = 10, Qt::MouseButton b = Qt::LeftButton,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
  Send(w, QEvent::MouseButtonPress, x, y, b, b, mods);
}
inline void Drag(QWidget* w, int x, int y = 10) { Send(w, QEvent::MouseMove, x, y, Qt::NoButton, Qt::LeftButton); }
inline void Release(QWidget* w, int x, int y = 10) {
  Send(w, QEvent::MouseButtonRelease, x, y, Qt::LeftButton, Qt::NoButton);
}
inline void Click(QWidget* w, int x, int y = 10) {
  Press(w, x, y);
  Release(w, x, y);
}

}  // namespace EditorHelpers
