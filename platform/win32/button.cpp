#include "platform/win32/button.h"

namespace solvarine::win32 {
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
    : StandardControl(parent, {L"BUTTON", layout.caption, BS_AUTORADIOBUTTON | WS_TABSTOP,
                               layout.rect, layout.tab_index}),
      loop_(loop),
      on_click_(std::move(on_click)) {}

void RadioOption::Select() {
  HWND parent = ::GetParent(hwnd());
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    if (child != hwnd() && IsRadioButton(child))
      ::SendMessageW(child, BM_SETCHECK, BST_UNCHECKED, 0);
  }
  ::SendMessageW(hwnd(), BM_SETCHECK, BST_CHECKED, 0);
  MarkRadioGroups(parent);
  if (on_click_)
    on_click_();
}

void RadioOption::OnCommand(WORD code) {
  if (code == BN_CLICKED)
    loop_.Call([this] { Select(); });
}

}  // namespace solvarine::win32
