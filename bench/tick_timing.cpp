// The real slideshow on the real Windows platform, with the time every call into the core's
// tick spends on the window thread measured: the timer's calls and the worker's hand-overs.
// Started like "Solvarine.scr /s" (the stored settings say what it shows); ends on a key and then
// prints the figures. Usage: tick_timing
#include "platform/win32/windows_include.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/program.h"
#include "platform/win32/win32_platform.h"
#include "start/module1.h"

namespace solvarine::win32 {
namespace {

struct Call {
  double ms = 0;
  bool drew = false;  // the call placed a photo: it made the tick's two random draws
};

class CountingRandom final : public Random {
 public:
  explicit CountingRandom(Random& inner) : inner_(inner) {}
  float Rnd() override {
    ++draws;
    return inner_.Rnd();
  }
  long draws = 0;

 private:
  Random& inner_;
};

// The platform's timer and wakeups, with every tick and hand-over timed.
class TimedEvents final : public EventSources {
 public:
  TimedEvents(EventSources& inner, CountingRandom& random) : inner_(inner), random_(random) {}

  std::unique_ptr<Timer> CreateTimer(Window& owner, std::int32_t interval_ms,
                                     std::function<void()> on_tick) override {
    return inner_.CreateTimer(owner, interval_ms, Timed(std::move(on_tick)));
  }
  std::unique_ptr<Wakeup> CreateWakeup(std::function<void()> on_wake) override {
    return inner_.CreateWakeup(Timed(std::move(on_wake)));
  }

  std::vector<Call> calls;

 private:
  std::function<void()> Timed(std::function<void()> call) {
    return [this, call = std::move(call)] {
      const long draws = random_.draws;
      const auto start = std::chrono::steady_clock::now();
      call();  // a key ends the program from input, never from here
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      calls.push_back({took.count(), random_.draws != draws});
    };
  }

  EventSources& inner_;
  CountingRandom& random_;
};

void Print(const char* what, std::vector<double> ms) {
  if (ms.empty()) {
    std::printf("%-34s none\n", what);
    return;
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-34s %4zu calls, median %6.1f ms, worst %6.1f ms\n", what, ms.size(),
              ms[ms.size() / 2], ms.back());
}

}  // namespace
}  // namespace solvarine::win32

int wmain() {
  using namespace solvarine;
  win32::Win32Platform win32_platform;
  Platform& real = win32_platform.platform();
  win32::CountingRandom random(real.random);
  win32::TimedEvents events(real.events, random);
  Platform timed{real.windows,  events,        real.dialogs, real.gdi,
                 real.pictures, real.settings, real.files,   random};
  Program program(timed);
  const int code = win32_platform.Run([&] { StartUp(program, "/s"); });
  std::vector<double> drawing;
  std::vector<double> other;
  for (const win32::Call& call : events.calls)
    (call.drew ? drawing : other).push_back(call.ms);
  win32::Print("window thread, ticks that drew:", drawing);
  win32::Print("window thread, ticks that waited:", other);
  std::fflush(stdout);
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(code));  // no wait for the worker
  return code;
}
