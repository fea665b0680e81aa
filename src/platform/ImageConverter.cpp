#include "platform/ImageConverter.h"

#include <QFileInfo>
#include <QStringList>

#include "platform/Shell.h"

namespace Platform {

QString ImageConverter::ToolName() { return QStringLiteral("convert"); }

bool ImageConverter::Available() { return !Shell::Find(ToolName()).isEmpty(); }

namespace {
// "format:path": the explicit format keeps the converter from guessing by name or contents, and a path
// that starts with "-" could not be taken for an option.
QString Operand(const QString& format, const QString& path) {
  const QString p = QFileInfo(path).absoluteFilePath();
  return format.isEmpty() ? p : format.toLower() + QLatin1Char(':') + p;
}
}  // namespace

ConvertResult ImageConverter::Convert(const QString& from, const QString& fromFormat, const QString& to,
                                      const QString& toFormat, int timeoutMs) {
  ConvertResult r;
  // The converter reads "%d", "%03d" and the like in the name it writes as a frame number, and "%%" as
  // one "%": every "%" of the target's path is doubled so that the file gets exactly the name given.
  QString target = Operand(toFormat, to);
  target.replace(QLatin1Char('%'), QStringLiteral("%%"));
  const ShellResult s = Shell::Execute(ToolName(), {Operand(fromFormat, from), target}, timeoutMs);
  r.found = s.started && !s.output.contains(QLatin1String("command not found"));
  r.output = s.output.trimmed();
  if (s.timedOut && r.output.isEmpty()) r.output = QStringLiteral("The converter did not finish in time.");
  r.ok = r.found && s.errorCode == 0 && QFileInfo(to).size() > 0;
  if (r.found && !r.ok && r.output.isEmpty())
    r.output = QStringLiteral("The converter ended with code %1.").arg(s.errorCode);
  return r;
}

}  // namespace Platform
