#pragma once

#include <optional>

#include "platform/window_system.h"
#include "platform/win32/message_window.h"
#include "platform/win32/persistent_image.h"

namespace solvarine::win32 {

// What the program's top-level windows share: raising and showing, the client size, and a
// persistent image in the window's background colour that the window paints from.
class TopLevelWindow : public Window, protected MessageWindow {
 public:
  Hwnd hWnd() const override;
  void Show() override;
  Hdc hDC() override;
  SizeF ScaleSize() const override;

 protected:
  TopLevelWindow(EventLoop& loop, COLORREF background)
      : MessageWindow(loop), background_(background) {}
  // Which control gets the keyboard focus when the window is shown or activated.
  virtual void FocusOnShow() = 0;
  void Paint();
  bool HasImage() const { return image_.has_value(); }
  // For messages the window does not handle itself: a control's notification goes to the
  // control's object, anything else to the default procedure.
  LRESULT ToControlOrDefault(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  COLORREF background_;
  std::optional<PersistentImage> image_;  // made on the first use of hDC()
};

}  // namespace solvarine::win32
