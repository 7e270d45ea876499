// Hours of slideshow in a few minutes: ticks driven through the real Windows platform and the real
// program, with GDI objects, memory, windows and threads counted before and after. Under Wine,
// GetGuiResources and GetProcessHandleCount always give 0, so our own GDI owners count what is
// alive. SOLVARINE_ENDURANCE_TICKS sets how many ticks (200 unless told).
#include "platform/win32/windows_include.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "app/program.h"
#include "platform/failure.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_platform.h"
#include "slideshow/form1.h"
#include "start/module1.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

constexpr const char* kNames[] = {"GDI objects we own", "working set", "pagefile usage", "windows",
                                  "threads"};
constexpr long long kSlack[] = {2, 24LL << 20, 24LL << 20, 0, 0};
using Figures = std::array<long long, 5>;

// One colour; a width that is a multiple of 4 needs no row padding.
std::string SolidBmp(int width, int height, std::uint32_t bgr) {
  const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(54 + width * height * 3), 0, 0, 54};
  const BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  std::string out = std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                    std::string(reinterpret_cast<const char*>(&info), sizeof info);
  for (int i = 0; i < width * height; ++i)
    out.append(reinterpret_cast<const char*>(&bgr), 3);
  return out;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<long long*>(count);
  ::EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

Figures Measure(const char* when) {
  PROCESS_MEMORY_COUNTERS memory{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
  Figures f{LiveGdiObjects(), static_cast<long long>(memory.WorkingSetSize),
            static_cast<long long>(memory.PagefileUsage), 0, 0};
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&f[3]));
  const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    f[4] += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  }
  std::printf(
      "%-7s GDI owned %lld, working set %.1f MB, pagefile %.1f MB, windows %lld, "
      "threads %lld\n",
      when, f[0], f[1] / 1048576.0, f[2] / 1048576.0, f[3], f[4]);
  std::fflush(stdout);
  return f;
}

// The stored settings point at a folder of three small photos; the real key is used because the
// program reads no other, and it is removed afterwards.
TEST(EnduranceTest, ManyTicksLeaveGdiObjectsMemoryWindowsAndThreadsFlat) {
  const char* asked = std::getenv("SOLVARINE_ENDURANCE_TICKS");
  const int ticks = asked && std::atoi(asked) > 0 ? std::atoi(asked) : 200;
  const TempFolder folder;
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
  RegistrySettingsStore store;
  folder.WriteFile(L"a.bmp", SolidBmp(64, 48, 0xFF0000));
  folder.WriteFile(L"b.bmp", SolidBmp(48, 48, 0x00FF00));
  folder.WriteFile(L"c.bmp", SolidBmp(40, 60, 0x0000FF));
  store.SaveSetting("solvar", "Option", "Speed", "10");
  store.SaveSetting("solvar", "Option", "chokkei", "100");
  store.SaveSetting("solvar", "Option", "Filename", Narrow(folder / L"a.bmp"));
  store.SaveSetting("solvar", "Option", "Directory", Narrow(folder.path()));
  // A failing tick would wait in the message box for ever: answered, the program ends and the
  // test fails instead of hanging.
  const std::jthread answerer([](const std::stop_token& stop) {
    for (; !stop.stop_requested(); ::Sleep(100)) {
      DWORD process = 0;
      HWND box = ::FindWindowW(L"#32770", L"Solvarine");
      if (box && ::GetWindowThreadProcessId(box, &process) && process == ::GetCurrentProcessId())
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  });
  Win32Platform platform;
  Program program(platform.platform());
  Figures before{};
  try {
    StartUp(program, "/s");
    Form1& form1 = program.form1();
    form1.Timer2->SetEnabled(false);     // the ticks come from here, counted
    for (int i = -30; i < ticks; ++i) {  // after a warm-up
      if (i == 0)
        before = Measure("before");
      form1.Timer2_Timer();
      const ULONGLONG give_up = ::GetTickCount64() + 30'000;
      while (form1.PhotoPending() && ::GetTickCount64() < give_up)
        platform.loop().Turn(1000);  // the photo is handed over from the worker's thread
      ASSERT_FALSE(form1.PhotoPending()) << "no photo handed over";
      platform.loop().Turn(0);
    }
    const Figures after = Measure("after");
    for (size_t i = 0; i < after.size(); ++i)
      EXPECT_LE(after[i] - before[i], kSlack[i]) << kNames[i] << " grew";
    EXPECT_GT(before[0], 0) << "the slideshow's bitmaps and contexts are counted";
  } catch (const ProgramEnd&) {
    ADD_FAILURE() << "the slideshow ended: a tick took the failure path";
  }
  ::ShowCursor(TRUE);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
}

}  // namespace
}  // namespace solvarine::win32::testing
