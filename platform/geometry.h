#pragma once

#include <cstdint>

namespace solvarine {

// Twips per pixel at 96 dots per inch; the screen size is reported in these units.
inline constexpr int kTwipsPerPixel = 15;

struct SizeF {
  float width = 0;
  float height = 0;
};

// A layout rectangle in twips, relative to the window's client area.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// In pixels; right and bottom are exclusive.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t width() const { return right - left; }
  std::int32_t height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

// A monitor in physical pixels, in the coordinates of the virtual screen: the primary monitor's
// top-left corner is (0, 0), so the others can lie at negative coordinates.
struct Monitor {
  Rect rect;
  bool primary = false;
};

}  // namespace solvarine
