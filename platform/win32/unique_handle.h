#pragma once

#include <windows.h>

#include <utility>

namespace solvarine::win32 {

// Move-only owner of one Windows handle; Close is a functor that frees it.
template <typename T, typename Close, T kInvalid = T{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != kInvalid; }
  T release() { return std::exchange(handle_, kInvalid); }
  void reset(T handle = kInvalid) {
    if (T old = std::exchange(handle_, handle); old != kInvalid)
      Close{}(old);
  }
  // For out-parameters: frees the current handle and exposes the slot.
  T* put() {
    reset();
    return &handle_;
  }

 private:
  T handle_ = kInvalid;
};

struct CloseRegKey {
  void operator()(HKEY key) const { ::RegCloseKey(key); }
};
struct CloseFindHandle {
  void operator()(HANDLE find) const { ::FindClose(find); }
};
struct DestroyHwnd {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
struct CloseKernelHandle {
  void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

using UniqueHkey = UniqueHandle<HKEY, CloseRegKey>;
using UniqueFindHandle = UniqueHandle<HANDLE, CloseFindHandle>;
using UniqueHwnd = UniqueHandle<HWND, DestroyHwnd>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle>;

// BeginPaint/EndPaint as a scope.
class ScopedPaint {
 public:
  explicit ScopedPaint(HWND window) : window_(window) { dc_ = ::BeginPaint(window, &paint_); }
  ~ScopedPaint() { ::EndPaint(window_, &paint_); }
  ScopedPaint(const ScopedPaint&) = delete;
  ScopedPaint& operator=(const ScopedPaint&) = delete;
  HDC get() const { return dc_; }
  const PAINTSTRUCT& paint() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

}  // namespace solvarine::win32
