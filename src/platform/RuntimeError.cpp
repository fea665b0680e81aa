#include "platform/RuntimeError.h"

#include <QStringList>
#include <cxxabi.h>
#include <execinfo.h>

#include <cstdlib>
#include <memory>

namespace Platform {

QString CaptureStack(int skip) {
  void* frames[64];
  const int n = backtrace(frames, 64);
  std::unique_ptr<char*, decltype(&free)> symbols(backtrace_symbols(frames, n), &free);
  QStringList lines;
  for (int i = skip + 1; i < n && symbols; ++i) {
    QString line = QString::fromLocal8Bit(symbols.get()[i]);
    // "binary(mangled+0x12) [0x...]": show the demangled function name where there is one.
    const int open = line.indexOf('(');
    const int plus = line.indexOf('+', open);
    if (open >= 0 && plus > open + 1) {
      const QByteArray mangled = line.mid(open + 1, plus - open - 1).toLatin1();
      int status = 0;
      std::unique_ptr<char, decltype(&free)> name(abi::__cxa_demangle(mangled.constData(), nullptr, nullptr, &status),
                                                  &free);
      if (status == 0 && name) line = QString::fromLocal8Bit(name.get());
      else line = QString::fromLatin1(mangled);
    }
    lines << line;
  }
  return lines.join('\n');
}

RuntimeException::RuntimeException(QString message, QString className)
    : message_(std::move(message)), className_(std::move(className)), stack_(CaptureStack(2)) {
  whatText_ = (className_ + (message_.isEmpty() ? QString() : QStringLiteral(": ") + message_)).toStdString();
}

}  // namespace Platform
