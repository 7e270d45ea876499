#include "platform/win32/wic_picture_loader.h"

#include <objbase.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <thread>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

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

std::string Bytes(const unsigned char* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

const std::vector<std::uint32_t> kSixColours = {0xFF0000, 0x00FF00, 0x0000FF,
                                                0x123456, 0xFFFFFF, 0x000000};

std::vector<std::uint32_t> Opaque(std::vector<std::uint32_t> pixels) {
  for (auto& pixel : pixels)
    pixel |= 0xFF000000u;
  return pixels;
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

TEST_F(WicPictureLoaderTest, DecodesRowsTopDownOpaqueAndByContent) {
  const struct {
    const wchar_t* name;
    std::string bytes;
    int width, height;
    std::vector<std::uint32_t> expected;
    int tolerance;
  } cases[] = {
      {L"24.bmp", Bmp(3, 2, kSixColours), 3, 2, Opaque(kSixColours), 0},
      {L"24-top-down.bmp", Bmp(3, 2, kSixColours, 24, true), 3, 2, Opaque(kSixColours), 0},
      {L"32.bmp", Bmp(3, 2, kSixColours, 32), 3, 2, Opaque(kSixColours), 0},
      {L"32-top-down.bmp", Bmp(3, 2, kSixColours, 32, true), 3, 2, Opaque(kSixColours), 0},
      {L"odd-width.bmp", Bmp(5, 1, {1, 2, 3, 4, 5}), 5, 1, Opaque({1, 2, 3, 4, 5}), 0},
      {L"solid.jpg", Bytes(kSolidJpeg, sizeof kSolidJpeg), 4, 3,
       std::vector<std::uint32_t>(12, 0xFFC8283C), 8},
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
      for (int shift = 0; shift < 32; shift += 8) {
        EXPECT_LE(std::abs(static_cast<int>((picture.pixels[i] >> shift) & 0xFF) -
                           static_cast<int>((c.expected[i] >> shift) & 0xFF)),
                  c.tolerance)
            << "pixel " << i << ": " << std::hex << picture.pixels[i];
      }
    }
  }
}

TEST_F(WicPictureLoaderTest, FindsJapaneseAndRelativeNamesAndReleasesTheFile) {
  folder_.MakeFolder(L"写真");
  const std::wstring file = folder_.WriteFile(L"写真\\桜 の 花.bmp", Bmp(3, 2, kSixColours));
  const CurrentDirectoryGuard restore;
  ASSERT_TRUE(::SetCurrentDirectoryW(folder_.path().c_str()));
  for (const std::wstring& name : {file, std::wstring(L".\\写真\\..\\写真\\桜 の 花.bmp")}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_EQ(Load(name).pixels, Opaque(kSixColours));
  }
  EXPECT_TRUE(::DeleteFileW(file.c_str())) << "the decoder still holds the file open";
}

TEST_F(WicPictureLoaderTest, RefusesWhatIsNotAPictureNamingTheFile) {
  std::string truncated_bmp = Bmp(3, 2, kSixColours);
  truncated_bmp.resize(60);
  const struct {
    const wchar_t* name;
    std::optional<std::string> bytes;  // nothing: no such file
  } cases[] = {
      {L"無い.jpg", std::nullopt},
      {L"empty.jpg", ""},
      {L"text.jpg", "This is not a picture, just some text.\r\n"},
      {L"half.jpg", Bytes(kSolidJpeg, sizeof kSolidJpeg / 2)},
      {L"truncated.bmp", truncated_bmp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    const std::wstring file = c.bytes ? folder_.WriteFile(c.name, *c.bytes) : folder_ / c.name;
    try {
      const Picture picture = Load(file);
      ADD_FAILURE() << "decoded as " << picture.width << " x " << picture.height;
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(Narrow(file)), std::string::npos)
          << failure.what();
    }
  }
  EXPECT_THROW(loader_.LoadPicture("", 0), Failure);
  EXPECT_THROW(Load(folder_.path()), Failure);
}

TEST_F(WicPictureLoaderTest, RefusesAnAbsurdSizeBeforeDecoding) {
  // A header claiming 20000 x 20000 pixels (1.6 GB decoded) followed by almost nothing.
  std::string forged = Bmp(1, 1, {0});
  forged.replace(18, 8, "\x20\x4e\x00\x00\x20\x4e\x00\x00", 8);
  try {
    Load(folder_.WriteFile(L"forged.bmp", forged));
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("20000 x 20000"), std::string::npos)
        << failure.what();
  }
}

// Callers need not have initialised COM on their thread.
TEST_F(WicPictureLoaderTest, WorksOnAThreadWithoutCom) {
  const std::wstring file = folder_.WriteFile(L"thread.bmp", Bmp(3, 2, kSixColours));
  std::optional<Picture> picture;
  std::thread([&] { picture = WicPictureLoader().LoadPicture(Narrow(file), 0); }).join();
  ASSERT_TRUE(picture.has_value());
  EXPECT_EQ(picture->pixels, Opaque(kSixColours));
}

}  // namespace
}  // namespace solvarine::win32::testing
