#include "platform/win32/picture_header.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (int value : values)
    bytes += static_cast<char>(value);
  return bytes;
}

const std::string kJpegStart = Bytes({0xFF, 0xD8});
const std::string kApp0 = Bytes({0xFF, 0xE0, 0x00, 0x06, 'J', 'F', 'I', 'F'});
const std::string kFill = Bytes({0xFF, 0xFF});
const std::string kPngHead = Bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0,    13,
                                    'I',  'H', 'D', 'R', 0,    0,    0xFF, 0xFF, 0, 0, 0x01, 0x02});

std::string Frame(int marker, int height, int width) {
  return Bytes(
      {0xFF, marker, 0x00, 0x11, 0x08, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 0x03});
}

struct HeaderCase {
  const char* name;
  std::string bytes;
  bool claims;
  std::uint32_t width;
  std::uint32_t height;
};

class PictureHeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(PictureHeaderTest, ReadsTheClaimedSizeWithoutDecoding) {
  const TempFolder folder;
  const HeaderCase& c = GetParam();
  const auto claimed = ClaimedPictureSize(folder.WriteFile(L"picture.jpg", c.bytes));
  ASSERT_EQ(claimed.has_value(), c.claims);
  if (c.claims) {
    EXPECT_EQ(claimed->width, c.width);
    EXPECT_EQ(claimed->height, c.height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PictureHeaderTest,
    ::testing::Values(
        HeaderCase{"BaselineAfterAnAppSegment", kJpegStart + kApp0 + Frame(0xC0, 480, 640), true,
                   640, 480},
        HeaderCase{"ProgressiveAfterFillBytes", kJpegStart + kFill + Frame(0xC2, 65500, 65500),
                   true, 65500, 65500},
        HeaderCase{"HuffmanTableIsNoFrame",
                   kJpegStart + Bytes({0xFF, 0xC4, 0x00, 0x03, 0x00}) + Frame(0xC1, 2, 3), true, 3,
                   2},
        HeaderCase{"PngHeader", kPngHead, true, 65535, 258},
        HeaderCase{"ScanBeforeAnyFrame", kJpegStart + Bytes({0xFF, 0xDA, 0x00, 0x02}), false, 0, 0},
        HeaderCase{"CutInsideASegment", kJpegStart + Bytes({0xFF, 0xE1, 0x7F, 0xFF, 1, 2}), false,
                   0, 0},
        HeaderCase{"CutInsideTheFrame", kJpegStart + Frame(0xC0, 10, 10).substr(0, 6), false, 0, 0},
        HeaderCase{"ZeroLengthSegment", kJpegStart + Bytes({0xFF, 0xE0, 0x00, 0x00}), false, 0, 0},
        HeaderCase{"Bitmap", Bytes({'B', 'M', 0, 0, 0, 0}), false, 0, 0},
        HeaderCase{"Empty", "", false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PictureHeader, AMissingFileClaimsNothing) {
  const TempFolder folder;
  EXPECT_FALSE(ClaimedPictureSize(folder / L"gone.jpg").has_value());
}

}  // namespace
}  // namespace solvarine::win32::testing
