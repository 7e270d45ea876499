#include "platform/win32/screen_window.h"

#include "platform/win32/child_control.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {

ScreenWindow::ScreenWindow(EventLoop& loop, const std::string& title, InputHandlers input)
    : TopLevelWindow(loop, RGB(0, 0, 0)), input_(std::move(input)) {
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

void ScreenWindow::FocusOnShow() {
  HWND control = FirstTabStop(hwnd());
  ::SetFocus(control ? control : hwnd());
}

LRESULT ScreenWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (const std::optional<LRESULT> routed = RouteInput(input_, message))
    return *routed;
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return HasImage() ? 1 : Default(message, wparam, lparam);
    case WM_SETFOCUS:
      if (HWND control = FirstTabStop(hwnd()))
        ::SetFocus(control);
      return 0;
    case WM_CLOSE:
      return 0;  // a slideshow ends by a key, not by being closed from outside
    default:
      return ToControlOrDefault(message, wparam, lparam);
  }
}

}  // namespace solvarine::win32
