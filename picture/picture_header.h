#pragma once

#include <cstdint>
#include <istream>
#include <optional>

namespace solvarine {

struct ClaimedSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// What a picture file says about itself before any decoding: the pixel size of a JPEG's frame
// header, a PNG's IHDR, a BMP's bitmap header or a GIF's frames (the smallest size each of them
// fits in), and a JPEG's EXIF orientation (1 to 8). Decoders may decode the whole picture as soon
// as it is opened, so a forged size has to be refused from these bytes.
struct PictureHeader {
  std::optional<ClaimedSize> size;  // nothing for other formats or a file cut short
  int orientation = 1;              // 1 (as stored) without a readable tag
};

// Reads the stream once from its start: up to a JPEG's frame header, through a GIF's blocks.
PictureHeader ReadPictureHeader(std::istream& in);

}  // namespace solvarine
