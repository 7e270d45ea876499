#include "platform/win32/dialog_window.h"

#include "assets/resource.h"
#include "platform/win32/child_control.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

OwnedFont MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi) &&
      !::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return {};
  }
  return Adopt<OwnedFont>(::CreateFontIndirectW(&metrics.lfMessageFont));
}

HICON ProgramIcon(int metric_x, int metric_y) {
  // Shared icons belong to the system: nothing to free.
  return static_cast<HICON>(
      ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SOLVARINE), IMAGE_ICON,
                   ::GetSystemMetrics(metric_x), ::GetSystemMetrics(metric_y), LR_SHARED));
}

}  // namespace

DialogWindow::DialogWindow(EventLoop& loop, const std::string& caption, int client_width_twips,
                           int client_height_twips, std::function<void()> on_close)
    : TopLevelWindow(loop, ::GetSysColor(COLOR_BTNFACE)),
      client_width_twips_(client_width_twips),
      client_height_twips_(client_height_twips),
      on_close_(std::move(on_close)) {
  const std::wstring title = Widen(caption);
  CreateSpec layout;
  layout.title = title.c_str();
  layout.style = kStyle;
  layout.rect = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
  Create({L"SolvarineDialog", ::GetSysColorBrush(COLOR_BTNFACE), ProgramIcon(SM_CXICON, SM_CYICON),
          ProgramIcon(SM_CXSMICON, SM_CYSMICON)},
         layout);
  ApplyDpi(WindowDpi(hwnd()), nullptr);
  loop_.AddWindow(hwnd(), true);
}

// Sizes the frame around the client area at this resolution and gives every control the
// matching font and place. Without a suggestion the window keeps its top-left corner.
void DialogWindow::ApplyDpi(UINT dpi, const RECT* suggested) {
  RECT frame = {0, 0, TwipsToPixels(client_width_twips_, dpi),
                TwipsToPixels(client_height_twips_, dpi)};
  ::AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, dpi);
  RECT current{};
  ::GetWindowRect(hwnd(), &current);
  const POINT origin =
      suggested ? POINT{suggested->left, suggested->top} : POINT{current.left, current.top};
  ::SetWindowPos(hwnd(), nullptr, origin.x, origin.y, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
  OwnedFont font = MessageFont(dpi);
  RelayoutChildren(hwnd(), dpi, font.get());
  font_ = std::move(font);  // the old font goes only after no control uses it
}

void DialogWindow::FocusOnShow() {
  HWND target = last_focus_ && ::IsChild(hwnd(), last_focus_) ? last_focus_ : FirstTabStop(hwnd());
  ::SetFocus(target ? target : hwnd());
}

// Enter clicks the push button that has the focus, as in any dialog.
LRESULT DialogWindow::FocusedPushButtonId() const {
  HWND focus = ::GetFocus();
  if (!focus || !::IsChild(hwnd(), focus))
    return 0;
  const LRESULT code = ::SendMessageW(focus, WM_GETDLGCODE, 0, 0);
  if (!(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
    return 0;
  return MAKELONG(::GetDlgCtrlID(focus), DC_HASDEFID);
}

LRESULT DialogWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      loop_.Call(on_close_);
      return 0;
    case DM_GETDEFID:
      return FocusedPushButtonId();
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_.get());
    case WM_DPICHANGED:
      ApplyDpi(HIWORD(wparam), reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        last_focus_ = ::GetFocus();
      } else {
        FocusOnShow();
      }
      return 0;
    case WM_SETFOCUS:
      FocusOnShow();
      return 0;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      return ToControlOrDefault(message, wparam, lparam);
  }
}

}  // namespace solvarine::win32
