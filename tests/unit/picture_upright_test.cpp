#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/picture.h"

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

}  // namespace
}  // namespace solvarine
