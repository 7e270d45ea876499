#pragma once

#include <functional>

#include "platform/window_system.h"
#include "platform/win32/child_control.h"
#include "platform/win32/event_loop.h"

namespace solvarine::win32 {

class PushButton final : public StandardControl {
 public:
  PushButton(EventLoop& loop, HWND parent, const ButtonSpec& layout,
             std::function<void()> on_click);

 private:
  void OnCommand(WORD code) override;

  EventLoop& loop_;
  std::function<void()> on_click_;
};

// A group box: it only draws, but it follows the dialog's resolution like the other controls.
class Frame final : public StandardControl {
 public:
  Frame(HWND parent, const FrameSpec& layout);
};

// Selecting an option from code behaves exactly as a click: the others of the window go off and
// the click handler runs. An arrow key within the group clicks the option it moves to.
class RadioOption final : public OptionButton, public StandardControl {
 public:
  RadioOption(EventLoop& loop, HWND parent, const ButtonSpec& layout,
              std::function<void()> on_click);

  void Select() override;

 private:
  void OnCommand(WORD code) override;

  EventLoop& loop_;
  std::function<void()> on_click_;
};

}  // namespace solvarine::win32
