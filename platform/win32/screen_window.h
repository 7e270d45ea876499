#pragma once

#include <string>

#include "platform/win32/top_level_window.h"

namespace solvarine::win32 {

// A frameless black window over the whole screen, out of the task bar. Every mouse button and
// every key goes to the program; mouse moves do nothing.
class ScreenWindow final : public TopLevelWindow {
 public:
  ScreenWindow(EventLoop& loop, const std::string& title, InputHandlers input);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void FocusOnShow() override;

  InputHandlers input_;
};

}  // namespace solvarine::win32
