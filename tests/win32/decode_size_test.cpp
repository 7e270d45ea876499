#include "platform/win32/wic_scaled_decode.h"

#include <objbase.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/text.h"
#include "platform/win32/wic_picture_loader.h"
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

ComPtr<IWICImagingFactory> Factory() {
  ComPtr<IWICImagingFactory> factory;
  EXPECT_HRESULT_SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr,
                                              CLSCTX_INPROC_SERVER, IID_PPV_ARGS(factory.put())));
  return factory;
}

// The quadrant picture, written with WIC's own encoder.
void WriteQuadrants(const std::wstring& file, const GUID& container) {
  ComPtr<IWICImagingFactory> factory = Factory();
  ComPtr<IWICStream> stream;
  ASSERT_HRESULT_SUCCEEDED(factory->CreateStream(stream.put()));
  ASSERT_HRESULT_SUCCEEDED(stream->InitializeFromFilename(file.c_str(), GENERIC_WRITE));
  ComPtr<IWICBitmapEncoder> encoder;
  ASSERT_HRESULT_SUCCEEDED(factory->CreateEncoder(container, nullptr, encoder.put()));
  ASSERT_HRESULT_SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache));
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  ASSERT_HRESULT_SUCCEEDED(encoder->CreateNewFrame(frame.put(), options.put()));
  ASSERT_HRESULT_SUCCEEDED(frame->Initialize(options.get()));
  ASSERT_HRESULT_SUCCEEDED(frame->SetSize(kWidth, kHeight));
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  ASSERT_HRESULT_SUCCEEDED(frame->SetPixelFormat(&format));
  ASSERT_TRUE(IsEqualGUID(format, GUID_WICPixelFormat24bppBGR));
  const UINT stride = (kWidth * 3 + 3) / 4 * 4;
  std::vector<BYTE> rows(std::size_t{stride} * kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t rgb = QuadrantColour(x, y, kWidth, kHeight);
      BYTE* pixel = &rows[std::size_t{stride} * y + std::size_t{3} * x];
      pixel[0] = rgb & 0xFF;
      pixel[1] = (rgb >> 8) & 0xFF;
      pixel[2] = (rgb >> 16) & 0xFF;
    }
  }
  ASSERT_HRESULT_SUCCEEDED(
      frame->WritePixels(kHeight, stride, static_cast<UINT>(rows.size()), rows.data()));
  ASSERT_HRESULT_SUCCEEDED(frame->Commit());
  ASSERT_HRESULT_SUCCEEDED(encoder->Commit());
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
    const wchar_t* name;
    GUID container;
  } formats[] = {{L"q.bmp", GUID_ContainerFormatBmp}, {L"q.jpg", GUID_ContainerFormatJpeg}};
  const struct {
    double diagonal;
    int min_width, min_height, max_width, max_height;
  } sizes[] = {{500, 400, 300, 402, 302},
               {0, kWidth, kHeight, kWidth, kHeight},
               {2500, kWidth, kHeight, kWidth, kHeight},
               {9000, kWidth, kHeight, kWidth, kHeight}};
  auto holder = ui_.CreatePictureBox(*window_, {{0, 0, 150, 150}, false, true, 1}, {});
  auto canvas = ui_.CreatePictureBox(*window_, {{0, 0, 3300, 3300}, true, false, 0}, {});
  for (const auto& format : formats) {
    const std::wstring file = folder_ / format.name;
    WriteQuadrants(file, format.container);
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
      const struct {
        int x, y;
      } probes[] = {{50, 37}, {150, 37}, {50, 112}, {150, 112}, {2, 2}, {197, 147}};
      for (const auto& probe : probes) {
        EXPECT_TRUE(
            Near(::GetPixel(dc, probe.x, probe.y), QuadrantColour(probe.x, probe.y, 200, 150)))
            << probe.x << "," << probe.y << " is " << std::hex << ::GetPixel(dc, probe.x, probe.y);
      }
      EXPECT_EQ(::GetPixel(dc, 200, 75), RGB(255, 255, 255)) << "nothing drawn beyond";
      EXPECT_EQ(::GetPixel(dc, 100, 150), RGB(255, 255, 255)) << "nothing drawn beyond";
    }
  }
}

// Stands in for a decoder with its own scaled decode, as Windows' JPEG decoder has: native sizes
// of 1/1, 1/2, 1/4 and 1/8, closest sizes rounded down, pixels in 24bppBGR.
class ScalingFrame final : public IWICBitmapSource, public IWICBitmapSourceTransform {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IWICBitmapSource)) {
      *out = static_cast<IWICBitmapSource*>(this);
    } else if (IsEqualIID(iid, kIidWicBitmapSourceTransform)) {
      *out = static_cast<IWICBitmapSourceTransform*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }  // lives on the test's stack

  HRESULT STDMETHODCALLTYPE GetSize(UINT* width, UINT* height) override {
    *width = kWidth;
    *height = kHeight;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPixelFormat(WICPixelFormatGUID* format) override {
    *format = GUID_WICPixelFormat24bppBGR;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetResolution(double* x, double* y) override {
    *x = *y = 96;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE CopyPalette(IWICPalette*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT stride, UINT size,
                                       BYTE* buffer) override {
    ++full_decodes;
    const WICRect all{0, 0, kWidth, kHeight};
    return Fill(rect ? *rect : all, kWidth, kHeight, stride, size, buffer);
  }

  HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                       WICPixelFormatGUID* format, WICBitmapTransformOptions,
                                       UINT stride, UINT size, BYTE* buffer) override {
    UINT native_width = width;
    UINT native_height = height;
    GetClosestSize(&native_width, &native_height);
    if (rect || native_width != width || native_height != height ||
        !IsEqualGUID(*format, GUID_WICPixelFormat24bppBGR)) {
      return E_INVALIDARG;
    }
    scaled_decodes.push_back({static_cast<int>(width), static_cast<int>(height)});
    const WICRect all{0, 0, static_cast<INT>(width), static_cast<INT>(height)};
    return Fill(all, width, height, stride, size, buffer);
  }
  HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) override {
    for (const UINT divisor : {1u, 2u, 4u, 8u}) {
      const UINT native_width = (kWidth + divisor - 1) / divisor;
      const UINT native_height = (kHeight + divisor - 1) / divisor;
      if ((native_width <= *width && native_height <= *height) || divisor == 8) {
        *width = native_width;
        *height = native_height;
        return S_OK;
      }
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) override {
    *format = GUID_WICPixelFormat24bppBGR;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions options,
                                                 BOOL* supported) override {
    *supported = options == WICBitmapTransformRotate0;
    return S_OK;
  }

  int full_decodes = 0;
  std::vector<PixelSize> scaled_decodes;

 private:
  static HRESULT Fill(const WICRect& rect, UINT width, UINT height, UINT stride, UINT size,
                      BYTE* buffer) {
    if (std::size_t{stride} * static_cast<UINT>(rect.Height) > size)
      return E_INVALIDARG;
    for (int y = 0; y < rect.Height; ++y) {
      for (int x = 0; x < rect.Width; ++x) {
        const std::uint32_t rgb = QuadrantColour(rect.X + x, rect.Y + y, static_cast<int>(width),
                                                 static_cast<int>(height));
        BYTE* pixel = buffer + std::size_t{stride} * y + std::size_t{3} * x;
        pixel[0] = rgb & 0xFF;
        pixel[1] = (rgb >> 8) & 0xFF;
        pixel[2] = (rgb >> 16) & 0xFF;
      }
    }
    return S_OK;
  }
};

TEST_F(DecodeSizeTest, ADecoderWithItsOwnScaledDecodeIsUsedAtItsSmallestSizeNotBelowTheTarget) {
  ComPtr<IWICImagingFactory> factory = Factory();
  const struct {
    double diagonal;
    DecodePath path;
    PixelSize decoded;
  } cases[] = {
      {500, DecodePath::kDecoderScaled, {500, 375}},  // 1/4 covers 400 x 300, 1/8 does not
      {300, DecodePath::kDecoderScaled, {250, 188}},  // 1/8 covers 240 x 180
      {1300, DecodePath::kScaler, {1040, 780}},       // only the full size covers it
      {0, DecodePath::kFullSize, {kWidth, kHeight}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.diagonal);
    ScalingFrame frame;
    DecodePath path{};
    const Picture picture = DecodeFrame(*factory.get(), frame, kWidth, kHeight, c.diagonal, &path);
    EXPECT_EQ(path, c.path);
    EXPECT_EQ(picture.width, kWidth);
    EXPECT_EQ(picture.height, kHeight);
    EXPECT_EQ((PixelSize{picture.pixel_width, picture.pixel_height}), c.decoded);
    if (c.path == DecodePath::kDecoderScaled) {
      EXPECT_EQ(frame.scaled_decodes, std::vector<PixelSize>{c.decoded});
      EXPECT_EQ(frame.full_decodes, 0) << "the full size is never decoded";
    }
    const int w = picture.pixel_width;
    const int h = picture.pixel_height;
    for (const auto& [x, y] : {std::pair{w / 4, h / 4},
                               {w * 3 / 4, h / 4},
                               {w / 4, h * 3 / 4},
                               {w * 3 / 4, h * 3 / 4}}) {
      EXPECT_EQ(picture.pixels[static_cast<size_t>(y) * w + x],
                0xFF000000u | QuadrantColour(x, y, w, h))
          << x << "," << y;
    }
  }
}

// Wine's JPEG decoder has no scaled decode of its own: the scaler runs there.
TEST_F(DecodeSizeTest, AJpegFrameWithoutItsOwnScaledDecodeGoesThroughTheScaler) {
  const std::wstring file = folder_ / L"q.jpg";
  WriteQuadrants(file, GUID_ContainerFormatJpeg);
  ComPtr<IWICImagingFactory> factory = Factory();
  ComPtr<IWICBitmapDecoder> decoder;
  ASSERT_HRESULT_SUCCEEDED(factory->CreateDecoderFromFilename(
      file.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, decoder.put()));
  ComPtr<IWICBitmapFrameDecode> frame;
  ASSERT_HRESULT_SUCCEEDED(decoder->GetFrame(0, frame.put()));
  ComPtr<IWICBitmapSourceTransform> transform;
  const HRESULT offered = frame->QueryInterface(kIidWicBitmapSourceTransform,
                                                reinterpret_cast<void**>(transform.put()));
  DecodePath path{};
  const Picture picture = DecodeFrame(*factory.get(), *frame.get(), kWidth, kHeight, 500, &path);
  EXPECT_EQ(path, SUCCEEDED(offered) ? DecodePath::kDecoderScaled : DecodePath::kScaler)
      << std::hex << offered;
  EXPECT_GE(picture.pixel_width, 400);
  EXPECT_GE(picture.pixel_height, 300);
}

}  // namespace
}  // namespace solvarine::win32::testing
