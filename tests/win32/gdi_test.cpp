#include "platform/win32/gdi_objects.h"
#include "tests/win32/ui_test_support.h"

namespace solvarine::win32::testing {
namespace {

TEST_F(UiTest, RectangularWindowRegionClipsToExactlyThatRectangle) {
  auto window = ui_.CreateScreenWindow("Solvarine region test", {});
  const long before = LiveGdiObjects();
  gdi_.SetWindowRgn(window->hWnd(), gdi_.CreateRectRgn(10, 20, 110, 70), true);
  EXPECT_EQ(LiveGdiObjects(), before) << "the window owns the region now";
  const OwnedRegion probe = Adopt<OwnedRegion>(::CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(::GetWindowRgn(Native(window->hWnd()), probe.get()), SIMPLEREGION);
  RECT box{};
  ::GetRgnBox(probe.get(), &box);
  EXPECT_EQ(std::vector<LONG>({box.left, box.top, box.right, box.bottom}),
            std::vector<LONG>({10, 20, 110, 70}));
}

TEST_F(UiTest, StretchBltWithColorOnColorDropsRowsInsteadOfBlending) {
  auto window = ui_.CreateScreenWindow("Solvarine stretch test", {});
  auto source = ui_.CreatePictureBox(*window, {{0, 0, 15, 15}, false, true, 0}, {});
  auto target = ui_.CreatePictureBox(*window, {{0, 0, 150, 150}, false, false, 1}, {});
  source->SetPicture(Picture::FullSize(
      1, 6, {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}));
  gdi_.SetStretchBltMode(target->hDC(), COLORONCOLOR);
  gdi_.StretchBlt(target->hDC(), 0, 0, 1, 3, source->hDC(), 0, 0, 1, 6, SRCCOPY);
  for (int y = 0; y < 3; ++y) {
    const COLORREF pixel = ::GetPixel(Native(target->hDC()), 0, y);
    EXPECT_TRUE(pixel == RGB(0, 0, 0) || pixel == RGB(255, 255, 255)) << std::hex << pixel;
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
