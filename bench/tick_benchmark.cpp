// What a tick's picture path costs, per photo: the reduced decode the slideshow uses against a
// full-size decode shrunk with COLORONCOLOR. Each case runs in a fresh child process, so its peak
// memory is its own; a case not run shows as "-".
// Usage: tick_benchmark photo...
#include "platform/win32/windows_include.h"

#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/win32/persistent_image.h"
#include "platform/win32/text.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wic_picture_loader.h"
#include "slideshow/place_photo.h"

namespace solvarine::win32 {
namespace {

constexpr double kChokkei = 400;
constexpr int kRuns = 5;
// Photos of hundreds of megapixels take seconds per decode under Wine: fewer runs for them,
// and no full-size decode, which would take gigabytes more to show nothing new.
constexpr double kEnoughMs = 15'000;
constexpr std::uint64_t kMostNaivePixels = 100'000'000;

struct CaseResult {
  double median_ms = 0;
  double peak_working_set_mb = 0;
  double peak_pagefile_mb = 0;
  int decoded_width = 0;
  int decoded_height = 0;
  int width = 0;
  int height = 0;
};

PROCESS_MEMORY_COUNTERS Memory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
  return counters;
}

double Megabytes(SIZE_T peak, SIZE_T before) {
  return peak > before ? static_cast<double>(peak - before) / (1024.0 * 1024.0) : 0.0;
}

// One tick's picture steps: load into the hidden holder, stretch onto the canvas.
CaseResult RunCase(const std::string& photo, bool reduced) {
  const PROCESS_MEMORY_COUNTERS before = Memory();
  PersistentImage holder;
  PersistentImage canvas;
  canvas.Reset(static_cast<int>(kChokkei), static_cast<int>(kChokkei), RGB(255, 255, 255));
  WicPictureLoader loader;
  CaseResult result;
  std::vector<double> times;
  double total_ms = 0;
  for (int run = 0; run < kRuns && total_ms < kEnoughMs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    {
      const Picture picture = loader.LoadPicture(photo, reduced ? kChokkei : kFullSizeDiagonal);
      holder.ShowPicture(picture);
      result.width = picture.width;
      result.height = picture.height;
      result.decoded_width = picture.pixel_width;
      result.decoded_height = picture.pixel_height;
    }
    const PhotoSize size =
        SizePhoto(static_cast<float>(result.width), static_cast<float>(result.height), kChokkei);
    ::SetStretchBltMode(canvas.dc(), COLORONCOLOR);
    ::StretchBlt(canvas.dc(), size.marginx, size.marginy, size.photow, size.photoh, holder.dc(), 0,
                 0, result.width, result.height, SRCCOPY);
    ::GdiFlush();
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    total_ms += times.back();
  }
  std::sort(times.begin(), times.end());
  result.median_ms = times[times.size() / 2];
  const PROCESS_MEMORY_COUNTERS after = Memory();
  result.peak_working_set_mb = Megabytes(after.PeakWorkingSetSize, before.WorkingSetSize);
  result.peak_pagefile_mb = Megabytes(after.PeakPagefileUsage, before.PagefileUsage);
  return result;
}

struct DeleteProcessHandle {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using OwnedProcessHandle = UniqueHandle<HANDLE, DeleteProcessHandle>;

std::wstring SelfPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

// Runs one case in a child process, which writes its result to a file.
bool RunChild(const std::wstring& photo, bool reduced, CaseResult& result) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring out =
      std::wstring(temp) + L"tick-benchmark-" + std::to_wstring(::GetCurrentProcessId()) + L".txt";
  std::wstring command = L"\"" + SelfPath() + L"\" --case " + (reduced ? L"reduced" : L"naive") +
                         L" \"" + photo + L"\" \"" + out + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    return false;
  }
  const OwnedProcessHandle process_handle(process.hProcess);
  const OwnedProcessHandle thread_handle(process.hThread);
  ::WaitForSingleObject(process.hProcess, INFINITE);
  std::ifstream in(Narrow(out));
  const bool read = static_cast<bool>(in >> result.median_ms >> result.peak_working_set_mb >>
                                      result.peak_pagefile_mb >> result.width >> result.height >>
                                      result.decoded_width >> result.decoded_height);
  in.close();
  ::DeleteFileW(out.c_str());
  return read;
}

std::wstring FileName(const std::wstring& path) {
  return path.substr(path.find_last_of(L"\\/") + 1);
}

std::string Figure(bool ran, const char* format, double value) {
  if (!ran)
    return "-";
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

int RunAll(const std::vector<std::wstring>& photos) {
  std::printf("chokkei %.0f, median of up to %d runs, each case in a fresh process\n", kChokkei,
              kRuns);
  std::printf("%-14s %11s %11s | %9s %9s %6s | %8s %8s | %8s %8s\n", "photo", "size", "decoded",
              "naive ms", "ours ms", "ratio", "naive WS", "ours WS", "naive PF", "ours PF");
  int failed = 0;
  for (const std::wstring& photo : photos) {
    CaseResult naive;
    CaseResult ours;
    if (!RunChild(photo, true, ours)) {
      std::printf("%-14s failed\n", Narrow(FileName(photo)).c_str());
      ++failed;
      continue;
    }
    const auto pixels = static_cast<std::uint64_t>(ours.width) * ours.height;
    const bool naive_ran = pixels <= kMostNaivePixels && RunChild(photo, false, naive);
    const std::string size = std::to_string(ours.width) + "x" + std::to_string(ours.height);
    const std::string decoded =
        std::to_string(ours.decoded_width) + "x" + std::to_string(ours.decoded_height);
    std::printf(
        "%-14s %11s %11s | %9s %9.1f %6s | %8s %6.1fMB | %8s %6.1fMB\n",
        Narrow(FileName(photo)).c_str(), size.c_str(), decoded.c_str(),
        Figure(naive_ran, "%.1f", naive.median_ms).c_str(), ours.median_ms,
        Figure(naive_ran, "%.1fx", naive.median_ms / std::max(ours.median_ms, 0.001)).c_str(),
        Figure(naive_ran, "%.1fMB", naive.peak_working_set_mb).c_str(), ours.peak_working_set_mb,
        Figure(naive_ran, "%.1fMB", naive.peak_pagefile_mb).c_str(), ours.peak_pagefile_mb);
    std::fflush(stdout);
  }
  return failed == 0 ? 0 : 1;
}

int RunChildCase(const std::wstring& mode, const std::wstring& photo, const std::wstring& out) {
  try {
    const CaseResult r = RunCase(Narrow(photo), mode == L"reduced");
    std::ofstream file(Narrow(out));
    file << r.median_ms << ' ' << r.peak_working_set_mb << ' ' << r.peak_pagefile_mb << ' '
         << r.width << ' ' << r.height << ' ' << r.decoded_width << ' ' << r.decoded_height << '\n';
    return 0;
  } catch (const Failure& failure) {
    std::fprintf(stderr, "%s\n", failure.what());
    return 1;
  }
}

}  // namespace
}  // namespace solvarine::win32

int wmain(int argc, wchar_t** argv) {
  const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int code = 0;
  if (argc == 5 && std::wstring(argv[1]) == L"--case") {
    code = solvarine::win32::RunChildCase(argv[2], argv[3], argv[4]);
  } else if (argc >= 2) {
    code = solvarine::win32::RunAll(std::vector<std::wstring>(argv + 1, argv + argc));
  } else {
    std::fprintf(stderr, "usage: tick_benchmark photo...\n");
    code = 2;
  }
  if (SUCCEEDED(com))
    ::CoUninitialize();
  return code;
}
