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
    std::vector<FolderEntry> entries = {
        {"x.jpg", false, true, false}, {"s.jpg", false, false, true}, {"y.gif", true}};
    for (const char* name :
         {"b.gif", "A.JPG", "c.bmp", "d.png", "notes.txt", "写真.Jpg", ".jpg", "jpg", "a.jpeg"})
      entries.push_back({name});
    files.AddFolder("C:\\photos", entries);
    files.AddFolder("C:\\empty");
    list.SetPath("C:\\photos");
  }
  fakes::FakeFileSystem files;
  FileListBox list{files};
};

TEST_F(PhotoList, ListsVisiblePictureFilesInNameOrderIgnoringCase) {
  EXPECT_EQ(Entries(list),
            (std::vector<std::string>{".jpg", "A.JPG", "b.gif", "c.bmp", "写真.Jpg"}));
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(PhotoList, PositionsOutsideTheListFail) {
  for (int ok : {-1, 0, 4})
    EXPECT_NO_THROW(list.SetListIndex(ok));
  for (int bad : {-2, 5, 40000})
    EXPECT_THROW(list.SetListIndex(bad), Failure);
  EXPECT_EQ(list.ListIndex(), 4);
  list.SetPath("C:\\empty");
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_THROW(list.SetListIndex(0), Failure);
  EXPECT_THROW(list.List(0), Failure);
}

TEST_F(PhotoList, AMissingFolderFailsAndChangesNothing) {
  DirListBox dir(files);
  dir.SetPath("C:\\photos");
  list.SetListIndex(2);
  EXPECT_THROW(dir.SetPath("C:\\gone"), Failure);
  EXPECT_THROW(list.SetPath("C:\\gone"), Failure);
  EXPECT_EQ(dir.Path(), "C:\\photos");
  EXPECT_EQ(list.ListIndex(), 2);
  EXPECT_EQ(list.ListCount(), 5);
}

}  // namespace
}  // namespace solvarine
