#pragma once

#include <functional>

#include "platform/window_system.h"
#include "platform/win32/child_control.h"
#include "platform/win32/event_loop.h"

namespace solvarine::win32 {

// A horizontal scroll bar control. The value changes on arrows, page clicks and the release of
// the thumb; while the thumb is dragged only the thumb moves.
class ScrollBarSlider final : public Slider, public StandardControl {
 public:
  ScrollBarSlider(EventLoop& loop, HWND parent, const SliderSpec& layout,
                  std::function<void()> on_change);

  int Value() const override { return value_; }
  void SetValue(int value) override;

 private:
  void OnScroll(WORD code) override;
  int Target(WORD code) const;
  int TrackPosition() const;
  void Change(int value);

  EventLoop& loop_;
  SliderSpec spec_;
  int value_;
  std::function<void()> on_change_;
};

}  // namespace solvarine::win32
