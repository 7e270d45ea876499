#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "tests/win32/temp_folder.h"

namespace solvarine {
namespace win32 {
namespace {

using testing::CurrentDirectoryGuard;
using testing::TempFolder;

// One line per entry, e.g. "sub/ hidden", so a listing compares and prints plainly.
std::string Describe(const FolderEntry& entry) {
  return entry.name + (entry.directory ? "/" : "") + (entry.hidden ? " hidden" : "") +
         (entry.system ? " system" : "");
}

std::vector<std::string> Sorted(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> lines;
  for (const FolderEntry& entry : entries)
    lines.push_back(Describe(entry));
  std::sort(lines.begin(), lines.end());
  return lines;
}

class Win32FileSystemTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  CurrentDirectoryGuard restore_;
  Win32FileSystem files_;
};

TEST(NormalizeFolderPathTest, EndsInSeparatorOnlyAtARoot) {
  const struct {
    const wchar_t* path;
    const wchar_t* expected;
  } cases[] = {
      {L"C:\\", L"C:\\"},
      {L"C:", L"C:\\"},
      {L"C:/", L"C:\\"},
      {L"C:\\\\", L"C:\\"},
      {L"C:\\Photos", L"C:\\Photos"},
      {L"C:\\Photos\\", L"C:\\Photos"},
      {L"C:\\Photos\\\\", L"C:\\Photos"},
      {L"Z:\\tmp\\写真\\", L"Z:\\tmp\\写真"},
      {L"\\\\server\\share", L"\\\\server\\share\\"},
      {L"\\\\server\\share\\", L"\\\\server\\share\\"},
      {L"\\\\server\\share\\Photos\\", L"\\\\server\\share\\Photos"},
      {L"\\\\?\\C:\\", L"\\\\?\\C:\\"},
      {L"\\\\?\\C:\\Photos\\", L"\\\\?\\C:\\Photos"},
      {L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\UNC\\server\\share\\"},
      {L"\\\\?\\UNC\\server\\share\\Photos\\", L"\\\\?\\UNC\\server\\share\\Photos"},
      {L"\\\\?\\Volume{1234}\\", L"\\\\?\\Volume{1234}\\"},
      {L"\\\\?\\Volume{1234}\\Photos\\", L"\\\\?\\Volume{1234}\\Photos"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    EXPECT_EQ(NormalizeFolderPath(c.path), c.expected);
  }
}

TEST_F(Win32FileSystemTest, FullFolderPathResolvesEveryForm) {
  const std::string root = Narrow(folder_.path());
  folder_.MakeFolder(L"sub");
  folder_.MakeFolder(L"写真");
  files_.ChDir(root);
  const struct {
    std::string name;
    std::string expected;
  } cases[] = {
      {"C:", root},  // a drive-relative name on the current drive is the current directory
      {"C:\\", "C:\\"},
      {root, root},
      {root + "\\", root},
      {root + "/sub/", root + "\\sub"},
      {root + "\\sub\\..", root},
      {"sub", root + "\\sub"},
      {"sub\\", root + "\\sub"},
      {".", root},
      {"写真", root + "\\写真"},
      {"..\\" + Narrow(folder_.path().substr(folder_.path().rfind(L'\\') + 1)) + "\\写真\\",
       root + "\\写真"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(files_.FullFolderPath(c.name), c.expected);
  }
}

TEST_F(Win32FileSystemTest, FullFolderPathOfAnotherDriveIsItsRoot) {
  // Wine keeps no current folder per drive, so "C:" from another drive is C:'s root.
  if (::GetFileAttributesW(L"Z:\\") == INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "no drive Z:";
  files_.ChDir("Z:\\");
  for (const char* name : {"C:", "C:\\", "C:/"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(files_.FullFolderPath(name), "C:\\");
  }
  EXPECT_EQ(files_.FullFolderPath("Z:"), "Z:\\");
}

TEST_F(Win32FileSystemTest, FullFolderPathRefusesWhatIsNoFolder) {
  folder_.WriteFile(L"file.jpg", "x");
  files_.ChDir(Narrow(folder_.path()));
  for (const std::string& name : {std::string(), std::string("missing"), Narrow(folder_ / L"無い"),
                                  Narrow(folder_ / L"missing\\deeper"), std::string("file.jpg"),
                                  Narrow(folder_ / L"file.jpg")}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(files_.FullFolderPath(name), Failure);
  }
}

TEST_F(Win32FileSystemTest, ChDirRoundTrip) {
  const std::string before = files_.CurDir();
  const std::wstring japanese = folder_.MakeFolder(L"日本語 フォルダ");
  const struct {
    std::string name;
    std::string expected;
  } cases[] = {
      {Narrow(folder_.path()), Narrow(folder_.path())},
      {Narrow(japanese), Narrow(japanese)},
      {"..", Narrow(folder_.path())},
      {"日本語 フォルダ\\", Narrow(japanese)},
      {"C:\\", "C:\\"},
      {before, before},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    files_.ChDir(c.name);
    EXPECT_EQ(files_.CurDir(), c.expected);
  }
}

TEST_F(Win32FileSystemTest, ChDirToAMissingFolderFailsAndStays) {
  files_.ChDir(Narrow(folder_.path()));
  folder_.WriteFile(L"file.jpg", "x");
  for (const std::string& name : {std::string(), std::string("missing"), std::string("file.jpg"),
                                  Narrow(folder_ / L"無い")}) {
    SCOPED_TRACE(name);
    try {
      files_.ChDir(name);
      ADD_FAILURE() << "no failure";
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(name), std::string::npos) << failure.what();
    }
    EXPECT_EQ(files_.CurDir(), Narrow(folder_.path()));
  }
}

TEST_F(Win32FileSystemTest, ListFolderReportsEntriesWithAttributes) {
  const struct {
    const wchar_t* name;
    bool directory;
    DWORD attributes;  // 0: leave as created
  } items[] = {
      {L"a.jpg", false, 0},
      {L"hidden.jpg", false, FILE_ATTRIBUTE_HIDDEN},
      {L"system.bmp", false, FILE_ATTRIBUTE_SYSTEM},
      {L"both.gif", false, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
      {L"readonly.jpg", false, FILE_ATTRIBUTE_READONLY},
      {L"桜.JPG", false, 0},
      {L"sub", true, 0},
      {L"隠しフォルダ", true, FILE_ATTRIBUTE_HIDDEN},
  };
  std::vector<FolderEntry> expected;
  for (const auto& item : items) {
    const std::wstring path =
        item.directory ? folder_.MakeFolder(item.name) : folder_.WriteFile(item.name, "x");
    if (item.attributes != 0) {
      const DWORD kept = item.directory ? FILE_ATTRIBUTE_DIRECTORY : 0;
      ASSERT_TRUE(::SetFileAttributesW(path.c_str(), item.attributes | kept));
    }
    expected.push_back({.name = Narrow(item.name),
                        .directory = item.directory,
                        .hidden = (item.attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                        .system = (item.attributes & FILE_ATTRIBUTE_SYSTEM) != 0});
  }
  // The same listing whatever form the folder name takes.
  files_.ChDir(Narrow(folder_.path()));
  for (const std::wstring& name : {folder_.path(), folder_.path() + L"\\", std::wstring(L".")}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_EQ(Sorted(files_.ListFolder(Narrow(name))), Sorted(expected));
  }
}

TEST_F(Win32FileSystemTest, ListFolderOfAnEmptyFolderIsEmpty) {
  const std::wstring empty = folder_.MakeFolder(L"空");
  EXPECT_TRUE(files_.ListFolder(Narrow(empty)).empty());
}

TEST_F(Win32FileSystemTest, ListFolderFailsForWhatCannotBeRead) {
  const std::wstring file = folder_.WriteFile(L"file.jpg", "x");
  for (const std::wstring& name :
       {std::wstring(), folder_ / L"missing", folder_ / L"無い\\深い", file}) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_THROW(files_.ListFolder(Narrow(name)), Failure);
  }
}

}  // namespace
}  // namespace win32
}  // namespace solvarine
