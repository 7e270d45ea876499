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
  RegistrySettingsStoreTest()
      : app_("SolvarineTest-" + std::to_string(::GetCurrentProcessId()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
  ~RegistrySettingsStoreTest() override {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen("Software\\" + app_).c_str());
  }

  // Writes a value of any type and bytes, as another program might have left it.
  void WriteRaw(const std::string& key, DWORD type, const void* bytes, DWORD size) {
    UniqueHkey section;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Widen("Software\\" + app_ + "\\Option").c_str(),
                                0, nullptr, 0, KEY_SET_VALUE, nullptr, section.put(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExW(section.get(), Widen(key).c_str(), 0, type,
                               static_cast<const BYTE*>(bytes), size),
              ERROR_SUCCESS);
  }

  // Only a REG_SZ value is read.
  std::wstring ReadRawString(const std::string& key) {
    std::wstring buffer(64, L'\0');
    DWORD size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    ::RegGetValueW(HKEY_CURRENT_USER, Widen("Software\\" + app_ + "\\Option").c_str(),
                   Widen(key).c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &size);
    return buffer.c_str();
  }

  RegistrySettingsStore store_;
  std::string app_;
};

TEST_F(RegistrySettingsStoreTest, RoundTripsTextAsUtf16StringValues) {
  std::string long_text;
  for (int i = 0; long_text.size() < 300'000; ++i)
    long_text += std::to_string(i) + "写真";
  const struct {
    std::string section, key, value;
  } cases[] = {
      {"Option", "Speed", "2"},
      {"Other", "Speed", "9"},  // sections stay apart
      {"Option", "Filename", "C:\\写真\\桜 2024.jpg"},
      {"Option", "日本語の名前", "設定画面で表示画像を設定してください"},
      {"Option", "Emoji", "\xF0\x9F\x93\xB7 camera"},  // outside the BMP: a surrogate pair
      {"Option", "Long", long_text},
      {"Option", "Fileindex", "12345"},
      {"Option", "Fileindex", ""},  // a later write replaces an earlier one
  };
  for (const auto& c : cases)
    store_.SaveSetting(app_, c.section, c.key, c.value);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section + " " + c.key);
    if (c.key != "Fileindex") {
      EXPECT_EQ(store_.GetSetting(app_, c.section, c.key), c.value);
    }
  }
  EXPECT_EQ(store_.GetSetting(app_, "Option", "Fileindex"), std::string());
  EXPECT_EQ(ReadRawString("Filename"), L"C:\\\u5199\u771F\\\u685C 2024.jpg");
}

TEST_F(RegistrySettingsStoreTest, AbsentIsNothingButEmptyIsText) {
  EXPECT_EQ(store_.GetSetting(app_, "Option", "Speed"), std::nullopt) << "no application key";
  store_.SaveSetting(app_, "Option", "Directory", "");
  EXPECT_EQ(store_.GetSetting(app_, "Option", "Directory"), std::string());
  EXPECT_EQ(store_.GetSetting(app_, "Option", "Speed"), std::nullopt) << "no such value";
  EXPECT_EQ(store_.GetSetting(app_, "Other", "Directory"), std::nullopt) << "no such section";
}

TEST_F(RegistrySettingsStoreTest, ReadsValuesOtherProgramsWrote) {
  const DWORD number = 5;
  const wchar_t unterminated[] = {L'a', L'b', L'c'};
  const wchar_t embedded_nul[] = L"ab\0cd";
  const unsigned char binary[] = {0x31, 0x00, 0x32, 0x00};
  const struct {
    const char* key;
    DWORD type;
    const void* bytes;
    DWORD size;
    std::optional<std::string> expected;
  } cases[] = {
      {"Dword", REG_DWORD, &number, sizeof number, std::nullopt},
      {"Binary", REG_BINARY, binary, sizeof binary, std::nullopt},
      {"Unterminated", REG_SZ, unterminated, sizeof unterminated, "abc"},
      {"EmbeddedNul", REG_SZ, embedded_nul, sizeof embedded_nul, "ab"},
      {"NoBytes", REG_SZ, nullptr, 0, ""},
  };
  for (const auto& c : cases)
    WriteRaw(c.key, c.type, c.bytes, c.size);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(store_.GetSetting(app_, "Option", c.key), c.expected);
  }
}

TEST_F(RegistrySettingsStoreTest, FailsClearlyWhenTheValueCannotBeStored) {
  // Registry key names are limited to 255 characters.
  const std::string section(300, 'S');
  try {
    store_.SaveSetting(app_, section, "Speed", "2");
    FAIL() << "no failure";
  } catch (const Failure& failure) {
    EXPECT_NE(std::string(failure.what()).find("Speed"), std::string::npos) << failure.what();
  }
  EXPECT_EQ(store_.GetSetting(app_, section, "Speed"), std::nullopt);
}

}  // namespace
}  // namespace solvarine::win32
