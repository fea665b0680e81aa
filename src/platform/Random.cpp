#include "platform/Random.h"

#include <chrono>

namespace Platform {

static uint32_t SeedOrClock(uint32_t seed) {
  if (seed) return seed;
  return uint32_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

Random::Random(uint32_t seed) : engine_(SeedOrClock(seed)) {}

int Random::InRange(int lo, int hi) {
  if (hi < lo) std::swap(lo, hi);
  return std::uniform_int_distribution<int>(lo, hi)(engine_);
}

double Random::Number() { return std::uniform_real_distribution<double>(0.0, 1.0)(engine_); }

}  // namespace Platform
