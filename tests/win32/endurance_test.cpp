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

#include "app/program.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/win32_platform.h"
#include "slideshow/form1.h"
#include "start/module1.h"

namespace solvarine::win32::testing {
namespace {

constexpr const char* kNames[] = {"GDI objects we own", "working set bytes", "pagefile bytes",
                                  "windows", "threads"};
constexpr long long kSlack[] = {2, 24LL << 20, 24LL << 20, 0, 0};
using Figures = std::array<long long, 5>;

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
  for (size_t i = 0; i < f.size(); ++i)
    std::printf("%s %s %lld", i ? "," : when, kNames[i], f[i]);
  std::printf("\n");
  std::fflush(stdout);
  return f;
}

// The stored settings point at the three small photos picture_table.py writes; the real key is
// used because the program reads no other, and it is removed afterwards. A tick that took the
// failure path would wait in its message box until the test's time-out.
TEST(EnduranceTest, ManyTicksLeaveGdiObjectsMemoryWindowsAndThreadsFlat) {
  const char* asked = std::getenv("SOLVARINE_ENDURANCE_TICKS");
  const int ticks = asked && std::atoi(asked) > 0 ? std::atoi(asked) : 200;
  const char* table = std::getenv("SOLVARINE_PICTURE_TABLE");
  ASSERT_NE(table, nullptr) << "run through ctest: picture_table.py writes the photos";
  const std::string folder = table + std::string("\\slideshow");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
  RegistrySettingsStore store;
  store.SaveSetting("solvar", "Option", "Speed", "10");
  store.SaveSetting("solvar", "Option", "chokkei", "100");
  store.SaveSetting("solvar", "Option", "Filename", folder + "\\a.bmp");
  store.SaveSetting("solvar", "Option", "Directory", folder);
  Win32Platform platform;
  Program program(platform.platform());
  Figures before{};
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
  ::ShowCursor(TRUE);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
}

}  // namespace
}  // namespace solvarine::win32::testing
