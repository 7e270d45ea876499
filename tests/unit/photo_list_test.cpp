#include <gtest/gtest.h>

#include "platform/failure.h"
#include "settings/dir_list_box.h"
#include "settings/file_list_box.h"
#include "tests/fakes/fake_services.h"

namespace solvarine {
namespace {

std::vector<std::string> Entries(const FileListBox& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.ListCount(); ++i)
    names.push_back(list.List(i));
  return names;
}

class PhotoList : public testing::Test {
 protected:
  PhotoList() {
    files.AddFolder("C:\\photos", {{"b.gif"},
                                   {"A.JPG"},
                                   {"c.bmp"},
                                   {"d.png"},
                                   {"notes.txt"},
                                   {"x.jpg", false, true, false},
                                   {"s.jpg", false, false, true},
                                   {"y.gif", true},
                                   {"写真.Jpg"},
                                   {"jpg"}});
    files.AddFolder("C:\\empty");
  }
  fakes::FakeFileSystem files;
};

TEST_F(PhotoList, ListsVisiblePictureFilesInNameOrderIgnoringCase) {
  FileListBox list(files);
  list.SetPath("C:\\photos");
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"A.JPG", "b.gif", "c.bmp", "写真.Jpg"}));
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(PhotoList, PositionsOutsideTheListFail) {
  FileListBox list(files);
  list.SetPath("C:\\photos");
  for (int ok : {-1, 0, 3})
    EXPECT_NO_THROW(list.SetListIndex(ok));
  for (int bad : {-2, 4, 40000})
    EXPECT_THROW(list.SetListIndex(bad), Failure);
  list.SetPath("C:\\empty");
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_THROW(list.SetListIndex(0), Failure);
  EXPECT_THROW(list.List(0), Failure);
}

TEST_F(PhotoList, FolderNamesBecomeFullPathsEndingInASeparatorOnlyAtARoot) {
  files.current = "C:\\photos";
  DirListBox dir(files);
  EXPECT_EQ(dir.Path(), "C:\\photos");
  const std::pair<const char*, const char*> cases[] = {
      {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"C:\\empty\\", "C:\\empty"}, {"empty", "C:\\empty"}};
  for (const auto& [name, expected] : cases) {
    files.current = "C:\\";
    dir.SetPath(name);
    EXPECT_EQ(dir.Path(), expected) << name;
  }
}

TEST_F(PhotoList, AMissingFolderFailsAndChangesNothing) {
  DirListBox dir(files);
  FileListBox list(files);
  dir.SetPath("C:\\photos");
  list.SetPath(dir.Path());
  list.SetListIndex(2);
  EXPECT_THROW(dir.SetPath("C:\\gone"), Failure);
  EXPECT_EQ(dir.Path(), "C:\\photos");
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.ListCount(), 4);
}

}  // namespace
}  // namespace solvarine
