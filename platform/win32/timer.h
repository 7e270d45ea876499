#pragma once

#include <functional>

#include "platform/event_sources.h"
#include "platform/win32/event_loop.h"

namespace solvarine::win32 {

// A SetTimer timer on its owner window; the owner's window procedure hands WM_TIMER to the loop,
// which finds this timer by its id.
class Win32Timer final : public Timer, private TickTarget {
 public:
  Win32Timer(EventLoop& loop, HWND owner, std::int32_t interval_ms, std::function<void()> on_tick);
  ~Win32Timer() override;
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;

  void SetInterval(std::int32_t milliseconds) override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }

 private:
  void OnTick() override;
  void Stop() override;
  void Restart();

  EventLoop& loop_;
  HWND owner_;
  UINT_PTR id_;
  std::int32_t interval_;
  bool enabled_ = true;
  std::function<void()> on_tick_;
};

}  // namespace solvarine::win32
