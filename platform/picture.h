#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace solvarine {

// A decoded picture: rows top-down, each pixel 0xAARRGGBB (BGRA in memory).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // JPEG, BMP or GIF (first frame); a relative name is looked up in the current directory.
  // Fails for a missing file or one that is not a readable picture.
  virtual Picture LoadPicture(const std::string& path) = 0;
};

}  // namespace solvarine
