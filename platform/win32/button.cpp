#include "platform/win32/button.h"

namespace solvarine::win32 {
namespace {

bool IsRadio(HWND window) {
  const LONG_PTR type = ::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

PushButton::PushButton(EventLoop& loop, HWND parent, const ButtonSpec& layout,
                       std::function<void()> on_click)
    : StandardControl(parent, {L"BUTTON", layout.caption, BS_PUSHBUTTON | WS_TABSTOP, layout.rect,
                               layout.tab_index}),
      loop_(loop),
      on_click_(std::move(on_click)) {}

void PushButton::OnCommand(WORD code) {
  if (code == BN_CLICKED)
    loop_.Call(on_click_);
}

Frame::Frame(HWND parent, const FrameSpec& layout)
    : StandardControl(parent, {L"BUTTON", layout.caption, BS_GROUPBOX, layout.rect, -1}) {}

RadioOption::RadioOption(EventLoop& loop, HWND parent, const ButtonSpec& layout,
                         std::function<void()> on_click)
    : StandardControl(parent, {L"BUTTON", layout.caption, BS_RADIOBUTTON | WS_TABSTOP, layout.rect,
                               layout.tab_index}),
      loop_(loop),
      on_click_(std::move(on_click)) {}

void RadioOption::Select() {
  HWND parent = ::GetParent(hwnd());
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child != hwnd() && IsRadio(child))
      ::SendMessageW(child, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  ::SendMessageW(hwnd(), BM_SETCHECK, BST_CHECKED, 0);
  if (on_click_)
    on_click_();
}

bool RadioOption::Selected() const {
  return ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioOption::OnCommand(WORD code) {
  if (code == BN_CLICKED)
    loop_.Call([this] { Select(); });
}

}  // namespace solvarine::win32
