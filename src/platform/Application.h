#pragma once
// The application object: a QApplication that catches what escapes an event handler and hands it to the
// program's unhandled-exception handler, so that the program goes on.
#include <QApplication>
#include <functional>

#include "platform/RuntimeError.h"

namespace Platform {

class Application : public QApplication {
  Q_OBJECT
 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;

  // Called with the failure; by default it is written to standard error.
  static std::function<void(const RuntimeException&)> UnhandledException;
  // Turns any escaped exception into the program's own runtime exception form.
  static void Report(std::exception_ptr e);
};

}  // namespace Platform
