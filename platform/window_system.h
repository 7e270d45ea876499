#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "picture/picture.h"
#include "platform/geometry.h"
#include "platform/handles.h"

namespace solvarine {

// Any mouse button or any key, whichever button, key or modifiers: the program treats them alike.
struct InputHandlers {
  std::function<void()> mouse_down;
  std::function<void()> key_down;
  // Screen windows only: monitors came, went or changed, where the platform says so.
  std::function<void()> monitors_changed = {};
};

class Window {
 public:
  virtual ~Window() = default;
  virtual Hwnd hWnd() const = 0;
  // Visible, active, and above the program's other windows.
  virtual void Show() = 0;
  // The window's persistent image: what is drawn here is repainted from it.
  virtual Hdc hDC() = 0;
  // Client size in pixels.
  virtual SizeF ScaleSize() const = 0;
  // Moves and sizes the window over the area (screen pixels, no frame); its persistent image keeps
  // what it shows where it is on the screen.
  virtual void Cover(const Rect& area) = 0;
};

struct PictureBoxSpec {
  TwipsRect rect;  // at creation; later sizes and moves are in pixels
  bool visible = true;
  bool auto_size = false;  // follow the size of the picture assigned to it
  int tab_index = 0;
};

// A box with a white persistent image.
class PictureBox {
 public:
  virtual ~PictureBox() = default;
  virtual Hdc hDC() = 0;
  virtual SizeF ScaleSize() const = 0;
  // Replaces the persistent image with the picture (top-left), resizing the box first if it is
  // auto-sized.
  virtual void SetPicture(const Picture& picture) = 0;
  // The empty picture: the persistent image becomes plain white.
  virtual void ClearPicture() = 0;
  // In pixels of the container, already rounded by the program's own rule.
  virtual void SetSize(std::int32_t width, std::int32_t height) = 0;
  virtual void Move(std::int32_t left, std::int32_t top) = 0;
  virtual void Refresh() = 0;
};

struct SliderSpec {
  TwipsRect rect;
  int min = 0;
  int max = 0;
  int value = 0;
  int small_change = 1;
  int large_change = 1;
  int tab_index = 0;
};

// A horizontal slider; on_change runs whenever the value changes, by the user or the program,
// but not while the thumb is being dragged.
class Slider {
 public:
  virtual ~Slider() = default;
  virtual int Value() const = 0;
  // Fails outside the slider's range.
  virtual void SetValue(int value) = 0;
};

enum class LabelBackground { kDialog, kWhite, kActiveBorder };

struct LabelSpec {
  TwipsRect rect;
  std::string caption;
  LabelBackground background = LabelBackground::kDialog;
  int tab_index = 0;
};

class Label {
 public:
  virtual ~Label() = default;
  virtual void SetCaption(const std::string& caption) = 0;
};

struct ButtonSpec {
  TwipsRect rect;
  std::string caption;
  int tab_index = 0;
};

struct FrameSpec {
  TwipsRect rect;
  std::string caption;
};

// An option button; selecting one deselects the others of its window and runs its on_click.
class OptionButton {
 public:
  virtual ~OptionButton() = default;
  virtual void Select() = 0;
};

// Windows and their controls. Their callbacks run on the one UI thread.
class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // A frameless black window over every monitor (the virtual screen), not listed in the task bar;
  // created hidden.
  virtual std::unique_ptr<Window> CreateScreenWindow(const std::string& title,
                                                     InputHandlers input) = 0;
  // An ordinary framed window with the program's icon, client size given in twips and scaled
  // to the monitor's resolution; created hidden. on_close runs when the user closes it; on_resize
  // after a change of resolution has given the window and its controls new pixel sizes, which
  // leaves picture boxes that are not auto-sized blank.
  virtual std::unique_ptr<Window> CreateDialogWindow(const std::string& caption,
                                                     int client_width_twips,
                                                     int client_height_twips,
                                                     std::function<void()> on_close,
                                                     std::function<void()> on_resize) = 0;
  virtual std::unique_ptr<PictureBox> CreatePictureBox(Window& parent, const PictureBoxSpec& layout,
                                                       InputHandlers input) = 0;
  virtual std::unique_ptr<Slider> CreateSlider(Window& parent, const SliderSpec& layout,
                                               std::function<void()> on_change) = 0;
  virtual std::unique_ptr<Label> CreateLabel(Window& parent, const LabelSpec& layout) = 0;
  virtual void CreateButton(Window& parent, const ButtonSpec& layout,
                            std::function<void()> on_click) = 0;
  virtual void CreateFrame(Window& parent, const FrameSpec& layout) = 0;
  // rect is relative to the client area (callers add the frame's offset).
  virtual std::unique_ptr<OptionButton> CreateOptionButton(Window& parent, const ButtonSpec& layout,
                                                           std::function<void()> on_click) = 0;
  // In physical pixels whatever their DPI settings; never empty.
  virtual std::vector<Monitor> Monitors() = 0;
};

}  // namespace solvarine
