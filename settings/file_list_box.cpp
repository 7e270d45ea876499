#include "settings/file_list_box.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/failure.h"
#include "platform/file_system.h"

namespace solvarine {
namespace {

char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letters beyond ASCII keep their code point order (UTF-8 bytes compare in code point order).
bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const auto less = [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  };
  if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), less))
    return true;
  if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), less))
    return false;
  return a < b;  // names differing only in case still get a fixed order
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view suffix) {
  return name.size() >= suffix.size() &&
         std::equal(suffix.rbegin(), suffix.rend(), name.rbegin(),
                    [](char s, char n) { return AsciiLower(s) == AsciiLower(n); });
}

bool MatchesPattern(std::string_view name) {
  static constexpr std::array<std::string_view, 3> kExtensions = {".jpg", ".bmp", ".gif"};
  return std::any_of(kExtensions.begin(), kExtensions.end(),
                     [name](std::string_view ext) { return EndsWithIgnoringCase(name, ext); });
}

std::vector<std::string> ReadPhotoNames(FileSystem& files, const std::string& folder) {
  std::vector<std::string> names;
  for (auto& entry : files.ListFolder(folder)) {
    if (!entry.directory && !entry.hidden && !entry.system && MatchesPattern(entry.name)) {
      names.push_back(std::move(entry.name));
    }
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  // Positions are 16-bit; photos past the last position are left out rather than overflowing it.
  constexpr size_t kMaxEntries = std::numeric_limits<std::int16_t>::max();
  if (names.size() > kMaxEntries)
    names.resize(kMaxEntries);
  return names;
}

}  // namespace

FileListBox::FileListBox(FileSystem& files) : files_(files), path_(files.CurDir()) {
  try {
    entries_ = ReadPhotoNames(files_, path_);
  } catch (const Failure&) {
    entries_.clear();  // an unreadable start folder is an empty list until a folder is set
  }
}

void FileListBox::SetPath(const std::string& folder) {
  entries_ = ReadPhotoNames(files_, folder);
  path_ = folder;
  list_index_ = -1;
}

void FileListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount())
    throw Failure("photo list position out of range");
  list_index_ = static_cast<std::int16_t>(index);
}

const std::string& FileListBox::List(int index) const {
  if (index < 0 || index >= ListCount())
    throw Failure("photo list position out of range");
  return entries_[static_cast<size_t>(index)];
}

}  // namespace solvarine
