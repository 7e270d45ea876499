#pragma once

#include <optional>

#include "platform/window_system.h"
#include "platform/win32/child_control.h"
#include "platform/win32/message_window.h"
#include "platform/win32/persistent_image.h"

namespace solvarine::win32 {

// A flat white box that shows its persistent image. It takes the keyboard focus only when
// someone listens to its input, and stays a valid copy source while hidden.
class PictureBoxWindow final : public PictureBox, public ChildControl, private MessageWindow {
 public:
  PictureBoxWindow(EventLoop& loop, HWND parent, const PictureBoxSpec& layout, InputHandlers input);

  Hdc hDC() override;
  SizeF ScaleSize() const override;
  void SetPicture(const Picture& picture) override;
  void ClearPicture() override;
  void SetSize(std::int32_t width, std::int32_t height) override;
  void Move(std::int32_t left, std::int32_t top) override;
  void Refresh() override;
  void Relayout(UINT dpi, HFONT font) override;

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Resize(int width, int height);
  bool focusable() const;

  TwipsRect rect_;
  bool auto_size_;
  std::optional<SizeF> picture_size_;  // of an auto-sized box, once it has a picture
  InputHandlers input_;
  PersistentImage image_;
};

}  // namespace solvarine::win32
