// Prints, as UTF-8 lines, the top-level window titled exactly as its argument and every child
// control: class, text, screen rectangle, visibility, check state and scroll position, separated
// by tabs. Exit code 1 when there is no such window. A message box's text is its static child.
#include <windows.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Print(HWND window) {
  wchar_t class_name[128] = {};
  GetClassNameW(window, class_name, 128);
  RECT rect{};
  GetWindowRect(window, &rect);
  const std::wstring kind = class_name;
  const LRESULT checked = kind == L"Button" ? SendMessageW(window, BM_GETCHECK, 0, 0) : 0;
  const int position = kind == L"ScrollBar" ? GetScrollPos(window, SB_CTL) : 0;
  std::string line = Utf8(kind) + "\t" + Utf8(TextOf(window)) + "\t" + std::to_string(rect.left) +
                     "\t" + std::to_string(rect.top) + "\t" + std::to_string(rect.right - rect.left) +
                     "\t" + std::to_string(rect.bottom - rect.top) + "\t" +
                     (IsWindowVisible(window) ? "1" : "0") + "\t" + std::to_string(checked) + "\t" +
                     std::to_string(position) + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 2) return 2;
  HWND window = FindWindowW(nullptr, __wargv[1]);
  if (!window) return 1;
  Print(window);
  EnumChildWindows(
      window,
      [](HWND child, LPARAM) -> BOOL {
        Print(child);
        return TRUE;
      },
      0);
  return 0;
}
