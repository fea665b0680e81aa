#pragma once
// Runs a program with an argument list (never through a command interpreter) and waits for it.
#include <QString>
#include <QStringList>

namespace Platform {

struct ShellResult {
  QString output;     // standard output followed by standard error
  int errorCode = 0;  // the exit code; -1 when the program could not start, crashed or timed out
  bool started = false;
  bool timedOut = false;
};

class Shell {
 public:
  static ShellResult Execute(const QString& program, const QStringList& arguments, int timeoutMs = 30000);
  // Starts a program that may go on running, such as a desktop application: waits up to waitMs for it to
  // end and returns as Execute does. A program still running then is left running (never killed); the
  // result says started and timedOut, with the output so far.
  static ShellResult Launch(const QString& program, const QStringList& arguments, int waitMs);
  // Runs the program in the working folder and waits for it as Execute does, while the program's windows
  // go on repainting and its timers run (user input waits until the program has ended); the busy cursor
  // shows meanwhile. A program still running after timeoutMs is killed (the result says timedOut).
  // `environment` holds variables set for the program on top of the program's own ("NAME=value").
  static ShellResult ExecuteWhileRepainting(const QString& program, const QStringList& arguments,
                                            const QString& workingFolder, int timeoutMs,
                                            const QStringList& environment = {});
  // The full path of a program found on PATH, or empty.
  static QString Find(const QString& program);
};

}  // namespace Platform
