// Windows' desk.cpl as far as setup's last page needs it, which Wine lacks: InstallScreenSaver
// chooses the screen saver it is given, by its short name as Windows stores it, but only when the
// desktop's shell started it, as setup must have it started.
#include <windows.h>
#include <tlhelp32.h>

#include <map>
#include <string>

#include "platform/win32/unique_handle.h"

extern "C" __declspec(dllexport) void CALLBACK
    InstallScreenSaverW(HWND, HINSTANCE, LPWSTR file, int) {
  const solvarine::win32::UniqueKernelHandle processes(
      CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  std::map<DWORD, std::wstring> names;
  DWORD parent = 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(processes.get(), &entry); more;
       more = Process32NextW(processes.get(), &entry)) {
    names[entry.th32ProcessID] = entry.szExeFile;
    parent = entry.th32ProcessID == GetCurrentProcessId() ? entry.th32ParentProcessID : parent;
  }
  wchar_t short_name[MAX_PATH] = {};
  if (lstrcmpiW(names[parent].c_str(), L"explorer.exe") == 0 &&
      GetShortPathNameW(file, short_name, MAX_PATH))
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"SCRNSAVE.EXE", REG_SZ,
                    short_name, static_cast<DWORD>((lstrlenW(short_name) + 1) * sizeof(wchar_t)));
}
