#pragma once

#include <cstdint>

namespace corvane::suite {

// The generators' source of chance: a fixed, fully specified sequence (splitmix64),
// so a seed gives the same account set on every machine and compiler. The
// standard library's distributions are not specified to that degree.
class DemoRandom {
 public:
  explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next();
  // A whole number from lo to hi, both included (lo <= hi).
  std::int64_t Between(std::int64_t lo, std::int64_t hi);
  // True in about percent out of a hundred calls.
  bool Chance(int percent) { return Between(0, 99) < percent; }

 private:
  std::uint64_t state_;
};

}  // namespace corvane::suite
