#include "platform/win32/top_level_window.h"

#include "platform/win32/child_control.h"
#include "platform/win32/opaque_handles.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {

Hwnd TopLevelWindow::hWnd() const {
  return Opaque(hwnd());
}

void TopLevelWindow::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd());
  ::SetActiveWindow(hwnd());
  FocusOnShow();
}

// The caller is about to draw: the window shows the result when it next paints, after the
// current event, as a persistent image does.
Hdc TopLevelWindow::hDC() {
  if (!image_) {
    const SizeF size = ScaleSize();
    image_.emplace();
    image_->Reset(static_cast<int>(size.width), static_cast<int>(size.height), background_);
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  return Opaque(image_->dc());
}

SizeF TopLevelWindow::ScaleSize() const {
  return ClientSize();
}

void TopLevelWindow::Paint() {
  ScopedPaint paint(hwnd());
  if (image_)
    image_->PaintTo(paint.get(), paint.paint().rcPaint);
}

LRESULT TopLevelWindow::ToControlOrDefault(UINT message, WPARAM wparam, LPARAM lparam) {
  if (const std::optional<LRESULT> result = RouteToChild(message, wparam, lparam))
    return *result;
  return Default(message, wparam, lparam);
}

}  // namespace solvarine::win32
