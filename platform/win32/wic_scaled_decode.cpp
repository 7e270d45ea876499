#include "platform/win32/wic_scaled_decode.h"

#include <new>
#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/win32/com_ptr.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {
namespace {

Picture EmptyPicture(UINT width, UINT height, UINT pixel_width, UINT pixel_height) {
  Picture picture{static_cast<int>(width),
                  static_cast<int>(height),
                  static_cast<int>(pixel_width),
                  static_cast<int>(pixel_height),
                  {}};
  try {
    picture.pixels.resize(std::size_t{pixel_width} * pixel_height);
  } catch (const std::bad_alloc&) {
    throw Failure("not enough memory for " + std::to_string(pixel_width) + " x " +
                  std::to_string(pixel_height) + " pixels");
  }
  return picture;
}

// Stride and size fit in a UINT: the loader's pixel cap keeps the buffer well under 4 GB.
UINT Stride(const Picture& picture) {
  return static_cast<UINT>(picture.pixel_width) * sizeof(std::uint32_t);
}
UINT Bytes(const Picture& picture) {
  return static_cast<UINT>(picture.pixels.size() * sizeof(std::uint32_t));
}
BYTE* Buffer(Picture& picture) {
  return reinterpret_cast<BYTE*>(picture.pixels.data());
}

// One CopyPixels through a converter to 32bppBGRA, straight into the picture's pixels.
void CopyAsBgra(IWICImagingFactory& factory, IWICBitmapSource& source, Picture& picture) {
  ComPtr<IWICFormatConverter> converter;
  Check(factory.CreateFormatConverter(converter.put()), "no format converter");
  Check(converter->Initialize(&source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom),
        "cannot convert the picture's pixel format");
  Check(converter->CopyPixels(nullptr, Stride(picture), Bytes(picture), Buffer(picture)),
        "cannot decode the picture's pixels");
}

// The smallest size the decoder decodes at natively that is not below the target, when that
// is below the full size. GetClosestSize may round either way, so ask again, larger, until an
// answer covers the target.
std::optional<PixelSize> NativeSizeNotBelow(IWICBitmapSourceTransform& transform, UINT width,
                                            UINT height, PixelSize target) {
  UINT ask_width = static_cast<UINT>(target.width);
  UINT ask_height = static_cast<UINT>(target.height);
  for (int attempt = 0; attempt < 16; ++attempt) {
    UINT offered_width = ask_width;
    UINT offered_height = ask_height;
    if (FAILED(transform.GetClosestSize(&offered_width, &offered_height)))
      return std::nullopt;
    const bool covers = offered_width >= static_cast<UINT>(target.width) &&
                        offered_height >= static_cast<UINT>(target.height);
    if (covers) {
      const bool reduced = offered_width <= width && offered_height <= height &&
                           (offered_width < width || offered_height < height);
      if (!reduced)
        return std::nullopt;
      return PixelSize{static_cast<int>(offered_width), static_cast<int>(offered_height)};
    }
    if (ask_width >= width && ask_height >= height)
      return std::nullopt;
    ask_width = std::min(width, ask_width * 2);
    ask_height = std::min(height, ask_height * 2);
  }
  return std::nullopt;
}

UINT BitsPerPixel(IWICImagingFactory& factory, const WICPixelFormatGUID& format) {
  ComPtr<IWICComponentInfo> info;
  Check(factory.CreateComponentInfo(format, info.put()), "unknown pixel format");
  ComPtr<IWICPixelFormatInfo> format_info;
  Check(info->QueryInterface(IID_PPV_ARGS(format_info.put())), "unknown pixel format");
  UINT bits = 0;
  Check(format_info->GetBitsPerPixel(&bits), "unknown pixel format");
  return bits;
}

// The decoder decodes at the reduced size, in 32bppBGRA when it can, else in its closest format
// into a buffer of that reduced size, which is then converted.
void DecodeNatively(IWICImagingFactory& factory, IWICBitmapSourceTransform& transform,
                    Picture& picture) {
  const auto width = static_cast<UINT>(picture.pixel_width);
  const auto height = static_cast<UINT>(picture.pixel_height);
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  Check(transform.GetClosestPixelFormat(&format), "no pixel format for a scaled decode");
  if (IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA)) {
    Check(transform.CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0,
                               Stride(picture), Bytes(picture), Buffer(picture)),
          "cannot decode the picture's pixels");
    return;
  }
  const UINT stride = (width * BitsPerPixel(factory, format) + 31) / 32 * 4;
  std::vector<BYTE> native;
  try {
    native.resize(std::size_t{stride} * height);
  } catch (const std::bad_alloc&) {
    throw Failure("not enough memory for a scaled decode");
  }
  Check(transform.CopyPixels(nullptr, width, height, &format, WICBitmapTransformRotate0, stride,
                             static_cast<UINT>(native.size()), native.data()),
        "cannot decode the picture's pixels");
  ComPtr<IWICBitmap> bitmap;
  Check(
      factory.CreateBitmapFromMemory(width, height, format, stride,
                                     static_cast<UINT>(native.size()), native.data(), bitmap.put()),
      "cannot hold the scaled decode");
  CopyAsBgra(factory, *bitmap.get(), picture);
}

// Nothing when the decoder has no scaled decode below the full size.
std::optional<Picture> DecodeByDecoder(IWICImagingFactory& factory, IWICBitmapSource& frame,
                                       UINT width, UINT height, PixelSize target) {
  ComPtr<IWICBitmapSourceTransform> transform;
  if (FAILED(frame.QueryInterface(kIidWicBitmapSourceTransform,
                                  reinterpret_cast<void**>(transform.put())))) {
    return std::nullopt;
  }
  const auto native = NativeSizeNotBelow(*transform.get(), width, height, target);
  if (!native)
    return std::nullopt;
  Picture picture = EmptyPicture(width, height, static_cast<UINT>(native->width),
                                 static_cast<UINT>(native->height));
  DecodeNatively(factory, *transform.get(), picture);
  return picture;
}

Picture DecodeThroughScaler(IWICImagingFactory& factory, IWICBitmapSource& frame, UINT width,
                            UINT height, PixelSize target) {
  const auto target_width = static_cast<UINT>(target.width);
  const auto target_height = static_cast<UINT>(target.height);
  Picture picture = EmptyPicture(width, height, target_width, target_height);
  ComPtr<IWICBitmapScaler> scaler;
  Check(factory.CreateBitmapScaler(scaler.put()), "no scaler");
  Check(scaler->Initialize(&frame, target_width, target_height, WICBitmapInterpolationModeFant),
        "cannot scale the picture");
  CopyAsBgra(factory, *scaler.get(), picture);
  return picture;
}

}  // namespace

Picture DecodeFrame(IWICImagingFactory& factory, IWICBitmapSource& frame, UINT width, UINT height,
                    PixelSize target) {
  const PixelSize full{static_cast<int>(width), static_cast<int>(height)};
  Picture picture;
  if (target == full) {
    picture = EmptyPicture(width, height, width, height);
    CopyAsBgra(factory, frame, picture);
  } else if (auto scaled = DecodeByDecoder(factory, frame, width, height, target)) {
    picture = std::move(*scaled);
  } else {
    picture = DecodeThroughScaler(factory, frame, width, height, target);
  }
  // Transparent GIF pixels come through with alpha 0, and so can formats without alpha; every
  // picture is shown opaque.
  for (std::uint32_t& pixel : picture.pixels)
    pixel |= 0xFF000000u;
  return picture;
}

}  // namespace solvarine::win32
