#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_ui.h"

namespace solvarine::win32::testing {

using namespace std::chrono_literals;

inline HWND Native(Hwnd window) {
  return reinterpret_cast<HWND>(window);
}
inline HDC Native(Hdc dc) {
  return reinterpret_cast<HDC>(dc);
}

inline COLORREF ScreenPixel(int x, int y) {
  const HDC screen = ::GetDC(nullptr);
  const COLORREF pixel = ::GetPixel(screen, x, y);
  ::ReleaseDC(nullptr, screen);
  return pixel;
}

class UiTest : public ::testing::Test {
 protected:
  // Turns the program's own loop until the condition holds or the time is up.
  template <typename Condition>
  bool PumpUntil(Condition done, std::chrono::milliseconds timeout = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
      if (std::chrono::steady_clock::now() >= deadline)
        return false;
      loop_.Turn(20);
    }
    return true;
  }

  std::vector<std::string> reports_;
  EventLoop loop_{[this](const std::string& what) { reports_.push_back(what); }};
  Win32Ui ui_{loop_};
  Win32Gdi gdi_;
};

}  // namespace solvarine::win32::testing
