#include <stdexcept>

#include "tests/win32/ui_test_support.h"

namespace solvarine::win32::testing {
namespace {

TEST_F(UiTest, TimerTicksWhileEnabledAndStopsWhenDisabled) {
  auto window = ui_.CreateScreenWindow("Solvarine timer test", {});
  int ticks = 0;
  auto timer = ui_.CreateTimer(*window, 20, [&] { ++ticks; });
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
  timer->SetEnabled(false);
  ticks = 0;
  PumpUntil([] { return false; }, 100ms);
  EXPECT_EQ(ticks, 0);
}

TEST_F(UiTest, ProgramEndInAHandlerStopsEverythingWithoutCrossingUser32) {
  int keys = 0;
  int ticks = 0;
  auto window = ui_.CreateScreenWindow("Solvarine end test", {{}, [&] {
                                                                ++keys;
                                                                throw ProgramEnd{};
                                                              }});
  auto timer = ui_.CreateTimer(*window, 10, [&] { ++ticks; });
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
  auto window = ui_.CreateScreenWindow("Solvarine failure test",
                                       {[] { throw std::runtime_error("broken handler"); }, {}});
  ::SendMessageW(Native(window->hWnd()), WM_LBUTTONDOWN, 0, 0);
  loop_.Call([] { FAIL() << "nothing runs after the end"; });
  EXPECT_EQ(reports_, std::vector<std::string>{"broken handler"});
  EXPECT_EQ(loop_.Run(), 1);
}

}  // namespace
}  // namespace solvarine::win32::testing
