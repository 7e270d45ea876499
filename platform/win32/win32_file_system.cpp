#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {
namespace {

bool IsSeparator(wchar_t c) {
  return c == L'\\' || c == L'/';
}

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Length of "\\server\share" from `start`, or of the text if it has no share part.
size_t UncShareEnd(std::wstring_view path, size_t start) {
  const size_t server_end = path.find_first_of(L"\\/", start);
  if (server_end == std::wstring_view::npos)
    return path.size();
  const size_t share_end = path.find_first_of(L"\\/", server_end + 1);
  return share_end == std::wstring_view::npos ? path.size() : share_end;
}

// Length of the root without its closing separator: "C:", "\\server\share", "\\?\C:" ...
size_t RootLength(std::wstring_view path) {
  if (StartsWith(path, L"\\\\?\\UNC\\"))
    return UncShareEnd(path, 8);
  if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) {
    if (path.size() >= 6 && path[5] == L':')
      return 6;
    return std::min(path.find_first_of(L"\\/", 4), path.size());  // "\\?\Volume{...}"
  }
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return UncShareEnd(path, 2);
  }
  if (path.size() >= 2 && path[1] == L':')
    return 2;
  return 0;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// Calls a "fill this buffer, or tell me the size you need" function until the result fits.
template <typename Fill>
std::wstring GrowingBuffer(Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0)
      return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length);
  }
}

FolderEntry ToEntry(const WIN32_FIND_DATAW& data) {
  return FolderEntry{.name = Narrow(data.cFileName),
                     .directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                     .hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                     .system = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0};
}

bool IsDotEntry(const wchar_t* name) {
  return std::wstring_view(name) == L"." || std::wstring_view(name) == L"..";
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring NormalizeFolderPath(std::wstring_view full_path) {
  std::wstring path(full_path);
  const size_t root = RootLength(path);
  while (path.size() > root + 1 && IsSeparator(path.back()))
    path.pop_back();
  if (root > 0 && path.size() == root)
    path += L'\\';
  if (path.size() == root + 1 && IsSeparator(path.back()))
    path.back() = L'\\';
  return path;
}

std::wstring FullPathName(const std::wstring& name) {
  if (name.empty())
    return {};
  return GrowingBuffer([&name](wchar_t* buffer, DWORD size) {
    return ::GetFullPathNameW(name.c_str(), size, buffer, nullptr);
  });
}

std::string Win32FileSystem::CurDir() {
  const std::wstring folder = GrowingBuffer(
      [](wchar_t* buffer, DWORD size) { return ::GetCurrentDirectoryW(size, buffer); });
  if (folder.empty()) {
    throw Failure("Cannot read the current directory: " + ErrorText(::GetLastError()));
  }
  return Narrow(folder);
}

void Win32FileSystem::ChDir(const std::string& folder) {
  if (folder.empty() || !::SetCurrentDirectoryW(Widen(folder).c_str())) {
    const DWORD error = folder.empty() ? ERROR_PATH_NOT_FOUND : ::GetLastError();
    throw Failure("Cannot change the current directory to " + Quoted(folder) + ": " +
                  ErrorText(error));
  }
}

std::string Win32FileSystem::FullFolderPath(const std::string& folder) {
  const std::wstring full = FullPathName(Widen(folder));
  if (full.empty())
    throw Failure("Not a folder name: " + Quoted(folder));
  if (!IsFolder(full))
    throw Failure("No such folder: " + Quoted(Narrow(full)));
  return Narrow(NormalizeFolderPath(full));
}

std::vector<FolderEntry> Win32FileSystem::ListFolder(const std::string& folder) {
  if (folder.empty())
    throw Failure("Cannot list a folder: no folder name given");
  std::wstring pattern = Widen(folder);
  if (!IsSeparator(pattern.back()))
    pattern += L'\\';
  pattern += L'*';

  WIN32_FIND_DATAW data{};
  const HANDLE first = ::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                          FindExSearchNameMatch, nullptr, 0);
  std::vector<FolderEntry> entries;
  if (first == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    // A drive root has no "." entry, so an empty one reports "no files" rather than success.
    if (error == ERROR_FILE_NOT_FOUND && IsFolder(Widen(folder)))
      return entries;
    throw Failure("Cannot read the folder " + Quoted(folder) + ": " + ErrorText(error));
  }
  const UniqueFindHandle find(first);
  do {
    if (!IsDotEntry(data.cFileName))
      entries.push_back(ToEntry(data));
  } while (::FindNextFileW(find.get(), &data));
  if (const DWORD error = ::GetLastError(); error != ERROR_NO_MORE_FILES) {
    throw Failure("Cannot read the folder " + Quoted(folder) + ": " + ErrorText(error));
  }
  return entries;
}

}  // namespace solvarine::win32
