#pragma once
// The program's runtime failures. Each carries its class name (as the error window shows it), a message
// and the call stack captured where it was thrown.
#include <QString>
#include <exception>
#include <string>

namespace Platform {

QString CaptureStack(int skip = 1);

class RuntimeException : public std::exception {
 public:
  explicit RuntimeException(QString message = {}, QString className = QStringLiteral("RuntimeException"));
  const char* what() const noexcept override { return whatText_.c_str(); }
  const QString& ClassName() const { return className_; }
  const QString& Message() const { return message_; }
  const QString& Stack() const { return stack_; }

 private:
  QString message_;
  QString className_;
  QString stack_;
  std::string whatText_;
};

// A reference to something that is missing (the framework's nil object).
class NilObjectException : public RuntimeException {
 public:
  explicit NilObjectException(QString message = {})
      : RuntimeException(std::move(message), QStringLiteral("NilObjectException")) {}
};

// A picture or buffer could not be allocated.
class OutOfMemoryException : public RuntimeException {
 public:
  explicit OutOfMemoryException(QString message = {})
      : RuntimeException(std::move(message), QStringLiteral("OutOfMemoryException")) {}
};

// An index outside its array.
class OutOfBoundsException : public RuntimeException {
 public:
  explicit OutOfBoundsException(QString message = {})
      : RuntimeException(std::move(message), QStringLiteral("OutOfBoundsException")) {}
};

// A file that cannot be read or written.
class IOException : public RuntimeException {
 public:
  explicit IOException(QString message = {})
      : RuntimeException(std::move(message), QStringLiteral("IOException")) {}
};

// Checked dereference: throws NilObjectException instead of touching a missing object.
template <typename P>
auto& Deref(const P& p, const char* what = "object") {
  if (!p) throw NilObjectException(QStringLiteral("%1 is nil").arg(QLatin1String(what)));
  return *p;
}

// Checked access: the pointer itself, or NilObjectException when it is missing.
template <typename P>
const P& Checked(const P& p, const char* what = "object") {
  if (!p) throw NilObjectException(QStringLiteral("%1 is nil").arg(QLatin1String(what)));
  return p;
}

}  // namespace Platform
