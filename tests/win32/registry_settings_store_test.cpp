#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {
namespace {

// Under an application key of its own, removed afterwards.
TEST(RegistrySettingsStoreTest, StoresUtf16StringValuesReadsThemBackOrFailsNamingThem) {
  RegistrySettingsStore store;
  const std::string app = "SolvarineTest-" + std::to_string(::GetCurrentProcessId());
  const std::wstring section = Widen("Software\\" + app + "\\Option");
  std::string long_text;
  while (long_text.size() < 300'000)
    long_text += std::to_string(long_text.size()) + "写真";
  EXPECT_EQ(store.GetSetting(app, "Option", "Speed"), std::nullopt) << "no key yet";
  store.SaveSetting(app, "Option", "Fileindex", "12345");
  const struct {
    std::string section, key, value;
  } cases[] = {{"Other", "Speed", "9"},  // sections stay apart
               {"Option", "日本語の名前", "C:\\写真\\桜 2024.jpg"},
               {"Option", "Emoji", "\xF0\x9F\x93\xB7 camera"},  // outside the BMP
               {"Option", "Long", long_text},
               {"Option", "Fileindex", ""}};  // a later write replaces an earlier one
  for (const auto& c : cases)
    store.SaveSetting(app, c.section, c.key, c.value);
  for (const auto& c : cases)
    EXPECT_EQ(store.GetSetting(app, c.section, c.key), c.value) << c.key;
  EXPECT_EQ(store.GetSetting(app, "Option", "Speed"), std::nullopt) << "no such value";
  EXPECT_EQ(store.GetSetting(app, "Other", "Fileindex"), std::nullopt);
  wchar_t raw[64] = {};
  DWORD size = sizeof raw;
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, section.c_str(), L"日本語の名前", RRF_RT_REG_SZ,
                           nullptr, raw, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(raw), L"C:\\写真\\桜 2024.jpg");
  const DWORD number = 5;  // as another program may write it
  ::RegSetKeyValueW(HKEY_CURRENT_USER, section.c_str(), L"Number", REG_DWORD, &number, 4);
  EXPECT_EQ(store.GetSetting(app, "Option", "Number"), std::nullopt) << "not text";
  try {
    store.SaveSetting(app, std::string(300, 'S'), "Speed", "2");  // key names end at 255
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("Speed"), std::string::npos) << failure.what();
  }
  ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen("Software\\" + app).c_str());
}

}  // namespace
}  // namespace solvarine::win32
