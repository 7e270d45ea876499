#include "platform/win32/slider.h"

#include <algorithm>
#include <string>

#include "platform/failure.h"

namespace solvarine::win32 {

ScrollBarSlider::ScrollBarSlider(EventLoop& loop, HWND parent, const SliderSpec& layout,
                                 std::function<void()> on_change)
    : StandardControl(parent,
                      {L"SCROLLBAR", "", SBS_HORZ | WS_TABSTOP, layout.rect, layout.tab_index}),
      loop_(loop),
      spec_(layout),
      value_(std::clamp(layout.value, layout.min, layout.max)),
      on_change_(std::move(on_change)) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_POS;
  info.nMin = layout.min;
  info.nMax = layout.max;
  info.nPos = value_;
  ::SetScrollInfo(hwnd(), SB_CTL, &info, TRUE);
}

void ScrollBarSlider::SetValue(int value) {
  if (value < spec_.min || value > spec_.max) {
    throw Failure("slider value " + std::to_string(value) + " outside " +
                  std::to_string(spec_.min) + " to " + std::to_string(spec_.max));
  }
  Change(value);
}

void ScrollBarSlider::Change(int value) {
  ::SetScrollPos(hwnd(), SB_CTL, value, TRUE);
  if (value == value_)
    return;
  value_ = value;
  if (on_change_)
    on_change_();
}

int ScrollBarSlider::TrackPosition() const {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_TRACKPOS;
  ::GetScrollInfo(hwnd(), SB_CTL, &info);
  return info.nTrackPos;
}

// Where the user's action would take the value; the current value for the ones that change nothing.
int ScrollBarSlider::Target(WORD code) const {
  switch (code) {
    case SB_LINELEFT:
      return value_ - spec_.small_change;
    case SB_LINERIGHT:
      return value_ + spec_.small_change;
    case SB_PAGELEFT:
      return value_ - spec_.large_change;
    case SB_PAGERIGHT:
      return value_ + spec_.large_change;
    case SB_LEFT:
      return spec_.min;
    case SB_RIGHT:
      return spec_.max;
    case SB_THUMBPOSITION:
      return TrackPosition();
    default:
      return value_;
  }
}

void ScrollBarSlider::OnScroll(WORD code) {
  if (code == SB_THUMBTRACK) {
    ::SetScrollPos(hwnd(), SB_CTL, TrackPosition(), TRUE);
    return;
  }
  const int target = std::clamp(Target(code), spec_.min, spec_.max);
  loop_.Call([&] { Change(target); });
}

}  // namespace solvarine::win32
