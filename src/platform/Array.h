#pragma once
// The program's growable zero-based array: a std::vector whose element access is checked and throws
// OutOfBoundsException instead of touching memory outside it.
#include <vector>

#include "platform/RuntimeError.h"

namespace Platform {

template <typename T>
class Array : public std::vector<T> {
 public:
  using std::vector<T>::vector;
  using size_type = typename std::vector<T>::size_type;

  typename std::vector<T>::reference operator[](long long i) {
    Check(i);
    return std::vector<T>::operator[](size_type(i));
  }
  typename std::vector<T>::const_reference operator[](long long i) const {
    Check(i);
    return std::vector<T>::operator[](size_type(i));
  }
  // The index of the last element; -1 when empty (the framework's Ubound).
  int Ubound() const { return int(this->size()) - 1; }
  void Append(const T& v) { this->push_back(v); }
  void Remove(long long i) {
    Check(i);
    this->erase(this->begin() + i);
  }
  void Insert(long long i, const T& v) {
    if (i < 0 || size_type(i) > this->size()) throw OutOfBoundsException(QStringLiteral("index %1").arg(i));
    this->insert(this->begin() + i, v);
  }

 private:
  void Check(long long i) const {
    if (i < 0 || size_type(i) >= this->size())
      throw OutOfBoundsException(QStringLiteral("index %1 of an array of %2").arg(i).arg(this->size()));
  }
};

}  // namespace Platform
