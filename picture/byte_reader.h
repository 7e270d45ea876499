#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace solvarine {

// Unsigned integers of one byte order from a block of bytes that a stranger's file supplied:
// every read is checked against the block's end.
class ByteReader {
 public:
  enum class Order { kBigEndian, kLittleEndian };

  ByteReader(std::span<const std::uint8_t> bytes, Order order) : bytes_(bytes), order_(order) {}

  bool Fits(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }

  // count (1 to 4) bytes at offset; 0 when they do not all lie in the block.
  std::uint32_t Read(std::uint64_t offset, int count) const {
    if (count < 1 || count > 4 || !Fits(offset, static_cast<std::uint64_t>(count)))
      return 0;
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
      const int at = order_ == Order::kBigEndian ? i : count - 1 - i;
      value =
          (value << 8) | bytes_[static_cast<std::size_t>(offset) + static_cast<std::size_t>(at)];
    }
    return value;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  Order order_;
};

}  // namespace solvarine
