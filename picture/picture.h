#pragma once

#include <cstdint>
#include <limits>
#include <vector>

namespace solvarine {

// A decoded picture. width and height are the photo's own size, which is what the program lays
// out with; the pixels may have been decoded at a reduced size (pixel_width x pixel_height), rows
// top-down, each pixel 0xAARRGGBB (BGRA in memory).
struct Picture {
  int width = 0;
  int height = 0;
  int pixel_width = 0;
  int pixel_height = 0;
  std::vector<std::uint32_t> pixels;

  // A picture decoded at its own size.
  static Picture FullSize(int width, int height, std::vector<std::uint32_t> pixels) {
    return {width, height, width, height, std::move(pixels)};
  }

  // Turns and mirrors the stored pixels as an EXIF orientation (1 to 8) says, so that the
  // picture, sizes included, is the one the viewer sees. Other values leave it as stored.
  void TurnUpright(int orientation);
};

// Orientations 5 to 8 turn by a quarter: the upright width is the stored height.
bool SwapsSides(int orientation);

// More pixels than any camera puts in one photo (in-camera multi-shot photos reach about 400
// megapixels), yet far fewer than a forged header's 65500 x 65500. Wine's JPEG decoder decodes a
// picture whole, about 6 bytes a pixel (2.9 GB at the cap): larger ones are refused before that.
inline constexpr std::uint64_t kMaxPicturePixels = 500'000'000;
bool WithinPixelCap(std::uint32_t width, std::uint32_t height);

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The smallest size worth decoding a width x height photo at when it is drawn with a diagonal of
// at most drawn_diagonal pixels: never smaller than what is drawn, never larger than the photo.
// Drawn sizes are rounded, and the slideshow derives its width from its rounded height, which
// for a strip panorama draws the width several pixels wider than the diagonal alone gives.
// A photo drawn below one pixel (a diagonal of 0, less, or not a number) shows nothing, so one
// pixel of it is enough; kFullSizeDiagonal asks for the photo's own size.
PixelSize DecodeSize(int width, int height, double drawn_diagonal);
inline constexpr double kFullSizeDiagonal = std::numeric_limits<double>::infinity();

// DecodeSize of the upright picture, for a frame stored stored_width x stored_height that the
// orientation turns; in the stored frame's sides.
PixelSize StoredDecodeSize(int stored_width, int stored_height, int orientation,
                           double drawn_diagonal);

}  // namespace solvarine
