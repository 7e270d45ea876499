#include "platform/win32/child_control.h"

#include <algorithm>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {

int TwipsToPixels(int twips, UINT dpi) {
  return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT PixelRect(const TwipsRect& rect, UINT dpi) {
  const int left = TwipsToPixels(rect.left, dpi);
  const int top = TwipsToPixels(rect.top, dpi);
  return {left, top, left + TwipsToPixels(rect.width, dpi), top + TwipsToPixels(rect.height, dpi)};
}

UINT WindowDpi(HWND window) {
  const UINT dpi = ::GetDpiForWindow(window);
  return dpi ? dpi : USER_DEFAULT_SCREEN_DPI;
}

ChildControl* ChildControl::FromHandle(HWND child) {
  return reinterpret_cast<ChildControl*>(::GetWindowLongPtrW(child, GWLP_USERDATA));
}

void ChildControl::Attach(HWND child) {
  ::SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

namespace {

// The dialog manager finds a button by its id (Enter clicks the focused one), so ids are unique
// among the parent's children.
HMENU NextControlId(HWND parent) {
  int id = 1000;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    id = std::max(id, ::GetDlgCtrlID(child) + 1);
  }
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

}  // namespace

StandardControl::StandardControl(HWND parent, const Options& layout)
    : ChildControl(layout.tab_index), rect_(layout.rect) {
  const RECT r = PixelRect(layout.rect, WindowDpi(parent));
  window_ = ::CreateWindowExW(0, layout.window_class, Widen(layout.text).c_str(),
                              WS_CHILD | WS_VISIBLE | layout.style, r.left, r.top, r.right - r.left,
                              r.bottom - r.top, parent, NextControlId(parent),
                              ::GetModuleHandleW(nullptr), nullptr);
  if (!window_)
    throw Failure("CreateWindowExW failed for a control");
  Attach(window_);
  // Controls made with CreateWindowExW draw with the System font unless told otherwise.
  ::SendMessageW(window_, WM_SETFONT, ::SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
}

// The parent may have destroyed the control already; only a window still pointing at us is ours.
StandardControl::~StandardControl() {
  if (::IsWindow(window_) && FromHandle(window_) == this) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    ::DestroyWindow(window_);
  }
}

void StandardControl::Relayout(UINT dpi, HFONT font) {
  const RECT r = PixelRect(rect_, dpi);
  ::SetWindowPos(window_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::optional<LRESULT> RouteToChild(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COMMAND && message != WM_HSCROLL && message != WM_CTLCOLORSTATIC &&
      message != WM_CTLCOLORBTN) {
    return std::nullopt;
  }
  HWND child = reinterpret_cast<HWND>(lparam);
  ChildControl* control = child ? ChildControl::FromHandle(child) : nullptr;
  if (!control)
    return std::nullopt;
  if (message == WM_COMMAND) {
    control->OnCommand(HIWORD(wparam));
    return 0;
  }
  if (message == WM_HSCROLL) {
    control->OnScroll(LOWORD(wparam));
    return 0;
  }
  HDC dc = reinterpret_cast<HDC>(wparam);
  HBRUSH brush = control->OnColor(dc);
  if (!brush) {
    // The dialog's own face colour; Wine's default paints option buttons black otherwise.
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    brush = ::GetSysColorBrush(COLOR_BTNFACE);
  }
  return reinterpret_cast<LRESULT>(brush);
}

namespace {

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

}  // namespace

bool IsRadioButton(HWND window) {
  const LONG_PTR type = ::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  wchar_t kind[16] = {};
  ::GetClassNameW(window, kind, 16);
  return ::lstrcmpiW(kind, L"Button") == 0 &&
         (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

namespace {

void SetStyle(HWND window, LONG_PTR bits, bool on) {
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  ::SetWindowLongPtrW(window, GWL_STYLE, on ? style | bits : style & ~bits);
}

}  // namespace

// Option buttons next to each other in tab order form one group, as in any dialog: Tab stops at
// the selected one (or the first while none is), the arrow keys move within the group.
void MarkRadioGroups(HWND parent) {
  const std::vector<HWND> children = Children(parent);
  for (size_t start = 0; start < children.size(); ++start) {
    const bool radio = IsRadioButton(children[start]);
    SetStyle(children[start], WS_GROUP,
             !radio || start == 0 || !IsRadioButton(children[start - 1]));
    if (!radio || (start > 0 && IsRadioButton(children[start - 1])))
      continue;
    size_t end = start;
    while (end < children.size() && IsRadioButton(children[end]))
      ++end;
    const auto checked =
        std::find_if(children.begin() + static_cast<std::ptrdiff_t>(start),
                     children.begin() + static_cast<std::ptrdiff_t>(end),
                     [](HWND b) { return ::SendMessageW(b, BM_GETCHECK, 0, 0) == BST_CHECKED; });
    const HWND stop =
        checked != children.begin() + static_cast<std::ptrdiff_t>(end) ? *checked : children[start];
    for (size_t i = start; i < end; ++i)
      SetStyle(children[i], WS_TABSTOP, children[i] == stop);
  }
}

// Z-order is tab order, as the dialog manager walks it.
void ArrangeTabOrder(HWND parent) {
  std::vector<HWND> children = Children(parent);
  const auto key = [](HWND child) {
    const ChildControl* control = ChildControl::FromHandle(child);
    return control ? control->tab_index() : -1;
  };
  std::stable_sort(children.begin(), children.end(),
                   [&](HWND a, HWND b) { return key(a) < key(b); });
  HWND previous = HWND_TOP;
  for (HWND child : children) {
    ::SetWindowPos(child, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = child;
  }
  MarkRadioGroups(parent);
}

void RelayoutChildren(HWND parent, UINT dpi, HFONT font) {
  for (HWND child : Children(parent)) {
    if (ChildControl* control = ChildControl::FromHandle(child))
      control->Relayout(dpi, font);
  }
}

HWND FirstTabStop(HWND parent) {
  for (HWND child : Children(parent)) {
    const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
    if ((style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED))
      return child;
  }
  return nullptr;
}

}  // namespace solvarine::win32
