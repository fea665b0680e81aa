#include <QTimer>

#include "app/App.h"

int main(int argc, char** argv) {
  App app(argc, argv);
  // A file named on the command line is handed over as a document at launch.
  const QStringList documents = app.arguments().mid(1);
  QTimer::singleShot(0, &app, [&app, documents] { app.Start(documents); });
  return app.exec();
}
