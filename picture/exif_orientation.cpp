#include "picture/exif_orientation.h"

#include "picture/byte_reader.h"

namespace solvarine {
namespace {

constexpr int kAsStored = 1;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;
constexpr std::size_t kEntrySize = 12;

}  // namespace

// Only IFD0 is read and no link to another directory is followed, so a loop cannot hang it.
int ExifOrientation(std::span<const std::uint8_t> tiff) {
  if (tiff.size() < 8)
    return kAsStored;
  const bool big_endian = tiff[0] == 'M' && tiff[1] == 'M';
  if (!big_endian && !(tiff[0] == 'I' && tiff[1] == 'I'))
    return kAsStored;
  const ByteReader reader(
      tiff, big_endian ? ByteReader::Order::kBigEndian : ByteReader::Order::kLittleEndian);
  if (reader.Read(2, 2) != 42)
    return kAsStored;
  const std::uint32_t directory = reader.Read(4, 4);
  if (!reader.Fits(directory, 2))
    return kAsStored;
  const std::uint32_t entries = reader.Read(directory, 2);
  if (!reader.Fits(std::uint64_t{directory} + 2, std::uint64_t{entries} * kEntrySize))
    return kAsStored;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::size_t entry = directory + 2 + i * kEntrySize;
    if (reader.Read(entry, 2) != kOrientationTag)
      continue;
    if (reader.Read(entry + 2, 2) != kShortType || reader.Read(entry + 4, 4) != 1)
      return kAsStored;
    const std::uint32_t value = reader.Read(entry + 8, 2);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : kAsStored;
  }
  return kAsStored;
}

}  // namespace solvarine
