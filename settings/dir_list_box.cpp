#include "settings/dir_list_box.h"

#include "platform/file_system.h"

namespace solvarine {

DirListBox::DirListBox(FileSystem& files) : files_(files), path_(files.CurDir()) {}

void DirListBox::SetPath(const std::string& folder) {
  path_ = files_.FullFolderPath(folder);
}

}  // namespace solvarine
