#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace solvarine {

// The program's number rules. Every conversion of a real to an integer rounds to the nearest
// integer with exact halves to the even neighbour, and fails outside the integer's range.

// Reads decimal text ("12", " -3.5 ", "1e2"); blanks around it are allowed. Fails otherwise.
double ParseNumber(std::string_view text);

std::int32_t ToInt32(double value);
std::int16_t ToInt16(double value);
// Single precision, failing where the value does not fit.
float ToSingle(double value);

std::int16_t CheckedAdd16(std::int16_t a, std::int16_t b);
std::int32_t CheckedAdd32(std::int32_t a, std::int32_t b);
std::int32_t CheckedMul32(std::int32_t a, std::int32_t b);
// a / b in double precision; a zero divisor or a result that is not finite fails.
double CheckedDivide(double a, double b);

// Plain decimal text: an optional "-" and the digits.
std::string DecimalText(std::int64_t value);

}  // namespace solvarine
