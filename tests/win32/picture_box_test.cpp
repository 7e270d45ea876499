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
  const Picture picture =
      MakePicture(3, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF123456, 0xFFFFFFFF, 0xFF000000});
  box->SetPicture(picture);

  EXPECT_EQ(box->ScaleSize().width, 3.0f);
  EXPECT_EQ(box->ScaleSize().height, 2.0f);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      EXPECT_EQ(::GetPixel(Native(box->hDC()), x, y), AsColorref(picture.pixels[y * 3 + x]))
          << x << "," << y;
    }
  }
  box->SetPicture(MakePicture(1, 1, {0xFF00FF00}));
  EXPECT_EQ(box->ScaleSize().width, 1.0f);
}

TEST_F(PictureBoxTest, FixedBoxDrawsThePictureTopLeftOverWhiteAndClears) {
  auto box = ui_.CreatePictureBox(*window_, {{0, 0, 1500, 1500}, true, false, 0}, {});
  box->SetSize(30.4f, 20.6f);
  EXPECT_EQ(box->ScaleSize().width, 30.0f);
  EXPECT_EQ(box->ScaleSize().height, 21.0f);

  box->SetPicture(MakePicture(2, 1, {0xFFFF0000, 0xFF0000FF}));
  HDC dc = Native(box->hDC());
  EXPECT_EQ(::GetPixel(dc, 1, 0), RGB(0, 0, 255));
  EXPECT_EQ(::GetPixel(dc, 2, 0), kWhite);
  EXPECT_EQ(::GetPixel(dc, 29, 20), kWhite);
  EXPECT_EQ(box->ScaleSize().width, 30.0f) << "a fixed box keeps its size";

  box->ClearPicture();
  EXPECT_EQ(::GetPixel(dc, 0, 0), kWhite);
}

TEST_F(PictureBoxTest, HiddenBoxStaysHiddenAndServesAsCopySource) {
  auto holder = ui_.CreatePictureBox(*window_, {{0, 0, 150, 150}, false, true, 1}, {});
  auto canvas = ui_.CreatePictureBox(*window_, {{0, 0, 1500, 1500}, true, false, 0}, {});
  holder->SetPicture(MakePicture(2, 2, {0xFF102030, 0xFF405060, 0xFF708090, 0xFFA0B0C0}));
  holder->Move(40, 50);
  holder->Refresh();
  const HWND holder_hwnd = ChildrenOfClass(Native(window_->hWnd()), L"SolvarinePictureBox").back();
  EXPECT_FALSE(::IsWindowVisible(holder_hwnd));

  gdi_.BitBlt(canvas->hDC(), 5, 5, 2, 2, holder->hDC(), 0, 0, SRCCOPY);
  EXPECT_EQ(::GetPixel(Native(canvas->hDC()), 6, 6), RGB(0xA0, 0xB0, 0xC0));
  EXPECT_EQ(::GetPixel(Native(canvas->hDC()), 7, 7), kWhite);
}

// A picture decoded at half its own size: the box reports the own size and its drawing context
// addresses the decoded pixels in the own size's units, for copies and for painting alike.
TEST_F(PictureBoxTest, AReducedPictureIsAddressedInItsOwnSize) {
  window_->Show();
  auto holder = ui_.CreatePictureBox(*window_, {{0, 0, 150, 150}, true, true, 1}, {});
  auto canvas = ui_.CreatePictureBox(*window_, {{1500, 0, 1500, 1500}, true, false, 0}, {});
  const std::uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
  Picture picture{40, 30, 20, 15, {}};
  for (int y = 0; y < 15; ++y) {
    for (int x = 0; x < 20; ++x)
      picture.pixels.push_back(colours[(y / 8) * 2 + x / 10]);
  }
  holder->SetPicture(picture);
  EXPECT_EQ(holder->ScaleSize().width, 40.0f);
  EXPECT_EQ(holder->ScaleSize().height, 30.0f);

  gdi_.StretchBlt(canvas->hDC(), 0, 0, 40, 30, holder->hDC(), 0, 0, 40, 30, SRCCOPY);
  gdi_.BitBlt(canvas->hDC(), 50, 0, 40, 30, holder->hDC(), 0, 0, SRCCOPY);
  const HDC dc = Native(canvas->hDC());
  for (const int left : {0, 50}) {
    EXPECT_EQ(::GetPixel(dc, left + 1, 1), RGB(255, 0, 0)) << left;
    EXPECT_EQ(::GetPixel(dc, left + 38, 1), RGB(0, 255, 0)) << left;
    EXPECT_EQ(::GetPixel(dc, left + 1, 28), RGB(0, 0, 255)) << left;
    EXPECT_EQ(::GetPixel(dc, left + 38, 28), RGB(255, 255, 0)) << left;
    EXPECT_EQ(::GetPixel(dc, left + 40, 15), kWhite) << left;
  }
  EXPECT_EQ(::GetPixel(dc, 10, 30), kWhite);

  holder->Refresh();
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(38, 28) == RGB(255, 255, 0); }))
      << "painted at the own size";

  holder->SetSize(10, 10);
  EXPECT_EQ(::GetPixel(Native(holder->hDC()), 9, 9), kWhite) << "a new size maps one to one";
  EXPECT_EQ(::GetPixel(Native(holder->hDC()), 10, 10), CLR_INVALID);
}

TEST_F(PictureBoxTest, RefreshPaintsAtOnceAndTheScreenShowsTheImage) {
  window_->Show();
  auto box = ui_.CreatePictureBox(*window_, {{1500, 1500, 600, 600}, true, false, 0}, {});
  const HWND box_hwnd = ChildrenOfClass(Native(window_->hWnd()), L"SolvarinePictureBox").at(0);
  ASSERT_TRUE(PumpUntil([] { return ScreenPixel(110, 110) == kWhite; }));

  box->SetPicture(MakePicture(40, 40, std::vector<std::uint32_t>(1600, 0xFF00FF00)));
  EXPECT_TRUE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "drawing waits for the next paint";
  box->Refresh();
  EXPECT_FALSE(::GetUpdateRect(box_hwnd, nullptr, FALSE)) << "Refresh paints before it returns";
  EXPECT_TRUE(PumpUntil([] { return ScreenPixel(110, 110) == RGB(0, 255, 0); }));
}

}  // namespace
}  // namespace solvarine::win32::testing
