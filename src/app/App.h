#pragma once
// The application object: start-up and the handling of failures that escape an event handler.
#include "platform/Application.h"

class App : public Platform::Application {
  Q_OBJECT
 public:
  App(int& argc, char** argv);
  // The application's open event: identity, shared objects and the main window.
  void Event_Open();
  // Shows the failure in the error window and lets the program go on.
  static void Event_UnhandledException(const Platform::RuntimeException& e);
};
