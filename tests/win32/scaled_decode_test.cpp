// The decoder's own scaled decode, which only Windows' JPEG decoder offers (Wine's do
// not): run against a frame that scales as that decoder does.
#include "platform/win32/wic_scaled_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>

#include "platform/win32/com_ptr.h"
#include "platform/win32/win32_platform.h"

namespace solvarine::win32::testing {
namespace {

using Quarters = std::array<std::uint32_t, 4>;
constexpr Quarters kUpright = {0xE01010, 0x10E010, 0x1010E0, 0xE0E010};

// As Windows' JPEG decoder: scales by 1/1, 1/2, 1/4 or 1/8, sides rounded up, to the
// scale nearest the width asked for (maybe below it); hands out 24-bit BGR, unturned, at
// those sizes only. Its stored pixels are four coloured quarters. (x64 has one calling
// convention: the methods need no STDMETHODCALLTYPE.)
class JpegLikeFrame final : public IWICBitmapSource, public IWICBitmapSourceTransform {
 public:
  JpegLikeFrame(UINT width, UINT height, Quarters quarters)
      : width_(width), height_(height), quarters_(quarters) {}

  HRESULT QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, kIidWicBitmapSourceTransform))
      *out = static_cast<IWICBitmapSourceTransform*>(this);
    else if (IsEqualIID(iid, IID_IWICBitmapSource) || IsEqualIID(iid, IID_IUnknown))
      *out = static_cast<IWICBitmapSource*>(this);
    else
      *out = nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  ULONG AddRef() override { return 2; }  // it lives on the test's stack
  ULONG Release() override { return 1; }
  HRESULT GetSize(UINT* width, UINT* height) override {
    *width = width_;
    *height = height_;
    return S_OK;
  }
  // Not for reading: every picture here is decoded smaller by the decoder itself.
  HRESULT GetPixelFormat(WICPixelFormatGUID*) override { return E_NOTIMPL; }
  HRESULT GetResolution(double*, double*) override { return E_NOTIMPL; }
  HRESULT CopyPalette(IWICPalette*) override { return E_NOTIMPL; }
  HRESULT CopyPixels(const WICRect*, UINT, UINT, BYTE*) override { return E_NOTIMPL; }
  HRESULT DoesSupportTransform(WICBitmapTransformOptions, BOOL*) override { return E_NOTIMPL; }

  HRESULT GetClosestSize(UINT* width, UINT* height) override {
    const UINT nearest = *std::ranges::min_element(kScales, {}, [&](UINT scale) {
      return std::abs(static_cast<int>(Scaled(width_, scale)) - static_cast<int>(*width));
    });
    *width = Scaled(width_, nearest);
    *height = Scaled(height_, nearest);
    return S_OK;
  }
  HRESULT GetClosestPixelFormat(WICPixelFormatGUID* format) override {
    *format = GUID_WICPixelFormat24bppBGR;
    return S_OK;
  }
  HRESULT CopyPixels(const WICRect* rect, UINT width, UINT height, WICPixelFormatGUID* format,
                     WICBitmapTransformOptions transform, UINT stride, UINT size,
                     BYTE* buffer) override {
    const bool offered = std::ranges::any_of(kScales, [&](UINT scale) {
      return width == Scaled(width_, scale) && height == Scaled(height_, scale);
    });
    if (!offered || rect || transform != WICBitmapTransformRotate0 ||
        !IsEqualGUID(*format, GUID_WICPixelFormat24bppBGR) || size < stride * height) {
      return E_INVALIDARG;
    }
    for (UINT y = 0; y < height; ++y) {
      for (UINT x = 0; x < width; ++x)
        std::memcpy(buffer + y * stride + x * 3, &quarters_[y * 2 / height * 2 + x * 2 / width], 3);
    }
    return S_OK;
  }

 private:
  static constexpr UINT kScales[] = {1, 2, 4, 8};
  static UINT Scaled(UINT side, UINT scale) { return (side + scale - 1) / scale; }

  UINT width_;
  UINT height_;
  Quarters quarters_;
};

// Decoded at the smallest scale that covers the drawn size (asked again, larger, when
// the nearest falls short), then turned upright once; 1/8 of an uneven side rounds up.
TEST(ScaledDecodeTest, TheDecoderScalesToTheSmallestCoveringSizeThenItIsTurned) {
  const ComApartment com;
  ComPtr<IWICImagingFactory> factory;
  ASSERT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())));
  const auto [red, green, blue, yellow] = kUpright;
  const struct {
    UINT width, height;
    int orientation;
    double diagonal;
    Quarters stored;
    std::array<int, 4> upright;  // width, height, pixel_width, pixel_height
  } cases[] = {{1000, 750, 1, 300, kUpright, {1000, 750, 250, 188}},
               {1000, 750, 1, 380, kUpright, {1000, 750, 500, 375}},
               {750, 1000, 6, 300, {green, yellow, red, blue}, {1000, 750, 250, 188}},
               {1001, 751, 1, 150, kUpright, {1001, 751, 126, 94}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.diagonal);
    JpegLikeFrame frame(c.width, c.height, c.stored);
    const Picture p = DecodeUpright(*factory.get(), frame, c.orientation, c.diagonal);
    EXPECT_EQ((std::array{p.width, p.height, p.pixel_width, p.pixel_height}), c.upright);
    for (int quarter = 0; quarter < 4; ++quarter) {
      const int x = (quarter % 2 * 2 + 1) * p.pixel_width / 4;
      const int y = (quarter / 2 * 2 + 1) * p.pixel_height / 4;
      EXPECT_EQ(p.pixels.at(y * p.pixel_width + x), 0xFF000000 | kUpright[quarter]);
    }
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
