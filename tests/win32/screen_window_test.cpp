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
    const char* name;
    UINT message;
    WPARAM wparam;
    int mouse_downs, key_downs;
  } inputs[] = {
      {"left button", WM_LBUTTONDOWN, MK_LBUTTON, 1, 0},
      {"right button with shift", WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, 1, 0},
      {"middle button", WM_MBUTTONDOWN, MK_MBUTTON, 1, 0},
      {"a key", WM_KEYDOWN, 'A', 0, 1},
      {"alt+F4", WM_SYSKEYDOWN, VK_F4, 0, 1},
      {"mouse move", WM_MOUSEMOVE, 0, 0, 0},
  };
  int mouse = 0;
  int keys = 0;
  const InputHandlers count{[&] { ++mouse; }, [&] { ++keys; }};
  auto window = ui_.CreateScreenWindow("Solvarine input test", count);
  auto box = ui_.CreatePictureBox(*window, {{1200, 720, 3840, 3840}, true, false, 0}, count);
  const HWND box_hwnd = ChildrenOfClass(Native(window->hWnd()), L"SolvarinePictureBox").at(0);
  for (HWND target : {Native(window->hWnd()), box_hwnd}) {
    for (const auto& input : inputs) {
      SCOPED_TRACE(input.name);
      mouse = keys = 0;
      ::SendMessageW(target, input.message, input.wparam, MAKELPARAM(5, 5));
      EXPECT_EQ(mouse, input.mouse_downs);
      EXPECT_EQ(keys, input.key_downs);
    }
  }
  EXPECT_TRUE(::IsWindow(Native(window->hWnd()))) << "alt+F4 must not close the window";
}

}  // namespace
}  // namespace solvarine::win32::testing
