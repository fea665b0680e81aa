#pragma once
// Runs the benchmarks of a program inside the started Pixmura: in a home of its own, answering no dialog,
// before its update check is due, with no printing system.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "app/App.h"
#include "core/EditingState.h"
#include "core/UndoHistory.h"
#include "platform/Environment.h"
#include "platform/ModalHost.h"

namespace BenchProgram {

// A document of the picture, its only state.
inline void OpenDocument(const Platform::PicturePtr& picture) {
  using namespace modMAIN;
  pic_Stack.clear();
  work_area.reset();
  Working_Color_Depth = 32;
  pic_Stack.Append(picture);
  Current_Picture = 0;
  Save_as_Transparent = false;
  Move_to_WorkArea();
}

inline int Run(int argc, char** argv) {
  QTemporaryDir home(QDir::tempPath() + QStringLiteral("/pixmura-bench-XXXXXX"));
  for (const char* v : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) qputenv(v, home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  App app(argc, argv);
  Platform::Environment::SetTesting(true);
  Platform::ModalHost::SetScripted(true);
  Platform::Environment::OverrideLocalNow(QDateTime(QDate(2009, 1, 1), QTime(12, 0)));
  Platform::Environment::OverrideToolPath(QStringLiteral("lpstat"), home.path() + QStringLiteral("/no-lpstat"));
  Platform::Environment::OverrideToolPath(QStringLiteral("lpoptions"), home.path() + QStringLiteral("/no-lpoptions"));
  app.Start({});
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace BenchProgram
