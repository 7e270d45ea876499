#pragma once

#include "platform/win32/windows_include.h"

#include "platform/win32/unique_handle.h"

namespace solvarine::win32 {

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DeleteMemoryDc {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};

using OwnedBitmap = UniqueHandle<HBITMAP, DeleteGdiObject>;
using OwnedBrush = UniqueHandle<HBRUSH, DeleteGdiObject>;
using OwnedFont = UniqueHandle<HFONT, DeleteGdiObject>;
using OwnedRegion = UniqueHandle<HRGN, DeleteGdiObject>;
using OwnedMemoryDc = UniqueHandle<HDC, DeleteMemoryDc>;

}  // namespace solvarine::win32
