#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace solvarine::win32::testing {

// A fresh folder under the user's temp folder. When the test ends, the current folder is set back
// and the new one removed with everything in it.
class TempFolder {
 public:
  TempFolder() { std::filesystem::create_directory(path_); }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::current_path(saved_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Without a trailing separator.
  const std::wstring& path() const { return path_; }
  std::wstring operator/(std::wstring_view name) const {
    return path_ + L"\\" + std::wstring(name);
  }
  std::wstring WriteFile(std::wstring_view name, std::string_view bytes) const {
    std::ofstream(std::filesystem::path(*this / name), std::ios::binary) << bytes;
    return *this / name;
  }
  std::wstring MakeFolder(std::wstring_view name) const {
    std::filesystem::create_directory(*this / name);
    return *this / name;
  }

 private:
  std::filesystem::path saved_ = std::filesystem::current_path();
  std::wstring path_ = (std::filesystem::temp_directory_path() /
                        ("solvarine-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                         std::to_string(::GetTickCount64())))
                           .wstring();
};

}  // namespace solvarine::win32::testing
