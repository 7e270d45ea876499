#pragma once

#include <optional>
#include <string>

namespace solvarine {

// The per-user store of text values by application, section and key.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // Nothing when the key is absent; a present key gives its text, even when empty.
  virtual std::optional<std::string> GetSetting(const std::string& app, const std::string& section,
                                                const std::string& key) = 0;
  // Creates the application and section when missing. Fails when the value cannot be stored.
  virtual void SaveSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace solvarine
