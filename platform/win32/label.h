#pragma once

#include "platform/window_system.h"
#include "platform/win32/child_control.h"
#include "platform/win32/gdi_objects.h"

namespace solvarine::win32 {

// A static text; '&' is shown as it is, since captions include file names.
class StaticLabel final : public Label, public StandardControl {
 public:
  StaticLabel(HWND parent, const LabelSpec& layout);

  void SetCaption(const std::string& caption) override;

 private:
  HBRUSH OnColor(HDC dc) override;

  COLORREF background_colour_ = 0;
  OwnedBrush background_;  // null for the dialog's own colour
};

}  // namespace solvarine::win32
