#include "support/TestMain.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <memory>

#include "app/App.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"
#include "support/Fixture.h"

namespace TestSupport {
std::vector<std::pair<const char*, Factory>>& Registry() {
  static std::vector<std::pair<const char*, Factory>> r;
  return r;
}
}  // namespace TestSupport

int main(int argc, char** argv) {
  // Nothing a test does may touch the real settings: the whole run gets a home of its own.
  QTemporaryDir root(QDir::tempPath() + QStringLiteral("/pixmura-test-XXXXXX"));
  Fixture::SetRoot(root.path());
  Fixture::UseFreshHome();
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));

  App app(argc, argv);
  Platform::Environment::SetTesting(true);
  Platform::ModalHost::SetScripted(true);

  // Arguments: an optional test class name first selects one class; the rest go to QtTest.
  QStringList args = app.arguments();
  QString only;
  if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
    bool known = false;
    for (auto& [name, f] : TestSupport::Registry()) known = known || args[1] == QLatin1String(name);
    if (known) only = args.takeAt(1);
  }
  int failures = 0;
  for (auto& [name, factory] : TestSupport::Registry()) {
    if (!only.isEmpty() && only != QLatin1String(name)) continue;
    std::unique_ptr<QObject> test(factory());
    if (QTest::qExec(test.get(), args) != 0) ++failures;
  }
  std::printf("%d test class(es) failed\n", failures);
  return failures ? 1 : 0;
}
