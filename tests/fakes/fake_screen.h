#pragma once

#include <set>
#include <utility>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/dialogs.h"
#include "platform/event_sources.h"
#include "platform/window_system.h"
#include "slideshow/place_photo.h"
#include "tests/fakes/fake_wakeups.h"

namespace solvarine::fakes {

class FakeScreen;

// Windows, controls and timers are plain objects whose state the tests read; what is
// drawn is logged with the names of both ends ("Form2", "Form4 box", "desktop").
struct FakeWindow : Window {
  FakeWindow(FakeScreen& screen, std::string title, std::string name, InputHandlers input,
             Rect area);
  ~FakeWindow() override;
  Hwnd hWnd() const override { return hwnd; }
  void Show() override;
  Hdc hDC() override { return dc; }
  SizeF ScaleSize() const override {
    return {static_cast<float>(area.width()), static_cast<float>(area.height())};
  }
  void Cover(const Rect& covered) override;

  FakeScreen& screen;
  std::string title;
  InputHandlers input;
  std::string name;
  Hwnd hwnd;
  Hdc dc;
  Rect area;  // on the screen, in pixels
  bool visible = false;
  std::optional<ClipRect> region;  // the window region's rectangle
  std::function<void()> on_resize;
};

struct FakePictureBox : PictureBox {
  FakePictureBox(FakeScreen& screen, const FakeWindow& parent, const PictureBoxSpec& layout,
                 InputHandlers input);
  Hdc hDC() override { return dc; }
  SizeF ScaleSize() const override { return size; }
  // The core sets pictures on auto-sized boxes only, which take the picture's size.
  void SetPicture(const Picture& shown) override {
    picture = shown;
    size = {static_cast<float>(shown.width), static_cast<float>(shown.height)};
  }
  void ClearPicture() override;
  void SetSize(std::int32_t width, std::int32_t height) override {
    size = {static_cast<float>(width), static_cast<float>(height)};
  }
  void Move(std::int32_t new_left, std::int32_t new_top) override {
    left = new_left;
    top = new_top;
  }
  void Refresh() override { ++refreshes; }

  FakeScreen& screen;
  std::string name;
  InputHandlers input;
  Hdc dc;
  std::int32_t left;
  std::int32_t top;
  SizeF size;  // in pixels
  std::optional<Picture> picture;
  int refreshes = 0;
};

struct FakeTimer : Timer {
  FakeTimer(FakeScreen& screen, std::int32_t interval, std::function<void()> on_tick)
      : screen(screen), interval(interval), on_tick(std::move(on_tick)) {}
  void SetInterval(std::int32_t milliseconds) override { interval = milliseconds; }
  void SetEnabled(bool value) override;
  bool Enabled() const override { return enabled; }

  FakeScreen& screen;
  std::int32_t interval;
  bool enabled = true;
  std::function<void()> on_tick;
};

struct FakeSlider : Slider {
  FakeSlider(const SliderSpec& layout, std::function<void()> on_change)
      : layout(layout), value(layout.value), on_change(std::move(on_change)) {}
  int Value() const override { return value; }
  void SetValue(int new_value) override;

  SliderSpec layout;
  int value;
  std::function<void()> on_change;
};

struct FakeLabel : Label {
  explicit FakeLabel(const LabelSpec& layout) : caption(layout.caption) {}
  void SetCaption(const std::string& text) override { caption = text; }

  std::string caption;
};

struct FakeOptionButton : OptionButton {
  FakeOptionButton(FakeScreen& screen, std::function<void()> on_click)
      : screen(screen), on_click(std::move(on_click)) {}
  void Select() override;

  FakeScreen& screen;
  std::function<void()> on_click;
};

// The fake behind an interface the core holds.
template <typename Fake, typename Interface>
Fake& Of(const std::unique_ptr<Interface>& held) {
  return static_cast<Fake&>(*held);
}

// Windows, controls and drawing in memory; each call that matters for order is logged.
class FakeScreen final : public WindowSystem, public EventSources, public Dialogs, public Gdi {
 public:
  // WindowSystem, EventSources, Dialogs
  std::unique_ptr<Window> CreateScreenWindow(const std::string& title,
                                             InputHandlers input) override;
  // Closing the dialog is the end-to-end tour's to show.
  std::unique_ptr<Window> CreateDialogWindow(const std::string& caption, int width_twips,
                                             int height_twips, std::function<void()>,
                                             std::function<void()> on_resize) override {
    Log("Create " + caption);
    auto dialog = std::make_unique<FakeWindow>(
        *this, caption, "dialog", InputHandlers{},
        Rect{0, 0, width_twips / kTwipsPerPixel, height_twips / kTwipsPerPixel});
    dialog->on_resize = std::move(on_resize);
    return dialog;
  }
  std::unique_ptr<PictureBox> CreatePictureBox(Window& parent, const PictureBoxSpec& layout,
                                               InputHandlers input) override {
    return std::make_unique<FakePictureBox>(*this, static_cast<FakeWindow&>(parent), layout,
                                            std::move(input));
  }
  std::unique_ptr<Slider> CreateSlider(Window&, const SliderSpec& layout,
                                       std::function<void()> on_change) override {
    return std::make_unique<FakeSlider>(layout, std::move(on_change));
  }
  std::unique_ptr<Label> CreateLabel(Window&, const LabelSpec& layout) override {
    return std::make_unique<FakeLabel>(layout);
  }
  void CreateButton(Window&, const ButtonSpec& layout, std::function<void()> on_click) override {
    buttons_[layout.caption] = std::move(on_click);
  }
  void CreateFrame(Window&, const FrameSpec&) override {}
  std::unique_ptr<OptionButton> CreateOptionButton(Window&, const ButtonSpec&,
                                                   std::function<void()> on_click) override {
    return std::make_unique<FakeOptionButton>(*this, std::move(on_click));
  }
  std::unique_ptr<Timer> CreateTimer(Window&, std::int32_t interval_ms,
                                     std::function<void()> on_tick) override {
    return std::make_unique<FakeTimer>(*this, interval_ms, std::move(on_tick));
  }
  std::unique_ptr<Wakeup> CreateWakeup(std::function<void()> on_wake) override {
    return wakeups.Create(std::move(on_wake));
  }
  std::vector<Monitor> Monitors() override { return monitors; }
  void MsgBox(const std::string& text) override;
  OpenFileResult GetOpenFileName(Window&, const OpenFileRequest& request) override {
    open_file_requests.push_back(request);
    return std::exchange(next_open_file, {});
  }

  // Gdi
  Hwnd FindWindowA(const std::string& title) override;
  int ShowCursor(bool show) override {
    Log(show ? "ShowCursor 1" : "ShowCursor 0");
    return cursor_count += show ? 1 : -1;
  }
  Hwnd GetDesktopWindow() override { return kDesktop; }
  Hdc GetDC(Hwnd window) override {
    ++dcs_out;
    return window == kDesktop ? NewDc("desktop") : Hdc{};
  }
  void ReleaseDC(Hwnd, Hdc) override { --dcs_out; }
  void BitBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x, int src_y,
              std::uint32_t) override {
    Log("BitBlt " + Draw(dest, {x, y, width, height}, src, {src_x, src_y}));
  }
  void StretchBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x, int src_y,
                  int src_width, int src_height, std::uint32_t) override {
    Log("StretchBlt " +
        Draw(dest, {x, y, width, height}, src, {src_x, src_y, src_width, src_height}));
  }
  void SetStretchBltMode(Hdc, int mode) override {
    Log("SetStretchBltMode " + std::to_string(mode));
  }
  Hrgn CreateRectRgn(int left, int top, int right, int bottom) override;
  void SetWindowRgn(Hwnd window, Hrgn region, bool redraw) override;
  void DeleteObject(Hrgn region) override;

  // For the tests.
  FakeWindow* WindowTitled(const std::string& title) const;
  bool ClickButton(const std::string& caption);

  // For the fakes.
  Hdc NewDc(const std::string& name) {
    const auto dc = static_cast<Hdc>(++next_handle_);
    dc_names_[dc] = name;
    return dc;
  }
  void Log(std::string entry) { log.push_back(std::move(entry)); }
  Hwnd NewHwnd() { return static_cast<Hwnd>(++next_handle_); }

  static constexpr Hwnd kDesktop = static_cast<Hwnd>(1);
  std::vector<Monitor> monitors{{{0, 0, 1024, 768}, true}};  // tests change them at will
  std::vector<std::string> log;
  std::vector<std::string> messages;
  std::vector<OpenFileRequest> open_file_requests;
  OpenFileResult next_open_file;          // the next pick (empty: cancelled)
  std::set<std::string> foreign_windows;  // titles of other programs' windows
  FakeWakeups wakeups;
  int cursor_count = 0;
  int dcs_out = 0;
  std::vector<FakeWindow*> windows;
  const OptionButton* selected_option = nullptr;  // of the one group

 private:
  std::string Draw(Hdc dest, std::initializer_list<int> to, Hdc src,
                   std::initializer_list<int> from);

  std::map<std::string, std::function<void()>> buttons_;
  std::map<Hdc, std::string> dc_names_;
  std::map<Hrgn, ClipRect> regions_;
  std::uintptr_t next_handle_ = 100;
};

}  // namespace solvarine::fakes
