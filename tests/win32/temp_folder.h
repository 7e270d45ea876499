#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace solvarine::win32::testing {

// A fresh folder under the user's temp folder, removed with everything in it when the test ends.
class TempFolder {
 public:
  TempFolder() {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    path_ = std::wstring(temp) + L"solvarine-test-" + std::to_wstring(::GetCurrentProcessId()) +
            L"-" + std::to_wstring(counter++);
    ::CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    std::error_code ignored;
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
    const std::wstring file = *this / name;
    const HANDLE handle =
        ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(handle);
    return file;
  }

  std::wstring MakeFolder(std::wstring_view name) const {
    const std::wstring folder = *this / name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
  }

 private:
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

// A BMP file of 0xRRGGBB pixels (rows top-down), 24 or 32 bits per pixel, stored bottom-up unless
// asked. 32-bit rows carry 0 in the fourth byte, as most programs write them.
inline std::string Bmp(int width, int height, const std::vector<std::uint32_t>& pixels,
                       int bits = 24, bool store_top_down = false) {
  const int row_bytes = (width * bits / 8 + 3) / 4 * 4;
  std::string out;
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
      out += static_cast<char>((value >> (8 * i)) & 0xFF);
  };
  out = "BM";
  put(54 + row_bytes * height, 4);
  put(0, 4);
  put(54, 4);
  put(40, 4);
  put(static_cast<std::uint32_t>(width), 4);
  put(static_cast<std::uint32_t>(store_top_down ? -height : height), 4);
  put(1, 2);
  put(bits, 2);
  out.append(24, '\0');  // no compression, default sizes, resolutions and palette
  for (int stored = 0; stored < height; ++stored) {
    const int y = store_top_down ? stored : height - 1 - stored;
    for (int x = 0; x < width; ++x)
      put(pixels[y * width + x], bits / 8);
    out.append(static_cast<size_t>(row_bytes - width * bits / 8), '\0');
  }
  return out;
}

}  // namespace solvarine::win32::testing
