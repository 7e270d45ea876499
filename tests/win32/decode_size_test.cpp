#include "platform/win32/wic_picture_loader.h"

#include "platform/win32/windows_include.h"

#include <objbase.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"
#include "tests/win32/ui_test_support.h"

namespace solvarine::win32::testing {
namespace {

constexpr int kWidth = 2000;
constexpr int kHeight = 1500;
// Top-left, top-right, bottom-left, bottom-right, as 0xRRGGBB.
constexpr std::uint32_t kQuadrants[] = {0xE01010, 0x10E010, 0x1010E0, 0xE0E010};

std::uint32_t QuadrantColour(int x, int y, int width, int height) {
  return kQuadrants[(y * 2 / height) * 2 + x * 2 / width];
}

bool Near(COLORREF actual, std::uint32_t rgb, int tolerance = 24) {
  return std::abs(GetRValue(actual) - static_cast<int>((rgb >> 16) & 0xFF)) <= tolerance &&
         std::abs(GetGValue(actual) - static_cast<int>((rgb >> 8) & 0xFF)) <= tolerance &&
         std::abs(GetBValue(actual) - static_cast<int>(rgb & 0xFF)) <= tolerance;
}

class DecodeSizeTest : public UiTest {
 protected:
  void SetUp() override { com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override {
    UiTest::TearDown();
    if (SUCCEEDED(com_))
      ::CoUninitialize();
  }

  HRESULT com_ = E_FAIL;
  TempFolder folder_;
  std::unique_ptr<Window> window_ = ui_.CreateScreenWindow("Solvarine decode test", {});
};

// The picture keeps reporting its own size whatever it was decoded at, and the holder, copied
// from as the tick does (source rectangle in the photo's own size), yields the whole photo.
TEST_F(DecodeSizeTest, ReducedDecodeReportsTheOwnSizeAndCopiesWholeWithRightColours) {
  const struct {
    double diagonal;
    int min_width, min_height, max_width, max_height;
  } sizes[] = {{500, 400, 300, 402, 302}, {0, kWidth, kHeight, kWidth, kHeight}};
  auto holder = ui_.CreatePictureBox(*window_, {{0, 0, 150, 150}, false, true, 1}, {});
  auto canvas = ui_.CreatePictureBox(*window_, {{0, 0, 3300, 3300}, true, false, 0}, {});
  std::vector<std::uint32_t> pixels;
  for (int i = 0; i < kWidth * kHeight; ++i)
    pixels.push_back(QuadrantColour(i % kWidth, i / kWidth, kWidth, kHeight));
  const std::wstring file = folder_.WriteFile(L"q.bmp", Bmp(kWidth, kHeight, pixels));
  for (const auto& size : sizes) {
    SCOPED_TRACE(Narrow(file) + " at " + std::to_string(size.diagonal));
    const Picture picture = WicPictureLoader().LoadPicture(Narrow(file), size.diagonal);
    EXPECT_EQ(picture.width, kWidth);
    EXPECT_EQ(picture.height, kHeight);
    EXPECT_GE(picture.pixel_width, size.min_width);
    EXPECT_GE(picture.pixel_height, size.min_height);
    EXPECT_LE(picture.pixel_width, size.max_width);
    EXPECT_LE(picture.pixel_height, size.max_height);
    ASSERT_EQ(picture.pixels.size(),
              static_cast<size_t>(picture.pixel_width) * picture.pixel_height);

    holder->SetPicture(picture);
    EXPECT_EQ(holder->ScaleSize().width, static_cast<float>(kWidth));
    EXPECT_EQ(holder->ScaleSize().height, static_cast<float>(kHeight));
    canvas->ClearPicture();
    gdi_.SetStretchBltMode(canvas->hDC(), COLORONCOLOR);
    gdi_.StretchBlt(canvas->hDC(), 0, 0, 200, 150, holder->hDC(), 0, 0, kWidth, kHeight, SRCCOPY);
    const HDC dc = Native(canvas->hDC());
    const struct { int x, y; } probes[] = {{50, 37}, {150, 37}, {50, 112}, {150, 112}};
    for (const auto& probe : probes) {
      EXPECT_TRUE(
          Near(::GetPixel(dc, probe.x, probe.y), QuadrantColour(probe.x, probe.y, 200, 150)))
          << probe.x << "," << probe.y << " is " << std::hex << ::GetPixel(dc, probe.x, probe.y);
    }
    EXPECT_EQ(::GetPixel(dc, 200, 75), RGB(255, 255, 255)) << "nothing drawn beyond";
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
