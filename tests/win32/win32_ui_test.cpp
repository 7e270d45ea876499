// Win32Ui's windows, picture boxes and timers, and the event loop they run in.
#include "platform/win32/win32_ui.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/gdi_guards.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/opaque_handles.h"
#include "platform/win32/wic_picture_loader.h"
#include "platform/win32/win32_gdi.h"

namespace solvarine::win32::testing {
namespace {

using namespace std::chrono_literals;

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

  COLORREF ScreenPixel(int x, int y) {
    const WindowDc screen(gdi_, {});
    return ::GetPixel(Native(screen.get()), x, y);
  }

  std::vector<std::string> reports_;
  EventLoop loop_{[this](const std::string& what) { reports_.push_back(what); }};
  Win32Ui ui_{loop_};
  Win32Gdi gdi_;
};

// A program end in a handler stops timers and core calls. (That a disabled timer is
// silent, the slideshow's pause shows end to end.)
TEST_F(UiTest, TimerTicksAndProgramEndInAHandlerStopsEverything) {
  int keys = 0;
  int ticks = 0;
  auto window = ui_.CreateScreenWindow("Solvarine end test", {{}, [&] {
                                                                ++keys;
                                                                throw ProgramEnd{};
                                                              }});
  auto timer = ui_.CreateTimer(*window, 10, [&] { ++ticks; });
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  ticks = 0;
  window->Show();
  ::SendMessageW(Native(window->hWnd()), WM_KEYDOWN, 'A', 0);
  EXPECT_TRUE(loop_.ended());
  EXPECT_FALSE(::IsWindowVisible(Native(window->hWnd())));
  ::SendMessageW(Native(window->hWnd()), WM_KEYDOWN, 'B', 0);
  EXPECT_EQ(keys, 1) << "no core call after the end";
  EXPECT_EQ(loop_.Run(), 0);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(reports_.empty());
}

TEST_F(UiTest, AnEscapedFailureIsReportedAndEndsWithExitCodeOne) {
  const auto broken = [] { throw std::runtime_error("broken handler"); };
  auto window = ui_.CreateScreenWindow("Solvarine failure test", {broken, {}});
  ::SendMessageW(Native(window->hWnd()), WM_LBUTTONDOWN, 0, 0);
  loop_.Call([] { FAIL() << "nothing runs after the end"; });
  EXPECT_EQ(reports_, std::vector<std::string>{"broken handler"});
  EXPECT_EQ(loop_.Run(), 1);
}

// Left and right clicks and plain keys are the end-to-end tour's. Alt+F4 is a key like
// any other, and no close, from the key or from outside, takes the window away.
TEST_F(UiTest, MiddleButtonAndAltF4ReachWindowAndBoxAndNothingClosesTheWindow) {
  std::string reached;
  const InputHandlers count{[&] { reached += "m"; }, [&] { reached += "k"; }};
  auto window = ui_.CreateScreenWindow("Solvarine input test", count);
  auto box = ui_.CreatePictureBox(*window, {{0, 0, 3840, 3840}, true, false, 0}, count);
  const HWND hwnd = Native(window->hWnd());
  for (HWND target : {hwnd, ::FindWindowExW(hwnd, nullptr, L"SolvarinePictureBox", nullptr)}) {
    reached.clear();
    ::SendMessageW(target, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(target, WM_SYSKEYDOWN, VK_F4, 1 << 29);  // with Alt held
    ::SendMessageW(target, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    loop_.Turn(0);  // a close the default handling of Alt+F4 would post arrives here
    EXPECT_EQ(reached, "mk");
  }
  ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  loop_.Turn(0);
  EXPECT_TRUE(::IsWindow(hwnd));
}

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A panorama wider than X11 lets a window be, decoded small and drawn at "chokkei" 800 as
// the tick draws it: the holder reports the photo's own size, whatever its window's, and
// the copy yields the whole photo with each quarter in its place.
TEST_F(UiTest, AHolderOfAReducedDecodeCopiesAsTheWholePhoto) {
  auto window = ui_.CreateScreenWindow("Solvarine picture test", {});
  auto holder = ui_.CreatePictureBox(*window, {{0, 0, 150, 150}, false, true, 1}, {});
  auto canvas = ui_.CreatePictureBox(*window, {{0, 0, 12000, 900}, true, false, 0}, {});
  const char* table = std::getenv("SOLVARINE_PICTURE_TABLE");
  ASSERT_NE(table, nullptr) << "run through ctest: picture_table.py writes the panorama";
  holder->SetPicture(WicPictureLoader().LoadPicture(table + std::string("\\panorama.bmp"), 800));
  const SizeF photo = holder->ScaleSize();
  EXPECT_EQ(std::pair(photo.width, photo.height), std::pair(40000.0f, 3000.0f));
  gdi_.SetStretchBltMode(canvas->hDC(), COLORONCOLOR);
  gdi_.StretchBlt(canvas->hDC(), 0, 0, 798, 60, holder->hDC(), 0, 0, static_cast<int>(photo.width),
                  static_cast<int>(photo.height), SRCCOPY);
  const std::pair<POINT, COLORREF> expected[] = {
      {{390, 14}, RGB(224, 16, 16)},  {{408, 14}, RGB(16, 224, 16)},  {{390, 45}, RGB(16, 16, 224)},
      {{408, 45}, RGB(224, 224, 16)}, {{797, 59}, RGB(224, 224, 16)}, {{798, 30}, kWhite}};
  for (const auto& [at, colour] : expected)
    EXPECT_EQ(::GetPixel(Native(canvas->hDC()), at.x, at.y), colour) << at.x << "," << at.y;
}

// (That a window region shows exactly its rectangle, the collage shows end to end.)
TEST_F(UiTest, RefreshPaintsAtOnce) {
  auto window = ui_.CreateScreenWindow("Solvarine picture test", {});
  window->Show();
  auto box = ui_.CreatePictureBox(*window, {{1500, 1500, 600, 600}, true, false, 0}, {});
  const HWND box_hwnd =
      ::FindWindowExW(Native(window->hWnd()), nullptr, L"SolvarinePictureBox", nullptr);
  ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(110, 110) == kWhite; }));
  box->SetPicture(Picture::FullSize(40, 40, std::vector<std::uint32_t>(1600, 0xFF00FF00)));
  EXPECT_TRUE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "drawn at the next paint";
  box->Refresh();
  EXPECT_FALSE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "Refresh paints at once";
  EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(110, 110) == RGB(0, 255, 0); }));
}

}  // namespace
}  // namespace solvarine::win32::testing
