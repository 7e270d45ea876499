#include "picture/picture_header.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "picture/exif_orientation.h"
#include "picture/picture.h"

namespace solvarine {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Size = std::optional<std::pair<std::uint32_t, std::uint32_t>>;  // width, height

// Fields of (value, bytes), in the byte order asked for.
void Put(Bytes& out, bool big_endian, std::initializer_list<std::pair<std::uint32_t, int>> fields) {
  for (const auto& [value, count] : fields) {
    for (int i = 0; i < count; ++i)
      out.push_back(static_cast<std::uint8_t>(value >> 8 * (big_endian ? count - 1 - i : i)));
  }
}

// A TIFF header, IFD0 at ifd0 with entries of tag, type, count and value (a SHORT comes
// first), then the offset of the next directory.
Bytes Tiff(bool big_endian, const std::vector<std::array<std::uint32_t, 4>>& entries,
           std::uint32_t ifd0 = 8, std::uint32_t next = 0) {
  const std::uint8_t order = big_endian ? 'M' : 'I';
  Bytes out{order, order};
  Put(out, big_endian, {{42, 2}, {ifd0, 4}, {static_cast<std::uint32_t>(entries.size()), 2}});
  for (const auto& [tag, type, count, value] : entries)
    Put(out, big_endian,
        {{tag, 2}, {type, 2}, {count, 4}, {type == 3 && big_endian ? value << 16 : value, 4}});
  Put(out, big_endian, {{next, 4}});
  return out;
}

std::array<std::uint32_t, 4> Orientation(std::uint32_t value) {
  return {0x0112, 3, 1, value};
}

Bytes Patched(Bytes bytes, std::size_t at, const Bytes& with) {
  std::copy(with.begin(), with.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

TEST(ExifOrientationTest, ReadsTheTagInEitherByteOrderAndIgnoresAnythingMalformed) {
  const std::array<std::uint32_t, 4> make{0x010F, 2, 6, 0x1A};
  const Bytes good = Tiff(false, {Orientation(6)});
  Bytes thumbnail_only = Tiff(false, {}, 8, 14);
  thumbnail_only.insert(thumbnail_only.end(), good.begin() + 8, good.end());
  const std::tuple<const char*, Bytes, int> cases[] = {
      {"little-endian", good, 6},
      {"big-endian among other tags", Tiff(true, {make, Orientation(8), {0x011A, 5, 1, 64}}), 8},
      {"no tag", Tiff(false, {make}), 1},
      {"not a SHORT", Tiff(false, {{0x0112, 4, 1, 6}}), 1},
      {"unknown byte order", Patched(good, 0, {'X', 'X'}), 1},
      {"not 42", Patched(good, 2, {43}), 1},
      {"IFD0 past the end", Tiff(false, {Orientation(6)}, 0xFFFFFFF0), 1},
      {"huge entry count", Patched(good, 8, {0xFF, 0xFF}), 1},
      {"only the thumbnail's directory has it", thumbnail_only, 1},
  };
  for (const auto& [name, tiff, expected] : cases)
    EXPECT_EQ(ExifOrientation(tiff), expected) << name;
}

Bytes Segment(std::uint8_t marker, const Bytes& payload) {
  Bytes out{0xFF, marker};
  Put(out, true, {{static_cast<std::uint32_t>(payload.size() + 2), 2}});
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

std::string Jpeg(std::initializer_list<Bytes> segments) {
  std::string bytes = "\xFF\xD8";
  for (const Bytes& segment : segments)
    bytes.append(segment.begin(), segment.end());
  return bytes;
}

Bytes Exif(std::uint32_t orientation) {
  Bytes out{'E', 'x', 'i', 'f', 0, 0};
  const Bytes tiff = Tiff(orientation % 2 == 0, {Orientation(orientation)});
  out.insert(out.end(), tiff.begin(), tiff.end());
  return Segment(0xE1, out);
}

TEST(PictureHeaderTest, ReadsClaimedSizeAndOrientationWithoutDecoding) {
  using namespace std::string_literals;
  const Bytes jfif = Segment(0xE0, {'J', 'F', 'I', 'F', 0});
  const Bytes frame = Segment(0xC0, {8, 0, 3, 0, 4, 3});  // 4 x 3
  const std::string png("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\xFF\xFF\0\0\x01\x02", 24);
  const struct {
    const char* name;
    std::string bytes;
    Size size;
    int orientation;
  } cases[] = {
      {"progressive after fill bytes and lengthless markers",
       Jpeg({{0xFF, 0xFF, 0xD0, 0xFF, 0xD7, 0xFF, 0x01},
             Segment(0xC2, {8, 0xFF, 0xDC, 0xFF, 0xDC, 3})}),
       {{65500, 65500}},
       1},
      {"an empty Huffman table is no frame", Jpeg({Segment(0xC4, {}), frame}), {{4, 3}}, 1},
      {"EXIF after JFIF", Jpeg({jfif, Exif(6), frame}), {{4, 3}}, 6},
      {"XMP, then EXIF", Jpeg({Segment(0xE1, {'h', 't', 't', 'p'}), Exif(7), frame}), {{4, 3}}, 7},
      {"APP1 shorter than the signature", Jpeg({Segment(0xE1, {'E'}), frame}), {{4, 3}}, 1},
      {"EXIF cut short", Jpeg({Exif(6)}).substr(0, 20), std::nullopt, 1},
      {"PNG", png, {{65535, 258}}, 1},
      {"GIF: every frame, not the screen, even one cut short",
       "GIF89a\xFF\xFF\xFF\xFF\x81\0\0RGBRGBRGBRGB"         // 65535 x 65535, 4 colours
       "!\xF9\x04\0\0\0\0\0"                                // an extension
       ",\0\0\0\0\x0A\0\x14\0\x80RGBRGB\x02\x02\x44\x44\0"  // 10 x 20, 2 colours of its own
       ",\0\0\0\0\x1E\0\x05\0\0\x02"s,                      // 30 x 5, no data
       {{30, 20}},
       1},
      {"half a signature", "BIF89a\1\0\1\0\0\0\0,\0\0\0\0\1\0\1\0\0\0\0\0\0\0"s, std::nullopt, 1},
      {"BMP V5, top-down", "BM............|\0\0\0\7\0\0\0\xF7\xFF\xFF\xFF"s, {{7, 9}}, 1},
      {"BMP core header", "BM............\x0C\0\0\0\xFF\xFF\3\0\1\0\x18\0"s, {{65535, 3}}, 1},
      {"scan before any frame", Jpeg({{0xFF, 0xDA, 0x00, 0x02}}), std::nullopt, 1},
      {"cut inside a segment", Jpeg({{0xFF, 0xE0, 0x7F, 0xFF, 1, 2}}), std::nullopt, 1},
      {"zero-length segment", Jpeg({{0xFF, 0xE0, 0x00, 0x00}}), std::nullopt, 1},
      {"empty", "", std::nullopt, 1},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.bytes);
    const PictureHeader header = ReadPictureHeader(in);
    const std::optional<ClaimedSize>& size = header.size;
    EXPECT_EQ((size ? Size({size->width, size->height}) : Size()), c.size) << c.name;
    EXPECT_EQ(header.orientation, c.orientation) << c.name;
  }
}

// 500 MP passes every camera photo (the largest, multi-shot ones, are 24576 x 16384).
TEST(PictureHeaderTest, CapShowsEveryCameraPhotoAndRefusesForgedSizes) {
  EXPECT_TRUE(WithinPixelCap(25000, 20000));
  EXPECT_FALSE(WithinPixelCap(25000, 20001));
  EXPECT_FALSE(WithinPixelCap(0xFFFFFFFF, 2));
}

TEST(DecodeSizeTest, ReducesOnlyWhatIsDrawnSmallerAndNeverBelowIt) {
  const struct {
    int width;
    int height;
    double diagonal;
    PixelSize expected;
  } cases[] = {
      {2000, 1500, 501, {401, 301}},     // rounded up, never down
      {4000, 6000, 200, {111, 167}},     // 110.9 x 166.4
      {2000, 1500, 9000, {2000, 1500}},  // never enlarged
      {2000, 1500, kFullSizeDiagonal, {2000, 1500}},
      {2000, 1500, 0, {1, 1}},  // nothing drawn: one pixel, never the full size
      {2000, 1500, std::nan(""), {1, 1}},
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

// A 3 x 2 picture of a 30 x 20 photo, pixels 0 to 5 row by row, as each orientation shows it.
TEST(PictureTest, TurnsUprightAsTheOrientationSays) {
  const std::vector<std::pair<int, std::vector<std::uint32_t>>> cases = {
      {1, {0, 1, 2, 3, 4, 5}}, {2, {2, 1, 0, 5, 4, 3}}, {3, {5, 4, 3, 2, 1, 0}},
      {4, {3, 4, 5, 0, 1, 2}}, {5, {0, 3, 1, 4, 2, 5}}, {6, {3, 0, 4, 1, 5, 2}},
      {7, {5, 2, 4, 1, 3, 0}}, {8, {2, 5, 1, 4, 0, 3}}, {9, {0, 1, 2, 3, 4, 5}},
  };
  for (const auto& [orientation, expected] : cases) {
    Picture picture{30, 20, 3, 2, {0, 1, 2, 3, 4, 5}};
    picture.TurnUpright(orientation);
    const bool turned = orientation >= 5 && orientation <= 8;
    EXPECT_EQ(std::tuple(picture.width, picture.pixel_width, picture.pixel_height, picture.pixels),
              std::tuple(turned ? 20 : 30, turned ? 2 : 3, turned ? 3 : 2, expected))
        << orientation;
  }
}

}  // namespace
}  // namespace solvarine
