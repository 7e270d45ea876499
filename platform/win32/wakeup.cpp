#include "platform/win32/wakeup.h"

#include "platform/failure.h"

namespace solvarine::win32 {

EventWakeup::EventWakeup(EventLoop& loop, std::function<void()> on_wake)
    : loop_(loop), event_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {
  if (!event_)
    throw Failure("CreateEvent failed");
  loop_.AddWake(event_.get(), std::move(on_wake));
}

EventWakeup::~EventWakeup() {
  loop_.RemoveWake(event_.get());
}

void EventWakeup::Signal() {
  ::SetEvent(event_.get());
}

}  // namespace solvarine::win32
