#pragma once
// The shared test runner: every test class registers itself with PIXMURA_TEST_CLASS and the folder's
// executable runs them all.
#include <QObject>
#include <functional>
#include <vector>

namespace TestSupport {

using Factory = std::function<QObject*()>;
std::vector<std::pair<const char*, Factory>>& Registry();

template <typename T>
struct Registrar {
  explicit Registrar(const char* name) {
    Registry().emplace_back(name, [] { return new T(); });
  }
};

}  // namespace TestSupport

#define PIXMURA_TEST_CLASS(Class) static TestSupport::Registrar<Class> registrar_##Class(#Class);
