#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/ui.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/message_window.h"
#include "platform/win32/persistent_image.h"

namespace solvarine::win32 {

// An ordinary framed window with the program's icon; its client size is given in twips and
// follows the monitor's resolution, and its controls use the system's message font.
class DialogWindow final : public Window, private MessageWindow {
 public:
  DialogWindow(EventLoop& loop, const std::string& caption, int client_width_twips,
               int client_height_twips, std::function<void()> on_close);

  Hwnd hWnd() const override;
  void Show() override;
  bool Visible() const override;
  Hdc hDC() override;
  SizeF ScaleSize() const override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void ApplyDpi(UINT dpi, const RECT* suggested);
  void Paint();
  void RestoreFocus();
  LRESULT FocusedPushButtonId() const;

  int client_width_twips_;
  int client_height_twips_;
  std::function<void()> on_close_;
  OwnedFont font_;
  HWND last_focus_ = nullptr;
  std::optional<PersistentImage> image_;
};

}  // namespace solvarine::win32
