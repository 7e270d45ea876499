#include "settings/numbers.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "platform/failure.h"

namespace solvarine {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

template <typename Int>
Int RoundTo(double value, const char* type_name) {
  const double rounded = std::nearbyint(value);  // default rounding mode: halves to even
  if (!(rounded >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        rounded <= static_cast<double>(std::numeric_limits<Int>::max()))) {
    throw Failure(std::string("number out of range for ") + type_name);
  }
  return static_cast<Int>(rounded);
}

template <typename Int>
Int Checked(std::int64_t value) {
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    throw Failure("integer overflow");
  }
  return static_cast<Int>(value);
}

}  // namespace

double ParseNumber(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back()))
    text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan"; a setting holds digits.
  if (text.empty() ||
      !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
    throw Failure("not a number");
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
    throw Failure("not a number");
  }
  return negative ? -value : value;
}

std::int32_t ToInt32(double value) {
  return RoundTo<std::int32_t>(value, "a 32-bit integer");
}
std::int16_t ToInt16(double value) {
  return RoundTo<std::int16_t>(value, "a 16-bit integer");
}

float ToSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) {
    throw Failure("number out of range for single precision");
  }
  return static_cast<float>(value);
}

std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b) {
  return Checked<std::int16_t>(std::int64_t{a} + b);
}
std::int32_t CheckedAdd32(std::int32_t a, std::int32_t b) {
  return Checked<std::int32_t>(std::int64_t{a} + b);
}
std::int32_t CheckedMul32(std::int32_t a, std::int32_t b) {
  return Checked<std::int32_t>(std::int64_t{a} * b);
}

double CheckedDivide(double a, double b) {
  const double quotient = b == 0 ? std::numeric_limits<double>::quiet_NaN() : a / b;
  if (!std::isfinite(quotient))
    throw Failure("division by zero or overflow");
  return quotient;
}

std::string DecimalText(std::int64_t value) {
  return std::to_string(value);
}

}  // namespace solvarine
