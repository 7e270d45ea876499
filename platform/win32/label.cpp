#include "platform/win32/label.h"

#include "platform/win32/text.h"

namespace solvarine::win32 {

StaticLabel::StaticLabel(HWND parent, const LabelSpec& spec)
    : StandardControl(parent,
                      {L"STATIC", spec.caption, SS_LEFT | SS_NOPREFIX, spec.rect, spec.tab_index}),
      caption_(spec.caption) {
  if (spec.background == LabelBackground::kDialog)
    return;
  background_colour_ = spec.background == LabelBackground::kWhite
                           ? RGB(255, 255, 255)
                           : ::GetSysColor(COLOR_ACTIVEBORDER);
  background_ = Adopt<OwnedBrush>(::CreateSolidBrush(background_colour_));
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void StaticLabel::SetCaption(const std::string& caption) {
  caption_ = caption;
  ::SetWindowTextW(hwnd(), Widen(caption).c_str());
}

HBRUSH StaticLabel::OnColor(HDC dc) {
  if (!background_)
    return nullptr;
  ::SetBkColor(dc, background_colour_);
  return background_.get();
}

}  // namespace solvarine::win32
