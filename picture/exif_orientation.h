#pragma once

#include <cstdint>
#include <span>

namespace solvarine {

// The orientation tag (0x0112) of IFD0 in an EXIF block: the TIFF structure that follows
// "Exif\0\0" in a JPEG's APP1 segment, in either byte order. 1 to 8 as the tag says; 1 (as
// stored) when the tag is absent, out of range or the block is malformed in any way.
int ExifOrientation(std::span<const std::uint8_t> tiff);

}  // namespace solvarine
