#include "platform/win32/registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/failure.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {
namespace {

// Each test works under its own application key, removed afterwards.
class RegistrySettingsStoreTest : public ::testing::Test {
 protected:
  ~RegistrySettingsStoreTest() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen("Software\\" + app_).c_str());
  }
  std::wstring Section() const { return Widen("Software\\" + app_ + "\\Option"); }

  RegistrySettingsStore store_;
  std::string app_ = "SolvarineTest-" + std::to_string(::GetCurrentProcessId()) + "-" +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name();
};

TEST_F(RegistrySettingsStoreTest, StoresTextAsUtf16StringValuesReadsItBackOrFailsNamingIt) {
  std::string long_text;
  while (long_text.size() < 300'000)
    long_text += std::to_string(long_text.size()) + "写真";
  EXPECT_EQ(store_.GetSetting(app_, "Option", "Speed"), std::nullopt) << "no application key";
  const struct {
    std::string section, key, value;
  } cases[] = {{"Other", "Speed", "9"},  // sections stay apart
               {"Option", "日本語の名前", "C:\\写真\\桜 2024.jpg"},
               {"Option", "Emoji", "\xF0\x9F\x93\xB7 camera"},  // outside the BMP
               {"Option", "Long", long_text},
               {"Option", "Fileindex", "12345"},
               {"Option", "Fileindex", ""}};  // a later write replaces an earlier one
  for (const auto& c : cases)
    store_.SaveSetting(app_, c.section, c.key, c.value);
  for (const auto& c : cases) {
    if (c.value != "12345") {
      EXPECT_EQ(store_.GetSetting(app_, c.section, c.key), c.value) << c.key;
    }
  }
  EXPECT_EQ(store_.GetSetting(app_, "Option", "Speed"), std::nullopt) << "no such value";
  EXPECT_EQ(store_.GetSetting(app_, "Other", "Fileindex"), std::nullopt);
  wchar_t raw[64] = {};
  DWORD size = sizeof raw;
  EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, Section().c_str(), L"日本語の名前", RRF_RT_REG_SZ,
                           nullptr, raw, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(raw), L"C:\\写真\\桜 2024.jpg");
  try {
    store_.SaveSetting(app_, std::string(300, 'S'), "Speed", "2");  // key names end at 255
    ADD_FAILURE() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("Speed"), std::string::npos) << failure.what();
  }
}

TEST_F(RegistrySettingsStoreTest, ReadsValuesOtherProgramsWrote) {
  const DWORD number = 5;
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  const wchar_t embedded_nul[] = L"ab\0cd";
  const struct {
    const wchar_t* key;
    DWORD type;
    const void* bytes;
    DWORD size;
    std::optional<std::string> expected;
  } cases[] = {{L"Dword", REG_DWORD, &number, sizeof number, std::nullopt},
               {L"Unterminated", REG_SZ, unterminated, sizeof unterminated, "abc"},
               {L"EmbeddedNul", REG_SZ, embedded_nul, sizeof embedded_nul, "ab"},
               {L"NoBytes", REG_SZ, nullptr, 0, ""}};
  UniqueHkey section;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Section().c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, section.put(), nullptr),
            ERROR_SUCCESS);
  for (const auto& c : cases) {
    ::RegSetValueExW(section.get(), c.key, 0, c.type, static_cast<const BYTE*>(c.bytes), c.size);
    EXPECT_EQ(store_.GetSetting(app_, "Option", Narrow(c.key)), c.expected) << Narrow(c.key);
  }
}

}  // namespace
}  // namespace solvarine::win32
