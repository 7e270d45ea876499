#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace solvarine {

class FileSystem;

// The photo list: the picture files of one folder in name order, with a current entry.
class FileListBox {
 public:
  // Lists the current directory, with no current entry.
  explicit FileListBox(FileSystem& files);

  const std::string& Path() const { return path_; }
  // Re-reads the folder and leaves no current entry. Fails if the folder cannot be read.
  void SetPath(const std::string& folder);

  std::int16_t ListCount() const { return static_cast<std::int16_t>(entries_.size()); }
  std::int16_t ListIndex() const { return list_index_; }
  // -1 (no current entry) to ListCount() - 1; anything else fails.
  void SetListIndex(int index);
  // Fails outside 0 .. ListCount() - 1.
  const std::string& List(int index) const;

 private:
  FileSystem& files_;
  std::string path_;
  std::vector<std::string> entries_;
  std::int16_t list_index_ = -1;
};

}  // namespace solvarine
