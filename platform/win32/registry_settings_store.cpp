#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <limits>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {
namespace {

std::wstring SectionKeyPath(const std::string& app, const std::string& section) {
  return L"Software\\" + Widen(app) + L"\\" + Widen(section);
}

std::string DisplayName(const std::string& app, const std::string& section,
                        const std::string& key) {
  return "HKEY_CURRENT_USER\\Software\\" + app + "\\" + section + " value \"" + key + "\"";
}

// Text values; REG_EXPAND_SZ is read as written, without expanding variables.
bool IsText(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ;
}

// Reads a string value of any length. Another writer may grow the value between the size query
// and the read, hence the retry; registry strings need not end in NUL, hence the spare room.
std::optional<std::wstring> QueryString(HKEY key, const std::wstring& name) {
  constexpr int kAttempts = 8;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    if (!IsText(type))
      return std::nullopt;
    if (bytes > std::numeric_limits<DWORD>::max() - 2 * sizeof(wchar_t))
      return std::nullopt;
    std::wstring text(bytes / sizeof(wchar_t) + 2, L'\0');
    DWORD capacity = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    const LSTATUS status = ::RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                              reinterpret_cast<BYTE*>(text.data()), &capacity);
    if (status == ERROR_MORE_DATA)
      continue;
    if (status != ERROR_SUCCESS || !IsText(type))
      return std::nullopt;
    text.resize(capacity / sizeof(wchar_t));
    // The text ends at the first NUL, whether or not the stored bytes carry one.
    if (const size_t end = text.find(L'\0'); end != std::wstring::npos)
      text.resize(end);
    return text;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RegistrySettingsStore::GetSetting(const std::string& app,
                                                             const std::string& section,
                                                             const std::string& key) {
  UniqueHkey section_key;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionKeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      section_key.put()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::optional<std::wstring> text = QueryString(section_key.get(), Widen(key));
  if (!text)
    return std::nullopt;
  return Narrow(*text);
}

void RegistrySettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                        const std::string& key, const std::string& value) {
  UniqueHkey section_key;
  LSTATUS status = ::RegCreateKeyExW(HKEY_CURRENT_USER, SectionKeyPath(app, section).c_str(), 0,
                                     nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                                     section_key.put(), nullptr);
  if (status != ERROR_SUCCESS) {
    throw Failure("Cannot open the settings key for " + DisplayName(app, section, key) + ": " +
                  ErrorText(static_cast<DWORD>(status)));
  }
  const std::wstring text = Widen(value);
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (bytes > std::numeric_limits<DWORD>::max()) {
    throw Failure("Cannot store " + DisplayName(app, section, key) + ": the text is too long");
  }
  status = ::RegSetValueExW(section_key.get(), Widen(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()), static_cast<DWORD>(bytes));
  if (status != ERROR_SUCCESS) {
    throw Failure("Cannot store " + DisplayName(app, section, key) + ": " +
                  ErrorText(static_cast<DWORD>(status)));
  }
}

}  // namespace solvarine::win32
