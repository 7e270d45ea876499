#pragma once

#include <utility>

#include "platform/gdi.h"

namespace solvarine {

// A window's drawing context from GetDC, given back with ReleaseDC when the scope ends.
class WindowDc {
 public:
  WindowDc(Gdi& gdi, Hwnd window) : gdi_(gdi), window_(window), dc_(gdi.GetDC(window)) {}
  ~WindowDc() { gdi_.ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  Hdc get() const { return dc_; }

 private:
  Gdi& gdi_;
  Hwnd window_;
  Hdc dc_;
};

// A rectangular region from CreateRectRgn, deleted unless it is handed to a window.
class RectRegion {
 public:
  RectRegion(Gdi& gdi, int left, int top, int right, int bottom)
      : gdi_(gdi), region_(gdi.CreateRectRgn(left, top, right, bottom)) {}
  ~RectRegion() {
    if (region_ != Hrgn{})
      gdi_.DeleteObject(region_);
  }
  RectRegion(const RectRegion&) = delete;
  RectRegion& operator=(const RectRegion&) = delete;
  // SetWindowRgn takes ownership of the region, so hand it over here.
  void SetAsWindowRegion(Hwnd window) {
    gdi_.SetWindowRgn(window, std::exchange(region_, Hrgn{}), true);
  }

 private:
  Gdi& gdi_;
  Hrgn region_;
};

}  // namespace solvarine
