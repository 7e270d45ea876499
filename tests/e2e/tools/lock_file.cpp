// Holds a file open with no sharing until it is killed, so that no other program can read it
// (chmod does not stop root). Arguments: the file, and a file to create once the lock is held.
#include <windows.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 3)
    return 2;
  if (CreateFileW(__wargv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) ==
      INVALID_HANDLE_VALUE)
    return 1;
  const HANDLE ready =
      CreateFileW(__wargv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (ready == INVALID_HANDLE_VALUE)
    return 3;
  CloseHandle(ready);
  Sleep(INFINITE);
  return 0;
}
