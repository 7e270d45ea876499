#include "platform/random.h"

namespace solvarine {

// A 24-bit linear congruential generator: its values are exact in single precision and below 1.
float UnseededRandom::Rnd() {
  constexpr std::uint32_t kModulusMask = (1u << 24) - 1;
  state_ = (state_ * 1140671485u + 12820163u) & kModulusMask;
  return static_cast<float>(state_) / static_cast<float>(1u << 24);
}

}  // namespace solvarine
