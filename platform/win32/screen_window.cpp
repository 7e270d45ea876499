#include "platform/win32/screen_window.h"

#include "platform/win32/child_control.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {

ScreenWindow::ScreenWindow(EventLoop& loop, const std::string& title, InputHandlers input)
    : MessageWindow(loop), input_(std::move(input)) {
  const std::wstring wide_title = Widen(title);
  CreateSpec layout;
  layout.title = wide_title.c_str();
  layout.style = WS_POPUP | WS_CLIPCHILDREN;
  layout.ex_style = WS_EX_TOOLWINDOW;
  // Physical pixels: the process is DPI aware, so these are the screen's own.
  layout.rect = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  Create({L"SolvarineScreen", static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))}, layout);
  loop_.AddWindow(hwnd(), false);
}

Hwnd ScreenWindow::hWnd() const {
  return static_cast<Hwnd>(reinterpret_cast<std::uintptr_t>(hwnd()));
}

void ScreenWindow::Show() {
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  ::SetForegroundWindow(hwnd());
  ::SetActiveWindow(hwnd());
  FocusFirstControl();
}

bool ScreenWindow::Visible() const {
  return ::IsWindowVisible(hwnd()) != FALSE;
}

// The caller is about to draw: the window shows the result when it next paints, after the
// current event, as a persistent image does.
Hdc ScreenWindow::hDC() {
  if (!image_) {
    const SizeF size = ScaleSize();
    image_.emplace();
    image_->Reset(static_cast<int>(size.width), static_cast<int>(size.height), RGB(0, 0, 0));
  }
  ::InvalidateRect(hwnd(), nullptr, FALSE);
  return static_cast<Hdc>(reinterpret_cast<std::uintptr_t>(image_->dc()));
}

SizeF ScreenWindow::ScaleSize() const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  return {static_cast<float>(client.right), static_cast<float>(client.bottom)};
}

void ScreenWindow::FocusFirstControl() {
  HWND control = FirstTabStop(hwnd());
  ::SetFocus(control ? control : hwnd());
}

void ScreenWindow::Paint() {
  ScopedPaint paint(hwnd());
  if (image_)
    image_->PaintTo(paint.get(), paint.paint().rcPaint);
}

LRESULT ScreenWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return image_ ? 1 : Default(message, wparam, lparam);
    case WM_SETFOCUS:
      if (HWND control = FirstTabStop(hwnd()))
        ::SetFocus(control);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      loop_.Call(input_.mouse_down);
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      loop_.Call(input_.key_down);
      return 0;
    case WM_CLOSE:
      return 0;  // a slideshow ends by a key, not by being closed from outside
    default: {
      LRESULT result = 0;
      if (RouteToChild(message, wparam, lparam, result))
        return result;
      return Default(message, wparam, lparam);
    }
  }
}

}  // namespace solvarine::win32
