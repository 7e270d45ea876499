#pragma once

#include <cstdint>

namespace solvarine {

class Random {
 public:
  virtual ~Random() = default;
  // Uniform in [0, 1).
  virtual float Rnd() = 0;
};

// Never seeded: every run draws the same sequence, so two slideshows place photos alike.
class UnseededRandom final : public Random {
 public:
  float Rnd() override;

 private:
  std::uint32_t state_ = 0x50000;
};

}  // namespace solvarine
