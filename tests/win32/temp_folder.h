#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <string_view>

#include "platform/win32/unique_handle.h"

namespace solvarine::win32::testing {

// A fresh folder under the user's temp folder, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"solvarine-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(::GetTickCount64()) + L"-" + std::to_wstring(counter++);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() { RemoveTree(path_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Without a trailing separator.
  const std::wstring& path() const { return path_; }
  std::wstring operator/(std::wstring_view name) const {
    return path_ + L"\\" + std::wstring(name);
  }

  std::wstring WriteFile(std::wstring_view name, std::string_view bytes) const {
    const std::wstring file = *this / name;
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      ::CloseHandle(handle);
    }
    return file;
  }

  std::wstring MakeFolder(std::wstring_view name) const {
    const std::wstring folder = *this / name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
  }

 private:
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE first = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (first != INVALID_HANDLE_VALUE) {
      const UniqueFindHandle find(first);
      do {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..")
          continue;
        const std::wstring child = folder + L"\\" + std::wstring(name);
        ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(child);
        } else {
          ::DeleteFileW(child.c_str());
        }
      } while (::FindNextFileW(find.get(), &data));
    }
    ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(folder.c_str());
  }

  std::wstring path_;
};

// Restores the process's current directory when the test ends.
class CurrentDirectoryGuard {
 public:
  CurrentDirectoryGuard() {
    saved_.resize(::GetCurrentDirectoryW(0, nullptr));
    saved_.resize(::GetCurrentDirectoryW(static_cast<DWORD>(saved_.size()), saved_.data()));
  }
  ~CurrentDirectoryGuard() { ::SetCurrentDirectoryW(saved_.c_str()); }
  CurrentDirectoryGuard(const CurrentDirectoryGuard&) = delete;
  CurrentDirectoryGuard& operator=(const CurrentDirectoryGuard&) = delete;

 private:
  std::wstring saved_;
};

}  // namespace solvarine::win32::testing
