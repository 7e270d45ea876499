#include "tests/win32/ui_test_support.h"

#include <stdexcept>

namespace solvarine::win32::testing {
namespace {

TEST_F(UiTest, TimerTicksOnlyWhileEnabledWithAPositiveInterval) {
  auto window = ui_.CreateScreenWindow("Solvarine timer test", {});
  int ticks = 0;
  auto timer = ui_.CreateTimer(*window, 20, [&] { ++ticks; });
  EXPECT_TRUE(timer->Enabled());
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));

  timer->SetEnabled(false);
  ticks = 0;
  PumpFor(150ms);
  EXPECT_EQ(ticks, 0);

  timer->SetInterval(0);
  timer->SetEnabled(true);
  PumpFor(150ms);
  EXPECT_EQ(ticks, 0);

  timer->SetInterval(20);
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));
  EXPECT_EQ(timer->Interval(), 20);
}

TEST_F(UiTest, EnablingTheTimerRestartsAFullInterval) {
  auto window = ui_.CreateScreenWindow("Solvarine restart test", {});
  int ticks = 0;
  auto timer = ui_.CreateTimer(*window, 400, [&] { ++ticks; });
  for (int i = 0; i < 6; ++i) {  // 600 ms in all, but never 400 ms after the last restart
    PumpFor(100ms);
    timer->SetEnabled(true);
  }
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(PumpUntil([&] { return ticks == 1; }));
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
  EXPECT_FALSE(window->Visible());
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
  EXPECT_EQ(reports_, std::vector<std::string>{"broken handler"});
  EXPECT_EQ(loop_.Run(), 1);
}

TEST_F(UiTest, TheStartRunsThroughTheSameBoundary) {
  loop_.Call([] { throw Failure("no photo"); });
  loop_.Call([] { FAIL() << "nothing runs after the end"; });
  EXPECT_EQ(reports_, std::vector<std::string>{"no photo"});
  EXPECT_EQ(loop_.Run(), 1);
}

}  // namespace
}  // namespace solvarine::win32::testing
