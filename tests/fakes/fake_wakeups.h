#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <set>

#include "platform/event_sources.h"

namespace solvarine::fakes {

// Wakeups that any thread may signal; their on_wake runs on the test's thread when it
// awaits them, as the event loop would run it. A wakeup signalled again before it ran
// runs once.
class FakeWakeups {
 public:
  std::unique_ptr<Wakeup> Create(std::function<void()> on_wake) {
    return std::make_unique<FakeWakeup>(*this, std::move(on_wake));
  }
  // Waits for a signalled wakeup, then runs its on_wake; false when none came in time.
  bool AwaitOne(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return !signalled_.empty(); }))
      return false;
    FakeWakeup* woken = signalled_.extract(signalled_.begin()).value();
    lock.unlock();
    woken->on_wake();
    return true;
  }

 private:
  struct FakeWakeup final : Wakeup {
    FakeWakeup(FakeWakeups& owner, std::function<void()> on_wake)
        : owner(owner), on_wake(std::move(on_wake)) {}
    ~FakeWakeup() override {
      const std::lock_guard lock(owner.mutex_);
      owner.signalled_.erase(this);
    }
    void Signal() override {
      const std::lock_guard lock(owner.mutex_);
      owner.signalled_.insert(this);
      owner.changed_.notify_all();
    }
    FakeWakeups& owner;
    std::function<void()> on_wake;
  };

  std::mutex mutex_;
  std::condition_variable changed_;
  std::set<FakeWakeup*> signalled_;
};

}  // namespace solvarine::fakes
