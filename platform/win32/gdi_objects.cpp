#include "platform/win32/gdi_objects.h"

#include <atomic>

namespace solvarine::win32 {
namespace {
std::atomic<long> live_gdi_objects{0};
}  // namespace

long LiveGdiObjects() {
  return live_gdi_objects.load();
}
void NoteGdiObjectCreated() {
  ++live_gdi_objects;
}
void NoteGdiObjectGone() {
  --live_gdi_objects;
}

}  // namespace solvarine::win32
