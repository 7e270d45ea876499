#pragma once

#include "platform/win32/windows_include.h"

#include <optional>

#include "platform/geometry.h"
#include "platform/window_system.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {

struct WindowClassSpec {
  const wchar_t* name;
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
};

struct CreateSpec {
  const wchar_t* title = L"";
  DWORD style = 0;
  DWORD ex_style = 0;
  RECT rect{};  // left, top, right, bottom in the parent's client pixels (screen for top level)
  HWND parent = nullptr;
};

// Base of our own window classes: one window procedure for all of them. WM_NCCREATE stores the
// object in the window's extra bytes; the procedure only unpacks it and dispatches.
class MessageWindow {
 public:
  MessageWindow(const MessageWindow&) = delete;
  MessageWindow& operator=(const MessageWindow&) = delete;
  HWND hwnd() const { return window_.get(); }

 protected:
  explicit MessageWindow(EventLoop& loop) : loop_(loop) {}
  virtual ~MessageWindow();
  void Create(const WindowClassSpec& window_class, const CreateSpec& layout);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return ::DefWindowProcW(hwnd(), message, wparam, lparam);
  }
  // Every mouse button and every key, Alt+F4 included, goes to the program's handlers, so the
  // default procedure never turns a key into a close. Nothing for any other message.
  std::optional<LRESULT> RouteInput(const InputHandlers& input, UINT message);
  static bool IsButtonDown(UINT message);
  SizeF ClientSize() const;
  EventLoop& loop_;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Dispatch(UINT message, WPARAM wparam, LPARAM lparam);
  UniqueHwnd window_;
};

}  // namespace solvarine::win32
