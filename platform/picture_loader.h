#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "picture/picture.h"

namespace solvarine {

// What tells a file apart from the same file changed or replaced: which file it is (its volume
// and its number there), its size, and the times of its last write and of its last change of any
// kind, which moves even when a copy over the file keeps its size and write time.
struct FileStamp {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t size = 0;
  std::uint64_t last_write = 0;
  std::uint64_t last_change = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

class PictureLoader {
 public:
  virtual ~PictureLoader() = default;
  // JPEG, BMP or GIF (first frame); a relative name is looked up in the current directory.
  // drawn_diagonal is the largest diagonal, in pixels, the picture will be drawn at
  // (kFullSizeDiagonal for any size); the pixels may be decoded at DecodeSize. Fails for a
  // missing file or one that is not a readable picture. The picture comes upright, as its EXIF
  // orientation says.
  virtual Picture LoadPicture(const std::string& path, double drawn_diagonal) = 0;
  // The stamp of the file LoadPicture would read; empty when there is no such file, or when its
  // file system keeps no time of change (FAT), so that nothing could tell a copy over it.
  virtual std::optional<FileStamp> Stamp(const std::string& path) = 0;
};

}  // namespace solvarine
