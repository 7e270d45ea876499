#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace solvarine {

// The photo scaled so that its diagonal equals the square's side, centred in the square.
struct PhotoSize {
  double ratio = 0;
  std::int32_t photow = 0;
  std::int32_t photoh = 0;
  std::int32_t marginx = 0;
  std::int32_t marginy = 0;
};

using ClipRect = Rect;

// Where the square goes on the screen, and the part of the photo window left visible.
struct PhotoPlace {
  double posx = 0;  // kept unrounded; only the clip edges are rounded
  std::int32_t posy = 0;
  ClipRect clip;
};

// photo_width and photo_height in pixels; side is the square's side (the size setting).
// Fails for a zero height, and for results that do not fit 32 bits.
PhotoSize SizePhoto(float photo_width, float photo_height, double side);

// screen sizes in twips; u1 and u2 uniform in [0, 1). The photo itself lands on the screen.
PhotoPlace PlacePhoto(const PhotoSize& size, double side, float screen_width_twips,
                      float screen_height_twips, float u1, float u2);

// The canvas's top-left corner and the clip, in the client pixels of windows that cover the
// virtual screen.
struct CanvasPlace {
  std::int32_t left = 0;
  std::int32_t top = 0;
  ClipRect clip;
};

// Placed as on a screen of the monitor's size, then moved onto that monitor.
CanvasPlace PlaceOnMonitor(const PhotoSize& size, double side, const Rect& monitor,
                           const Rect& virtual_screen, float u1, float u2);

}  // namespace solvarine
