#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace solvarine::win32 {

struct ClaimedSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// The pixel size a JPEG's frame header or a PNG's IHDR claims, read without decoding; nothing
// for other formats or an unreadable file. Wine's JPEG and PNG decoders decode the whole picture
// as soon as the file is opened, so a forged size has to be refused before that.
std::optional<ClaimedSize> ClaimedPictureSize(const std::wstring& file);

}  // namespace solvarine::win32
