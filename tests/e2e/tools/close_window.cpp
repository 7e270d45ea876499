// Closes the top-level window titled exactly as its argument the way its close button does (the
// SC_CLOSE system command). Exit code 0 when such a window was found, 1 if not.
#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 2)
    return 2;
  HWND window = FindWindowW(nullptr, __wargv[1]);
  if (!window)
    return 1;
  PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}
