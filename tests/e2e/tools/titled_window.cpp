// A top-level window of another program, titled by its argument, that lives until it is closed or
// killed: the foreign window that must block a start.
#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 2)
    return 2;
  MessageBoxW(nullptr, L"", __wargv[1], MB_OK);
  return 0;
}
