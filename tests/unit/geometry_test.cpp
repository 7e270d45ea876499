#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "dialog/preview_fit.h"
#include "platform/failure.h"
#include "picture/picture.h"
#include "platform/random.h"
#include "slideshow/place_photo.h"

namespace solvarine {
namespace {

// A photo's drawn size and margins in the square, and where the square and the clip land
// on a screen of 1024 x 768 pixels for two draws.
TEST(Placement, ScalesTheDiagonalToTheSideAndKeepsThePhotoOnScreen) {
  const struct {
    float width, height, side, u1, u2;
    std::array<std::int32_t, 4> size;  // photow, photoh, marginx, marginy
    double posx;
    std::int32_t posy;
    ClipRect clip;
  } cases[] = {
      {640, 480, 400, 0.5f, 0.5f, {320, 240, 40, 80}, 312, 184, {352, 264, 672, 504}},
      // 58.5 rounds to the even 58.
      {100, 100, 400, 0, 0.999f, {283, 283, 58, 58}, -58, 426, {0, 484, 283, 767}},
      // posx keeps the fraction of the single 0.1 (a double 0.1 gives 30.4); only the
      // clip edges are rounded.
      {640, 480, 400, 0.1f, 0, {320, 240, 40, 80}, 30.400001049041748, -80, {70, 0, 390, 240}},
      // A photo wider than the screen overhangs it; that is no failure.
      {4000, 100, 3000, 0.5f, 0.5f, {3000, 75, 0, 1462}, -988, -1116, {-988, 346, 2012, 421}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " u1=" << c.u1);
    const PhotoSize size = SizePhoto(c.width, c.height, c.side);
    EXPECT_EQ((std::array{size.photow, size.photoh, size.marginx, size.marginy}), c.size);
    const PhotoPlace place = PlacePhoto(size, c.side, 15360, 11520, c.u1, c.u2);
    EXPECT_DOUBLE_EQ(place.posx, c.posx);
    EXPECT_EQ(std::tuple(place.posy, place.clip), std::tuple(c.posy, c.clip));
  }
}

// In the 193 x 129 preview box: previeww, previewh, x, y.
TEST(Preview, FillsOneDimensionAndCentresTheOther) {
  const std::pair<SizeF, std::array<std::int32_t, 4>> cases[] = {
      {{400, 300}, {172, 129, 10, 0}},
      {{300, 400}, {97, 129, 48, 0}},
      {{800, 300}, {193, 72, 0, 28}},
  };
  for (const auto& [photo, expected] : cases) {
    const PreviewFit fit = FitPreview({193, 129}, photo);
    EXPECT_EQ((std::array{fit.previeww, fit.previewh, fit.x, fit.y}), expected)
        << photo.width << "x" << photo.height;
  }
  EXPECT_THROW(FitPreview({193, 129}, {10, 0}), Failure);
}

// Never seeded: every run places the photos alike, drawing the well-known sequence.
TEST(UnseededRandom, DrawsTheSameSequenceEveryRun) {
  UnseededRandom random;
  for (const float expected : {0.7055475f, 0.533424f, 0.5795186f})
    EXPECT_EQ(random.Rnd(), expected);
}

// The slideshow rounds its height and derives its width from it; the preview fills its
// box in one direction. Neither may draw more pixels than were decoded, either way.
TEST(DecodeSizeTest, TheTickAndThePreviewNeverDrawMoreThanWasDecoded) {
  const auto covers = [](int w, int h, double diagonal, int drawn_w, int drawn_h) {
    const PixelSize decoded = DecodeSize(w, h, diagonal);
    return decoded.width >= std::min(drawn_w, w) && decoded.height >= std::min(drawn_h, h);
  };
  const int sides[] = {1, 2, 3, 9, 10, 99, 101, 480, 640, 1000, 1001, 4000, 6000, 14204, 65535};
  for (const int w : sides) {
    for (const int h : sides) {
      for (int chokkei = 50; chokkei <= 800; chokkei += 3) {
        const PhotoSize drawn = SizePhoto(static_cast<float>(w), static_cast<float>(h), chokkei);
        ASSERT_TRUE(covers(w, h, chokkei, drawn.photow, drawn.photoh))
            << w << "x" << h << " at " << chokkei;
      }
      for (const SizeF box : {SizeF{193, 129}, SizeF{290, 194}, SizeF{100, 100}}) {
        const PreviewFit fit = FitPreview(box, {static_cast<float>(w), static_cast<float>(h)});
        ASSERT_TRUE(covers(w, h, std::hypot(box.width, box.height), fit.previeww, fit.previewh))
            << w << "x" << h << " in " << box.width << "x" << box.height;
      }
    }
  }
}

}  // namespace
}  // namespace solvarine
