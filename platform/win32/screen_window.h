#pragma once

#include <optional>
#include <string>

#include "platform/ui.h"
#include "platform/win32/message_window.h"
#include "platform/win32/persistent_image.h"

namespace solvarine::win32 {

// A frameless black window over the whole screen, out of the task bar. Every mouse button and
// every key goes to the program; mouse moves do nothing.
class ScreenWindow final : public Window, private MessageWindow {
 public:
  ScreenWindow(EventLoop& loop, const std::string& title, InputHandlers input);

  Hwnd hWnd() const override;
  void Show() override;
  bool Visible() const override;
  Hdc hDC() override;
  SizeF ScaleSize() const override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Paint();
  void FocusFirstControl();

  InputHandlers input_;
  std::optional<PersistentImage> image_;  // made on the first use of hDC()
};

}  // namespace solvarine::win32
