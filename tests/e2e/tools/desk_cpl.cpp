// Windows' desk.cpl as far as setup's last page needs it, which Wine lacks: InstallScreenSaver
// chooses the screen saver it is given, by its short name as Windows stores it, but only when the
// desktop's shell started it, as setup must have it started. Under Wine the shell is the process
// that owns the desktop window.
#include <windows.h>
#include <winternl.h>

extern "C" __declspec(dllexport) void CALLBACK
    InstallScreenSaverW(HWND, HINSTANCE, LPWSTR file, int) {
  PROCESS_BASIC_INFORMATION self{};
  NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &self, sizeof(self),
                            nullptr);
  DWORD shell = 0;
  GetWindowThreadProcessId(GetDesktopWindow(), &shell);
  wchar_t short_name[MAX_PATH] = {};
  if (shell && self.InheritedFromUniqueProcessId == shell &&
      GetShortPathNameW(file, short_name, MAX_PATH))
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"SCRNSAVE.EXE", REG_SZ,
                    short_name, static_cast<DWORD>((lstrlenW(short_name) + 1) * sizeof(wchar_t)));
}
