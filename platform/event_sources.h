#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace solvarine {

class Window;

class Timer {
 public:
  virtual ~Timer() = default;
  // An interval of zero or less stops the ticks until a positive one is set.
  virtual void SetInterval(std::int32_t milliseconds) = 0;
  // Enabling restarts a full interval.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

// Runs its on_wake on the UI thread soon after Signal, which any thread may call; signals that come
// before on_wake has run are folded into one.
class Wakeup {
 public:
  virtual ~Wakeup() = default;
  virtual void Signal() = 0;
};

// What runs the program's handlers later on the one UI thread: a periodic timer, and a wakeup
// that other threads may signal.
class EventSources {
 public:
  virtual ~EventSources() = default;
  // Enabled from creation.
  virtual std::unique_ptr<Timer> CreateTimer(Window& owner, std::int32_t interval_ms,
                                             std::function<void()> on_tick) = 0;
  virtual std::unique_ptr<Wakeup> CreateWakeup(std::function<void()> on_wake) = 0;
};

}  // namespace solvarine
