#pragma once

#include <string>

namespace solvarine {

class Program;

// The entry procedure: refuses to run beside a running slideshow, then opens the windows of the
// mode the command line's switch asks for, or ends the program.
void StartUp(Program& program, const std::string& arguments);

}  // namespace solvarine
