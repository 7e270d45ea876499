#include <gtest/gtest.h>

#include <optional>

#include "platform/failure.h"
#include "settings/file_list_box.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "tests/fakes/fake_services.h"

namespace solvarine {
namespace {

constexpr std::int64_t kFails = INT64_MIN;

template <typename Convert>
std::int64_t Read(const char* text, Convert convert) {
  try {
    return convert(ParseNumber(text));
  } catch (const Failure&) {
    return kFails;
  }
}

TEST(TextToInteger, RoundsHalvesToEvenAndChecksTheRange) {
  const std::tuple<const char*, std::int64_t, std::int64_t> cases[] = {
      {"2.5", 2, 2},
      {"3.5", 4, 4},
      {"-2.5", -2, -2},
      {".5", 0, 0},
      {" 17 ", 17, 17},
      {"40000", 40000, kFails},
      {"32767.5", 32768, kFails},
      {"-32768", -32768, -32768},
      {"2147483647", 2147483647, kFails}};
  for (const auto& [text, int32, int16] : cases)
    EXPECT_EQ(std::pair(Read(text, ToInt32), Read(text, ToInt16)), std::pair(int32, int16)) << text;
  for (const char* text : {"2147483648", "", "abc", "12abc", "inf", "nan", "-"})
    EXPECT_EQ(Read(text, ToInt32), kFails) << text;
}

TEST(CheckedArithmetic, FailsOnOverflowOnly) {
  EXPECT_EQ(CheckedAdd16(32766, 1), 32767);
  EXPECT_THROW(CheckedAdd16(32767, 1), Failure);
}

// A bad value in the store must not stop the screen saver: it reads as the default.
TEST(Settings, MalformedNumbersReadAsTheirDefaultAndReadingWritesNothing) {
  const std::pair<std::optional<std::string>, std::int16_t> cases[] = {
      {std::nullopt, 7}, {"3", 3}, {"", 7}, {"x", 7}, {"40000", 7}};
  for (const auto& [stored, expected] : cases) {
    fakes::FakeSettingsStore store;
    if (stored)
      store.values = {{"Fileindex", *stored}, {"Speed", *stored}};
    EXPECT_EQ(Settings(store).GetInt16(key::kFileindex, 7), expected) << stored.value_or("-");
    EXPECT_EQ(Settings(store).GetInt32(key::kSpeed, 7), stored == "40000" ? 40000 : expected);
    EXPECT_TRUE(store.writes.empty());
  }
}

// Visible picture files in name order, ignoring case; a position outside the list or a
// missing folder fails and changes nothing.
TEST(PhotoList, ListsVisiblePictureFilesInNameOrderAndRefusesWhatIsNotThere) {
  fakes::FakeFileSystem files;
  std::vector<FolderEntry> entries = {
      {"x.jpg", false, true, false}, {"s.jpg", false, false, true}, {"y.gif", true}};
  for (const char* name :
       {"b.gif", "A.JPG", "c.bmp", "d.png", "notes.txt", "写真.Jpg", ".jpg", "jpg", "a.jpeg"})
    entries.push_back({name});
  files.AddFolder("C:\\photos", entries);
  files.AddFolder("C:\\empty");
  FileListBox list(files);
  list.SetPath("C:\\photos");
  std::vector<std::string> names;
  for (int i = 0; i < list.ListCount(); ++i)
    names.push_back(list.List(i));
  EXPECT_EQ(names, (std::vector<std::string>{".jpg", "A.JPG", "b.gif", "c.bmp", "写真.Jpg"}));
  EXPECT_EQ(list.ListIndex(), -1);
  for (int ok : {-1, 0, 4})
    EXPECT_NO_THROW(list.SetListIndex(ok));
  for (int bad : {-2, 5, 40000})
    EXPECT_THROW(list.SetListIndex(bad), Failure);
  EXPECT_THROW(list.SetPath("C:\\gone"), Failure);
  EXPECT_EQ(std::tuple(list.Path(), list.ListIndex(), list.ListCount()),
            std::tuple("C:\\photos", 4, 5));
  list.SetPath("C:\\empty");
  EXPECT_EQ(std::tuple(list.ListCount(), list.ListIndex()), std::tuple(0, -1));
  EXPECT_THROW(list.SetListIndex(0), Failure);
  EXPECT_THROW(list.List(0), Failure);
}

}  // namespace
}  // namespace solvarine
