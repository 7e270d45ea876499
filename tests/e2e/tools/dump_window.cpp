// Prints, as UTF-8 lines, the top-level window titled exactly as its argument and every child
// control: class, text, screen rectangle, visibility, check state and scroll position, separated
// by tabs. Exit code 1 when there is no such window. A message box's text is its static child.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK Print(HWND window, LPARAM) {
  wchar_t kind[128] = {};
  GetClassNameW(window, kind, 128);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  RECT r{};
  GetWindowRect(window, &r);
  const bool button = std::wstring(kind) == L"Button", bar = std::wstring(kind) == L"ScrollBar";
  wchar_t numbers[128];
  swprintf(numbers, 128, L"\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t%d\n", r.left, r.top, r.right - r.left,
           r.bottom - r.top, IsWindowVisible(window) ? 1 : 0,
           button ? static_cast<int>(SendMessageW(window, BM_GETCHECK, 0, 0)) : 0,
           bar ? GetScrollPos(window, SB_CTL) : 0);
  const std::wstring line = std::wstring(kind) + L"\t" + text + numbers;
  std::string out(line.size() * 4, '\0');
  out.resize(static_cast<size_t>(
      WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), out.data(),
                          static_cast<int>(out.size()), nullptr, nullptr)));
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written,
            nullptr);
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 2)
    return 2;
  HWND window = FindWindowW(nullptr, __wargv[1]);
  if (!window)
    return 1;
  Print(window, 0);
  EnumChildWindows(window, Print, 0);
  return 0;
}
