// start_through_shell PROGRAM [ARGUMENTS]: asks the desktop's shell (Explorer) to start a program,
// which then runs as the user signed in at the desktop, without elevation. Setup runs elevated,
// possibly as the administrator whose password a standard user typed; what it opens through this
// opens for the user who started it. Exit code 0: the shell took the command.
#include "platform/win32/windows_include.h"

#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shellapi.h>

#include "platform/win32/com_ptr.h"
#include "platform/win32/unique_handle.h"

namespace {

using solvarine::win32::ComPtr;
using solvarine::win32::UniqueHandle;

struct FreeLocal {
  void operator()(LPWSTR* memory) const { ::LocalFree(memory); }
};
struct FreeBstr {
  void operator()(BSTR text) const { ::SysFreeString(text); }
};
using UniqueBstr = UniqueHandle<BSTR, FreeBstr>;

template <typename T>
ComPtr<T> Query(IUnknown* from) {
  ComPtr<T> to;
  if (from)
    from->QueryInterface(IID_PPV_ARGS(to.put()));
  return to;
}

VARIANT NumberArgument(LONG number) {
  VARIANT argument;
  ::VariantInit(&argument);
  argument.vt = VT_I4;
  argument.lVal = number;
  return argument;
}

VARIANT TextArgument(BSTR text) {
  VARIANT argument;
  ::VariantInit(&argument);
  argument.vt = VT_BSTR;
  argument.bstrVal = text;
  return argument;
}

// The Shell.Application object of the desktop's own Explorer, reached through the desktop's folder
// view: what it starts, Explorer starts.
ComPtr<IShellDispatch2> DesktopShell() {
  ComPtr<IShellWindows> windows;
  if (FAILED(
          ::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_PPV_ARGS(windows.put()))))
    return {};
  VARIANT desktop_folder = NumberArgument(CSIDL_DESKTOP);
  VARIANT no_root;
  ::VariantInit(&no_root);
  long window = 0;
  ComPtr<IDispatch> desktop;
  if (windows->FindWindowSW(&desktop_folder, &no_root, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            desktop.put()) != S_OK)
    return {};
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  const auto services = Query<IServiceProvider>(desktop.get());
  if (!services ||
      FAILED(services->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(browser.put()))) ||
      FAILED(browser->QueryActiveShellView(view.put())) ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(background.put()))))
    return {};
  ComPtr<IDispatch> application;
  const auto folder_view = Query<IShellFolderViewDual>(background.get());
  if (!folder_view || FAILED(folder_view->get_Application(application.put())))
    return {};
  return Query<IShellDispatch2>(application.get());
}

bool StartThroughShell(const wchar_t* program, const wchar_t* arguments) {
  const ComPtr<IShellDispatch2> shell = DesktopShell();
  const UniqueBstr file(::SysAllocString(program)), text(::SysAllocString(arguments)),
      folder(::SysAllocString(L"")), verb(::SysAllocString(L"open"));
  if (!shell || !file || !text || !folder || !verb)
    return false;
  return SUCCEEDED(shell->ShellExecute(file.get(), TextArgument(text.get()),
                                       TextArgument(folder.get()), TextArgument(verb.get()),
                                       NumberArgument(SW_SHOWNORMAL)));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  const UniqueHandle<LPWSTR*, FreeLocal> argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!argv || count < 2 || count > 3)
    return 2;
  if (FAILED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    return 1;
  const bool started = StartThroughShell(argv.get()[1], count == 3 ? argv.get()[2] : L"");
  ::CoUninitialize();
  return started ? 0 : 1;
}
