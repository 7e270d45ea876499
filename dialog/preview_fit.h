#pragma once

#include <cstdint>

#include "platform/geometry.h"

namespace solvarine {

// The photo scaled with its proportions kept so that it fills the box in one dimension,
// and where it sits, centred, in the box.
struct PreviewFit {
  std::int32_t previeww = 0;
  std::int32_t previewh = 0;
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Both sizes are client sizes in pixels. Fails for an empty box or photo.
PreviewFit FitPreview(SizeF box, SizeF photo);

}  // namespace solvarine
