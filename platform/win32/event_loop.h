#pragma once

#include "platform/win32/windows_include.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace solvarine::win32 {

class TickTarget {
 public:
  virtual ~TickTarget() = default;
  virtual void OnTick() = 0;
  virtual void Stop() = 0;
};

// The one boundary between Windows and the core, and the message loop around it. user32 frames
// are not C++, so nothing may unwind through them: every call into the core goes through Call,
// which turns ProgramEnd into the end of the program and anything else into an error report.
class EventLoop {
 public:
  // Shows the text of an error that ends the program; a message box unless told otherwise.
  using ErrorReport = std::function<void(const std::string& what)>;
  explicit EventLoop(ErrorReport report = {}) : report_(std::move(report)) {}
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  void Call(const std::function<void()>& core_call) noexcept;
  // The error report, then the end with exit code 1.
  void Fail(const std::string& what) noexcept;
  bool ended() const { return ended_; }
  int exit_code() const { return exit_code_; }
  // After a modal loop: the core must not go on if the program ended inside it.
  void ThrowIfEnded() const;

  // Handles messages and wakes until the program ends; returns its exit code.
  int Run();
  // Waits up to timeout_ms for a message or a wake, then handles all that is pending; false once
  // the program has ended.
  bool Turn(DWORD timeout_ms);

  void AddWindow(HWND window, bool dialog);
  void RemoveWindow(HWND window);
  UINT_PTR AddTimer(TickTarget& target);
  void RemoveTimer(UINT_PTR id);
  void DeliverTick(UINT_PTR id);
  // on_wake runs through Call each time the event is set.
  void AddWake(HANDLE event, std::function<void()> on_wake);
  void RemoveWake(HANDLE event);

 private:
  void StopEverything(int exit_code) noexcept;
  bool IsDialogMessageForUs(MSG& message);

  ErrorReport report_;
  bool ended_ = false;
  int exit_code_ = 0;
  std::map<HWND, bool> windows_;  // top-level windows; true for dialogs
  std::map<UINT_PTR, TickTarget*> timers_;
  std::vector<HANDLE> wake_events_;
  std::map<HANDLE, std::function<void()>> wakes_;
  UINT_PTR next_timer_id_ = 1;
};

}  // namespace solvarine::win32
