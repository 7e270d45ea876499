#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/text.h"

namespace solvarine::win32::testing {
namespace {

// Works in a fresh folder under the user's temp folder, made the current one;
// afterwards the current folder is set back and the new one removed.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  Win32FileSystemTest() {
    std::filesystem::create_directory(folder_);
    Make(L"file.jpg", false);
    files_.ChDir(root_);
  }
  ~Win32FileSystemTest() override {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
  std::wstring Make(const std::wstring& name, bool directory) {
    const std::wstring path = folder_ + L"\\" + name;
    if (directory)
      std::filesystem::create_directory(path);
    else
      std::ofstream(std::filesystem::path(path)) << "x";
    return path;
  }

  std::filesystem::path saved_ = std::filesystem::current_path();
  std::wstring folder_ = (std::filesystem::temp_directory_path() /
                          ("solvarine-test-" + std::to_string(::GetCurrentProcessId())))
                             .wstring();
  std::string root_ = Narrow(folder_);
  Win32FileSystem files_;
};

TEST(NormalizeFolderPathTest, EndsInSeparatorOnlyAtARoot) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"C:\\", L"C:\\"},
      {L"C:", L"C:\\"},
      {L"C:\\Photos\\", L"C:\\Photos"},
      {L"\\\\server\\share\\Photos\\", L"\\\\server\\share\\Photos"},
      {L"x\\Photos\\", L"x\\Photos"},
      {L"\\\\?\\C:\\", L"\\\\?\\C:\\"},
      {L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\UNC\\server\\share\\"}};
  for (const auto& [path, expected] : cases)
    EXPECT_EQ(NormalizeFolderPath(path), expected) << Narrow(path);
}

// A drive alone ("C:", the default photo folder) is its current folder, as in Windows.
// A failed ChDir stays where it was and names the folder.
TEST_F(Win32FileSystemTest, FullFolderPathAndChDirTakeEveryFormAndRefuseNonFolders) {
  Make(L"sub", true);
  Make(L"写真 2024", true);
  const std::pair<std::string, std::string> cases[] = {{"C:", root_},
                                                       {root_ + "/sub/", root_ + "\\sub"},
                                                       {"写真 2024\\", root_ + "\\写真 2024"},
                                                       {"C:\\", "C:\\"}};
  for (const auto& [name, expected] : cases) {
    EXPECT_EQ(files_.FullFolderPath(name), expected) << name;
    files_.ChDir(name);
    EXPECT_EQ(files_.CurDir(), expected) << name;
    files_.ChDir(root_);
  }
  for (const std::string name : {"", "missing", "無い\\深い", "file.jpg"}) {
    EXPECT_THROW(files_.FullFolderPath(name), Failure) << name;
    try {
      files_.ChDir(name);
      ADD_FAILURE() << "no failure for " << name;
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find('"' + name + '"'), std::string::npos);
    }
    EXPECT_EQ(files_.CurDir(), root_);
  }
}

TEST_F(Win32FileSystemTest, ListsEntriesWithTheirAttributesAndRefusesNonFolders) {
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
    const std::wstring path = Make(item.name, item.directory);
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
  for (const std::string name : {"", "missing", "無い\\深い", "file.jpg"})
    EXPECT_THROW(files_.ListFolder(name), Failure) << name;
}

}  // namespace
}  // namespace solvarine::win32::testing
