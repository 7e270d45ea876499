#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "picture/picture.h"

namespace solvarine {

// What tells a file apart from the same file changed or replaced: its size and last write time.
struct FileStamp {
  std::uint64_t size = 0;
  std::uint64_t last_write = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // JPEG, BMP or GIF (first frame); a relative name is looked up in the current directory.
  // drawn_diagonal is the largest diagonal, in pixels, the picture will be drawn at; the pixels
  // may be decoded at DecodeSize. Fails for a missing file or one that is not a readable picture.
  // The picture comes upright, as its EXIF orientation says.
  virtual Picture LoadPicture(const std::string& path, double drawn_diagonal) = 0;
  // The stamp of the file LoadPicture would read; empty when there is no such file.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
};

}  // namespace solvarine
