#include "tests/win32/ui_test_support.h"

#include "platform/win32/text.h"

namespace solvarine::win32::testing {
namespace {

class DialogTest : public UiTest {
 protected:
  int closes_ = 0;
  std::unique_ptr<Window> dialog_ =
      ui_.CreateDialogWindow("Solvarine dialog test ", 3150, 4920, [this] { ++closes_; });
  HWND hwnd_ = Native(dialog_->hWnd());
};

TEST_F(DialogTest, ClientAreaIsTheTwipsAtTheWindowsDpiFrameFixedAndCloseRunsOnClose) {
  const UINT dpi = ::GetDpiForWindow(hwnd_);
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, ::MulDiv(3150, static_cast<int>(dpi), 1440));
  EXPECT_EQ(client.bottom, ::MulDiv(4920, static_cast<int>(dpi), 1440));
  EXPECT_FALSE(dialog_->Visible());
  const LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(closes_, 1);
  EXPECT_TRUE(::IsWindow(hwnd_)) << "closing leaves the end to the program";
}

TEST_F(DialogTest, SliderRefusesValuesOutsideItsRangeAndReportsEachRealChangeOnce) {
  int changes = 0;
  auto slider = ui_.CreateSlider(*dialog_, {{600, 3120, 2055, 255}, 50, 800, 200, 1, 75, 0},
                                 [&] { ++changes; });
  EXPECT_THROW(slider->SetValue(49), Failure);
  EXPECT_THROW(slider->SetValue(801), Failure);
  const HWND bar = ChildrenOfClass(hwnd_, L"ScrollBar").at(0);
  const struct {
    WORD code;  // 0: SetValue(expected) instead of a scroll action
    int from, expected;
  } cases[] = {{0, 200, 200},
               {0, 200, 800},
               {SB_LINERIGHT, 200, 201},
               {SB_LINELEFT, 200, 199},
               {SB_PAGERIGHT, 200, 275},
               {SB_PAGELEFT, 200, 125},
               {SB_RIGHT, 200, 800},
               {SB_LEFT, 200, 50},
               {SB_ENDSCROLL, 200, 200},
               {SB_PAGERIGHT, 800, 800}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.code) + " from " + std::to_string(c.from));
    slider->SetValue(c.from);
    changes = 0;
    if (c.code == 0)
      slider->SetValue(c.expected);
    else
      ::SendMessageW(hwnd_, WM_HSCROLL, MAKEWPARAM(c.code, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(slider->Value(), c.expected);
    EXPECT_EQ(::GetScrollPos(bar, SB_CTL), c.expected);
    EXPECT_EQ(changes, c.expected == c.from ? 0 : 1);
  }
}

TEST_F(DialogTest, SelectingAnOptionClearsTheOtherAndRunsItsClickAsAUserClickDoes) {
  int wallpaper_clicks = 0;
  int black_clicks = 0;
  auto wallpaper = ui_.CreateOptionButton(*dialog_, {{480, 3720, 855, 255}, "壁紙", 14},
                                          [&] { ++wallpaper_clicks; });
  auto black =
      ui_.CreateOptionButton(*dialog_, {{1800, 3705, 855, 255}, "黒", 13}, [&] { ++black_clicks; });
  wallpaper->Select();
  EXPECT_TRUE(wallpaper->Selected());
  EXPECT_EQ(wallpaper_clicks, 1);

  const HWND black_hwnd = ChildrenOfClass(hwnd_, L"Button").at(0);  // tab index 13 comes first
  ::SendMessageW(black_hwnd, BM_CLICK, 0, 0);
  EXPECT_TRUE(black->Selected());
  EXPECT_FALSE(wallpaper->Selected());
  EXPECT_EQ(black_clicks, 1);
}

TEST_F(DialogTest, AFocusedButtonClicksOnEnter) {
  int ok_clicks = 0;
  int photo_clicks = 0;
  ui_.CreateButton(*dialog_, {{240, 4200, 1215, 375}, "OK", 5}, [&] { ++ok_clicks; });
  ui_.CreateButton(*dialog_, {{240, 2160, 1215, 420}, "Photo File", 15}, [&] { ++photo_clicks; });
  const HWND photo = ChildrenOfClass(hwnd_, L"Button").at(1);
  dialog_->Show();
  ::SetFocus(photo);
  MSG enter{photo, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(::IsDialogMessageW(hwnd_, &enter));
  EXPECT_EQ(photo_clicks, 1);
  EXPECT_EQ(ok_clicks, 0);
}

TEST_F(DialogTest, LabelsPaintTheirBackgroundAndShowCaptionsLiterally) {
  const std::pair<LabelBackground, COLORREF> cases[] = {
      {LabelBackground::kWhite, RGB(255, 255, 255)},
      {LabelBackground::kActiveBorder, ::GetSysColor(COLOR_ACTIVEBORDER)},
      {LabelBackground::kDialog, ::GetSysColor(COLOR_BTNFACE)}};
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  for (const auto& [background, colour] : cases) {
    auto label = ui_.CreateLabel(*dialog_, {{120, 120, 1215, 405}, "x", background, 0});
    const HWND label_hwnd = ChildrenOfClass(hwnd_, L"Static").at(0);
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(hwnd_, WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc.get()),
                                                         reinterpret_cast<LPARAM>(label_hwnd)));
    LOGBRUSH described{};
    ASSERT_TRUE(::GetObjectW(brush, sizeof(described), &described));
    EXPECT_EQ(described.lbColor, colour);
    EXPECT_EQ(::GetBkColor(dc.get()), colour);

    label->SetCaption("写真 & photo.jpg");
    wchar_t shown[64] = {};
    ::GetWindowTextW(label_hwnd, shown, 64);
    EXPECT_EQ(Narrow(shown), "写真 & photo.jpg");
    EXPECT_TRUE(::GetWindowLongPtrW(label_hwnd, GWL_STYLE) & SS_NOPREFIX) << "& is no mnemonic";
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
