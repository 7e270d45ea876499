#pragma once

#include "platform/win32/windows_include.h"

#include <wincodec.h>

#include "picture/picture.h"

namespace solvarine::win32 {

// The decoder's own scaled decode (DCT scaling for JPEG on Windows). MinGW's headers lack it, and
// Wine's decoders do not offer it.
inline constexpr IID kIidWicBitmapSourceTransform = {
    0x3b16811b, 0x6a43, 0x4ec9, {0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40}};

struct IWICBitmapSourceTransform : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                               WICPixelFormatGUID* format,
                                               WICBitmapTransformOptions transform, UINT stride,
                                               UINT buffer_size, BYTE* buffer) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
  virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform,
                                                         BOOL* supported) = 0;
};

// Decodes a frame as opaque 32-bit BGRA, turned upright as the EXIF orientation says, at no less
// than it is drawn at (at most the full size): by the decoder's own scaled decode when it offers
// one below the full size, else through a Fant scaler. Every step pulls from the one before, so
// no full-size copy is made beyond what the decoder keeps. Fails with the reason of the step that
// failed; pictures above kMaxPicturePixels are refused.
Picture DecodeUpright(IWICImagingFactory& factory, IWICBitmapSource& frame, int orientation,
                      double drawn_diagonal);

}  // namespace solvarine::win32
