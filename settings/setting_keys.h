#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace solvarine {

class SettingsStore;

inline constexpr std::string_view kAppName = "solvar";
inline constexpr std::string_view kSection = "Option";

namespace key {
inline constexpr std::string_view kSpeed = "Speed";
inline constexpr std::string_view kChokkei = "chokkei";
inline constexpr std::string_view kFilename = "Filename";
inline constexpr std::string_view kFilenameS = "FilenameS";
inline constexpr std::string_view kDirectory = "Directory";
inline constexpr std::string_view kHaikei = "Haikei";
inline constexpr std::string_view kFileindex = "Fileindex";
inline constexpr std::string_view kKoteix = "koteix";
inline constexpr std::string_view kKoteiy = "koteiy";
}  // namespace key

namespace defaults {
inline constexpr std::int32_t kSpeed = 2;
inline constexpr std::string_view kChokkei = "400";
inline constexpr std::string_view kFilename = "sample1.jpg";
inline constexpr std::string_view kFilenameS = "sample1.jpg";
inline constexpr std::string_view kDirectory = "C:";
inline constexpr std::int16_t kHaikei = 0;
inline constexpr std::int16_t kFileindex = 0;
}  // namespace defaults

// Reads and writes the program's keys under "solvar" / "Option".
class Settings {
 public:
  explicit Settings(SettingsStore& store) : store_(store) {}

  // The stored text, or the default when the key is absent.
  std::string GetText(std::string_view key, std::string_view default_text) const;
  // A numeric key whose text is not a number or does not fit reads as its default: one bad value
  // must not stop the screen saver.
  std::int32_t GetInt32(std::string_view key, std::int32_t default_value) const;
  std::int16_t GetInt16(std::string_view key, std::int16_t default_value) const;

  void Save(std::string_view key, std::string_view text);

 private:
  SettingsStore& store_;
};

}  // namespace solvarine
