// The hostile picture files that hostile_pictures.py writes before this test runs: each loads at
// its size and colour, or is refused with a Failure; never a crash, a hang or gigabytes.
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

TEST(HostilePictures, EachLoadsAsItShouldOrIsRefused) {
  const char* folder = std::getenv("SOLVARINE_HOSTILE_PICTURES");
  ASSERT_NE(folder, nullptr) << "run through ctest: hostile_pictures.py writes the files";
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
    int height = 0;
    std::string colour;
    fields >> height >> colour;
    const Picture picture = WicPictureLoader().LoadPicture(path, 0);
    EXPECT_EQ(picture.width, std::stoi(first));
    EXPECT_EQ(picture.height, height);
    const std::uint32_t centre = picture.pixels.at(
        static_cast<size_t>(picture.height / 2 * picture.pixel_width + picture.pixel_width / 2));
    const std::uint32_t expected = std::stoul(colour, nullptr, 16);
    for (int shift : {0, 8, 16})
      EXPECT_NEAR(Channel(centre, shift), Channel(expected, shift), 40) << std::hex << centre;
  }
  EXPECT_GE(cases, 20);

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
