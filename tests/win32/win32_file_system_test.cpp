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

// One line per entry, e.g. "sub/ hidden", sorted, so listings compare and print plainly.
std::vector<std::string> Sorted(const std::vector<FolderEntry>& entries) {
  std::vector<std::string> lines;
  for (const FolderEntry& e : entries) {
    lines.push_back(e.name + (e.directory ? "/" : "") + (e.hidden ? " hidden" : "") +
                    (e.system ? " system" : ""));
  }
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
      {L"C:\\Photos\\", L"C:\\Photos"},
      {L"\\\\server\\share\\", L"\\\\server\\share\\"},
      {L"\\\\server\\share\\Photos\\", L"\\\\server\\share\\Photos"},
      {L"\\\\?\\UNC\\server\\share\\", L"\\\\?\\UNC\\server\\share\\"},
      {L"\\\\?\\Volume{1234}\\", L"\\\\?\\Volume{1234}\\"},
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
      {root, root},
      {root + "/sub/", root + "\\sub"},
      {root + "\\sub\\..", root},
      {"sub", root + "\\sub"},
      {"写真", root + "\\写真"},
      {"..\\" + Narrow(folder_.path().substr(folder_.path().rfind(L'\\') + 1)) + "\\写真\\",
       root + "\\写真"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(files_.FullFolderPath(c.name), c.expected);
  }
}

TEST_F(Win32FileSystemTest, ChDirRoundTripsAndAFailedOneStays) {
  const std::string root = Narrow(folder_.path());
  const std::string japanese = Narrow(folder_.MakeFolder(L"日本語 フォルダ"));
  folder_.WriteFile(L"file.jpg", "x");
  for (const auto& [name, expected] : {std::pair<std::string, std::string>{root, root},
                                       {japanese, japanese},
                                       {"..", root},
                                       {"日本語 フォルダ\\", japanese},
                                       {"C:\\", "C:\\"}}) {
    SCOPED_TRACE(name);
    files_.ChDir(name);
    EXPECT_EQ(files_.CurDir(), expected);
  }
  files_.ChDir(root);
  for (const std::string name : {"missing", "file.jpg"}) {
    try {
      files_.ChDir(name);
      ADD_FAILURE() << "no failure for " << name;
    } catch (const Failure& failure) {
      EXPECT_NE(std::string(failure.what()).find(name), std::string::npos) << failure.what();
    }
    EXPECT_EQ(files_.CurDir(), root);
  }
}

TEST_F(Win32FileSystemTest, ListFolderReportsEntriesWithAttributes) {
  const struct {
    const wchar_t* name;
    bool directory;
    DWORD attributes;  // 0: leave as created
  } items[] = {
      {L"hidden.jpg", false, FILE_ATTRIBUTE_HIDDEN},
      {L"system.bmp", false, FILE_ATTRIBUTE_SYSTEM},
      {L"both.gif", false, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
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

TEST_F(Win32FileSystemTest, FullFolderPathAndListFolderRefuseWhatIsNoFolder) {
  folder_.WriteFile(L"file.jpg", "x");
  files_.ChDir(Narrow(folder_.path()));
  for (const std::string& name :
       {std::string(), std::string("missing"), Narrow(folder_ / L"無い"),
        Narrow(folder_ / L"無い\\深い"), std::string("file.jpg"), Narrow(folder_ / L"file.jpg")}) {
    SCOPED_TRACE(name);
    EXPECT_THROW(files_.FullFolderPath(name), Failure);
    EXPECT_THROW(files_.ListFolder(name), Failure);
  }
}

}  // namespace
}  // namespace solvarine::win32::testing
