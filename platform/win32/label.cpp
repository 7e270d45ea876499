#include "platform/win32/label.h"

#include "platform/win32/text.h"

namespace solvarine::win32 {

// Clipped by its siblings: a label overlaps the end of a slider, whose arrow must stay in sight.
StaticLabel::StaticLabel(HWND parent, const LabelSpec& layout)
    : StandardControl(parent, {L"STATIC", layout.caption, SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS,
                               layout.rect, layout.tab_index}) {
  if (layout.background == LabelBackground::kDialog)
    return;
  background_colour_ = layout.background == LabelBackground::kWhite
                           ? RGB(255, 255, 255)
                           : ::GetSysColor(COLOR_ACTIVEBORDER);
  background_ = OwnedBrush(::CreateSolidBrush(background_colour_));
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void StaticLabel::SetCaption(const std::string& caption) {
  ::SetWindowTextW(hwnd(), Widen(caption).c_str());
}

HBRUSH StaticLabel::OnColor(HDC dc) {
  if (!background_)
    return nullptr;
  ::SetBkColor(dc, background_colour_);
  return background_.get();
}

}  // namespace solvarine::win32
