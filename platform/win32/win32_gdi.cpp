#include "platform/win32/win32_gdi.h"

#include <windows.h>

#include "platform/win32/gdi_objects.h"
#include "platform/win32/opaque_handles.h"

namespace solvarine::win32 {

Hwnd Win32Gdi::FindWindowA(const std::string& title) {
  return Opaque(::FindWindowA(nullptr, title.c_str()));
}

int Win32Gdi::ShowCursor(bool show) {
  return ::ShowCursor(show ? TRUE : FALSE);
}

Hwnd Win32Gdi::GetDesktopWindow() {
  return Opaque(::GetDesktopWindow());
}

Hdc Win32Gdi::GetDC(Hwnd window) {
  return Opaque(::GetDC(Native(window)));
}

void Win32Gdi::ReleaseDC(Hwnd window, Hdc dc) {
  ::ReleaseDC(Native(window), Native(dc));
}

void Win32Gdi::BitBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x, int src_y,
                      std::uint32_t rop) {
  ::BitBlt(Native(dest), x, y, width, height, Native(src), src_x, src_y, rop);
}

void Win32Gdi::StretchBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x,
                          int src_y, int src_width, int src_height, std::uint32_t rop) {
  ::StretchBlt(Native(dest), x, y, width, height, Native(src), src_x, src_y, src_width, src_height,
               rop);
}

void Win32Gdi::SetStretchBltMode(Hdc dc, int mode) {
  ::SetStretchBltMode(Native(dc), mode);
}

Hrgn Win32Gdi::CreateRectRgn(int left, int top, int right, int bottom) {
  return Opaque(::CreateRectRgn(left, top, right, bottom));
}

// The window owns the region once the call succeeds; if it fails, the region is still ours to free.
void Win32Gdi::SetWindowRgn(Hwnd window, Hrgn region, bool redraw) {
  if (!::SetWindowRgn(Native(window), Native(region), redraw ? TRUE : FALSE))
    DeleteObject(region);
}

void Win32Gdi::DeleteObject(Hrgn region) {
  OwnedRegion(Native(region)).reset();
}

}  // namespace solvarine::win32
