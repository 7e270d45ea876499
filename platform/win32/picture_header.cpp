#include "platform/win32/picture_header.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace solvarine::win32 {
namespace {

std::uint32_t BigEndian(const unsigned char* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = 0; i < count; ++i)
    value = (value << 8) | bytes[i];
  return value;
}

bool Read(std::ifstream& in, unsigned char* bytes, std::streamsize count) {
  return static_cast<bool>(in.read(reinterpret_cast<char*>(bytes), count));
}

bool IsStartOfFrame(unsigned char marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Walks the segments up to the first frame header; the scan data comes only after it.
std::optional<ClaimedSize> JpegSize(std::ifstream& in) {
  std::array<unsigned char, 7> bytes{};
  for (;;) {
    unsigned char marker = 0;
    do {
      if (!Read(in, &marker, 1))
        return std::nullopt;
    } while (marker != 0xFF);
    do {
      if (!Read(in, &marker, 1))
        return std::nullopt;
    } while (marker == 0xFF);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
      continue;  // no length follows
    if (marker == 0xD9 || marker == 0xDA)
      return std::nullopt;
    if (!Read(in, bytes.data(), 2))
      return std::nullopt;
    const std::uint32_t length = BigEndian(bytes.data(), 2);
    if (IsStartOfFrame(marker)) {
      if (!Read(in, bytes.data(), 5))
        return std::nullopt;
      return ClaimedSize{BigEndian(bytes.data() + 3, 2), BigEndian(bytes.data() + 1, 2)};
    }
    if (length < 2 || !in.seekg(length - 2, std::ios::cur))
      return std::nullopt;
  }
}

}  // namespace

std::optional<ClaimedSize> ClaimedPictureSize(const std::wstring& file) {
  std::ifstream in(std::filesystem::path(file), std::ios::binary);
  std::array<unsigned char, 24> head{};
  if (!in || !Read(in, head.data(), 2))
    return std::nullopt;
  if (head[0] == 0xFF && head[1] == 0xD8)
    return JpegSize(in);
  constexpr std::array<unsigned char, 8> kPngSignature = {0x89, 'P',  'N',  'G',
                                                          '\r', '\n', 0x1A, '\n'};
  if (Read(in, head.data() + 2, 22) &&
      std::equal(kPngSignature.begin(), kPngSignature.end(), head.begin()) &&
      std::string_view(reinterpret_cast<const char*>(head.data() + 12), 4) == "IHDR") {
    return ClaimedSize{BigEndian(head.data() + 16, 4), BigEndian(head.data() + 20, 4)};
  }
  return std::nullopt;
}

}  // namespace solvarine::win32
