#include <QTimer>

#include "app/App.h"
#include "app/BundleResources.h"

int main(int argc, char** argv) {
  App app(argc, argv);
  // A file named on the command line is handed over as a document at launch.
  const QStringList documents = app.arguments().mid(1);
  QTimer::singleShot(0, &app, [&app, documents] { app.Start(documents); });
  const int code = app.exec();
  Resources::Release_Cursors();
  return code;
}
