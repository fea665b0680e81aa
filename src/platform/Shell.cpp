#include "platform/Shell.h"

#include <QFileInfo>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <algorithm>
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

ShellResult Shell::ExecuteWhileRepainting(const QString& program, const QStringList& arguments,
                                          const QString& workingFolder, int timeoutMs,
                                          const QStringList& environment) {
  ShellResult r;
  QProcess proc;
  proc.setProcessChannelMode(QProcess::MergedChannels);
  proc.setWorkingDirectory(workingFolder);
  if (!environment.isEmpty()) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : environment) {
      const qsizetype eq = variable.indexOf(QLatin1Char('='));
      if (eq > 0) env.insert(variable.left(eq), variable.mid(eq + 1));
    }
    proc.setProcessEnvironment(env);
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&proc, &QProcess::finished, &loop, &QEventLoop::quit);
  QObject::connect(&proc, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) loop.quit();
  });
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  const bool wasBusy = Environment::BusyCursor();
  Environment::SetBusyCursor(true);
  proc.start(Environment::ToolPath(program), arguments, QIODevice::ReadOnly);
  timer.start(std::max(timeoutMs, 0));
  // Repaints and timers only: a click or key meanwhile is handled once the program has ended.
  if (proc.state() != QProcess::NotRunning) loop.exec(QEventLoop::ExcludeUserInputEvents);
  Environment::SetBusyCursor(wasBusy);
  if (proc.error() == QProcess::FailedToStart) {
    r.errorCode = -1;
    return r;
  }
  r.started = true;
  if (proc.state() != QProcess::NotRunning) {
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
