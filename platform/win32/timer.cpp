#include "platform/win32/timer.h"

namespace solvarine::win32 {

Win32Timer::Win32Timer(EventLoop& loop, HWND owner, std::int32_t interval_ms,
                       std::function<void()> on_tick)
    : loop_(loop),
      owner_(owner),
      id_(loop.AddTimer(*this)),
      interval_(interval_ms),
      on_tick_(std::move(on_tick)) {
  Restart();
}

Win32Timer::~Win32Timer() {
  Stop();
  loop_.RemoveTimer(id_);
}

void Win32Timer::SetInterval(std::int32_t milliseconds) {
  interval_ = milliseconds;
  Restart();
}

void Win32Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void Win32Timer::OnTick() {
  loop_.Call(on_tick_);
}

// KillTimer fails harmlessly when the owner window is already gone.
void Win32Timer::Stop() {
  ::KillTimer(owner_, id_);
}

// Every change starts a full interval afresh.
void Win32Timer::Restart() {
  Stop();
  if (enabled_ && interval_ > 0 && !loop_.ended()) {
    ::SetTimer(owner_, id_, static_cast<UINT>(interval_), nullptr);
  }
}

}  // namespace solvarine::win32
