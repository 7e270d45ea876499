#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace solvarine::win32 {

ComApartment::ComApartment() {
  initialized_ =
      SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComApartment::~ComApartment() {
  if (initialized_)
    ::CoUninitialize();
}

namespace {

// Best effort: the manifest already asks for it, and Wine refuses the call while being aware
// anyway.
void MakeDpiAware() {
  ::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
}

void InitCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES;
  ::InitCommonControlsEx(&controls);
}

}  // namespace

Win32Platform::Win32Platform() {
  MakeDpiAware();
  InitCommonControls();
}

int Win32Platform::Run(const std::function<void()>& start) {
  loop_.Call(start);
  return loop_.Run();
}

}  // namespace solvarine::win32
