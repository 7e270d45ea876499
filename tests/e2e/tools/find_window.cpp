// Tells through its exit code whether FindWindowW sees a top-level window (hidden ones included)
// titled exactly as its argument: 0 found, 1 not found. This is Wine's own view, unlike an X
// search.
#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The raw command line keeps the quotes around a title with blanks; the parsed argument does not.
  if (__argc < 2)
    return 2;
  return FindWindowW(nullptr, __wargv[1]) ? 0 : 1;
}
