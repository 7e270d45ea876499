#include "platform/win32/gdi_objects.h"
#include "tests/win32/ui_test_support.h"

namespace solvarine::win32::testing {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class PictureBoxTest : public UiTest {
 protected:
  std::unique_ptr<Window> window_ = ui_.CreateScreenWindow("Solvarine picture test", {});
};

// A photo decoded at a fifth of its size: the holder reports the photo's own size, and a copy
// from it, as the tick makes one, yields the whole photo with each quarter in its place.
TEST_F(PictureBoxTest, AHolderOfAReducedDecodeCopiesAsTheWholePhoto) {
  constexpr int kWidth = 2000;
  constexpr int kHeight = 1500;
  constexpr std::uint32_t kQuarters[] = {0xE01010, 0x10E010, 0x1010E0, 0xE0E010};
  const auto quarter = [&](int x, int y, int width, int height) {
    return kQuarters[(y * 2 / height) * 2 + x * 2 / width];
  };
  Picture picture{kWidth, kHeight, 400, 300, {}};
  for (int i = 0; i < 400 * 300; ++i)
    picture.pixels.push_back(quarter(i % 400, i / 400, 400, 300));
  auto holder = ui_.CreatePictureBox(*window_, {{0, 0, 150, 150}, false, true, 1}, {});
  auto canvas = ui_.CreatePictureBox(*window_, {{0, 0, 3300, 3300}, true, false, 0}, {});
  holder->SetPicture(picture);
  EXPECT_EQ(holder->ScaleSize().width, static_cast<float>(kWidth));
  EXPECT_EQ(holder->ScaleSize().height, static_cast<float>(kHeight));
  gdi_.SetStretchBltMode(canvas->hDC(), COLORONCOLOR);
  gdi_.StretchBlt(canvas->hDC(), 0, 0, 200, 150, holder->hDC(), 0, 0, kWidth, kHeight, SRCCOPY);
  const HDC dc = Native(canvas->hDC());
  for (const auto& [x, y] : {std::pair{50, 37}, {150, 37}, {50, 112}, {150, 112}, {199, 149}}) {
    const std::uint32_t expected = quarter(x, y, 200, 150);
    EXPECT_EQ(::GetPixel(dc, x, y), RGB(expected >> 16, expected >> 8, expected)) << x << "," << y;
  }
  EXPECT_EQ(::GetPixel(dc, 200, 75), kWhite) << "nothing drawn beyond";
}

TEST_F(PictureBoxTest, RefreshPaintsAtOnceAndTheRegionShowsExactlyItsRectangle) {
  window_->Show();
  auto box = ui_.CreatePictureBox(*window_, {{1500, 1500, 600, 600}, true, false, 0}, {});
  const HWND box_hwnd =
      ::FindWindowExW(Native(window_->hWnd()), nullptr, L"SolvarinePictureBox", nullptr);
  ASSERT_TRUE(PumpUntil([] { return ScreenPixel(110, 110) == kWhite; }));
  box->SetPicture(Picture::FullSize(40, 40, std::vector<std::uint32_t>(1600, 0xFF00FF00)));
  EXPECT_TRUE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "drawing waits for the next paint";
  box->Refresh();
  EXPECT_FALSE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "Refresh paints before it returns";
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(110, 110) == RGB(0, 255, 0); }));

  const long before = LiveGdiObjects();
  gdi_.SetWindowRgn(window_->hWnd(), gdi_.CreateRectRgn(105, 106, 111, 112), true);
  EXPECT_EQ(LiveGdiObjects(), before) << "the window owns the region now";
  EXPECT_TRUE(PumpUntil([] {
    return ScreenPixel(110, 111) == RGB(0, 255, 0) && ScreenPixel(111, 111) != RGB(0, 255, 0) &&
           ScreenPixel(110, 112) != RGB(0, 255, 0) && ScreenPixel(104, 106) != RGB(0, 255, 0);
  }));
}

}  // namespace
}  // namespace solvarine::win32::testing
