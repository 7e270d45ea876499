#pragma once

#include <cstdint>
#include <string>

#include "platform/handles.h"

namespace solvarine {

// The user32/gdi32 calls the program makes, under their own names.
class Gdi {
 public:
  virtual ~Gdi() = default;
  virtual Hwnd FindWindowA(const std::string& title) = 0;
  virtual int ShowCursor(bool show) = 0;
  virtual Hwnd GetDesktopWindow() = 0;
  virtual Hdc GetDC(Hwnd window) = 0;
  virtual void ReleaseDC(Hwnd window, Hdc dc) = 0;
  virtual void BitBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x, int src_y,
                      std::uint32_t rop) = 0;
  virtual void StretchBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x,
                          int src_y, int src_width, int src_height, std::uint32_t rop) = 0;
  virtual void SetStretchBltMode(Hdc dc, int mode) = 0;
  virtual Hrgn CreateRectRgn(int left, int top, int right, int bottom) = 0;
  // The window owns the region afterwards.
  virtual void SetWindowRgn(Hwnd window, Hrgn region, bool redraw) = 0;
  virtual void DeleteObject(Hrgn region) = 0;
};

}  // namespace solvarine
