#pragma once

#include <string>

namespace solvarine {

class FileSystem;

// The folder list: turns a folder name into the full path the photo list is given.
class DirListBox {
 public:
  explicit DirListBox(FileSystem& files);

  // A full path, ending in "\" only at a drive's root.
  const std::string& Path() const { return path_; }
  // Fails for a folder that does not exist, and then keeps the folder it had.
  void SetPath(const std::string& folder);

 private:
  FileSystem& files_;
  std::string path_;
};

}  // namespace solvarine
