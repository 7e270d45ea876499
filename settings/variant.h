#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace solvarine {

// A value that holds text or a 16-bit integer and converts on each use, as the size setting does:
// it keeps the stored text until the dialog replaces it with the slider's number.
class Variant {
 public:
  Variant() = default;
  explicit Variant(std::string text) : value_(std::move(text)) {}
  explicit Variant(std::int16_t number) : value_(number) {}

  // Fails for text that is not a number.
  double ToDouble() const;
  std::string Text() const;

 private:
  std::variant<std::string, std::int16_t> value_;
};

}  // namespace solvarine
