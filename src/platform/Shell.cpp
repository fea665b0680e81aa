#include "platform/Shell.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/Environment.h"

namespace Platform {

ShellResult Shell::Execute(const QString& program, const QStringList& arguments, int timeoutMs) {
  ShellResult r;
  QProcess proc;
  proc.setProcessChannelMode(QProcess::MergedChannels);
  proc.start(Environment::ToolPath(program), arguments, QIODevice::ReadOnly);
  if (!proc.waitForStarted(timeoutMs)) {
    r.errorCode = -1;
    return r;
  }
  r.started = true;
  proc.closeWriteChannel();
  if (!proc.waitForFinished(timeoutMs)) {
    r.timedOut = true;
    proc.kill();
    proc.waitForFinished(1000);
    r.output = QString::fromLocal8Bit(proc.readAll());
    r.errorCode = -1;
    return r;
  }
  r.output = QString::fromLocal8Bit(proc.readAll());
  r.errorCode = proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : -1;
  return r;
}

ShellResult Shell::Launch(const QString& program, const QStringList& arguments, int waitMs) {
  ShellResult r;
  auto* proc = new QProcess();
  proc->setProcessChannelMode(QProcess::MergedChannels);
  proc->start(Environment::ToolPath(program), arguments, QIODevice::ReadOnly);
  if (!proc->waitForStarted(waitMs)) {
    delete proc;
    r.errorCode = -1;
    return r;
  }
  r.started = true;
  proc->closeWriteChannel();
  if (!proc->waitForFinished(waitMs)) {
    r.timedOut = true;
    r.errorCode = -1;
    r.output = QString::fromLocal8Bit(proc->readAll());
    // Left running: its output is read and dropped so that it never blocks on a full pipe, and the process
    // object is deleted only once the program has ended by itself (deleting it would kill the program).
    QObject::connect(proc, &QProcess::readyRead, proc, [proc] { proc->readAll(); });
    QObject::connect(proc, &QProcess::finished, proc, &QObject::deleteLater);
    return r;
  }
  r.output = QString::fromLocal8Bit(proc->readAll());
  r.errorCode = proc->exitStatus() == QProcess::NormalExit ? proc->exitCode() : -1;
  delete proc;
  return r;
}

QString Shell::Find(const QString& program) {
  const QString tool = Environment::ToolPath(program);
  if (tool.contains(QLatin1Char('/'))) return QFileInfo(tool).isExecutable() ? tool : QString();
  return QStandardPaths::findExecutable(tool);
}

}  // namespace Platform
