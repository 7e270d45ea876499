#include "tests/win32/ui_test_support.h"

#include "platform/win32/gdi_objects.h"

namespace solvarine::win32::testing {
namespace {

TEST_F(UiTest, ScreenWindowRepaintsWhatWasDrawnAfterHideAndShow) {
  auto window = ui_.CreateScreenWindow("Solvarine backdrop test", {});
  const OwnedBrush red = Adopt<OwnedBrush>(::CreateSolidBrush(RGB(255, 0, 0)));
  const RECT square{100, 100, 140, 140};
  ::FillRect(Native(window->hDC()), &square, red.get());

  window->Show();
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(120, 120) == RGB(255, 0, 0); }));
  ::ShowWindow(Native(window->hWnd()), SW_HIDE);
  ASSERT_TRUE(PumpUntil([] { return ScreenPixel(120, 120) != RGB(255, 0, 0); }));
  window->Show();
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(120, 120) == RGB(255, 0, 0); }));
}

TEST_F(UiTest, EveryButtonAndKeyReachesTheHandlersOfWindowAndFocusedBox) {
  const struct {
    UINT message;
    WPARAM wparam;
    const char* reaches;  // m: the mouse-down handler, k: the key-down one
  } inputs[] = {{WM_LBUTTONDOWN, MK_LBUTTON, "m"}, {WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, "m"},
                {WM_MBUTTONDOWN, MK_MBUTTON, "m"}, {WM_KEYDOWN, 'A', "k"},
                {WM_SYSKEYDOWN, VK_F4, "k"},       {WM_MOUSEMOVE, 0, ""}};
  std::string reached;
  const InputHandlers count{[&] { reached += "m"; }, [&] { reached += "k"; }};
  auto window = ui_.CreateScreenWindow("Solvarine input test", count);
  auto box = ui_.CreatePictureBox(*window, {{1200, 720, 3840, 3840}, true, false, 0}, count);
  const HWND hwnd = Native(window->hWnd());
  for (HWND target : {hwnd, ::FindWindowExW(hwnd, nullptr, L"SolvarinePictureBox", nullptr)}) {
    for (const auto& input : inputs) {
      reached.clear();
      ::SendMessageW(target, input.message, input.wparam, MAKELPARAM(5, 5));
      EXPECT_EQ(reached, input.reaches) << input.message;
    }
  }
  EXPECT_TRUE(::IsWindow(Native(window->hWnd()))) << "alt+F4 must not close the window";
}

}  // namespace
}  // namespace solvarine::win32::testing
