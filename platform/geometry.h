#pragma once

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

}  // namespace solvarine
