// Hostile bytes for the header walk and the EXIF reader: libFuzzer and the sanitizers watch for
// reads out of bounds, overflows, leaks and hangs.
#include <cstdint>
#include <span>
#include <sstream>
#include <string>

#include "picture/exif_orientation.h"
#include "picture/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  solvarine::ReadPictureHeader(in);
  solvarine::ExifOrientation(std::span(data, size));
  return 0;
}
