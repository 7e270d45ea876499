#include "slideshow/place_photo.h"

#include <cmath>

#include "platform/geometry.h"
#include "settings/numbers.h"

namespace solvarine {

PhotoSize SizePhoto(float photo_width, float photo_height, double side) {
  PhotoSize size;
  size.ratio = CheckedDivide(photo_width, photo_height);
  size.photoh = ToInt32(side / std::sqrt(std::pow(size.ratio, 2.0) + 1.0));
  size.photow = ToInt32(size.photoh * size.ratio);
  size.marginx = ToInt32((side - size.photow) / 2);
  size.marginy = ToInt32((side - size.photoh) / 2);
  return size;
}

PhotoPlace PlacePhoto(const PhotoSize& size, double side, float screen_width_twips,
                      float screen_height_twips, float u1, float u2) {
  const float screen_width = screen_width_twips / static_cast<float>(kTwipsPerPixel);
  const float screen_height = screen_height_twips / static_cast<float>(kTwipsPerPixel);
  PhotoPlace place;
  place.posx = ((screen_width - side) + CheckedMul32(2, size.marginx)) * u1 - size.marginx;
  place.posy =
      ToInt32(((screen_height - side) + CheckedMul32(2, size.marginy)) * u2 - size.marginy);
  place.clip.left = ToInt32(place.posx + size.marginx);
  place.clip.right = ToInt32((place.posx + size.marginx) + size.photow);
  place.clip.top = CheckedAdd32(place.posy, size.marginy);
  place.clip.bottom = CheckedAdd32(place.clip.top, size.photoh);
  return place;
}

CanvasPlace PlaceOnMonitor(const PhotoSize& size, double side, const Rect& monitor,
                           const Rect& virtual_screen, float u1, float u2) {
  const PhotoPlace place =
      PlacePhoto(size, side, static_cast<float>(CheckedMul32(monitor.width(), kTwipsPerPixel)),
                 static_cast<float>(CheckedMul32(monitor.height(), kTwipsPerPixel)), u1, u2);
  const std::int32_t dx = CheckedAdd32(monitor.left, -virtual_screen.left);
  const std::int32_t dy = CheckedAdd32(monitor.top, -virtual_screen.top);
  // Moved after rounding, so that on its monitor a photo lands exactly where it would on a screen
  // of that size.
  return {CheckedAdd32(ToInt32(static_cast<float>(place.posx)), dx),
          CheckedAdd32(place.posy, dy),
          {CheckedAdd32(place.clip.left, dx), CheckedAdd32(place.clip.top, dy),
           CheckedAdd32(place.clip.right, dx), CheckedAdd32(place.clip.bottom, dy)}};
}

}  // namespace solvarine
