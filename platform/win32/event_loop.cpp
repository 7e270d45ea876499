#include "platform/win32/event_loop.h"

#include <exception>

#include "platform/failure.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {

void EventLoop::Call(const std::function<void()>& core_call) noexcept {
  if (ended_ || !core_call)
    return;
  try {
    core_call();
  } catch (const ProgramEnd&) {
    if (ended_)
      return;  // already ended inside a modal loop
    StopEverything(0);
    ::PostQuitMessage(0);
  } catch (const std::exception& error) {
    Fail(error.what());
  } catch (...) {
    Fail("an unknown error");
  }
}

namespace {

void ShowErrorBox(const std::string& what) {
  const std::wstring text = L"Solvarine stopped because of an error:\n\n" + Widen(what);
  ::MessageBoxW(nullptr, text.c_str(), L"Solvarine",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
}

}  // namespace

void EventLoop::Fail(const std::string& what) noexcept {
  if (ended_)
    return;
  StopEverything(1);
  // The quit message comes after the report: a pending WM_QUIT would close the message box at once.
  try {
    if (report_) {
      report_(what);
    } else {
      ShowErrorBox(what);
    }
  } catch (...) {
    ::MessageBoxW(nullptr, L"Solvarine stopped because of an error.", L"Solvarine",
                  MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
  }
  ::PostQuitMessage(1);
}

void EventLoop::ThrowIfEnded() const {
  if (ended_)
    throw ProgramEnd{};
}

// Everything stops at once; the windows themselves go when their owners are destroyed after Run.
void EventLoop::StopEverything(int exit_code) noexcept {
  ended_ = true;
  exit_code_ = exit_code;
  for (auto& [id, timer] : timers_)
    timer->Stop();
  for (auto& [window, dialog] : windows_)
    ::ShowWindow(window, SW_HIDE);
}

int EventLoop::Run() {
  while (Turn(INFINITE)) {
  }
  return exit_code_;
}

// Messages are handled after a wake as well, so that a busy wake can never starve the input.
bool EventLoop::Turn(DWORD timeout_ms) {
  const DWORD count = static_cast<DWORD>(wake_events_.size());
  const DWORD woke = ::MsgWaitForMultipleObjectsEx(count, wake_events_.data(), timeout_ms,
                                                   QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  if (woke < WAIT_OBJECT_0 + count) {
    // A copy: the call may remove the wake it came from.
    const std::function<void()> on_wake = wakes_[wake_events_[woke - WAIT_OBJECT_0]];
    Call(on_wake);
  }
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT)
      return false;
    if (IsDialogMessageForUs(message))
      continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return true;
}

// Tab, arrows and mnemonics work in the dialog as in any Windows dialog.
bool EventLoop::IsDialogMessageForUs(MSG& message) {
  if (!message.hwnd)
    return false;
  HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
  auto found = windows_.find(root);
  return found != windows_.end() && found->second && ::IsDialogMessageW(root, &message);
}

void EventLoop::AddWindow(HWND window, bool dialog) {
  windows_[window] = dialog;
}
void EventLoop::RemoveWindow(HWND window) {
  windows_.erase(window);
}

UINT_PTR EventLoop::AddTimer(TickTarget& target) {
  const UINT_PTR id = next_timer_id_++;
  timers_[id] = &target;
  return id;
}

void EventLoop::RemoveTimer(UINT_PTR id) {
  timers_.erase(id);
}

void EventLoop::AddWake(HANDLE event, std::function<void()> on_wake) {
  wake_events_.push_back(event);
  wakes_[event] = std::move(on_wake);
}

void EventLoop::RemoveWake(HANDLE event) {
  std::erase(wake_events_, event);
  wakes_.erase(event);
}

// A WM_TIMER can still be queued for a timer that is gone; its id is then simply unknown.
void EventLoop::DeliverTick(UINT_PTR id) {
  if (auto found = timers_.find(id); found != timers_.end() && !ended_)
    found->second->OnTick();
}

}  // namespace solvarine::win32
