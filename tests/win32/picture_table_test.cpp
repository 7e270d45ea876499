// The files picture_table.py writes, by names relative to the current folder: each
// loads upright at its size, decoded at the size asked for, opaque, quarters in place,
// and lets go of the file; or is refused by a Failure naming it (a forged size by its
// header alone). Never a crash, a hang or gigabytes. COM is the loader's to initialise.
#include "platform/win32/wic_picture_loader.h"

#include "platform/win32/windows_include.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32::testing {
namespace {

int Channel(std::uint32_t pixel, int shift) {
  return static_cast<int>((pixel >> shift) & 0xFF);
}

UniqueKernelHandle OpenUnshared(const std::string& name) {
  return UniqueKernelHandle(
      ::CreateFileW(Widen(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

TEST(PictureTable, EachLoadsUprightAsItShouldOrIsRefused) {
  const char* folder = std::getenv("SOLVARINE_PICTURE_TABLE");
  ASSERT_NE(folder, nullptr) << "run through ctest: picture_table.py writes the files";
  ASSERT_TRUE(::SetCurrentDirectoryW(Widen(folder).c_str())) << folder;
  std::ifstream manifest("manifest.txt");
  int cases = 0;
  for (std::string line; std::getline(manifest, line); ++cases) {
    std::istringstream fields(line);
    std::string name, first;
    fields >> name >> first;
    SCOPED_TRACE(line);
    if (first == "refused" || first == "forged") {
      try {
        WicPictureLoader().LoadPicture(name, kFullSizeDiagonal);
        ADD_FAILURE() << "loaded";
      } catch (const Failure& failure) {
        const std::string reason = failure.what();
        EXPECT_NE(reason.find(name), std::string::npos) << reason;
        // Before a decoder reads on: no time or memory spent on the pixels it claims.
        EXPECT_TRUE(first != "forged" || reason.find("claims") != std::string::npos) << reason;
      }
      continue;
    }
    std::array<int, 4> sizes{};
    fields >> sizes[0] >> sizes[1] >> sizes[2] >> sizes[3];
    const Picture p = WicPictureLoader().LoadPicture(name, std::stod(first));
    ASSERT_EQ(sizes, (std::array{p.width, p.height, p.pixel_width, p.pixel_height}));
    for (int quarter = 0; quarter < 4; ++quarter) {
      std::uint32_t expected = 0;
      fields >> std::hex >> expected;
      const int x = (quarter % 2 * 2 + 1) * p.pixel_width / 4;
      const int y = (quarter / 2 * 2 + 1) * p.pixel_height / 4;
      const std::uint32_t shown = p.pixels.at(y * p.pixel_width + x);
      for (int shift : {0, 8, 16, 24})
        EXPECT_NEAR(Channel(shown, shift), Channel(0xFF000000 | expected, shift), 40)
            << quarter << std::hex << shown;
    }
    EXPECT_NE(OpenUnshared(name).get(), INVALID_HANDLE_VALUE) << "still held open";
  }
  EXPECT_GE(cases, 27);

  const UniqueKernelHandle holder = OpenUnshared("png.jpg");  // as another program may
  EXPECT_THROW(WicPictureLoader().LoadPicture("png.jpg", kFullSizeDiagonal), Failure);
}

// picture_table.py wrote three files of the same size and write time, well before this test
// starts: the same file, even held open by another program, keeps its stamp; a copy over it that
// keeps its size and write time, or another file put in its place, does not.
TEST(PictureTable, StampTellsTheFileFromACopyOverItOrAnotherInItsPlace) {
  ASSERT_TRUE(::SetCurrentDirectoryW(Widen(std::getenv("SOLVARINE_PICTURE_TABLE")).c_str()));
  WicPictureLoader loader;
  const std::optional<FileStamp> first = loader.Stamp("stamped.jpg");
  ASSERT_TRUE(first);
  {
    const UniqueKernelHandle holder = OpenUnshared("stamped.jpg");
    EXPECT_EQ(loader.Stamp("stamped.jpg"), first);
  }
  ASSERT_TRUE(::CopyFileW(L"copy.jpg", L"stamped.jpg", FALSE));
  const std::optional<FileStamp> copied = loader.Stamp("stamped.jpg");
  ASSERT_TRUE(copied && copied->size == first->size && copied->last_write == first->last_write);
  EXPECT_NE(copied, first);
  ASSERT_TRUE(::MoveFileExW(L"other.jpg", L"stamped.jpg", MOVEFILE_REPLACE_EXISTING));
  EXPECT_NE(loader.Stamp("stamped.jpg"), copied);
}

}  // namespace
}  // namespace solvarine::win32::testing
