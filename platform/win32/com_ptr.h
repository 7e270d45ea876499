#pragma once

#include "platform/win32/windows_include.h"

#include <string>
#include <utility>

#include "platform/failure.h"
#include "platform/win32/text.h"

namespace solvarine::win32 {

// A failed COM call becomes a Failure that names the step and gives the system's text for it.
inline void Check(HRESULT result, const std::string& step) {
  if (FAILED(result))
    throw Failure(step + ", " + ErrorText(static_cast<DWORD>(result)));
}

// Move-only owner of one COM interface pointer: Release when it goes.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  void reset() {
    if (T* old = std::exchange(pointer_, nullptr))
      old->Release();
  }
  // For out-parameters: releases the current interface and exposes the slot.
  T** put() {
    reset();
    return &pointer_;
  }

 private:
  T* pointer_ = nullptr;
};

}  // namespace solvarine::win32
