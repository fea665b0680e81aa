#include "app/App.h"

int main(int argc, char** argv) {
  App app(argc, argv);
  app.Event_Open();
  return app.exec();
}
