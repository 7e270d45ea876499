#pragma once

#include <functional>

#include "platform/event_sources.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {

// An auto-reset event that the event loop waits on beside the messages: any thread may set it,
// and on_wake then runs on the loop's thread, through the loop's boundary into the core.
class EventWakeup final : public Wakeup {
 public:
  EventWakeup(EventLoop& loop, std::function<void()> on_wake);
  ~EventWakeup() override;
  EventWakeup(const EventWakeup&) = delete;
  EventWakeup& operator=(const EventWakeup&) = delete;

  void Signal() override;

 private:
  EventLoop& loop_;
  UniqueKernelHandle event_;
};

}  // namespace solvarine::win32
