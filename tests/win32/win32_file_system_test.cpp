#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFile(L"file.jpg", "x");
    files_.ChDir(root_);
  }

  TempFolder folder_;
  Win32FileSystem files_;
  std::string root_ = Narrow(folder_.path());
  // Names that are no folder: each of these fails.
  std::vector<std::string> not_folders_ = {"", "missing", Narrow(folder_ / L"無い\\深い"),
                                           "file.jpg"};
};

TEST(NormalizeFolderPathTest, EndsInSeparatorOnlyAtARoot) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\", L"C:\\"},
      {L"C:", L"C:\\"},
      {L"C:\\Photos\\", L"C:\\Photos"},
      {L"\\\\server\\share\\", L"\\\\server\\share\\"},
      {L"\\\\server\\share\\Photos\\", L"\\\\server\\share\\Photos"},
      {L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\UNC\\server\\share\\"},
      {L"\\\\?\\Volume{1234}\\", L"\\\\?\\Volume{1234}\\"}};
  for (const auto& [path, expected] : cases)
    EXPECT_EQ(NormalizeFolderPath(path), expected) << Narrow(path);
}

// A drive alone ("C:", the default photo folder) is that drive's current folder, as in Windows.
TEST_F(Win32FileSystemTest, FullFolderPathResolvesEveryFormAndRefusesWhatIsNoFolder) {
  folder_.MakeFolder(L"sub");
  folder_.MakeFolder(L"写真");
  const std::string leaf = Narrow(folder_.path().substr(folder_.path().rfind(L'\\') + 1));
  const std::pair<std::string, std::string> cases[] = {
      {"C:", root_},
      {root_ + "/sub/", root_ + "\\sub"},
      {root_ + "\\sub\\..", root_},
      {"写真", root_ + "\\写真"},
      {"..\\" + leaf + "\\写真\\", root_ + "\\写真"}};
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(files_.FullFolderPath(name), expected) << name;
  for (const std::string& name : not_folders_)
    EXPECT_THROW(files_.FullFolderPath(name), Failure) << name;
}

TEST_F(Win32FileSystemTest, ChDirMovesAndAFailedOneStaysNamingTheFolder) {
  const std::string japanese = Narrow(folder_.MakeFolder(L"日本語 フォルダ"));
  for (const auto& [name, expected] :
       {std::pair<std::string, std::string>{japanese, japanese}, {"..", root_}, {"C:\\", "C:\\"}}) {
    files_.ChDir(name);
    EXPECT_EQ(files_.CurDir(), expected) << name;
  }
  files_.ChDir(root_);
  for (const std::string name : {"missing", "file.jpg"}) {
    try {
      files_.ChDir(name);
      ADD_FAILURE() << "no failure for " << name;
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(name), std::string::npos) << failure.what();
    }
    EXPECT_EQ(files_.CurDir(), root_);
  }
}

TEST_F(Win32FileSystemTest, ListFolderReportsEntriesWithAttributesAndRefusesWhatIsNoFolder) {
  const struct {
    const wchar_t* name;
    bool directory;
    DWORD attributes;  // 0: as created
    const char* line;
  } items[] = {{L"hidden.jpg", false, FILE_ATTRIBUTE_HIDDEN, "hidden.jpg hidden"},
               {L"system.bmp", false, FILE_ATTRIBUTE_SYSTEM, "system.bmp system"},
               {L"桜.JPG", false, 0, "桜.JPG"},
               {L"隠し", true, FILE_ATTRIBUTE_HIDDEN, "隠し/ hidden"}};
  std::vector<std::string> expected = {"file.jpg"};
  for (const auto& item : items) {
    const std::wstring path =
        item.directory ? folder_.MakeFolder(item.name) : folder_.WriteFile(item.name, "x");
    if (item.attributes) {
      const DWORD kept = item.directory ? FILE_ATTRIBUTE_DIRECTORY : 0;
      ASSERT_TRUE(::SetFileAttributesW(path.c_str(), item.attributes | kept));
    }
    expected.push_back(item.line);
  }
  std::sort(expected.begin(), expected.end());
  for (const std::string& name : {root_, root_ + "\\", std::string(".")}) {
    std::vector<std::string> lines;
    for (const FolderEntry& e : files_.ListFolder(name)) {
      lines.push_back(e.name + (e.directory ? "/" : "") + (e.hidden ? " hidden" : "") +
                      (e.system ? " system" : ""));
    }
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, expected) << name;
  }
  for (const std::string& name : not_folders_)
    EXPECT_THROW(files_.ListFolder(name), Failure) << name;
}

}  // namespace
}  // namespace solvarine::win32::testing
