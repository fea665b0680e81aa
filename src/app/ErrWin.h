#pragma once
// The "Error" window: where a failure that escaped an event handler was caught, its class and its call
// stack. It asks nothing; the user reads it and closes it.
#include <QTextEdit>
#include <QWidget>

#include "platform/RuntimeError.h"
#include "platform/WindowInstance.h"

class ErrWin : public QWidget, public Platform::WindowInstance<ErrWin> {
  Q_OBJECT
 public:
  ErrWin();
  QTextEdit* EditField1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* e) override;
};

namespace mErr {

// Shows the report of one failure, replacing the text of an open error window (which stays where it
// is) or making a new window.
void Display(const QString& location, const Platform::RuntimeException& error, const QString& stack);

}  // namespace mErr
