#include <cmath>

#include "dialog/form3.h"
#include "slideshow/form4.h"
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
      {2000, 1500, -5, {2000, 1500}},
      {2000, 1500, std::nan(""), {2000, 1500}},
      {10000, 1, 50, {50, 1}},  // a side never vanishes
      {1, 1, 0.5, {1, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeSize(c.width, c.height, c.diagonal), c.expected)
        << c.width << "x" << c.height << " at " << c.diagonal;
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
  dialog.fake.screen.QueueOpenFileResult({"C:\\photos\\b.jpg", "b.jpg", "C:\\photos"});
  ASSERT_TRUE(dialog.fake.screen.ClickButton("Photo File"));
  EXPECT_EQ(dialog.fake.pictures.drawn_diagonals, (std::vector<double>{preview, preview}));

  World sample({{"Filename", ""}, {"Directory", ""}});
  sample.fake.files.AddFolder("C:\\saver", {{"sample1.jpg"}});
  sample.fake.files.current = "C:\\saver";
  sample.fake.pictures.Add("C:\\saver\\sample1.jpg", 640, 480, kGreen);
  ASSERT_FALSE(sample.Start("/s"));
  EXPECT_EQ(sample.fake.pictures.drawn_diagonals, (std::vector<double>{preview, preview, 400}))
      << "the hidden dialog, the sample of the current folder, the first photo";
}

}  // namespace
}  // namespace solvarine
