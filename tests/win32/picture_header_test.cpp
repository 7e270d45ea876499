#include "platform/win32/picture_header.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  return std::string(values.begin(), values.end());
}

std::string Frame(int marker, int height, int width) {
  return Bytes(
      {0xFF, marker, 0x00, 0x11, 0x08, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 0x03});
}

TEST(PictureHeader, ReadsTheClaimedSizeWithoutDecoding) {
  const TempFolder folder;
  const std::string start = Bytes({0xFF, 0xD8});
  const struct {
    const char* name;
    std::string bytes;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> size;  // width, height
  } cases[] = {
      {"baseline after an app segment",
       start + Bytes({0xFF, 0xE0, 0x00, 0x06, 'J', 'F', 'I', 'F'}) + Frame(0xC0, 480, 640),
       std::pair{640u, 480u}},
      {"progressive after fill bytes", start + Bytes({0xFF, 0xFF}) + Frame(0xC2, 65500, 65500),
       std::pair{65500u, 65500u}},
      {"a Huffman table is no frame",
       start + Bytes({0xFF, 0xC4, 0x00, 0x03, 0x00}) + Frame(0xC1, 2, 3), std::pair{3u, 2u}},
      {"PNG", Bytes({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0,    13,
                     'I',  'H', 'D', 'R', 0,    0,    0xFF, 0xFF, 0, 0, 0x01, 0x02}),
       std::pair{65535u, 258u}},
      {"scan before any frame", start + Bytes({0xFF, 0xDA, 0x00, 0x02}), std::nullopt},
      {"cut inside a segment", start + Bytes({0xFF, 0xE1, 0x7F, 0xFF, 1, 2}), std::nullopt},
      {"zero-length segment", start + Bytes({0xFF, 0xE0, 0x00, 0x00}), std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto claimed = ClaimedPictureSize(folder.WriteFile(L"picture.jpg", c.bytes));
    ASSERT_EQ(claimed.has_value(), c.size.has_value());
    if (claimed) {
      EXPECT_EQ(std::pair(claimed->width, claimed->height), *c.size);
    }
  }
  EXPECT_FALSE(ClaimedPictureSize(folder / L"gone.jpg").has_value());
}

}  // namespace
}  // namespace solvarine::win32::testing
