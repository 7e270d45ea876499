#include "platform/win32/persistent_image.h"

#include <algorithm>
#include <cstring>

#include "platform/failure.h"

namespace solvarine::win32 {
namespace {

// 32-bit pixels, rows top-down: the layout of Picture.
BITMAPINFO TopDownBgra(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

PersistentImage::PersistentImage() : dc_(Adopt<OwnedMemoryDc>(::CreateCompatibleDC(nullptr))) {
  if (!dc_)
    throw Failure("CreateCompatibleDC failed");
}

void PersistentImage::Reset(int width, int height, COLORREF fill) {
  // A DIB section needs at least one pixel; an empty box keeps a 1x1 image.
  width = std::max(width, 1);
  height = std::max(height, 1);
  const BITMAPINFO info = TopDownBgra(width, height);
  void* bits = nullptr;
  auto bitmap =
      Adopt<OwnedBitmap>(::CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap)
    throw Failure("out of memory for a picture box image");
  ::SelectObject(dc_.get(), bitmap.get());
  ::SetMapMode(dc_.get(), MM_TEXT);  // one logical unit per pixel again
  bitmap_ = std::move(bitmap);       // the old bitmap is no longer selected, so it can go
  bits_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  Fill(fill);
}

void PersistentImage::Rescale(int width, int height) {
  if (empty() || (width == width_ && height == height_))
    return;
  PersistentImage scaled;
  scaled.Reset(width, height, RGB(255, 255, 255));
  ::SetStretchBltMode(scaled.dc(), HALFTONE);
  ::StretchBlt(scaled.dc(), 0, 0, scaled.width_, scaled.height_, dc_.get(), 0, 0, width_, height_,
               SRCCOPY);
  std::swap(*this, scaled);
}

void PersistentImage::Fill(COLORREF colour) {
  if (empty())
    return;
  ::GdiFlush();  // pending GDI drawing must land before the bits are written directly
  const std::uint32_t pixel =
      (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
  std::fill_n(bits_, static_cast<size_t>(width_) * static_cast<size_t>(height_), pixel);
}

namespace {

void CheckPixelCount(const Picture& picture) {
  if (picture.width < 0 || picture.height < 0 || picture.pixel_width < 0 ||
      picture.pixel_height < 0 ||
      picture.pixels.size() <
          static_cast<size_t>(picture.pixel_width) * static_cast<size_t>(picture.pixel_height)) {
    throw Failure("picture has fewer pixels than its size says");
  }
}

bool DecodedAtOwnSize(const Picture& picture) {
  return picture.pixel_width == picture.width && picture.pixel_height == picture.height;
}

}  // namespace

void PersistentImage::CopyPicture(const Picture& picture) {
  CheckPixelCount(picture);
  if (empty() || picture.pixel_width == 0 || picture.pixel_height == 0)
    return;
  ::GdiFlush();
  if (!DecodedAtOwnSize(picture)) {
    const BITMAPINFO info = TopDownBgra(picture.pixel_width, picture.pixel_height);
    ::StretchDIBits(dc_.get(), 0, 0, picture.width, picture.height, 0, 0, picture.pixel_width,
                    picture.pixel_height, picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    return;
  }
  const int columns = std::min(picture.width, width_);
  const int rows = std::min(picture.height, height_);
  for (int y = 0; y < rows; ++y) {
    std::memcpy(bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_),
                picture.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(picture.width),
                static_cast<size_t>(columns) * sizeof(std::uint32_t));
  }
}

void PersistentImage::ShowPicture(const Picture& picture) {
  CheckPixelCount(picture);
  Reset(picture.pixel_width, picture.pixel_height, RGB(255, 255, 255));
  ::GdiFlush();
  const size_t count =
      std::min(picture.pixels.size(), static_cast<size_t>(width_) * static_cast<size_t>(height_));
  std::memcpy(bits_, picture.pixels.data(), count * sizeof(std::uint32_t));
  if (DecodedAtOwnSize(picture) || picture.width == 0 || picture.height == 0)
    return;
  ::SetMapMode(dc_.get(), MM_ANISOTROPIC);
  ::SetWindowExtEx(dc_.get(), picture.width, picture.height, nullptr);
  ::SetViewportExtEx(dc_.get(), picture.pixel_width, picture.pixel_height, nullptr);
}

void PersistentImage::PaintTo(HDC target, const RECT& area) const {
  if (empty())
    return;
  ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(),
           area.left, area.top, SRCCOPY);
}

}  // namespace solvarine::win32
