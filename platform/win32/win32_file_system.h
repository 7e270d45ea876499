#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace solvarine::win32 {

class Win32FileSystem : public FileSystem {
 public:
  std::string CurDir() override;
  void ChDir(const std::string& folder) override;
  std::string FullFolderPath(const std::string& folder) override;
  std::vector<FolderEntry> ListFolder(const std::string& folder) override;
};

// GetFullPathNameW, whatever the length; empty when the name cannot be resolved.
std::wstring FullPathName(const std::wstring& name);

// A full folder path in the form the program compares and joins: a trailing "\" only at a root
// ("C:\", "\\server\share\", and their "\\?\" forms), none anywhere else.
std::wstring NormalizeFolderPath(std::wstring_view full_path);

}  // namespace solvarine::win32
