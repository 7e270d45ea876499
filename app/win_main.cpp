#include "app/program.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_platform.h"
#include "start/module1.h"

#include <windows.h>

// The argument text is what Windows hands over after the program's name, untouched.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  solvarine::win32::Win32Platform platform;
  int exit_code = 0;
  {
    solvarine::Program program(platform.platform());
    const std::string arguments = solvarine::win32::Narrow(command_line ? command_line : L"");
    exit_code = platform.Run([&] { solvarine::StartUp(program, arguments); });
  }  // every window goes with the program, before the platform
  return exit_code;
}
