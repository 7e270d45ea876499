#include "picture/picture.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace solvarine {

namespace {

// Where an upright picture's pixels lie in the stored ones: the stored index of the upright
// top-left pixel, and the stored steps of one upright pixel to the right and one row down.
struct StoredWalk {
  std::ptrdiff_t origin;
  std::ptrdiff_t right;
  std::ptrdiff_t down;
};

StoredWalk WalkFor(int orientation, std::ptrdiff_t width, std::ptrdiff_t height) {
  const std::ptrdiff_t last_column = width - 1;
  const std::ptrdiff_t last_row = (height - 1) * width;
  switch (orientation) {
    case 2:  // mirrored left to right
      return {last_column, -1, width};
    case 3:  // turned half round
      return {last_row + last_column, -1, -width};
    case 4:  // mirrored top to bottom
      return {last_row, 1, -width};
    case 5:  // mirrored along the diagonal from the top left
      return {0, width, 1};
    case 6:  // stored a quarter turn anticlockwise
      return {last_row, -width, 1};
    case 7:  // mirrored along the diagonal from the top right
      return {last_row + last_column, -width, -1};
    default:  // 8: stored a quarter turn clockwise
      return {last_column, width, -1};
  }
}

}  // namespace

void Picture::TurnUpright(int orientation) {
  const auto stored_width = static_cast<std::ptrdiff_t>(pixel_width);
  const auto stored_height = static_cast<std::ptrdiff_t>(pixel_height);
  if (orientation < 2 || orientation > 8 || stored_width <= 0 || stored_height <= 0 ||
      pixels.size() != static_cast<std::size_t>(stored_width * stored_height)) {
    return;
  }
  const StoredWalk walk = WalkFor(orientation, stored_width, stored_height);
  if (SwapsSides(orientation)) {
    std::swap(width, height);
    std::swap(pixel_width, pixel_height);
  }
  std::vector<std::uint32_t> upright(pixels.size());
  auto out = upright.begin();
  for (std::ptrdiff_t y = 0; y < pixel_height; ++y) {
    std::ptrdiff_t at = walk.origin + y * walk.down;
    for (std::ptrdiff_t x = 0; x < pixel_width; ++x, at += walk.right)
      *out++ = pixels[static_cast<std::size_t>(at)];
  }
  pixels = std::move(upright);
}

bool SwapsSides(int orientation) {
  return orientation >= 5 && orientation <= 8;
}

bool WithinPixelCap(std::uint32_t width, std::uint32_t height) {
  return std::uint64_t{width} * height <= kMaxPicturePixels;
}

PixelSize DecodeSize(int width, int height, double drawn_diagonal) {
  const PixelSize full{width, height};
  if (width <= 0 || height <= 0)
    return full;
  if (!(drawn_diagonal > 0))
    return {1, 1};
  const double scale =
      drawn_diagonal / std::hypot(static_cast<double>(width), static_cast<double>(height));
  if (!(scale < 1))
    return full;
  // Rounded up, so that a drawn size rounded either way never exceeds the decoded one. The
  // slideshow derives its width from its rounded height, in its own order of operations, which
  // may land a few units in the last place above ours.
  const auto most_rounded = [](double value) { return std::floor(value + 0.5 + 1e-7); };
  const double width_from_height = most_rounded(most_rounded(height * scale) * width / height);
  const auto side = [](double decoded, int own) {
    return std::clamp(static_cast<int>(std::min(decoded, static_cast<double>(own))), 1, own);
  };
  return {side(std::max(std::ceil(width * scale), width_from_height), width),
          side(std::ceil(height * scale), height)};
}

PixelSize StoredDecodeSize(int stored_width, int stored_height, int orientation,
                           double drawn_diagonal) {
  if (!SwapsSides(orientation))
    return DecodeSize(stored_width, stored_height, drawn_diagonal);
  const PixelSize upright = DecodeSize(stored_height, stored_width, drawn_diagonal);
  return {upright.height, upright.width};
}

}  // namespace solvarine
