#include "platform/win32/wic_picture_loader.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32 {
namespace {

using testing::CurrentDirectoryGuard;
using testing::TempFolder;

// 4 x 3, every pixel rgb(200, 40, 60), made with ImageMagick.
constexpr unsigned char kSolidJpeg[] = {
    0xff, 0xd8, 0xff, 0xe0, 0x00, 0x10, 0x4a, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
    0x00, 0x01, 0x00, 0x00, 0xff, 0xdb, 0x00, 0x43, 0x00, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x02,
    0x01, 0x01, 0x01, 0x02, 0x02, 0x02, 0x02, 0x02, 0x04, 0x03, 0x02, 0x02, 0x02, 0x02, 0x05, 0x04,
    0x04, 0x03, 0x04, 0x06, 0x05, 0x06, 0x06, 0x06, 0x05, 0x06, 0x06, 0x06, 0x07, 0x09, 0x08, 0x06,
    0x07, 0x09, 0x07, 0x06, 0x06, 0x08, 0x0b, 0x08, 0x09, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x06, 0x08,
    0x0b, 0x0c, 0x0b, 0x0a, 0x0c, 0x09, 0x0a, 0x0a, 0x0a, 0xff, 0xdb, 0x00, 0x43, 0x01, 0x02, 0x02,
    0x02, 0x02, 0x02, 0x02, 0x05, 0x03, 0x03, 0x05, 0x0a, 0x07, 0x06, 0x07, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a,
    0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0x0a, 0xff, 0xc0,
    0x00, 0x11, 0x08, 0x00, 0x03, 0x00, 0x04, 0x03, 0x01, 0x11, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11,
    0x01, 0xff, 0xc4, 0x00, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0xff, 0xc4, 0x00, 0x14, 0x10, 0x01, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xc4, 0x00,
    0x15, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x07, 0x09, 0xff, 0xc4, 0x00, 0x14, 0x11, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0xda, 0x00, 0x0c, 0x03, 0x01,
    0x00, 0x02, 0x11, 0x03, 0x11, 0x00, 0x3f, 0x00, 0x33, 0x8e, 0xd4, 0xe1, 0xff, 0xd9,
};

// 4 x 3, two frames: the first red in its left half and blue in its right, the second all green.
constexpr unsigned char kTwoFrameGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x03, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00, 0x00,
    0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xff, 0x0b, 0x4e, 0x45,
    0x54, 0x53, 0x43, 0x41, 0x50, 0x45, 0x32, 0x2e, 0x30, 0x03, 0x01, 0x00, 0x00, 0x00, 0x2c, 0x00,
    0x00, 0x00, 0x00, 0x04, 0x00, 0x03, 0x00, 0x00, 0x02, 0x05, 0x04, 0x12, 0x86, 0x1a, 0x05, 0x00,
    0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x04, 0x00, 0x03,
    0x00, 0x80, 0x00, 0xff, 0x00, 0x00, 0x00, 0x00, 0x02, 0x03, 0x84, 0x8f, 0x56, 0x00, 0x3b,
};

// 2 x 1: a red pixel and a transparent one (palette colour black).
constexpr unsigned char kTransparentGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x02, 0x00, 0x01, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x02, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x0a, 0x00, 0x3b};

std::string Bytes(const unsigned char* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A BMP of the given 0x00RRGGBB pixels (rows top-down), 24 or 32 bits per pixel, stored bottom-up
// unless asked. 32-bit rows carry 0 in the fourth byte, as most programs write them.
std::string Bmp(int width, int height, const std::vector<std::uint32_t>& pixels, int bits = 24,
                bool store_top_down = false) {
  const int row_bytes = (width * bits / 8 + 3) / 4 * 4;
  std::string out = "BM";
  PutLe(out, 54 + row_bytes * height, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(width), 4);
  PutLe(out, static_cast<std::uint32_t>(store_top_down ? -height : height), 4);
  PutLe(out, 1, 2);
  PutLe(out, bits, 2);
  PutLe(out, 0, 4);
  PutLe(out, static_cast<std::uint32_t>(row_bytes * height), 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int stored = 0; stored < height; ++stored) {
    const int y = store_top_down ? stored : height - 1 - stored;
    for (int x = 0; x < width; ++x)
      PutLe(out, pixels[y * width + x], bits / 8);
    out.append(static_cast<size_t>(row_bytes - width * bits / 8), '\0');
  }
  return out;
}

const std::vector<std::uint32_t> kSixColours = {0xFF0000, 0x00FF00, 0x0000FF,
                                                0x123456, 0xFFFFFF, 0x000000};

std::vector<std::uint32_t> Opaque(std::vector<std::uint32_t> pixels) {
  for (auto& pixel : pixels)
    pixel |= 0xFF000000u;
  return pixels;
}

bool Near(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((actual >> shift) & 0xFF);
    const int e = static_cast<int>((expected >> shift) & 0xFF);
    if (std::abs(a - e) > tolerance)
      return false;
  }
  return true;
}

class WicPictureLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { com_ = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override {
    if (SUCCEEDED(com_))
      ::CoUninitialize();
  }

  Picture Load(const std::wstring& path) { return loader_.LoadPicture(Narrow(path), 0); }

  HRESULT com_ = E_FAIL;
  TempFolder folder_;
  WicPictureLoader loader_;
};

TEST_F(WicPictureLoaderTest, DecodesBmpRowsTopDownAndOpaque) {
  const struct {
    int bits;
    bool store_top_down;
  } cases[] = {{24, false}, {24, true}, {32, false}, {32, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.bits) + (c.store_top_down ? " bits, top-down" : " bits"));
    const std::wstring file =
        folder_.WriteFile(L"colours.bmp", Bmp(3, 2, kSixColours, c.bits, c.store_top_down));
    const Picture picture = Load(file);
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels, Opaque(kSixColours));
  }
}

TEST_F(WicPictureLoaderTest, DecodesEachFormatBySize) {
  const struct {
    const wchar_t* name;
    std::string bytes;
    int width;
    int height;
    std::vector<std::uint32_t> expected;
    int tolerance;
  } cases[] = {
      {L"solid.jpg", Bytes(kSolidJpeg, sizeof kSolidJpeg), 4, 3,
       std::vector<std::uint32_t>(12, 0xFFC8283C), 8},
      {L"first-frame.gif", Bytes(kTwoFrameGif, sizeof kTwoFrameGif), 4, 3,
       Opaque({0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF,
               0xFF0000, 0xFF0000, 0x0000FF, 0x0000FF}),
       0},
      // Transparency is dropped: the collage shows pictures opaque.
      {L"transparent.gif",
       Bytes(kTransparentGif, sizeof kTransparentGif),
       2,
       1,
       {0xFFFF0000, 0xFF000000},
       0},
      {L"odd-width.bmp", Bmp(5, 1, {1, 2, 3, 4, 5}), 5, 1, Opaque({1, 2, 3, 4, 5}), 0},
      // The decoder goes by content, not by the name's extension.
      {L"really-a-bitmap.jpg", Bmp(3, 2, kSixColours), 3, 2, Opaque(kSixColours), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    const Picture picture = Load(folder_.WriteFile(c.name, c.bytes));
    ASSERT_EQ(picture.width, c.width);
    ASSERT_EQ(picture.height, c.height);
    ASSERT_EQ(picture.pixels.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_TRUE(Near(picture.pixels[i], c.expected[i], c.tolerance))
          << "pixel " << i << ": " << std::hex << picture.pixels[i] << " instead of "
          << c.expected[i];
    }
  }
}

TEST_F(WicPictureLoaderTest, FindsJapaneseAndRelativeNames) {
  const std::string bmp = Bmp(3, 2, kSixColours);
  folder_.MakeFolder(L"写真");
  folder_.WriteFile(L"写真\\桜 の 花.bmp", bmp);
  folder_.WriteFile(L"plain.bmp", bmp);
  const CurrentDirectoryGuard restore;
  ASSERT_TRUE(::SetCurrentDirectoryW(folder_.path().c_str()));
  for (const std::wstring& name :
       {folder_ / L"写真\\桜 の 花.bmp", std::wstring(L"写真\\桜 の 花.bmp"),
        std::wstring(L"plain.bmp"), std::wstring(L".\\写真\\..\\plain.bmp")}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_EQ(Load(name).pixels, Opaque(kSixColours));
  }
}

TEST_F(WicPictureLoaderTest, RefusesWhatIsNotAPicture) {
  std::string truncated_bmp = Bmp(3, 2, kSixColours);
  truncated_bmp.resize(60);
  const struct {
    const wchar_t* name;
    std::optional<std::string> bytes;  // nothing: no such file
  } cases[] = {
      {L"missing.jpg", std::nullopt},
      {L"無い.jpg", std::nullopt},
      {L"empty.jpg", ""},
      {L"text.jpg", "This is not a picture, just some text that happens to be here.\r\n"},
      {L"half.jpg", Bytes(kSolidJpeg, sizeof kSolidJpeg / 2)},
      {L"header-only.gif", Bytes(kTwoFrameGif, 13)},
      {L"truncated.bmp", truncated_bmp},
      {L"壊れた.bmp", "BM"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    const std::wstring file = c.bytes ? folder_.WriteFile(c.name, *c.bytes) : folder_ / c.name;
    try {
      const Picture picture = Load(file);
      ADD_FAILURE() << "decoded as " << picture.width << " x " << picture.height;
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(Narrow(file)), std::string::npos)
          << "the message names the file: " << failure.what();
    }
  }
}

TEST_F(WicPictureLoaderTest, RefusesNamesThatAreNoFiles) {
  for (const std::string& name : {std::string(), Narrow(folder_.path())}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(loader_.LoadPicture(name, 0), Failure);
  }
}

TEST_F(WicPictureLoaderTest, RefusesAnAbsurdSizeBeforeDecoding) {
  // A header claiming 20000 x 20000 pixels (1.6 GB decoded) followed by almost nothing.
  std::string forged = Bmp(1, 1, {0});
  forged.replace(18, 8, "\x20\x4e\x00\x00\x20\x4e\x00\x00", 8);
  const std::wstring file = folder_.WriteFile(L"forged.bmp", forged);
  try {
    loader_.LoadPicture(Narrow(file), 0);
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    const std::string message = failure.what();
    EXPECT_NE(message.find("forged.bmp"), std::string::npos) << message;
    EXPECT_NE(message.find("20000 x 20000"), std::string::npos)
        << "refused for its size: " << message;
  }
}

TEST_F(WicPictureLoaderTest, WorksOnAThreadWithoutCom) {
  const std::wstring file = folder_.WriteFile(L"thread.bmp", Bmp(3, 2, kSixColours));
  std::optional<Picture> picture;
  std::thread worker([&] { picture = WicPictureLoader().LoadPicture(Narrow(file), 0); });
  worker.join();
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->pixels, Opaque(kSixColours));
}

TEST_F(WicPictureLoaderTest, ReleasesTheFileAfterLoading) {
  const std::wstring file = folder_.WriteFile(L"release.bmp", Bmp(3, 2, kSixColours));
  Load(file);
  EXPECT_TRUE(::DeleteFileW(file.c_str())) << "the decoder still holds the file open";
}

}  // namespace
}  // namespace solvarine::win32
