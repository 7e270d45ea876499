#include "platform/win32/message_window.h"

#include <exception>

#include "platform/failure.h"

namespace solvarine::win32 {
namespace {

constexpr int kObjectSlot = 0;

void RegisterOnce(const WindowClassSpec& layout, HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (::GetClassInfoExW(instance, layout.name, &existing))
    return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = sizeof(LONG_PTR);
  window_class.hInstance = instance;
  window_class.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = layout.background;
  window_class.hIcon = layout.icon;
  window_class.hIconSm = layout.small_icon;
  window_class.lpszClassName = layout.name;
  if (!::RegisterClassExW(&window_class))
    throw Failure("RegisterClassExW failed");
}

}  // namespace

// The slot is cleared first, so the messages of the destruction no longer reach a half-destroyed
// object.
MessageWindow::~MessageWindow() {
  if (HWND window = window_.release()) {
    loop_.RemoveWindow(window);
    ::SetWindowLongPtrW(window, kObjectSlot, 0);
    ::DestroyWindow(window);
  }
}

void MessageWindow::Create(const WindowClassSpec& window_class, const CreateSpec& layout) {
  HINSTANCE instance = ::GetModuleHandleW(nullptr);
  RegisterOnce(window_class, instance, &MessageWindow::Procedure);
  const RECT& r = layout.rect;
  HWND window = ::CreateWindowExW(layout.ex_style, window_class.name, layout.title, layout.style,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, layout.parent,
                                  nullptr, instance, this);
  if (!window)
    throw Failure("CreateWindowExW failed");
}

LRESULT MessageWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return Default(message, wparam, lparam);
}

bool MessageWindow::IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_XBUTTONDOWN;
}

std::optional<LRESULT> MessageWindow::RouteInput(const InputHandlers& input, UINT message) {
  if (IsButtonDown(message)) {
    loop_.Call(input.mouse_down);
    return message == WM_XBUTTONDOWN ? TRUE : 0;
  }
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    loop_.Call(input.key_down);
    return 0;
  }
  return std::nullopt;
}

SizeF MessageWindow::ClientSize() const {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  return {static_cast<float>(client.right), static_cast<float>(client.bottom)};
}

LRESULT MessageWindow::Dispatch(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER) {
    loop_.DeliverTick(wparam);
    return 0;
  }
  return OnMessage(message, wparam, lparam);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<MessageWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_.reset(window);
    ::SetWindowLongPtrW(window, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MessageWindow*>(::GetWindowLongPtrW(window, kObjectSlot));
  if (!self)
    return ::DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {  // destroyed from elsewhere: the object outlives its window
    self->loop_.RemoveWindow(window);
    ::SetWindowLongPtrW(window, kObjectSlot, 0);
    self->window_.release();
    return ::DefWindowProcW(window, message, wparam, lparam);
  }
  // Our own code may throw too (out of memory, a failed GDI call): it must not unwind into user32.
  try {
    return self->Dispatch(message, wparam, lparam);
  } catch (const std::exception& error) {
    self->loop_.Fail(error.what());
  } catch (...) {
    self->loop_.Fail("an unknown error");
  }
  return 0;
}

}  // namespace solvarine::win32
