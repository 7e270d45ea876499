#include "settings/setting_keys.h"

#include "platform/failure.h"
#include "platform/settings_store.h"
#include "settings/numbers.h"

namespace solvarine {
namespace {

template <typename Int, Int (*Convert)(double)>
Int ReadNumber(SettingsStore& store, std::string_view key, Int default_value) {
  const auto text =
      store.GetSetting(std::string(kAppName), std::string(kSection), std::string(key));
  if (!text)
    return default_value;
  try {
    return Convert(ParseNumber(*text));
  } catch (const Failure&) {
    return default_value;
  }
}

}  // namespace

std::string Settings::GetText(std::string_view key, std::string_view default_text) const {
  return store_.GetSetting(std::string(kAppName), std::string(kSection), std::string(key))
      .value_or(std::string(default_text));
}

std::int32_t Settings::GetInt32(std::string_view key, std::int32_t default_value) const {
  return ReadNumber<std::int32_t, ToInt32>(store_, key, default_value);
}

std::int16_t Settings::GetInt16(std::string_view key, std::int16_t default_value) const {
  return ReadNumber<std::int16_t, ToInt16>(store_, key, default_value);
}

void Settings::Save(std::string_view key, std::string_view text) {
  store_.SaveSetting(std::string(kAppName), std::string(kSection), std::string(key),
                     std::string(text));
}

}  // namespace solvarine
