// The picture files that picture_table.py writes before this test runs: each loads at its upright
// size with its four quarters in place, or is refused with a Failure; never a crash, a hang or
// gigabytes.
#include "platform/win32/wic_picture_loader.h"

#include "platform/win32/windows_include.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/failure.h"
#include "platform/win32/text.h"

namespace solvarine::win32::testing {
namespace {

int Channel(std::uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

TEST(PictureTable, EachLoadsUprightAsItShouldOrIsRefused) {
  const char* folder = std::getenv("SOLVARINE_PICTURE_TABLE");
  ASSERT_NE(folder, nullptr) << "run through ctest: picture_table.py writes the files";
  std::ifstream manifest(std::string(folder) + "\\manifest.txt");
  ASSERT_TRUE(manifest) << folder;
  int cases = 0;
  for (std::string line; std::getline(manifest, line); ++cases) {
    std::istringstream fields(line);
    std::string name, first;
    fields >> name >> first;
    SCOPED_TRACE(line);
    const std::string path = std::string(folder) + "\\" + name;
    if (first == "refused") {
      EXPECT_THROW(WicPictureLoader().LoadPicture(path, 0), Failure);
      continue;
    }
    int width = 0, height = 0;
    fields >> width >> height;
    const Picture picture = WicPictureLoader().LoadPicture(path, std::stod(first));
    EXPECT_EQ(picture.width, width);
    EXPECT_EQ(picture.height, height);
    ASSERT_EQ(picture.pixel_width > picture.pixel_height, width > height);
    for (int quarter = 0; quarter < 4; ++quarter) {
      std::string colour;
      fields >> colour;
      const int x = (quarter % 2 * 2 + 1) * picture.pixel_width / 4;
      const int y = (quarter / 2 * 2 + 1) * picture.pixel_height / 4;
      const std::uint32_t shown = picture.pixels.at(y * picture.pixel_width + x);
      for (int shift : {0, 8, 16}) {
        EXPECT_NEAR(Channel(shown, shift), Channel(std::stoul(colour, nullptr, 16), shift), 40)
            << "quarter " << quarter << " is " << std::hex << shown;
      }
    }
  }
  EXPECT_GE(cases, 36);

  // A photo another program holds open without sharing.
  const std::wstring locked = Widen(std::string(folder) + "\\progressive.jpg");
  const HANDLE holder =
      ::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  EXPECT_THROW(WicPictureLoader().LoadPicture(Narrow(locked), 0), Failure);
  ::CloseHandle(holder);
}

}  // namespace
}  // namespace solvarine::win32::testing
