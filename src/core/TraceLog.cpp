#include "core/TraceLog.h"

#include <QFile>

#include "app/ProgramIdentity.h"
#include "colorwindows/winCOLORMeter.h"
#include "colorwindows/winTHUMBNAIL.h"
#include "core/EditingState.h"
#include "platform/Environment.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/Text.h"

namespace modMAIN {

void Bug_Trace(const QString& message) {
  const bool restart = message == QLatin1String("!!!");
  if (!use_bug_trace && !restart) return;
  Platform::FolderItemPtr desktop = Platform::FolderItem::Desktop();
  Platform::FolderItemPtr log = desktop ? desktop->Child(PGM_Name + QStringLiteral(".trace_log")) : nullptr;
  if (restart) {
    // A missing desktop folder means there is no old log to clear away.
    if (log && log->Exists()) log->Delete();
    if (!use_bug_trace) return;
  }
  if (!log) throw Platform::NilObjectException(QStringLiteral("the desktop folder"));
  QFile file(log->ShellPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
    throw Platform::NilObjectException(QStringLiteral("the trace log cannot be opened"));
  QString text = message;
  if (restart) {
    text = QStringLiteral("Start logging ......");
    bug_time = Platform::Environment::Microseconds();
    bug_indent = 0;
  }
  if (Platform::StartsWith(message, QStringLiteral("EXIT"))) bug_indent = std::max(0, bug_indent - 2);
  const double seconds = (Platform::Environment::Microseconds() - bug_time) / 1000000.0;
  const QString line = Platform::FormatGrouped(seconds, 3) + QStringLiteral(" : ") +
                       QString(std::min(std::max(bug_indent, 0), 34), QLatin1Char(' ')) + text + EOL();
  file.write(line.toUtf8());
  if (Platform::StartsWith(message, QStringLiteral("ENTER"))) bug_indent += 2;
}

bool NumberKey(const QString& key) {
  if (key.size() != 1) return true;
  const QChar c = key[0];
  if (c.unicode() == 13 || c.unicode() == 3 || c.unicode() == 9 || c.unicode() == 8) return false;
  return !(c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

void Update_Thumbnail() {
  if (!active_THUMBNAIL) return;
  if (winTHUMBNAIL* w = winTHUMBNAIL::existing()) w->Canvas1->Invalidate(true);
}

void Update_ColorMeter() {
  if (!active_COLORMETER) return;
  if (winCOLORMeter* w = winCOLORMeter::existing()) w->Set_Meter(Mouse_Point);
}

}  // namespace modMAIN
