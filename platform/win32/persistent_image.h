#pragma once

#include "platform/win32/windows_include.h"

#include <cstdint>

#include "picture/picture.h"
#include "platform/win32/gdi_objects.h"

namespace solvarine::win32 {

// A window's back image: a 32-bit top-down DIB section selected into its own memory DC, so that
// anything drawn through dc() stays and can be painted again.
class PersistentImage {
 public:
  PersistentImage();
  // A fresh image of the given size, filled with one colour; the old content is dropped.
  void Reset(int width, int height, COLORREF fill);
  void Fill(COLORREF colour);
  // A fresh image of the given size in one colour, with the old one drawn on it at (x, y).
  void Reframe(int width, int height, int x, int y, COLORREF fill);
  // Draws the picture at its own size in the top-left corner; what does not fit is cut off.
  void CopyPicture(const Picture& picture);
  // The picture becomes the whole image: its decoded pixels, which dc() addresses in the
  // picture's own size, so copies from dc() read it as if it had been decoded at full size.
  void ShowPicture(const Picture& picture);
  void PaintTo(HDC target, const RECT& area) const;

  HDC dc() const { return dc_.get(); }
  // In pixels of the bitmap.
  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return !bitmap_; }

 private:
  OwnedBitmap bitmap_;
  OwnedMemoryDc dc_;  // declared after the bitmap: deleted first, which releases the selection
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace solvarine::win32
