#include "platform/win32/win32_ui.h"

#include <windows.h>
#include <commdlg.h>
#undef GetOpenFileName  // commdlg.h would rename our method of that name

#include "platform/failure.h"
#include "platform/win32/button.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/label.h"
#include "platform/win32/opaque_handles.h"
#include "platform/win32/picture_box.h"
#include "platform/win32/screen_window.h"
#include "platform/win32/slider.h"
#include "platform/win32/text.h"
#include "platform/win32/timer.h"
#include "platform/win32/wakeup.h"

namespace solvarine::win32 {
namespace {

HWND Handle(const Window& window) {
  return Native(window.hWnd());
}

// "label|pattern|label|pattern" becomes the double-NUL-terminated list Windows expects.
std::wstring FilterList(const std::string& filter) {
  std::wstring list = Widen(filter);
  for (wchar_t& c : list) {
    if (c == L'|')
      c = L'\0';
  }
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

// The folder part of a path, keeping the backslash of a drive root ("C:\").
std::wstring FolderOf(const std::wstring& path, WORD file_offset) {
  std::wstring folder = path.substr(0, file_offset);
  if (folder.size() > 1 && folder.back() == L'\\' && folder[folder.size() - 2] != L':') {
    folder.pop_back();
  }
  return folder;
}

// Called back from user32: nothing may throw through it.
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM monitors) noexcept {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info))
    return TRUE;
  const RECT& r = info.rcMonitor;
  try {
    reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back(
        {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::unique_ptr<Window> Win32Ui::CreateScreenWindow(const std::string& title, InputHandlers input) {
  return std::make_unique<ScreenWindow>(loop_, title, std::move(input));
}

std::unique_ptr<Window> Win32Ui::CreateDialogWindow(const std::string& caption,
                                                    int client_width_twips, int client_height_twips,
                                                    std::function<void()> on_close,
                                                    std::function<void()> on_resize) {
  return std::make_unique<DialogWindow>(loop_, caption, client_width_twips, client_height_twips,
                                        std::move(on_close), std::move(on_resize));
}

std::unique_ptr<PictureBox> Win32Ui::CreatePictureBox(Window& parent, const PictureBoxSpec& layout,
                                                      InputHandlers input) {
  auto box = std::make_unique<PictureBoxWindow>(loop_, Handle(parent), layout, std::move(input));
  ArrangeTabOrder(Handle(parent));
  return box;
}

std::unique_ptr<Slider> Win32Ui::CreateSlider(Window& parent, const SliderSpec& layout,
                                              std::function<void()> on_change) {
  auto slider =
      std::make_unique<ScrollBarSlider>(loop_, Handle(parent), layout, std::move(on_change));
  ArrangeTabOrder(Handle(parent));
  return slider;
}

std::unique_ptr<Label> Win32Ui::CreateLabel(Window& parent, const LabelSpec& layout) {
  auto label = std::make_unique<StaticLabel>(Handle(parent), layout);
  ArrangeTabOrder(Handle(parent));
  return label;
}

void Win32Ui::CreateButton(Window& parent, const ButtonSpec& layout,
                           std::function<void()> on_click) {
  kept_controls_.push_back(
      std::make_unique<PushButton>(loop_, Handle(parent), layout, std::move(on_click)));
  ArrangeTabOrder(Handle(parent));
}

void Win32Ui::CreateFrame(Window& parent, const FrameSpec& layout) {
  kept_controls_.push_back(std::make_unique<Frame>(Handle(parent), layout));
  ArrangeTabOrder(Handle(parent));
}

std::unique_ptr<OptionButton> Win32Ui::CreateOptionButton(Window& parent, const ButtonSpec& layout,
                                                          std::function<void()> on_click) {
  auto option = std::make_unique<RadioOption>(loop_, Handle(parent), layout, std::move(on_click));
  ArrangeTabOrder(Handle(parent));
  return option;
}

std::unique_ptr<Timer> Win32Ui::CreateTimer(Window& owner, std::int32_t interval_ms,
                                            std::function<void()> on_tick) {
  return std::make_unique<Win32Timer>(loop_, Handle(owner), interval_ms, std::move(on_tick));
}

std::unique_ptr<Wakeup> Win32Ui::CreateWakeup(std::function<void()> on_wake) {
  return std::make_unique<EventWakeup>(loop_, std::move(on_wake));
}

std::vector<Monitor> Win32Ui::Monitors() {
  std::vector<Monitor> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty())
    monitors.push_back(
        {{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, true});
  return monitors;
}

void Win32Ui::MsgBox(const std::string& text) {
  // Task-modal: the slideshow's windows take no click or key behind it, so nothing can enable the
  // timer again or store a position while the user reads it.
  ::MessageBoxW(nullptr, Widen(text).c_str(), L"Solvarine",
                MB_OK | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
  loop_.ThrowIfEnded();
}

OpenFileResult Win32Ui::GetOpenFileName(Window& owner, const OpenFileRequest& request) {
  const std::wstring filter = FilterList(request.filter);
  const std::wstring initial_dir = Widen(request.initial_dir);
  std::wstring path(32768, L'\0');  // room for long paths
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle(owner);
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = static_cast<DWORD>(request.filter_index);
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = initial_dir.empty() ? nullptr : initial_dir.c_str();
  dialog.Flags = request.flags | OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  const BOOL chosen = ::GetOpenFileNameW(&dialog);
  loop_.ThrowIfEnded();
  if (!chosen) {
    if (const DWORD error = ::CommDlgExtendedError()) {
      throw Failure("the open-file dialog failed with error " + std::to_string(error));
    }
    return {};
  }
  path.resize(path.find(L'\0'));
  return {Narrow(path), Narrow(path.substr(dialog.nFileOffset)),
          Narrow(FolderOf(path, dialog.nFileOffset))};
}

}  // namespace solvarine::win32
