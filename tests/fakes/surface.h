#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace solvarine::fakes {

inline constexpr std::uint32_t kWhite = 0xFFFFFFFF;
inline constexpr std::uint32_t kBlack = 0xFF000000;

// A pixel buffer standing in for a drawing context. Its context may address it in logical units
// of another size (a picture decoded at a reduced size); copies from it are scaled accordingly.
struct Surface {
  int width = 0;
  int height = 0;
  int logical_width = 0;
  int logical_height = 0;
  std::vector<std::uint32_t> pixels;

  static Surface Filled(int width, int height, std::uint32_t colour) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    return {width, height, width, height,
            std::vector<std::uint32_t>(static_cast<size_t>(width) * height, colour)};
  }
  void Fill(std::uint32_t colour) { std::fill(pixels.begin(), pixels.end(), colour); }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
  void Set(int x, int y, std::uint32_t colour) {
    pixels[static_cast<size_t>(y * width + x)] = colour;
  }
};

}  // namespace solvarine::fakes
