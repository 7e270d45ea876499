#include "platform/win32/wic_picture_loader.h"

#include "platform/win32/windows_include.h"

#include <objbase.h>
#include <wincodec.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

using Quadrants = std::array<std::uint32_t, 4>;  // top left, top right, bottom left, bottom right

constexpr std::uint32_t kRed = 0xE01010, kGreen = 0x10E010, kBlue = 0x1010E0, kYellow = 0xE0E010;
constexpr Quadrants kUpright = {kRed, kGreen, kBlue, kYellow};
constexpr int kWidth = 64;  // upright; quadrant edges on whole 16-pixel JPEG blocks
constexpr int kHeight = 32;

void Ok(HRESULT result) {
  if (FAILED(result))
    throw std::runtime_error("making the JPEG failed: " + std::to_string(result));
}

// Four coloured quadrants, by WIC's own JPEG encoder.
std::string Jpeg(int width, int height, const Quadrants& quadrants) {
  std::vector<BYTE> bgr;
  for (int i = 0; i < width * height; ++i) {
    const std::uint32_t rgb = quadrants[(i / width * 2 / height) * 2 + i % width * 2 / width];
    bgr.insert(bgr.end(), {BYTE(rgb), BYTE(rgb >> 8), BYTE(rgb >> 16)});
  }
  ComPtr<IWICImagingFactory> factory;
  Ok(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                        IID_PPV_ARGS(factory.put())));
  ComPtr<IStream> stream;
  Ok(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
  ComPtr<IWICBitmapEncoder> encoder;
  Ok(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.put()));
  Ok(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  Ok(encoder->CreateNewFrame(frame.put(), options.put()));
  Ok(frame->Initialize(options.get()));
  Ok(frame->SetSize(width, height));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Ok(frame->SetPixelFormat(&format));
  Ok(frame->WritePixels(height, width * 3, static_cast<UINT>(bgr.size()), bgr.data()));
  Ok(frame->Commit());
  Ok(encoder->Commit());
  STATSTG stat{};
  HGLOBAL memory = nullptr;
  Ok(stream->Stat(&stat, STATFLAG_NONAME));
  Ok(::GetHGlobalFromStream(stream.get(), &memory));
  const std::string jpeg(static_cast<const char*>(::GlobalLock(memory)), stat.cbSize.QuadPart);
  ::GlobalUnlock(memory);
  return jpeg;
}

// An APP1 segment right after the start of the image, with a big-endian EXIF block whose IFD0
// holds the orientation tag alone.
std::string WithOrientation(std::string jpeg, int orientation) {
  const char exif[] = {'\xFF', '\xE1', 0, 34, 'E', 'x', 'i', 'f', 0, 0,
                       'M',    'M',    0, 42, 0,   0,   0,   8,   0, 1,
                       1,      18,     0, 3,  0,   0,   0,   1,   0, char(orientation),
                       0,      0,      0, 0,  0,   0};
  return jpeg.insert(2, exif, sizeof exif);
}

bool Near(std::uint32_t actual, std::uint32_t rgb) {
  int distance = 0;
  for (int shift = 0; shift < 24; shift += 8)
    distance += std::abs(static_cast<int>((actual >> shift & 0xFF) - (rgb >> shift & 0xFF)));
  return distance <= 80;
}

class ExifOrientationTest : public ::testing::Test {
 protected:
  ~ExifOrientationTest() override {
    if (SUCCEEDED(com_))
      ::CoUninitialize();
  }
  HRESULT com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  TempFolder folder_;
};

// WIC reads no orientation under Wine and turns nothing on Windows: the loader alone does.
TEST_F(ExifOrientationTest, EachOrientationLoadsUprightAtItsUprightSize) {
  const struct {
    int orientation;
    Quadrants stored;  // what the camera wrote, so that turning it gives kUpright
  } cases[] = {
      {1, {kRed, kGreen, kBlue, kYellow}}, {2, {kGreen, kRed, kYellow, kBlue}},
      {3, {kYellow, kBlue, kGreen, kRed}}, {4, {kBlue, kYellow, kRed, kGreen}},
      {5, {kRed, kBlue, kGreen, kYellow}}, {6, {kGreen, kYellow, kRed, kBlue}},
      {7, {kYellow, kGreen, kBlue, kRed}}, {8, {kBlue, kRed, kYellow, kGreen}},
  };
  for (const auto& c : cases) {
    const bool quarter_turn = c.orientation >= 5;
    const std::string jpeg =
        Jpeg(quarter_turn ? kHeight : kWidth, quarter_turn ? kWidth : kHeight, c.stored);
    const std::wstring file = folder_.WriteFile(L"photo.jpg", WithOrientation(jpeg, c.orientation));
    for (const double diagonal : {0.0, 36.0}) {  // full size, and about half
      SCOPED_TRACE("orientation " + std::to_string(c.orientation) + " at " +
                   std::to_string(diagonal));
      const Picture picture = WicPictureLoader().LoadPicture(Narrow(file), diagonal);
      EXPECT_EQ(picture.width, kWidth);
      EXPECT_EQ(picture.height, kHeight);
      ASSERT_GT(picture.pixel_width, picture.pixel_height);
      for (int q = 0; q < 4; ++q) {
        const int x = (q % 2 * 2 + 1) * picture.pixel_width / 4;
        const int y = (q / 2 * 2 + 1) * picture.pixel_height / 4;
        const std::uint32_t pixel = picture.pixels.at(y * picture.pixel_width + x);
        EXPECT_TRUE(Near(pixel, kUpright[q])) << x << "," << y << " is " << std::hex << pixel;
      }
    }
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
