#pragma once

#include <cstdint>

#include "platform/picture.h"

namespace solvarine::win32 {

// Decodes pictures with the Windows Imaging Component: the first frame, as 32-bit BGRA.
class WicPictureLoader : public PictureLoader {
 public:
  // More pixels than any camera takes; refused before decoding so a forged header cannot
  // claim gigabytes.
  static constexpr std::uint64_t kMaxPixels = 100'000'000;

  Picture LoadPicture(const std::string& path, double drawn_diagonal) override;
};

}  // namespace solvarine::win32
