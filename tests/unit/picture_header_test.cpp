#include "platform/picture_header.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/exif_orientation.h"
#include "platform/picture.h"

namespace solvarine {
namespace {

using Block = std::vector<std::uint8_t>;

// Appends integers in one byte order.
struct Writer {
  bool big_endian = false;
  Block bytes;

  Writer& Int(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
      const int shift = 8 * (big_endian ? count - 1 - i : i);
      bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
    return *this;
  }
  Writer& Text(std::string_view text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    return *this;
  }
};

struct Entry {
  std::uint32_t tag, type, count, value;
};

// A TIFF header with IFD0 right after it and no further directory.
Block Tiff(bool big_endian, std::vector<Entry> entries, std::uint32_t ifd0 = 8,
           std::uint32_t next_ifd = 0) {
  Writer w{big_endian, {}};
  w.Text(big_endian ? "MM" : "II")
      .Int(42, 2)
      .Int(ifd0, 4)
      .Int(static_cast<std::uint32_t>(entries.size()), 2);
  for (const Entry& e : entries) {
    w.Int(e.tag, 2).Int(e.type, 2).Int(e.count, 4);
    e.type == 3 ? w.Int(e.value, 2).Int(0, 2) : w.Int(e.value, 4);
  }
  w.Int(next_ifd, 4);
  return w.bytes;
}

Entry Orientation(std::uint32_t value) {
  return {0x0112, 3, 1, value};
}

TEST(ExifOrientationTest, ReadsTheTagInEitherByteOrderAndIgnoresAnythingMalformed) {
  const Entry make{0x010F, 2, 6, 0x1A};
  Block cut_entry = Tiff(false, {Orientation(6)});
  cut_entry.resize(8 + 2 + 10);
  Block loop = Tiff(true, {make}, 8, 8);  // IFD1 is IFD0 again
  const struct {
    const char* name;
    Block tiff;
    int expected;
  } cases[] = {
      {"little-endian", Tiff(false, {Orientation(6)}), 6},
      {"big-endian", Tiff(true, {Orientation(8)}), 8},
      {"among other tags", Tiff(true, {make, Orientation(3), {0x011A, 5, 1, 0x40}}), 3},
      {"mirrored", Tiff(false, {Orientation(2)}), 2},
      {"no tag", Tiff(false, {make}), 1},
      {"value 0", Tiff(false, {Orientation(0)}), 1},
      {"value 9", Tiff(true, {Orientation(9)}), 1},
      {"not a SHORT", Tiff(false, {{0x0112, 4, 1, 6}}), 1},
      {"two values", Tiff(false, {{0x0112, 3, 2, 6}}), 1},
      {"unknown byte order",
       [] {
         Block b = Tiff(false, {Orientation(6)});
         b[0] = b[1] = 'X';
         return b;
       }(),
       1},
      {"not 42",
       [] {
         Block b = Tiff(false, {Orientation(6)});
         b[2] = 43;
         return b;
       }(),
       1},
      {"IFD0 past the end", Tiff(false, {Orientation(6)}, 0xFFFFFFF0), 1},
      {"IFD0 on the header", Tiff(false, {Orientation(6)}, 0), 1},  // 0x4949 entries
      {"huge entry count",
       [] {
         Block b = Tiff(true, {Orientation(6)});
         b[8] = b[9] = 0xFF;
         return b;
       }(),
       1},
      {"entry cut short", cut_entry, 1},
      {"a directory linked to itself", loop, 1},
      {"only the thumbnail's directory has it",
       [] {
         Block b = Tiff(false, {}, 8, 14);
         Block t = Tiff(false, {Orientation(6)});
         b.insert(b.end(), t.begin() + 8, t.end());
         return b;
       }(),
       1},
      {"empty", {}, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExifOrientation(c.tiff), c.expected) << c.name;

  // Every cut of a good block: no read past its end (the sanitizers watch), and the tag counts
  // only once its whole entry is there.
  const Block good = Tiff(true, {make, Orientation(5)});
  for (std::size_t size = 0; size < good.size(); ++size) {
    const Block cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
    EXPECT_EQ(ExifOrientation(cut), size >= 8 + 2 + 2 * 12 ? 5 : 1) << size << " bytes";
  }
}

std::string Jpeg(std::initializer_list<Block> segments) {
  std::string bytes = "\xFF\xD8";
  for (const Block& segment : segments)
    bytes.append(segment.begin(), segment.end());
  return bytes;
}

Block Segment(int marker, const Block& payload) {
  Writer w{true, {0xFF, static_cast<std::uint8_t>(marker)}};
  w.Int(static_cast<std::uint32_t>(payload.size() + 2), 2);
  w.bytes.insert(w.bytes.end(), payload.begin(), payload.end());
  return w.bytes;
}

Block Exif(int orientation) {
  Writer w{true, {}};
  w.Text(std::string_view("Exif\0\0", 6));
  const Block tiff =
      Tiff(orientation % 2 == 0, {Orientation(static_cast<std::uint32_t>(orientation))});
  w.bytes.insert(w.bytes.end(), tiff.begin(), tiff.end());
  return w.bytes;
}

Block Frame(int marker, std::uint32_t height, std::uint32_t width) {
  Writer w{true, {0x08}};
  w.Int(height, 2).Int(width, 2).Int(0x03, 1);
  return Segment(marker, w.bytes);
}

TEST(PictureHeaderTest, ReadsClaimedSizeAndOrientationWithoutDecoding) {
  const Block jfif = Segment(0xE0, {'J', 'F', 'I', 'F', 0});
  const Block xmp = Segment(0xE1, {'h', 't', 't', 'p', ':', '/', '/'});
  const std::string png =
      std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\xFF\xFF\0\0\x01\x02", 24);
  const struct {
    const char* name;
    std::string bytes;
    std::optional<std::pair<std::uint32_t, std::uint32_t>> size;  // width, height
    int orientation;
  } cases[] = {
      {"baseline after an app segment", Jpeg({jfif, Frame(0xC0, 480, 640)}), {{640, 480}}, 1},
      {"progressive after fill bytes",
       Jpeg({{0xFF, 0xFF}, Frame(0xC2, 65500, 65500)}),
       {{65500, 65500}},
       1},
      {"a Huffman table is no frame", Jpeg({Segment(0xC4, {0}), Frame(0xC1, 2, 3)}), {{3, 2}}, 1},
      {"EXIF after JFIF", Jpeg({jfif, Segment(0xE1, Exif(6)), Frame(0xC0, 3, 4)}), {{4, 3}}, 6},
      {"XMP before EXIF", Jpeg({xmp, Segment(0xE1, Exif(7)), Frame(0xC0, 3, 4)}), {{4, 3}}, 7},
      {"the first EXIF counts",
       Jpeg({Segment(0xE1, Exif(3)), Segment(0xE1, Exif(8)), Frame(0xC0, 3, 4)}),
       {{4, 3}},
       3},
      {"an APP1 shorter than the signature",
       Jpeg({Segment(0xE1, {'E', 'x'}), Frame(0xC0, 3, 4)}),
       {{4, 3}},
       1},
      {"EXIF cut short", Jpeg({Segment(0xE1, Exif(6))}).substr(0, 20), std::nullopt, 1},
      {"PNG", png, {{65535, 258}}, 1},
      {"scan before any frame", Jpeg({{0xFF, 0xDA, 0x00, 0x02}}), std::nullopt, 1},
      {"cut inside a segment", Jpeg({{0xFF, 0xE0, 0x7F, 0xFF, 1, 2}}), std::nullopt, 1},
      {"zero-length segment", Jpeg({{0xFF, 0xE0, 0x00, 0x00}}), std::nullopt, 1},
      {"empty", "", std::nullopt, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::istringstream in(c.bytes);
    const PictureHeader header = ReadPictureHeader(in);
    ASSERT_EQ(header.size.has_value(), c.size.has_value());
    if (header.size) {
      EXPECT_EQ(std::pair(header.size->width, header.size->height), *c.size);
    }
    EXPECT_EQ(header.orientation, c.orientation);
  }
}

TEST(PictureHeaderTest, CapShowsEveryCameraPhotoAndRefusesForgedSizes) {
  const struct {
    std::uint32_t width, height;
    bool shown;
  } cases[] = {
      {11648, 8736, true},    // 100 megapixels
      {14204, 10652, true},   // 150 megapixels
      {24576, 16384, true},   // 400-megapixel in-camera multi-shot
      {25000, 20000, true},   // the cap itself
      {25000, 20001, false},  // one row more
      {65500, 65500, false}, {0xFFFFFFFF, 0xFFFFFFFF, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WithinPixelCap(c.width, c.height), c.shown) << c.width << " x " << c.height;
}

}  // namespace
}  // namespace solvarine
