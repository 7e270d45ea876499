#include "app/program.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_platform.h"
#include "start/module1.h"

#include <windows.h>

// The argument text is what Windows hands over after the program's name, untouched.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR command_line, int) {
  solvarine::win32::Win32Platform platform;
  solvarine::Program program(platform.platform());
  const std::string arguments = solvarine::win32::Narrow(command_line ? command_line : L"");
  const int exit_code = platform.Run([&] { solvarine::StartUp(program, arguments); });
  // The windows are hidden and everything is stored by now. Ending here, without unwinding, waits
  // for no photo still being decoded ahead, and no DLL's detach code meets a lock its thread held.
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(exit_code));
  return exit_code;
}
