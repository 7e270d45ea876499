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

TEST_F(DialogTest, ClientAreaIsTheTwipsAtTheWindowsDpiAndTheFrameIsFixed) {
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
  wchar_t title[64] = {};
  ::GetWindowTextW(hwnd_, title, 64);
  EXPECT_STREQ(title, L"Solvarine dialog test ");
}

TEST_F(DialogTest, ClosingRunsOnCloseAndLeavesTheEndToTheProgram) {
  ::SendMessageW(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(closes_, 1);
  EXPECT_TRUE(::IsWindow(hwnd_));
}

TEST_F(DialogTest, TabOrderFollowsTabIndexAndEveryControlUsesTheMessageFont) {
  ui_.CreateButton(*dialog_, {{240, 4200, 1215, 375}, "OK", 5}, {});
  auto label =
      ui_.CreateLabel(*dialog_, {{120, 2760, 615, 255}, "時間", LabelBackground::kDialog, 7});
  auto size = ui_.CreateSlider(*dialog_, {{600, 3120, 2055, 255}, 50, 800, 200, 1, 75, 1}, {});
  ui_.CreateFrame(*dialog_, {{240, 3480, 2775, 615}, "背景"});
  auto option = ui_.CreateOptionButton(*dialog_, {{480, 3720, 855, 255}, "黒", 13}, {});
  auto time = ui_.CreateSlider(*dialog_, {{600, 2760, 2055, 255}, 1, 10, 4, 1, 1, 0}, {});
  const auto scroll_bars = ChildrenOfClass(hwnd_, L"ScrollBar");
  const auto buttons = ChildrenOfClass(hwnd_, L"Button");  // frame, OK, option
  ASSERT_EQ(scroll_bars.size(), 2u);
  ASSERT_EQ(buttons.size(), 3u);

  dialog_->Show();
  EXPECT_EQ(::GetFocus(), scroll_bars[0]) << "tab index 0 has the focus";
  std::vector<HWND> order{::GetFocus()};
  for (HWND next = ::GetNextDlgTabItem(hwnd_, order.back(), FALSE); next != order.front();
       next = ::GetNextDlgTabItem(hwnd_, order.back(), FALSE)) {
    order.push_back(next);
    if (order.size() > 10)
      break;
  }
  EXPECT_EQ(order, (std::vector<HWND>{scroll_bars[0], scroll_bars[1], buttons[1], buttons[2]}));

  const auto font = ::SendMessageW(hwnd_, WM_GETFONT, 0, 0);
  EXPECT_NE(font, 0);
  for (HWND child : buttons)
    EXPECT_EQ(::SendMessageW(child, WM_GETFONT, 0, 0), font);
  for (HWND child : ChildrenOfClass(hwnd_, L"Static")) {
    EXPECT_EQ(::SendMessageW(child, WM_GETFONT, 0, 0), font);
  }
}

TEST_F(DialogTest, SliderRefusesValuesOutsideItsRangeAndReportsRealChangesOnce) {
  int changes = 0;
  auto slider = ui_.CreateSlider(*dialog_, {{600, 3120, 2055, 255}, 50, 800, 200, 1, 75, 0},
                                 [&] { ++changes; });
  EXPECT_THROW(slider->SetValue(49), Failure);
  EXPECT_THROW(slider->SetValue(801), Failure);
  slider->SetValue(200);
  EXPECT_EQ(changes, 0);
  slider->SetValue(800);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(slider->Value(), 800);
  EXPECT_EQ(::GetScrollPos(ChildrenOfClass(hwnd_, L"ScrollBar").at(0), SB_CTL), 800);
}

struct ScrollCase {
  WORD code;
  int expected;
};

TEST_F(DialogTest, SliderFollowsTheUsersScrollActions) {
  int changes = 0;
  auto slider = ui_.CreateSlider(*dialog_, {{600, 3120, 2055, 255}, 50, 800, 200, 1, 75, 0},
                                 [&] { ++changes; });
  const HWND bar = ChildrenOfClass(hwnd_, L"ScrollBar").at(0);
  const ScrollCase cases[] = {{SB_LINERIGHT, 201},  {SB_LINELEFT, 199}, {SB_PAGERIGHT, 275},
                              {SB_PAGELEFT, 125},   {SB_RIGHT, 800},    {SB_LEFT, 50},
                              {SB_THUMBTRACK, 200}, {SB_ENDSCROLL, 200}};
  for (const ScrollCase& scroll : cases) {
    slider->SetValue(200);
    changes = 0;
    ::SendMessageW(hwnd_, WM_HSCROLL, MAKEWPARAM(scroll.code, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(slider->Value(), scroll.expected) << "code " << scroll.code;
    EXPECT_EQ(changes, scroll.expected == 200 ? 0 : 1) << "code " << scroll.code;
  }
  slider->SetValue(800);
  changes = 0;
  ::SendMessageW(hwnd_, WM_HSCROLL, MAKEWPARAM(SB_PAGERIGHT, 0), reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(slider->Value(), 800);
  EXPECT_EQ(changes, 0);
}

TEST_F(DialogTest, SelectingAnOptionClearsTheOtherAndRunsItsClickAsAUserClickDoes) {
  int wallpaper_clicks = 0;
  int black_clicks = 0;
  auto wallpaper = ui_.CreateOptionButton(*dialog_, {{480, 3720, 855, 255}, "壁紙", 14},
                                          [&] { ++wallpaper_clicks; });
  auto black =
      ui_.CreateOptionButton(*dialog_, {{1800, 3705, 855, 255}, "黒", 13}, [&] { ++black_clicks; });
  EXPECT_FALSE(wallpaper->Selected());
  EXPECT_FALSE(black->Selected());

  wallpaper->Select();
  EXPECT_TRUE(wallpaper->Selected());
  EXPECT_EQ(wallpaper_clicks, 1);

  const HWND black_hwnd = ChildrenOfClass(hwnd_, L"Button").at(0);  // tab index 13 comes first
  ::SendMessageW(black_hwnd, BM_CLICK, 0, 0);
  EXPECT_TRUE(black->Selected());
  EXPECT_FALSE(wallpaper->Selected());
  EXPECT_EQ(black_clicks, 1);
}

TEST_F(DialogTest, ButtonsClickOnMouseAndOnEnterWhenFocused) {
  int ok_clicks = 0;
  int photo_clicks = 0;
  ui_.CreateButton(*dialog_, {{240, 4200, 1215, 375}, "OK", 5}, [&] { ++ok_clicks; });
  ui_.CreateButton(*dialog_, {{240, 2160, 1215, 420}, "Photo File", 15}, [&] { ++photo_clicks; });
  const auto buttons = ChildrenOfClass(hwnd_, L"Button");
  ::SendMessageW(buttons.at(0), BM_CLICK, 0, 0);
  EXPECT_EQ(ok_clicks, 1);

  dialog_->Show();
  ::SetFocus(buttons.at(1));
  MSG enter{buttons.at(1), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(::IsDialogMessageW(hwnd_, &enter));
  EXPECT_EQ(photo_clicks, 1);
  EXPECT_EQ(ok_clicks, 1);
}

struct LabelCase {
  LabelBackground background;
  COLORREF colour;
};

TEST_F(DialogTest, LabelsPaintTheirBackgroundAndShowCaptionsLiterally) {
  const LabelCase cases[] = {{LabelBackground::kWhite, RGB(255, 255, 255)},
                             {LabelBackground::kActiveBorder, ::GetSysColor(COLOR_ACTIVEBORDER)},
                             {LabelBackground::kDialog, ::GetSysColor(COLOR_BTNFACE)}};
  UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
  for (const LabelCase& label_case : cases) {
    auto label = ui_.CreateLabel(*dialog_, {{120, 120, 1215, 405}, "x", label_case.background, 0});
    const HWND label_hwnd = ChildrenOfClass(hwnd_, L"Static").at(0);
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(hwnd_, WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc.get()),
                                                         reinterpret_cast<LPARAM>(label_hwnd)));
    LOGBRUSH described{};
    ASSERT_TRUE(::GetObjectW(brush, sizeof(described), &described));
    EXPECT_EQ(described.lbColor, label_case.colour);
    EXPECT_EQ(::GetBkColor(dc.get()), label_case.colour);

    label->SetCaption("写真 & photo.jpg");
    EXPECT_EQ(label->Caption(), "写真 & photo.jpg");
    wchar_t shown[64] = {};
    ::GetWindowTextW(label_hwnd, shown, 64);
    EXPECT_EQ(Narrow(shown), "写真 & photo.jpg");
    EXPECT_TRUE(::GetWindowLongPtrW(label_hwnd, GWL_STYLE) & SS_NOPREFIX);
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
