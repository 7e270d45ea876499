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

}  // namespace solvarine
