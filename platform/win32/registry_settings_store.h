#pragma once

#include "platform/settings_store.h"

namespace solvarine::win32 {

// Settings as REG_SZ values under HKEY_CURRENT_USER\Software\<app>\<section>.
class RegistrySettingsStore : public SettingsStore {
 public:
  std::optional<std::string> GetSetting(const std::string& app, const std::string& section,
                                        const std::string& key) override;
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace solvarine::win32
