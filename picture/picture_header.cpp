#include "picture/picture_header.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "picture/byte_reader.h"
#include "picture/exif_orientation.h"

namespace solvarine {
namespace {

std::uint32_t BigEndian(std::span<const std::uint8_t> bytes, std::size_t offset, int count) {
  return ByteReader(bytes, ByteReader::Order::kBigEndian).Read(offset, count);
}

std::uint32_t LittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset, int count) {
  return ByteReader(bytes, ByteReader::Order::kLittleEndian).Read(offset, count);
}

bool Read(std::istream& in, std::uint8_t* bytes, std::streamsize count) {
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes), count));
}

bool IsStartOfFrame(std::uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::string_view kExifSignature{"Exif\0\0", 6};

// The orientation in an APP1 segment of at most 64 KB, when the segment holds EXIF.
std::optional<int> ReadExif(std::istream& in, std::uint32_t length) {
  std::vector<std::uint8_t> segment(length);
  if (!Read(in, segment.data(), length) || length < kExifSignature.size() ||
      !std::equal(kExifSignature.begin(), kExifSignature.end(), segment.begin())) {
    return std::nullopt;
  }
  return ExifOrientation(std::span(segment).subspan(kExifSignature.size()));
}

// Walks the segments up to the first frame header; the scan data comes only after it.
void ReadJpeg(std::istream& in, PictureHeader& header) {
  std::array<std::uint8_t, 5> bytes{};
  bool exif_seen = false;
  for (;;) {
    std::uint8_t marker = 0;
    do {
      if (!Read(in, &marker, 1))
        return;
    } while (marker != 0xFF);
    do {
      if (!Read(in, &marker, 1))
        return;
    } while (marker == 0xFF);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
      continue;  // no length follows
    if (marker == 0xD9 || marker == 0xDA || !Read(in, bytes.data(), 2))
      return;
    const std::uint32_t length = BigEndian(bytes, 0, 2);
    if (length < 2)
      return;
    if (IsStartOfFrame(marker)) {
      if (Read(in, bytes.data(), 5))
        header.size = ClaimedSize{BigEndian(bytes, 3, 2), BigEndian(bytes, 1, 2)};
      return;
    }
    if (marker == kApp1 && !exif_seen) {
      const std::optional<int> orientation = ReadExif(in, length - 2);
      exif_seen = orientation.has_value();
      header.orientation = orientation.value_or(header.orientation);
    } else if (!in.seekg(length - 2, std::ios::cur)) {
      return;
    }
  }
}

void ReadPng(std::istream& in, PictureHeader& header) {
  constexpr std::array<std::uint8_t, 6> kRest = {'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::array<std::uint8_t, 22> bytes{};
  if (Read(in, bytes.data(), bytes.size()) &&
      std::equal(kRest.begin(), kRest.end(), bytes.begin()) &&
      std::string_view(reinterpret_cast<const char*>(bytes.data() + 10), 4) == "IHDR") {
    header.size = ClaimedSize{BigEndian(bytes, 14, 4), BigEndian(bytes, 18, 4)};
  }
}

// BITMAPCOREHEADER has 16-bit sides; BITMAPINFOHEADER and all its successors 32-bit ones, and a
// negative height for rows stored top-down.
void ReadBmp(std::istream& in, PictureHeader& header) {
  std::array<std::uint8_t, 24> bytes{};  // the rest of the file header, then the bitmap header
  if (!Read(in, bytes.data(), bytes.size()))
    return;
  constexpr std::uint32_t kCoreHeaderSize = 12;
  if (LittleEndian(bytes, 12, 4) == kCoreHeaderSize) {
    header.size = ClaimedSize{LittleEndian(bytes, 16, 2), LittleEndian(bytes, 18, 2)};
    return;
  }
  const std::uint32_t height = LittleEndian(bytes, 20, 4);
  header.size = ClaimedSize{LittleEndian(bytes, 16, 4), height >> 31 ? 0u - height : height};
}

// The colour table that follows a screen or image descriptor whose flags announce one.
void SkipColourTable(std::istream& in, std::uint8_t flags) {
  if (flags & 0x80)
    in.ignore(std::streamsize{3} << ((flags & 7) + 1));
}

void SkipSubBlocks(std::istream& in) {
  for (std::uint8_t length = 0; Read(in, &length, 1) && length != 0;)
    in.ignore(length);
}

// Wine's decoder decodes every frame, each at its own size, as soon as the file is opened, so
// every image descriptor counts; the logical screen is a canvas that no decoder here allocates.
// Skipping past the end leaves the stream at its end, where the next read fails and ends the walk.
void ReadGif(std::istream& in, PictureHeader& header) {
  constexpr std::uint8_t kImage = 0x2C;
  constexpr std::uint8_t kExtension = 0x21;
  std::array<std::uint8_t, 11> screen{};  // the rest of the signature, then the logical screen
  if (!Read(in, screen.data(), screen.size()))
    return;
  SkipColourTable(in, screen[8]);
  for (std::uint8_t block = 0; Read(in, &block, 1);) {
    if (block == kImage) {
      std::array<std::uint8_t, 9> image{};  // position, size and flags
      if (!Read(in, image.data(), image.size()))
        return;
      const ClaimedSize frame{LittleEndian(image, 4, 2), LittleEndian(image, 6, 2)};
      const ClaimedSize seen = header.size.value_or(frame);
      header.size =
          ClaimedSize{std::max(seen.width, frame.width), std::max(seen.height, frame.height)};
      SkipColourTable(in, image[8]);
      in.ignore(1);  // the LZW code size
    } else if (block == kExtension) {
      in.ignore(1);  // its label
    } else {
      return;  // the trailer, or bytes no decoder reads past
    }
    SkipSubBlocks(in);
  }
}

}  // namespace

PictureHeader ReadPictureHeader(std::istream& in) {
  PictureHeader header;
  std::array<std::uint8_t, 2> start{};
  if (!Read(in, start.data(), 2))
    return header;
  if (start[0] == 0xFF && start[1] == 0xD8)
    ReadJpeg(in, header);
  else if (start[0] == 0x89 && start[1] == 'P')
    ReadPng(in, header);
  else if (start[0] == 'B' && start[1] == 'M')
    ReadBmp(in, header);
  else if (start[0] == 'G' && start[1] == 'I')
    ReadGif(in, header);
  return header;
}

}  // namespace solvarine
