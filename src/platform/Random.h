#pragma once
// The framework's random generator: whole numbers in a range and reals from 0 up to 1.
#include <cstdint>
#include <random>

namespace Platform {

class Random {
 public:
  explicit Random(uint32_t seed);
  // A whole number from lo to hi, both included.
  int InRange(int lo, int hi);
  // A real from 0 up to (not including) 1.
  double Number();
  void Seed(uint32_t seed) { engine_.seed(seed); }

 private:
  std::mt19937 engine_;
};

}  // namespace Platform
