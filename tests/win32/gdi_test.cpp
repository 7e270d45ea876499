#include "tests/win32/ui_test_support.h"

#include "platform/win32/gdi_objects.h"

namespace solvarine::win32::testing {
namespace {

TEST_F(UiTest, RectangularWindowRegionClipsToExactlyThatRectangle) {
  auto window = ui_.CreateScreenWindow("Solvarine region test", {});
  const long before = LiveGdiObjects();
  const Hrgn region = gdi_.CreateRectRgn(10, 20, 110, 70);
  EXPECT_EQ(LiveGdiObjects(), before + 1);
  gdi_.SetWindowRgn(window->hWnd(), region, true);
  EXPECT_EQ(LiveGdiObjects(), before) << "the window owns the region now";

  UniqueHrgn probe(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(::GetWindowRgn(Native(window->hWnd()), probe.get()), SIMPLEREGION);
  RECT box{};
  ::GetRgnBox(probe.get(), &box);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.top, 20);
  EXPECT_EQ(box.right, 110);
  EXPECT_EQ(box.bottom, 70);

  gdi_.SetWindowRgn(window->hWnd(), gdi_.CreateRectRgn(0, 0, 0, 0), true);
  EXPECT_EQ(::GetWindowRgn(Native(window->hWnd()), probe.get()), NULLREGION);
}

TEST_F(UiTest, StretchBltWithColorOnColorDropsRowsInsteadOfBlending) {
  auto window = ui_.CreateScreenWindow("Solvarine stretch test", {});
  auto source = ui_.CreatePictureBox(*window, {{0, 0, 15, 15}, false, true, 0}, {});
  auto target = ui_.CreatePictureBox(*window, {{0, 0, 150, 150}, false, false, 1}, {});
  source->SetPicture(
      MakePicture(1, 6, {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
  gdi_.SetStretchBltMode(target->hDC(), COLORONCOLOR);
  gdi_.StretchBlt(target->hDC(), 0, 0, 1, 3, source->hDC(), 0, 0, 1, 6, SRCCOPY);
  for (int y = 0; y < 3; ++y) {
    const COLORREF pixel = ::GetPixel(Native(target->hDC()), 0, y);
    EXPECT_TRUE(pixel == RGB(0, 0, 0) || pixel == RGB(255, 255, 255)) << std::hex << pixel;
  }
}

TEST_F(UiTest, LiveGdiCountRisesOnALeakAndReturnsWhenOwnersGo) {
  const long before = LiveGdiObjects();
  {
    auto window = ui_.CreateScreenWindow("Solvarine count test", {});
    auto box = ui_.CreatePictureBox(*window, {{0, 0, 1500, 1500}, true, true, 0}, {});
    box->SetPicture(MakePicture(4, 4, std::vector<std::uint32_t>(16, 0xFF00FF00)));
    window->hDC();
    EXPECT_GE(LiveGdiObjects(), before + 4) << "two images, each a DC and a bitmap";
  }
  EXPECT_EQ(LiveGdiObjects(), before);

  const Hrgn leaked = gdi_.CreateRectRgn(0, 0, 5, 5);
  EXPECT_EQ(LiveGdiObjects(), before + 1);
  gdi_.DeleteObject(leaked);
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST_F(UiTest, ScreenTwipsArePhysicalPixelsTimesFifteen) {
  const SizeF twips = ui_.ScreenTwips();
  EXPECT_EQ(twips.width, static_cast<float>(::GetSystemMetrics(SM_CXSCREEN) * 15));
  EXPECT_EQ(twips.height, static_cast<float>(::GetSystemMetrics(SM_CYSCREEN) * 15));
}

}  // namespace
}  // namespace solvarine::win32::testing
