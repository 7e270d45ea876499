#include "tests/win32/ui_test_support.h"

namespace solvarine::win32::testing {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

class PictureBoxTest : public UiTest {
 protected:
  std::unique_ptr<Window> window_ = ui_.CreateScreenWindow("Solvarine picture test", {});
};

TEST_F(PictureBoxTest, AutoSizedBoxTakesThePicturesSizeAndPixels) {
  auto box = ui_.CreatePictureBox(*window_, {{0, 0, 1500, 1500}, false, true, 0}, {});
  const Picture picture = Picture::FullSize(
      3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456, 0xFFFFFFFF, 0xFF000000});
  box->SetPicture(picture);

  EXPECT_EQ(box->ScaleSize().width, 3.0f);
  EXPECT_EQ(box->ScaleSize().height, 2.0f);
  for (int i = 0; i < 6; ++i) {
    const std::uint32_t argb = picture.pixels[i];
    EXPECT_EQ(::GetPixel(Native(box->hDC()), i % 3, i / 3),
              RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF))
        << i;
  }
  box->SetPicture(Picture::FullSize(1, 1, {0xFF00FF00}));
  EXPECT_EQ(box->ScaleSize().width, 1.0f);
}

TEST_F(PictureBoxTest, FixedBoxDrawsThePictureTopLeftOverWhiteAndClears) {
  auto box = ui_.CreatePictureBox(*window_, {{0, 0, 1500, 1500}, true, false, 0}, {});
  box->SetSize(30.4f, 20.6f);
  EXPECT_EQ(box->ScaleSize().width, 30.0f);
  EXPECT_EQ(box->ScaleSize().height, 21.0f);

  box->SetPicture(Picture::FullSize(2, 1, {0xFFFF0000, 0xFF0000FF}));
  HDC dc = Native(box->hDC());
  EXPECT_EQ(::GetPixel(dc, 1, 0), RGB(0, 0, 255));
  EXPECT_EQ(::GetPixel(dc, 2, 0), kWhite);
  EXPECT_EQ(::GetPixel(dc, 29, 20), kWhite);
  EXPECT_EQ(box->ScaleSize().width, 30.0f) << "a fixed box keeps its size";

  box->ClearPicture();
  EXPECT_EQ(::GetPixel(dc, 0, 0), kWhite);
}

TEST_F(PictureBoxTest, RefreshPaintsAtOnceAndTheScreenShowsTheImage) {
  window_->Show();
  auto box = ui_.CreatePictureBox(*window_, {{1500, 1500, 600, 600}, true, false, 0}, {});
  const HWND box_hwnd = ChildrenOfClass(Native(window_->hWnd()), L"SolvarinePictureBox").at(0);
  ASSERT_TRUE(PumpUntil([] { return ScreenPixel(110, 110) == kWhite; }));

  box->SetPicture(Picture::FullSize(40, 40, std::vector<std::uint32_t>(1600, 0xFF00FF00)));
  EXPECT_TRUE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "drawing waits for the next paint";
  box->Refresh();
  EXPECT_FALSE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "Refresh paints before it returns";
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(110, 110) == RGB(0, 255, 0); }));
}

}  // namespace
}  // namespace solvarine::win32::testing
