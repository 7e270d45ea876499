// Hours of slideshow in minutes: the real program, platform and message loop, the timer
// sped up; GDI objects, kernel handles, memory, windows and threads counted before and
// after. Under Wine, GetGuiResources and GetProcessHandleCount always give 0: GDI
// objects are counted in the process's GDI handle table, kernel handles in the system's
// handle list. SOLVARINE_ENDURANCE_TICKS: the photos shown (200 unless told).
#include "platform/win32/windows_include.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_platform.h"
#include "slideshow/form1.h"
#include "start/module1.h"

namespace solvarine::win32::testing {
namespace {

constexpr const char* kNames[] = {"GDI objects",    "kernel handles", "working set bytes",
                                  "pagefile bytes", "windows",        "threads"};
using Figures = std::array<long long, 6>;
// The slideshow folder's smallest photo, 48 x 48, drawn at 100 and so decoded whole:
// memory may grow by half of what keeping one such picture per photo would add.
constexpr long long kSmallestPictureBytes = 48 * 48 * 4;

// Wine keeps the table (the PEB's GdiSharedHandleTable, 0xF8 into a 64-bit PEB) per
// process and clears an entry's type when its object goes; stock objects never go.
long long GdiObjects() {
  PROCESS_BASIC_INFORMATION process{};
  ::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &process,
                              sizeof(process), nullptr);
  // Entries of 24 bytes: byte 12 holds the stock flag (bit 7), byte 14 the type.
  using Entry = std::array<BYTE, 24>;
  const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
  return std::count_if(table, table + 0x10000,
                       [](const Entry& e) { return e[14] && !(e[12] & 0x80); });
}

long long KernelHandles() {
  constexpr auto kTooSmall = static_cast<NTSTATUS>(0xC0000004);
  std::vector<BYTE> buffer(1 << 20);
  ULONG needed = 0;
  while (::NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                    static_cast<ULONG>(buffer.size()), &needed) == kTooSmall) {
    buffer.resize(buffer.size() * 2);
  }
  const auto& list = *reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
  return std::count_if(list.Handle, list.Handle + list.Count, [](const SYSTEM_HANDLE_ENTRY& e) {
    return e.OwnerPid == ::GetCurrentProcessId();
  });
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<long long*>(count);
  ::EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

Figures Measure(const char* when) {
  PROCESS_MEMORY_COUNTERS memory{};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof(memory));
  Figures f{GdiObjects(), KernelHandles(), static_cast<long long>(memory.WorkingSetSize),
            static_cast<long long>(memory.PagefileUsage)};
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&f[4]));
  const UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  THREADENTRY32 entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Thread32First(snapshot.get(), &entry); more;
       more = ::Thread32Next(snapshot.get(), &entry)) {
    f[5] += entry.th32OwnerProcessID == ::GetCurrentProcessId();
  }
  for (size_t i = 0; i < f.size(); ++i)
    std::printf("%s %s %lld", i ? "," : when, kNames[i], f[i]);
  std::printf("\n");
  std::fflush(stdout);
  return f;
}

// The stored settings point at the three small photos picture_table.py writes, in the
// real key (the program reads no other), removed afterwards. A tick on the failure path
// would wait in its message box until the test's time-out.
TEST(EnduranceTest, ManyPhotosLeaveHandlesMemoryWindowsAndThreadsFlat) {
  const char* asked = std::getenv("SOLVARINE_ENDURANCE_TICKS");
  const long photos = asked && std::atol(asked) > 0 ? std::atol(asked) : 200;
  const long warm_up = 30;
  const char* table = std::getenv("SOLVARINE_PICTURE_TABLE");
  ASSERT_NE(table, nullptr) << "run through ctest: picture_table.py writes the photos";
  const std::string folder = table + std::string("\\slideshow");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
  RegistrySettingsStore store;
  store.SaveSetting("solvar", "Option", "Speed", "10");
  store.SaveSetting("solvar", "Option", "chokkei", "100");
  store.SaveSetting("solvar", "Option", "Filename", folder + "\\a.bmp");
  store.SaveSetting("solvar", "Option", "Directory", folder);
  Win32Platform win32;
  Program program(win32.platform());
  std::optional<Figures> before;
  Figures after{};
  long shown = 0;  // at least: a photo moves the list on by one, and three make a round
  std::unique_ptr<Timer> watch;
  const int code = win32.Run([&] {
    StartUp(program, "/s");
    Form1& form1 = program.form1();
    form1.Timer2->SetInterval(1);
    watch = win32.platform().events.CreateTimer(
        *form1.window, 1, [&, position = form1.Filepos]() mutable {
          shown += std::exchange(position, form1.Filepos) != form1.Filepos;
          if (!before && shown == warm_up)
            before = Measure("before");
          if (shown == warm_up + photos) {
            after = Measure("after");
            program.End();
          }
        });
  });
  ::ShowCursor(TRUE);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
  EXPECT_EQ(code, 0);
  const long long memory_slack = photos * kSmallestPictureBytes / 2;
  // A decode in flight on the worker holds a few registry keys and files for a moment.
  const Figures slack{2, 8, memory_slack, memory_slack, 0, 0};
  ASSERT_TRUE(before);
  for (size_t i = 0; i < after.size(); ++i)
    EXPECT_LE(after[i] - (*before)[i], slack[i]) << kNames[i] << " grew";
  EXPECT_GT((*before)[0], 0) << "the GDI handle table is read";
}

}  // namespace
}  // namespace solvarine::win32::testing
