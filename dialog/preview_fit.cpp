#include "dialog/preview_fit.h"

#include "settings/numbers.h"

namespace solvarine {

PreviewFit FitPreview(SizeF box, SizeF photo) {
  const float box_ratio = static_cast<float>(CheckedDivide(box.width, box.height));
  const double photo_ratio = CheckedDivide(photo.width, photo.height);
  PreviewFit fit;
  if (box_ratio > photo_ratio) {  // relatively taller than the box: full height
    fit.previewh = ToInt32(box.height);
    fit.previeww = ToInt32(box.height * photo_ratio);
  } else {
    fit.previewh = ToInt32(CheckedDivide(box.width, photo_ratio));
    fit.previeww = ToInt32(box.width);
  }
  fit.x = ToInt32((box.width - static_cast<double>(fit.previeww)) / 2);
  fit.y = ToInt32((box.height - static_cast<double>(fit.previewh)) / 2);
  return fit;
}

}  // namespace solvarine
