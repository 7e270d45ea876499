// Hours of slideshow in a few minutes: ticks driven through the real Windows platform and the real
// program, with GDI objects, memory and windows counted before and after. Under Wine,
// GetGuiResources and GetProcessHandleCount always give 0, so our own GDI owners count what is
// alive. SOLVARINE_ENDURANCE_TICKS sets how many ticks (500 unless told).
#include "platform/win32/windows_include.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "platform/failure.h"
#include "platform/win32/gdi_objects.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_platform.h"
#include "settings/setting_keys.h"
#include "slideshow/form1.h"
#include "start/module1.h"
#include "tests/win32/temp_folder.h"

namespace solvarine::win32::testing {
namespace {

constexpr int kDefaultTicks = 500;
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
  DWORD gui_gdi = 0;   // GetGuiResources: a stub giving 0 under Wine
  DWORD gui_user = 0;
  long long working_set = 0;
  long long pagefile = 0;
  int windows = 0;  // this thread's windows, children included
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  ::EnumChildWindows(window, CountChild, count);
  return TRUE;
}

Figures Measure() {
  Figures figures;
  figures.owned_gdi = LiveGdiObjects();
  figures.gui_gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  figures.gui_user = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof(memory);
  if (::GetProcessMemoryInfo(::GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
    figures.working_set = static_cast<long long>(memory.WorkingSetSize);
    figures.pagefile = static_cast<long long>(memory.PagefileUsage);
  }
  ::EnumThreadWindows(::GetCurrentThreadId(), CountWindow,
                      reinterpret_cast<LPARAM>(&figures.windows));
  return figures;
}

void Print(const char* when, const Figures& f) {
  std::printf(
      "%-7s GDI owned %ld, GetGuiResources GDI %lu USER %lu, working set %.1f MB, "
      "pagefile %.1f MB, windows %d\n",
      when, f.owned_gdi, f.gui_gdi, f.gui_user, f.working_set / 1048576.0, f.pagefile / 1048576.0,
      f.windows);
  std::fflush(stdout);
}

// What grew beyond the slack; empty when the figures stayed flat.
std::vector<std::string> Growth(const Figures& before, const Figures& after) {
  std::vector<std::string> grew;
  if (after.owned_gdi - before.owned_gdi > kGdiSlack)
    grew.push_back("GDI objects we own");
  if (static_cast<long>(after.gui_gdi) - static_cast<long>(before.gui_gdi) > kGdiSlack)
    grew.push_back("GDI objects Windows counts");
  if (after.working_set - before.working_set > kMemorySlack)
    grew.push_back("working set");
  if (after.pagefile - before.pagefile > kMemorySlack)
    grew.push_back("pagefile usage");
  if (after.windows != before.windows)
    grew.push_back("windows");
  return grew;
}

// A 24-bit bitmap file of one colour.
std::string BitmapFile(int width, int height, BYTE red, BYTE green, BYTE blue) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(stride * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::string bytes(file.bfSize, '\0');
  std::memcpy(bytes.data(), &file, sizeof(file));
  std::memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      char* pixel = bytes.data() + file.bfOffBits + y * stride + x * 3;
      pixel[0] = static_cast<char>(blue);
      pixel[1] = static_cast<char>(green);
      pixel[2] = static_cast<char>(red);
    }
  }
  return bytes;
}

// A failing tick would wait in the message box for ever: this answers it, so that the program
// ends and the test fails instead of hanging.
class MessageBoxAnswerer {
 public:
  MessageBoxAnswerer()
      : thread_([this] {
          while (!stop_) {
            if (HWND box = ::FindWindowW(L"#32770", L"Solvarine")) {
              DWORD process = 0;
              ::GetWindowThreadProcessId(box, &process);
              if (process == ::GetCurrentProcessId())
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            ::Sleep(100);
          }
        }) {}
  ~MessageBoxAnswerer() {
    stop_ = true;
    thread_.join();
  }
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

 private:
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

void PumpPending() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT)
      continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

// The stored settings point at a folder of three small photos; the real key is used because the
// program reads no other, and it is removed afterwards.
class EnduranceTest : public ::testing::Test {
 protected:
  EnduranceTest() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar");
    folder_.WriteFile(L"a.bmp", BitmapFile(64, 48, 255, 0, 0));
    folder_.WriteFile(L"b.bmp", BitmapFile(48, 48, 0, 255, 0));
    folder_.WriteFile(L"c.bmp", BitmapFile(40, 60, 0, 0, 255));
    const std::string folder = Narrow(folder_.path());
    const auto save = [this](std::string_view key, const std::string& value) {
      store_.SaveSetting(std::string(kAppName), std::string(kSection), std::string(key), value);
    };
    save(key::kSpeed, "10");
    save(key::kChokkei, "100");
    save(key::kFilename, folder + "\\a.bmp");
    save(key::kFilenameS, "a.bmp");
    save(key::kDirectory, folder);
    save(key::kHaikei, "0");
    save(key::kFileindex, "0");
  }
  ~EnduranceTest() override { ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\solvar"); }

  // Starts the slideshow, runs warm-up ticks, then ticks with extra() after each; returns the
  // figures after warm-up and at the end.
  template <typename Extra>
  std::pair<Figures, Figures> RunTicks(int ticks, Extra extra) {
    const MessageBoxAnswerer answerer;
    Win32Platform platform;
    Program program(platform.platform());
    Figures before;
    Figures after;
    try {
      StartUp(program, "/s");
      Form1& form1 = program.form1();
      form1.Timer2->SetEnabled(false);  // the ticks come from here, counted
      for (int i = 0; i < kWarmUpTicks; ++i) {
        form1.Timer2_Timer();
        PumpPending();
      }
      before = Measure();
      Print("before", before);
      for (int i = 0; i < ticks; ++i) {
        form1.Timer2_Timer();
        extra(platform);
        PumpPending();
      }
      after = Measure();
      Print("after", after);
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
  const auto [before, after] = RunTicks(ticks, [](Win32Platform&) {});
  if (before.gui_gdi == 0 && after.gui_gdi == 0)
    std::printf("GetGuiResources gives 0: a stub here, so only our own count is checked\n");
  EXPECT_EQ(Growth(before, after), std::vector<std::string>{});
  EXPECT_GT(before.owned_gdi, 0) << "the slideshow's bitmaps and contexts are counted";
}

struct LeakCase {
  const char* name;
  // Makes one object through a counting owner and gives it back instead of deleting it.
  HGDIOBJ (*leak)(Win32Platform&);
};

const LeakCase kLeakCases[] = {
    {"Region",
     [](Win32Platform& platform) -> HGDIOBJ {
       const Hrgn region = platform.platform().gdi.CreateRectRgn(0, 0, 10, 10);
       return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(region));
     }},
    {"Bitmap",
     [](Win32Platform&) -> HGDIOBJ {
       const ScopedGetDc screen(nullptr);
       return Adopt<OwnedBitmap>(::CreateCompatibleBitmap(screen.get(), 256, 256)).release();
     }},
};

class LeakTest : public EnduranceTest, public ::testing::WithParamInterface<LeakCase> {};

TEST_P(LeakTest, TheSameCheckReportsGrowth) {
  constexpr int kLeakingTicks = 50;
  std::vector<HGDIOBJ> leaked;
  const auto [before, after] = RunTicks(
      kLeakingTicks, [&](Win32Platform& platform) { leaked.push_back(GetParam().leak(platform)); });
  for (HGDIOBJ object : leaked)
    DeleteCountedGdiObject{}(object);
  const std::vector<std::string> grew = Growth(before, after);
  EXPECT_NE(std::find(grew.begin(), grew.end(), "GDI objects we own"), grew.end());
  EXPECT_EQ(after.owned_gdi - before.owned_gdi, kLeakingTicks);
}

INSTANTIATE_TEST_SUITE_P(Leaks, LeakTest, ::testing::ValuesIn(kLeakCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace solvarine::win32::testing
