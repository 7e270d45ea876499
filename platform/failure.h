#pragma once

#include <stdexcept>
#include <string>

namespace solvarine {

// A step that cannot be carried out: a bad number, a missing file, a list position out of range.
// Handlers with a failure path catch it; anywhere else it reaches the event loop's error report.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Ending the program. Deliberately not a Failure, so no failure path can swallow it.
class ProgramEnd {};

}  // namespace solvarine
