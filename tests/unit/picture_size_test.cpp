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

class DrawnSizeTest : public ProgramTest {
 protected:
  // Form3's preview box is 193 x 129 pixels.
  const double kPreviewDiagonal = std::hypot(193.0, 129.0);
};

TEST_F(DrawnSizeTest, EachLoadAsksForTheLargestDiagonalItIsDrawnAt) {
  fake.store.values["chokkei"] = "300";
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(fake.pictures.drawn_diagonals, (std::vector<double>{kPreviewDiagonal, 300.0}))
      << "the hidden dialog's preview, then the first photo, decoded ahead";
  ASSERT_FALSE(Tick());
  EXPECT_EQ(fake.pictures.drawn_diagonals.back(), 300.0) << "the tick: chokkei";

  fakes::FakePlatform picker;
  picker.files.AddFolder("C:\\photos", {{"a.jpg"}});
  picker.pictures.Add("C:\\photos\\a.jpg", 640, 480, kRed);
  picker.store.values = {{"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}};
  Program dialog(picker.platform);
  StartUp(dialog, "/c");
  picker.screen.QueueOpenFileResult({"C:\\photos\\a.jpg", "a.jpg", "C:\\photos"});
  ASSERT_TRUE(picker.screen.ClickButton("Photo File"));
  EXPECT_EQ(picker.pictures.drawn_diagonals,
            (std::vector<double>{kPreviewDiagonal, kPreviewDiagonal}))
      << "Form_Load, then the picked photo";

  fakes::FakePlatform current;
  current.files.AddFolder("C:\\saver", {{"sample1.jpg"}});
  current.files.current = "C:\\saver";
  current.store.values = {{"Filename", ""}, {"Directory", ""}};
  current.pictures.Add("C:\\saver\\sample1.jpg", 640, 480, kGreen);
  Program slideshow(current.platform);
  StartUp(slideshow, "/s");
  Settle(slideshow, current);
  ASSERT_EQ(current.pictures.loads.size(), 3u);
  EXPECT_EQ(current.pictures.drawn_diagonals[1], kPreviewDiagonal) << "UseCurrentDir";
}

}  // namespace
}  // namespace solvarine
