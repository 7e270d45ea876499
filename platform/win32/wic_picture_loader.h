#pragma once

#include "platform/picture_loader.h"

namespace solvarine::win32 {

// Decodes pictures with the Windows Imaging Component: the first frame, as 32-bit BGRA, turned
// upright. Pictures above kMaxPicturePixels are refused, from their header when it tells.
class WicPictureLoader : public PictureLoader {
 public:
  Picture LoadPicture(const std::string& path, double drawn_diagonal) override;
  std::optional<FileStamp> Stamp(const std::string& path) override;
};

}  // namespace solvarine::win32
