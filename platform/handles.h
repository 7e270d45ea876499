#pragma once

#include <cstdint>

namespace solvarine {

// Opaque platform handles as the core sees them; only the platform knows what they point to.
enum class Hwnd : std::uintptr_t {};
enum class Hdc : std::uintptr_t {};
enum class Hrgn : std::uintptr_t {};

// The raster operation and stretch mode the core passes to the copies.
inline constexpr std::uint32_t SRCCOPY = 0x00CC0020;
inline constexpr int COLORONCOLOR = 3;

}  // namespace solvarine
