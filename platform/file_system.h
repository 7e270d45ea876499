#pragma once

#include <string>
#include <vector>

namespace solvarine {

struct FolderEntry {
  std::string name;
  bool directory = false;
  bool hidden = false;
  bool system = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The current directory's full path.
  virtual std::string CurDir() = 0;
  // Fails for a folder that does not exist.
  virtual void ChDir(const std::string& folder) = 0;
  // The full path of an existing folder (relative and drive-only names resolved as Windows does),
  // ending in "\" only at a drive's root. Fails when there is no such folder.
  virtual std::string FullFolderPath(const std::string& folder) = 0;
  // Every entry of the folder but "." and "..", in no particular order. Fails if unreadable.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) = 0;
};

}  // namespace solvarine
