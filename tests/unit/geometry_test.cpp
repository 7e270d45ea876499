#include <gtest/gtest.h>

#include <algorithm>

#include "dialog/preview_fit.h"
#include "platform/failure.h"
#include "platform/random.h"
#include "slideshow/place_photo.h"

namespace solvarine {
namespace {

constexpr float kScreenWidthTwips = 15360;   // 1024 pixels
constexpr float kScreenHeightTwips = 11520;  // 768 pixels

struct PlacementCase {
  float photo_width, photo_height;
  double side;
  float u1, u2;
  PhotoSize size;
  double posx;
  std::int32_t posy;
  ClipRect clip;
};

void ExpectPlacement(const PlacementCase& c) {
  const PhotoSize size = SizePhoto(c.photo_width, c.photo_height, c.side);
  EXPECT_EQ(size.photow, c.size.photow);
  EXPECT_EQ(size.photoh, c.size.photoh);
  EXPECT_EQ(size.marginx, c.size.marginx);
  EXPECT_EQ(size.marginy, c.size.marginy);
  const PhotoPlace place =
      PlacePhoto(size, c.side, kScreenWidthTwips, kScreenHeightTwips, c.u1, c.u2);
  EXPECT_DOUBLE_EQ(place.posx, c.posx);
  EXPECT_EQ(place.posy, c.posy);
  EXPECT_EQ(place.clip, c.clip);
}

TEST(Placement, ScalesTheDiagonalToTheSideAndKeepsThePhotoOnScreen) {
  const PlacementCase cases[] = {
      PlacementCase{640, 480, 400, 0, 0, {0, 320, 240, 40, 80}, -40, -80, {0, 0, 320, 240}},
      PlacementCase{
          640, 480, 400, 0.5f, 0.5f, {0, 320, 240, 40, 80}, 312, 184, {352, 264, 672, 504}},
      // 58.5 rounds to the even 58.
      PlacementCase{100, 100, 400, 0, 0.999f, {0, 283, 283, 58, 58}, -58, 426, {0, 484, 283, 767}},
      PlacementCase{
          480, 640, 200, 0.25f, 0.75f, {0, 120, 160, 40, 20}, 186, 436, {226, 456, 346, 616}},
      // posx keeps the fraction of the single 0.1 (a double 0.1 gives 30.4); only the clip edges
      // are rounded.
      PlacementCase{640,
                    480,
                    400,
                    0.1f,
                    0,
                    {0, 320, 240, 40, 80},
                    30.400001049041748,
                    -80,
                    {70, 0, 390, 240}},
      // A photo wider than the screen overhangs it; that is no failure.
      PlacementCase{4000,
                    100,
                    3000,
                    0.5f,
                    0.5f,
                    {0, 3000, 75, 0, 1462},
                    -988,
                    -1116,
                    {-988, 346, 2012, 421}}};
  for (const PlacementCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.photo_width << "x" << c.photo_height << " u1=" << c.u1);
    ExpectPlacement(c);
  }
}

// The screen's pixel size is the twips divided in single precision: 15361 / 15 as a single is
// 1024.0667, not 1024.0666...
TEST(Placement, TheScreenSizeInPixelsIsASingle) {
  const PhotoSize size = SizePhoto(640, 480, 400);
  EXPECT_DOUBLE_EQ(PlacePhoto(size, 400, 15361, 11520, 1, 0).posx,
                   (static_cast<double>(15361.0f / 15.0f) - 400 + 80) * 1 - 40);
}

TEST(Placement, ZeroHeightOrOverflowFails) {
  EXPECT_THROW(SizePhoto(100, 0, 400), Failure);
  EXPECT_THROW(SizePhoto(0, 0, 400), Failure);
  EXPECT_THROW(SizePhoto(100, 100, 1e12), Failure);
}

struct PreviewCase {
  float width, height;
  PreviewFit fit;
};

void ExpectPreview(const PreviewCase& c) {
  const PreviewFit fit = FitPreview({193, 129}, {c.width, c.height});
  EXPECT_EQ(fit.previeww, c.fit.previeww);
  EXPECT_EQ(fit.previewh, c.fit.previewh);
  EXPECT_EQ(fit.x, c.fit.x);
  EXPECT_EQ(fit.y, c.fit.y);
}

TEST(Preview, FillsOneDimensionAndCentresTheOther) {
  const PreviewCase cases[] = {
      PreviewCase{400, 300, {172, 129, 10, 0}}, PreviewCase{300, 400, {97, 129, 48, 0}},
      PreviewCase{800, 300, {193, 72, 0, 28}}, PreviewCase{193, 129, {193, 129, 0, 0}},
      PreviewCase{20, 10, {193, 96, 0, 16}}};
  for (const PreviewCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    ExpectPreview(c);
  }
}

TEST(Preview, EmptyPhotoFails) {
  EXPECT_THROW(FitPreview({193, 129}, {10, 0}), Failure);
}

// Never seeded: every run places the photos alike.
TEST(UnseededRandom, DrawsTheSameSequenceInZeroToOneEveryRun) {
  UnseededRandom first;
  UnseededRandom second;
  float lowest = 1;
  float highest = 0;
  for (int i = 0; i < 100000; ++i) {
    const float u = first.Rnd();
    ASSERT_EQ(u, second.Rnd());
    ASSERT_GE(u, 0.0f);
    ASSERT_LT(u, 1.0f);
    lowest = std::min(lowest, u);
    highest = std::max(highest, u);
  }
  EXPECT_LT(lowest, 0.001f);
  EXPECT_GT(highest, 0.999f);
}

}  // namespace
}  // namespace solvarine
