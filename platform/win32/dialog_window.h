#pragma once

#include <functional>
#include <string>

#include "platform/win32/gdi_objects.h"
#include "platform/win32/top_level_window.h"

namespace solvarine::win32 {

// An ordinary framed window with the program's icon; its client size is given in twips and
// follows the monitor's resolution, and its controls use the system's message font.
class DialogWindow final : public TopLevelWindow {
 public:
  DialogWindow(EventLoop& loop, const std::string& caption, int client_width_twips,
               int client_height_twips, std::function<void()> on_close,
               std::function<void()> on_resize);

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void ApplyDpi(UINT dpi, const RECT* suggested);
  void FocusOnShow() override;
  LRESULT FocusedPushButtonId() const;

  int client_width_twips_;
  int client_height_twips_;
  std::function<void()> on_close_;
  std::function<void()> on_resize_;
  OwnedFont font_;
  HWND last_focus_ = nullptr;
};

}  // namespace solvarine::win32
