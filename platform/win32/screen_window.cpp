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
  // Every monitor, in physical pixels: the process is aware of each monitor's DPI.
  const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
  layout.rect = {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                 top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
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
    case WM_DISPLAYCHANGE:
      loop_.Call(input_.monitors_changed);
      return 0;
    case WM_DPICHANGED:
      return 0;  // the suggested rectangle would fit one monitor; the window covers them all
    default:
      return ToControlOrDefault(message, wparam, lparam);
  }
}

}  // namespace solvarine::win32
