// Hostile bytes for the header walk and the EXIF reader: libFuzzer and the sanitizers watch for
// reads out of bounds, overflows, leaks and hangs, and this for an orientation out of its range.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <sstream>
#include <string>

#include "picture/exif_orientation.h"
#include "picture/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  const int orientations[] = {solvarine::ReadPictureHeader(in).orientation,
                              solvarine::ExifOrientation(std::span(data, size))};
  for (const int orientation : orientations) {
    if (orientation < 1 || orientation > 8)
      std::abort();
  }
  return 0;
}
