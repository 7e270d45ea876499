#pragma once

#include "platform/win32/windows_include.h"

#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {

// GDI objects we own right now. GetGuiResources is a stub under Wine, so the owners count for
// themselves; a leak shows as a number that never comes back down.
long LiveGdiObjects();
void NoteGdiObjectCreated();
void NoteGdiObjectGone();

struct DeleteCountedGdiObject {
  void operator()(HGDIOBJ object) const {
    ::DeleteObject(object);
    NoteGdiObjectGone();
  }
};
struct DeleteCountedMemoryDc {
  void operator()(HDC dc) const {
    ::DeleteDC(dc);
    NoteGdiObjectGone();
  }
};

using OwnedBitmap = UniqueHandle<HBITMAP, DeleteCountedGdiObject>;
using OwnedBrush = UniqueHandle<HBRUSH, DeleteCountedGdiObject>;
using OwnedFont = UniqueHandle<HFONT, DeleteCountedGdiObject>;
using OwnedRegion = UniqueHandle<HRGN, DeleteCountedGdiObject>;
using OwnedMemoryDc = UniqueHandle<HDC, DeleteCountedMemoryDc>;

// Takes a freshly created handle into a counting owner; a null handle stays uncounted.
template <typename Owner, typename Handle>
Owner Adopt(Handle handle) {
  if (handle)
    NoteGdiObjectCreated();
  return Owner(handle);
}

}  // namespace solvarine::win32
