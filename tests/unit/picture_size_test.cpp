#include <cmath>

#include "dialog/preview_fit.h"
#include "slideshow/place_photo.h"
#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

TEST(DecodeSizeTest, ReducesOnlyWhatIsDrawnSmallerAndNeverBelowIt) {
  const struct {
    int width;
    int height;
    double diagonal;
    PixelSize expected;
  } cases[] = {
      {2000, 1500, 500, {400, 300}},     // exactly a fifth
      {2000, 1500, 501, {401, 301}},     // rounded up, never down
      {6000, 4000, 200, {167, 111}},     // 166.4 x 110.9
      {4000, 6000, 200, {111, 167}},     // portrait
      {2000, 1500, 2500, {2000, 1500}},  // drawn at full size
      {2000, 1500, 9000, {2000, 1500}},  // never enlarged
      {2000, 1500, 0, {2000, 1500}},     // 0: full size
      {2000, 1500, -5, {2000, 1500}},   {2000, 1500, std::nan(""), {2000, 1500}},
      {10000, 1, 50, {50, 1}},   // a side never vanishes
      {1000, 9, 400, {444, 4}},  // the tick derives 444 wide from its rounded height
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeSize(c.width, c.height, c.diagonal), c.expected)
        << c.width << "x" << c.height << " at " << c.diagonal;
  }
  EXPECT_EQ(StoredDecodeSize(9, 1000, 6, 400), (PixelSize{4, 444})) << "stored turned";
  EXPECT_EQ(StoredDecodeSize(1000, 9, 3, 400), (PixelSize{444, 4})) << "turned half round";
}

// The slideshow rounds its height and derives its width from it; the preview fills its box in
// one direction. Neither may draw more pixels than were decoded, in either direction.
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
    EXPECT_EQ(std::tuple(picture.pixels, picture.pixel_width, picture.pixel_height, picture.width,
                         picture.height),
              std::tuple(c.upright, c.width, c.height, c.width * 10, c.height * 10))
        << "orientation " << c.orientation;
  }
}

// Each load asks for the largest diagonal its picture is drawn at (the preview box is 193 x 129).
TEST(DrawnSizeTest, EachLoadAsksForTheLargestDiagonalItIsDrawnAt) {
  const double preview = std::hypot(193.0, 129.0);
  World slideshow({{"chokkei", "300"}});
  ASSERT_FALSE(slideshow.Start("/s"));
  ASSERT_FALSE(slideshow.Tick());
  EXPECT_EQ(slideshow.fake.pictures.drawn_diagonals, (std::vector<double>{preview, 300, 300}))
      << "the hidden dialog's preview, the first photo decoded ahead, then the next";

  World dialog;
  dialog.Start("/c");
  dialog.fake.screen.next_open_file = {"C:\\photos\\b.jpg", "b.jpg", "C:\\photos"};
  ASSERT_TRUE(dialog.fake.screen.ClickButton("Photo File"));
  EXPECT_EQ(dialog.fake.pictures.drawn_diagonals, (std::vector<double>{preview, preview}));

  World sample;
  sample.UseSample();
  ASSERT_FALSE(sample.Start("/s"));
  EXPECT_EQ(sample.fake.pictures.drawn_diagonals, (std::vector<double>{preview, preview, 400}))
      << "the hidden dialog, the sample of the current folder, the first photo";
}

}  // namespace
}  // namespace solvarine
