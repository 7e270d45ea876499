#include "platform/win32/win32_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/child_control.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/opaque_handles.h"
#include "platform/win32/text.h"

namespace solvarine::win32::testing {
namespace {

class DialogTest : public ::testing::Test {
 protected:
  HWND Child(const wchar_t* kind, const wchar_t* text = nullptr, HWND after = nullptr) {
    return ::FindWindowExW(hwnd_, after, kind, text);
  }
  static std::vector<LONG> Edges(RECT r) { return {r.left, r.top, r.right, r.bottom}; }
  // A child's rectangle in the dialog's client pixels.
  std::vector<LONG> Edges(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    return Edges(r);
  }

  EventLoop loop_{[](const std::string&) {}};
  Win32Ui ui_{loop_};
  std::vector<int> resized_to_;  // client widths the program is told of
  std::unique_ptr<Window> dialog_ = ui_.CreateDialogWindow(
      "Solvarine dialog test", 3150, 4920, {},
      [this] { resized_to_.push_back(static_cast<int>(dialog_->ScaleSize().width)); });
  HWND hwnd_ = Native(dialog_->hWnd());
};

// Dragged to another monitor, the dialog keeps every control where its twips say, then
// tells the program, which draws the preview again on its blank image of the new size.
// The places on first show are the end-to-end tour's.
TEST_F(DialogTest, ControlsFollowTheResolution) {
  const TwipsRect slider{600, 2760, 2055, 255}, preview{120, 120, 2895, 1935};
  auto bar = ui_.CreateSlider(*dialog_, {slider, 1, 10, 4, 1, 1, 0}, {});
  auto box = ui_.CreatePictureBox(*dialog_, {preview, true, false, 4}, {});
  auto holder = ui_.CreatePictureBox(*dialog_, {{720, 480, 1575, 1335}, false, true, 11}, {});
  box->SetPicture(Picture::FullSize(1, 1, {0xFF00FF00}));
  holder->SetPicture(Picture::FullSize(30, 20, std::vector<std::uint32_t>(600, 0xFF0000FF)));
  const HWND box_hwnd = Child(L"SolvarinePictureBox");
  const std::pair<HWND, TwipsRect> placed[] = {{Child(L"ScrollBar"), slider}, {box_hwnd, preview}};
  for (const UINT dpi : {144, 96}) {
    SCOPED_TRACE(dpi);
    RECT suggested{};
    ::GetWindowRect(hwnd_, &suggested);
    ::SendMessageW(hwnd_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    for (const auto& [control, twips] : placed)
      EXPECT_EQ(Edges(control), Edges(PixelRect(twips, dpi))) << twips.left;
    const RECT at = PixelRect({720, 480, 0, 0}, dpi);
    EXPECT_EQ(Edges(Child(L"SolvarinePictureBox", nullptr, box_hwnd)),
              Edges({at.left, at.top, at.left + 30, at.top + 20}))
        << "an auto-sized box keeps its picture's size";
    const RECT r = PixelRect(preview, dpi);
    for (const POINT corner : {POINT{0, 0}, POINT{r.right - r.left - 1, r.bottom - r.top - 1}})
      EXPECT_EQ(::GetPixel(Native(box->hDC()), corner.x, corner.y), RGB(255, 255, 255));
  }
  EXPECT_EQ(resized_to_, (std::vector{TwipsToPixels(3150, 144), TwipsToPixels(3150, 96)}));
}

TEST_F(DialogTest, SliderRefusesValuesOutsideItsRangeAndReportsEachRealChangeOnce) {
  int changes = 0;
  auto slider = ui_.CreateSlider(*dialog_, {{600, 3120, 2055, 255}, 50, 800, 200, 1, 75, 0},
                                 [&] { ++changes; });
  EXPECT_THROW(slider->SetValue(49), Failure);
  EXPECT_THROW(slider->SetValue(801), Failure);
  const HWND bar = Child(L"ScrollBar");
  // Each from where the last left it; -1: SetValue(expected) instead of a scroll action.
  const std::pair<int, int> steps[] = {{-1, 200},           {SB_LINERIGHT, 201},
                                       {SB_LINELEFT, 200},  {SB_PAGERIGHT, 275},
                                       {SB_PAGELEFT, 200},  {SB_RIGHT, 800},
                                       {SB_PAGERIGHT, 800}, {SB_LEFT, 50},
                                       {SB_ENDSCROLL, 50},  {-1, 800}};
  for (const auto& [code, expected] : steps) {
    const int from = slider->Value();
    SCOPED_TRACE(std::to_string(code) + " from " + std::to_string(from));
    changes = 0;
    if (code < 0)
      slider->SetValue(expected);
    else
      ::SendMessageW(hwnd_, WM_HSCROLL, code, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(slider->Value(), expected);
    EXPECT_EQ(::GetScrollPos(bar, SB_CTL), expected);
    EXPECT_EQ(changes, expected == from ? 0 : 1);
  }
}

// Tab goes OK, the option group (its selected option, or the first), Photo File; Enter
// clicks the focused button.
TEST_F(DialogTest, TabOrderFollowsTheTabIndexWithTheOptionsAsOneGroup) {
  std::vector<std::string> clicks;
  const auto click = [&](const char* name) { return [&clicks, name] { clicks.push_back(name); }; };
  ui_.CreateButton(*dialog_, {{240, 2160, 1215, 420}, "Photo File", 15}, click("Photo File"));
  auto wallpaper =
      ui_.CreateOptionButton(*dialog_, {{480, 3720, 855, 255}, "壁紙", 14}, click("壁紙"));
  ui_.CreateFrame(*dialog_, {{240, 3480, 2775, 615}, "背景"});
  ui_.CreateButton(*dialog_, {{240, 4200, 1215, 375}, "OK", 5}, click("OK"));
  auto black = ui_.CreateOptionButton(*dialog_, {{1800, 3705, 855, 255}, "黒", 13}, click("黒"));
  const auto tab_cycle = [&] {
    std::string order;
    HWND control = nullptr;
    for (int i = 0; i < 4; ++i) {
      control = ::GetNextDlgTabItem(hwnd_, control, FALSE);
      wchar_t text[32] = {};
      ::GetWindowTextW(control, text, 32);
      order += Narrow(text) + ",";
    }
    return order;
  };
  EXPECT_EQ(tab_cycle(), "OK,黒,Photo File,OK,");
  wallpaper->Select();
  EXPECT_EQ(tab_cycle(), "OK,壁紙,Photo File,OK,");

  dialog_->Show();
  ::SetFocus(Child(L"Button", L"Photo File"));
  MSG enter{::GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(::IsDialogMessageW(hwnd_, &enter));
  loop_.Turn(0);
  EXPECT_EQ(clicks, (std::vector<std::string>{"壁紙", "Photo File"}));
}

}  // namespace
}  // namespace solvarine::win32::testing
