#include "platform/picture.h"

#include <algorithm>
#include <cmath>

namespace solvarine {

PixelSize DecodeSize(int width, int height, double drawn_diagonal) {
  const PixelSize full{width, height};
  if (width <= 0 || height <= 0 || !(drawn_diagonal > 0))
    return full;
  const double scale =
      drawn_diagonal / std::hypot(static_cast<double>(width), static_cast<double>(height));
  if (!(scale < 1))
    return full;
  // Rounded up, so that the drawn size, rounded either way, never exceeds the decoded one.
  const auto reduce = [scale](int side) {
    return std::clamp(static_cast<int>(std::ceil(side * scale)), 1, side);
  };
  return {reduce(width), reduce(height)};
}

}  // namespace solvarine
