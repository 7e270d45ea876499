#pragma once

#include <cstdint>

#include "platform/win32/windows_include.h"

namespace solvarine::win32 {

// The core's opaque handles are the Windows handles themselves.
inline HWND Native(Hwnd window) {
  return reinterpret_cast<HWND>(window);
}
inline HDC Native(Hdc dc) {
  return reinterpret_cast<HDC>(dc);
}
inline HRGN Native(Hrgn region) {
  return reinterpret_cast<HRGN>(region);
}
inline Hwnd Opaque(HWND window) {
  return static_cast<Hwnd>(reinterpret_cast<std::uintptr_t>(window));
}
inline Hdc Opaque(HDC dc) {
  return static_cast<Hdc>(reinterpret_cast<std::uintptr_t>(dc));
}
inline Hrgn Opaque(HRGN region) {
  return static_cast<Hrgn>(reinterpret_cast<std::uintptr_t>(region));
}

}  // namespace solvarine::win32
