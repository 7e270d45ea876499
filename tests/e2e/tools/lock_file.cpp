// Holds a file open with no sharing until it is killed, so that no other program can read it:
// the unreadable file of the tests (chmod does not stop root). Arguments: the file, and a file to
// create once the lock is held, so that a test can wait for it. Exit code 1 if the file cannot be
// opened.
#include <windows.h>

#include <cstdlib>
#include <memory>

namespace {

struct CloseFile {
  void operator()(HANDLE file) const { CloseHandle(file); }
};
using UniqueFile = std::unique_ptr<void, CloseFile>;

UniqueFile Open(const wchar_t* path, DWORD access, DWORD disposition) {
  const HANDLE file =
      CreateFileW(path, access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return UniqueFile(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 3)
    return 2;
  const UniqueFile locked = Open(__wargv[1], GENERIC_READ, OPEN_EXISTING);
  if (!locked)
    return 1;
  if (!Open(__wargv[2], GENERIC_WRITE, CREATE_ALWAYS))
    return 3;
  Sleep(INFINITE);
  return 0;
}
