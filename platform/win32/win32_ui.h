#pragma once

#include <memory>
#include <vector>

#include "platform/dialogs.h"
#include "platform/event_sources.h"
#include "platform/window_system.h"
#include "platform/win32/child_control.h"
#include "platform/win32/event_loop.h"

namespace solvarine::win32 {

// The Windows user interface: windows and controls, timers and wakeups, and the modal dialogs.
class Win32Ui final : public WindowSystem, public EventSources, public Dialogs {
 public:
  explicit Win32Ui(EventLoop& loop) : loop_(loop) {}

  std::unique_ptr<Window> CreateScreenWindow(const std::string& title,
                                             InputHandlers input) override;
  std::unique_ptr<Window> CreateDialogWindow(const std::string& caption, int client_width_twips,
                                             int client_height_twips,
                                             std::function<void()> on_close,
                                             std::function<void()> on_resize) override;
  std::unique_ptr<PictureBox> CreatePictureBox(Window& parent, const PictureBoxSpec& layout,
                                               InputHandlers input) override;
  std::unique_ptr<Slider> CreateSlider(Window& parent, const SliderSpec& layout,
                                       std::function<void()> on_change) override;
  std::unique_ptr<Label> CreateLabel(Window& parent, const LabelSpec& layout) override;
  void CreateButton(Window& parent, const ButtonSpec& layout,
                    std::function<void()> on_click) override;
  void CreateFrame(Window& parent, const FrameSpec& layout) override;
  std::unique_ptr<OptionButton> CreateOptionButton(Window& parent, const ButtonSpec& layout,
                                                   std::function<void()> on_click) override;
  std::unique_ptr<Timer> CreateTimer(Window& owner, std::int32_t interval_ms,
                                     std::function<void()> on_tick) override;

  std::unique_ptr<Wakeup> CreateWakeup(std::function<void()> on_wake) override;
  std::vector<Monitor> Monitors() override;
  void MsgBox(const std::string& text) override;
  OpenFileResult GetOpenFileName(Window& owner, const OpenFileRequest& request) override;

 private:
  EventLoop& loop_;
  // Buttons and frames nobody else holds; their windows go with their parents.
  std::vector<std::unique_ptr<ChildControl>> kept_controls_;
};

}  // namespace solvarine::win32
