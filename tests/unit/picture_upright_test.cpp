#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "dialog/preview_fit.h"
#include "platform/picture.h"
#include "slideshow/place_photo.h"

namespace solvarine {
namespace {

TEST(PictureUprightTest, TurnsAndMirrorsAsEachOrientationSays) {
  // Stored 3 x 2 (decoded from a 30 x 20 photo):  1 2 3
  //                                               4 5 6
  const struct {
    int orientation;
    int width, height;  // upright, in pixels
    std::vector<std::uint32_t> upright;
  } cases[] = {
      {1, 3, 2, {1, 2, 3, 4, 5, 6}}, {2, 3, 2, {3, 2, 1, 6, 5, 4}}, {3, 3, 2, {6, 5, 4, 3, 2, 1}},
      {4, 3, 2, {4, 5, 6, 1, 2, 3}}, {5, 2, 3, {1, 4, 2, 5, 3, 6}}, {6, 2, 3, {4, 1, 5, 2, 6, 3}},
      {7, 2, 3, {6, 3, 5, 2, 4, 1}}, {8, 2, 3, {3, 6, 2, 5, 1, 4}}, {0, 3, 2, {1, 2, 3, 4, 5, 6}},
      {9, 3, 2, {1, 2, 3, 4, 5, 6}},
  };
  for (const auto& c : cases) {
    Picture picture{30, 20, 3, 2, {1, 2, 3, 4, 5, 6}};
    picture.TurnUpright(c.orientation);
    EXPECT_EQ(picture.pixels, c.upright) << "orientation " << c.orientation;
    EXPECT_EQ(picture.pixel_width, c.width) << "orientation " << c.orientation;
    EXPECT_EQ(picture.pixel_height, c.height) << "orientation " << c.orientation;
    EXPECT_EQ(picture.width, c.width * 10) << "orientation " << c.orientation;
    EXPECT_EQ(picture.height, c.height * 10) << "orientation " << c.orientation;
  }
}

// The slideshow rounds its height and derives its width from it; the preview fills its box in
// one direction. Neither may draw more pixels than were decoded, in either direction.
TEST(DecodeSizeCoversDrawnTest, TheTickAndThePreviewNeverDrawMoreThanWasDecoded) {
  EXPECT_EQ(DecodeSize(1000, 9, 400), (PixelSize{444, 4})) << "a strip panorama";
  EXPECT_EQ(StoredDecodeSize(9, 1000, 6, 400), (PixelSize{4, 444})) << "stored turned";
  EXPECT_EQ(StoredDecodeSize(1000, 9, 3, 400), (PixelSize{444, 4})) << "turned half round";

  const int sides[] = {1, 2, 3, 9, 10, 99, 101, 480, 640, 1000, 1001, 4000, 6000, 14204, 65535};
  std::string first_fault;
  const auto check = [&](int w, int h, double diagonal, int drawn_w, int drawn_h) {
    const PixelSize decoded = DecodeSize(w, h, diagonal);
    if (first_fault.empty() &&
        (decoded.width < std::min(drawn_w, w) || decoded.height < std::min(drawn_h, h))) {
      first_fault = std::to_string(w) + "x" + std::to_string(h) + " at " +
                    std::to_string(diagonal) + ": drawn " + std::to_string(drawn_w) + "x" +
                    std::to_string(drawn_h) + ", decoded " + std::to_string(decoded.width) + "x" +
                    std::to_string(decoded.height);
    }
  };
  for (const int w : sides) {
    for (const int h : sides) {
      for (int chokkei = 50; chokkei <= 800; chokkei += 3) {
        const PhotoSize drawn = SizePhoto(static_cast<float>(w), static_cast<float>(h), chokkei);
        check(w, h, chokkei, drawn.photow, drawn.photoh);
      }
      for (const SizeF box : {SizeF{193, 129}, SizeF{290, 194}, SizeF{100, 100}}) {
        const PreviewFit fit = FitPreview(box, {static_cast<float>(w), static_cast<float>(h)});
        check(w, h, std::hypot(box.width, box.height), fit.previeww, fit.previewh);
      }
    }
  }
  EXPECT_EQ(first_fault, "");
}

}  // namespace
}  // namespace solvarine
