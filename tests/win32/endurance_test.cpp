// Hours of slideshow in a few minutes: ticks driven through the real Windows platform and the real
// program, with GDI objects, memory and windows counted before and after. Under Wine,
// GetGuiResources and GetProcessHandleCount always give 0, so our own GDI owners count what is
// alive. SOLVARINE_ENDURANCE_TICKS sets how many ticks (200 unless told).
#include "platform/win32/windows_include.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "platform/failure.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_platform.h"
#include "settings/setting_keys.h"
#include "slideshow/form1.h"
#include "start/module1.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

constexpr int kDefaultTicks = 200;
constexpr int kWarmUpTicks = 30;
constexpr long kGdiSlack = 2;
constexpr long long kMemorySlack = 24LL << 20;

int TicksToRun() {
  const char* text = std::getenv("SOLVARINE_ENDURANCE_TICKS");
  const int ticks = text ? std::atoi(text) : 0;
  return ticks > 0 ? ticks : kDefaultTicks;
}

struct Figures {
  long owned_gdi = 0;  // live objects in our counting owners
  long long working_set = 0;
  long long pagefile = 0;
  int windows = 0;  // this thread's windows, children included
  int threads = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  ::EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

int CountThreads() {
  const HANDLE taken = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  const UniqueKernelHandle snapshot(taken == INVALID_HANDLE_VALUE ? nullptr : taken);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  int threads = 0;
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    threads += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  }
  return threads;
}

Figures Measure(const char* when) {
  Figures f;
  f.owned_gdi = LiveGdiObjects();
  PROCESS_MEMORY_COUNTERS memory{};
  if (::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory))) {
    f.working_set = static_cast<long long>(memory.WorkingSetSize);
    f.pagefile = static_cast<long long>(memory.PagefileUsage);
  }
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&f.windows));
  f.threads = CountThreads();
  std::printf("%-7s GDI owned %ld, working set %.1f MB, pagefile %.1f MB, windows %d, threads %d\n",
              when, f.owned_gdi, f.working_set / 1048576.0, f.pagefile / 1048576.0, f.windows,
              f.threads);
  std::fflush(stdout);
  return f;
}

// What grew beyond the slack; empty when the figures stayed flat.
std::vector<std::string> Growth(const Figures& before, const Figures& after) {
  std::vector<std::string> grew;
  if (after.owned_gdi - before.owned_gdi > kGdiSlack)
    grew.push_back("GDI objects we own");
  if (after.working_set - before.working_set > kMemorySlack)
    grew.push_back("working set");
  if (after.pagefile - before.pagefile > kMemorySlack)
    grew.push_back("pagefile usage");
  if (after.windows != before.windows)
    grew.push_back("windows");
  if (after.threads != before.threads)
    grew.push_back("threads");
  return grew;
}

// A failing tick would wait in the message box for ever: this answers it, so that the program
// ends and the test fails instead of hanging.
struct MessageBoxAnswerer {
  std::jthread thread{[](const std::stop_token& stop) {
    while (!stop.stop_requested()) {
      HWND box = ::FindWindowW(L"#32770", L"Solvarine");
      DWORD process = 0;
      if (box && ::GetWindowThreadProcessId(box, &process) && process == ::GetCurrentProcessId())
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      ::Sleep(100);
    }
  }};
};

// The photo is decoded on the worker's thread; its hand-over comes through the loop.
bool AwaitPhoto(const Form1& form1, EventLoop& loop) {
  const ULONGLONG give_up = ::GetTickCount64() + 30'000;
  while (form1.PhotoPending()) {
    if (::GetTickCount64() > give_up)
      return false;
    loop.Turn(1000);
  }
  return true;
}

void PumpPending() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    ::DispatchMessageW(&message);
}

// The stored settings point at a folder of three small photos; the real key is used because the
// program reads no other, and it is removed afterwards.
class EnduranceTest : public ::testing::Test {
 protected:
  EnduranceTest() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
    folder_.WriteFile(L"a.bmp", Bmp(64, 48, std::vector<std::uint32_t>(64 * 48, 0xFF0000)));
    folder_.WriteFile(L"b.bmp", Bmp(48, 48, std::vector<std::uint32_t>(48 * 48, 0x00FF00)));
    folder_.WriteFile(L"c.bmp", Bmp(40, 60, std::vector<std::uint32_t>(40 * 60, 0x0000FF)));
    const std::string folder = Narrow(folder_.path());
    for (const auto& [key, value] : {std::pair<std::string_view, std::string>{key::kSpeed, "10"},
                                     {key::kChokkei, "100"},
                                     {key::kFilename, folder + "\\a.bmp"},
                                     {key::kFilenameS, "a.bmp"},
                                     {key::kDirectory, folder},
                                     {key::kHaikei, "0"},
                                     {key::kFileindex, "0"}}) {
      store_.SaveSetting(std::string(kAppName), std::string(kSection), std::string(key), value);
    }
  }
  ~EnduranceTest() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar"); }

  // Starts the slideshow, runs warm-up ticks, then the ticks; returns the figures after warm-up
  // and at the end.
  std::pair<Figures, Figures> RunTicks(int ticks) {
    const MessageBoxAnswerer answerer;
    Win32Platform platform;
    Program program(platform.platform());
    Figures before;
    Figures after;
    try {
      StartUp(program, "/s");
      Form1& form1 = program.form1();
      form1.Timer2->SetEnabled(false);  // the ticks come from here, counted
      for (int i = -kWarmUpTicks; i < ticks; ++i) {
        if (i == 0)
          before = Measure("before");
        form1.Timer2_Timer();
        if (!AwaitPhoto(form1, platform.loop())) {
          ADD_FAILURE() << "no photo handed over";
          break;
        }
        PumpPending();
      }
      after = Measure("after");
    } catch (const ProgramEnd&) {
      ADD_FAILURE() << "the slideshow ended: a tick took the failure path";
    }
    ::ShowCursor(TRUE);
    return {before, after};
  }

  TempFolder folder_;
  RegistrySettingsStore store_;
  CurrentDirectoryGuard directory_;
};

TEST_F(EnduranceTest, ManyTicksLeaveGdiObjectsMemoryAndWindowsFlat) {
  const int ticks = TicksToRun();
  std::printf("%d ticks after %d warm-up ticks\n", ticks, kWarmUpTicks);
  const auto [before, after] = RunTicks(ticks);
  EXPECT_EQ(Growth(before, after), std::vector<std::string>{});
  EXPECT_GT(before.owned_gdi, 0) << "the slideshow's bitmaps and contexts are counted";
}

}  // namespace
}  // namespace solvarine::win32::testing
