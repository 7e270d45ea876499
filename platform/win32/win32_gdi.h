#pragma once

#include "platform/gdi.h"

namespace solvarine::win32 {

// The user32/gdi32 calls themselves; the core's opaque handles are the Windows handles.
class Win32Gdi final : public Gdi {
 public:
  Hwnd FindWindowA(const std::string& title) override;
  int ShowCursor(bool show) override;
  Hwnd GetDesktopWindow() override;
  Hdc GetDC(Hwnd window) override;
  void ReleaseDC(Hwnd window, Hdc dc) override;
  void BitBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x, int src_y,
              std::uint32_t rop) override;
  void StretchBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x, int src_y,
                  int src_width, int src_height, std::uint32_t rop) override;
  void SetStretchBltMode(Hdc dc, int mode) override;
  Hrgn CreateRectRgn(int left, int top, int right, int bottom) override;
  void SetWindowRgn(Hwnd window, Hrgn region, bool redraw) override;
  void DeleteObject(Hrgn region) override;
};

}  // namespace solvarine::win32
