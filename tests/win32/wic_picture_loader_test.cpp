#include "platform/win32/wic_picture_loader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

// Which formats load, and which files are refused, is the hostile picture table's; here: where
// each pixel lands, and how files are found.
const std::vector<std::uint32_t> kSixColours = {0xFF0000, 0x00FF00, 0x0000FF,
                                                0x123456, 0xFFFFFF, 0x000000};

std::vector<std::uint32_t> Opaque(std::vector<std::uint32_t> pixels) {
  for (auto& pixel : pixels)
    pixel |= 0xFF000000u;
  return pixels;
}

class WicPictureLoaderTest : public ::testing::Test {
 protected:
  Picture Load(const std::wstring& path) { return WicPictureLoader().LoadPicture(Narrow(path), 0); }

  TempFolder folder_;
};

TEST_F(WicPictureLoaderTest, RowsComeTopDownAsOpaqueBgra) {
  for (const auto& [bits, top_down] : {std::pair{24, false}, {24, true}, {32, false}}) {
    SCOPED_TRACE(std::to_string(bits) + (top_down ? " top-down" : " bottom-up"));
    const Picture picture =
        Load(folder_.WriteFile(L"six.bmp", Bmp(3, 2, kSixColours, bits, top_down)));
    EXPECT_EQ(picture.width, 3);
    EXPECT_EQ(picture.height, 2);
    EXPECT_EQ(picture.pixels, Opaque(kSixColours));
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

TEST_F(WicPictureLoaderTest, RefusesWhatIsNoFileNamingIt) {
  for (const std::wstring& name : {folder_ / L"無い.jpg", folder_.path()}) {
    try {
      Load(name);
      ADD_FAILURE() << "no failure for " << Narrow(name);
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(Narrow(name)), std::string::npos)
          << failure.what();
    }
  }
  EXPECT_THROW(WicPictureLoader().LoadPicture("", 0), Failure);
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
