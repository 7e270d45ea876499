#include "settings/variant.h"

#include "settings/numbers.h"

namespace solvarine {

double Variant::ToDouble() const {
  if (const auto* number = std::get_if<std::int16_t>(&value_))
    return *number;
  return ParseNumber(std::get<std::string>(value_));
}

std::string Variant::Text() const {
  if (const auto* number = std::get_if<std::int16_t>(&value_))
    return DecimalText(*number);
  return std::get<std::string>(value_);
}

}  // namespace solvarine
