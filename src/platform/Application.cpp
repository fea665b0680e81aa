#include "platform/Application.h"

#include <QImageReader>
#include <cstdio>
#include <new>

namespace Platform {

std::function<void(const RuntimeException&)> Application::UnhandledException;

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  // Ordinary photographs of 100 megapixels and more must open; the program checks sizes itself.
  QImageReader::setAllocationLimit(2048);
}

void Application::Report(std::exception_ptr e) {
  try {
    std::rethrow_exception(e);
  } catch (const RuntimeException& r) {
    if (UnhandledException) UnhandledException(r);
    else std::fprintf(stderr, "%s\n%s\n", r.what(), qPrintable(r.Stack()));
  } catch (const std::bad_alloc& b) {
    Report(std::make_exception_ptr(OutOfMemoryException(QString::fromLatin1(b.what()))));
  } catch (const std::exception& x) {
    Report(std::make_exception_ptr(RuntimeException(QString::fromLocal8Bit(x.what()))));
  } catch (...) {
    Report(std::make_exception_ptr(RuntimeException(QStringLiteral("unknown failure"))));
  }
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    Report(std::current_exception());
    return false;
  }
}

}  // namespace Platform
