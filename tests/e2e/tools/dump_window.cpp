// Prints, as UTF-8 lines, the top-level window titled exactly as its argument and every child
// control: class, text, screen rectangle, visibility and check state, separated by tabs. Exit code
// 1 when there is no such window. A message box's text is its static child.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

BOOL CALLBACK Print(HWND window, LPARAM) {
  wchar_t kind[128] = {}, text[1024] = {};
  GetClassNameW(window, kind, 128);
  GetWindowTextW(window, text, 1024);
  RECT r{};
  GetWindowRect(window, &r);
  const bool button = std::wcscmp(kind, L"Button") == 0;
  std::wprintf(L"%ls\t%ls\t%ld\t%ld\t%ld\t%ld\t%d\t%d\n", kind, text, r.left, r.top,
               r.right - r.left, r.bottom - r.top, IsWindowVisible(window) ? 1 : 0,
               button ? static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)) : 0);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const HWND window = __argc < 2 ? nullptr : FindWindowW(nullptr, __wargv[1]);
  if (!window)
    return 1;
  _setmode(_fileno(stdout), _O_U8TEXT);
  Print(window, 0);
  EnumChildWindows(window, Print, 0);
  return 0;
}
