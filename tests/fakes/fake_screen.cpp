#include "tests/fakes/fake_screen.h"

#include <algorithm>
#include <utility>

#include "platform/failure.h"
#include "slideshow/monitor_layout.h"

namespace solvarine::fakes {
namespace {

std::string Joined(std::string text, std::initializer_list<int> numbers) {
  for (const int n : numbers)
    text += " " + std::to_string(n);
  return text;
}

}  // namespace

FakeWindow::FakeWindow(FakeScreen& screen, std::string title, std::string name, InputHandlers input,
                       Rect area)
    : screen(screen),
      title(std::move(title)),
      input(std::move(input)),
      name(std::move(name)),
      hwnd(screen.NewHwnd()),
      dc(screen.NewDc(this->name)),
      area(area) {
  screen.windows.push_back(this);
}

FakeWindow::~FakeWindow() {
  std::erase(screen.windows, this);
}

void FakeWindow::Show() {
  visible = true;
  screen.Log("Show " + title);
}

void FakeWindow::Cover(const Rect& covered) {
  area = covered;
  screen.Log(Joined("Cover " + title, {area.left, area.top, area.right, area.bottom}));
}

FakePictureBox::FakePictureBox(FakeScreen& screen, const FakeWindow& parent,
                               const PictureBoxSpec& layout, InputHandlers input)
    : screen(screen),
      name(parent.name + (layout.auto_size ? " holder" : " box")),
      input(std::move(input)),
      dc(screen.NewDc(name)),
      left(layout.rect.left / kTwipsPerPixel),
      top(layout.rect.top / kTwipsPerPixel),
      size{static_cast<float>(layout.rect.width / kTwipsPerPixel),
           static_cast<float>(layout.rect.height / kTwipsPerPixel)} {}

void FakePictureBox::ClearPicture() {
  screen.Log("Clear " + name);
}

void FakeTimer::SetEnabled(bool value) {
  enabled = value;
  screen.Log(value ? "Timer enabled" : "Timer disabled");
}

void FakeSlider::SetValue(int new_value) {
  if (new_value < layout.min || new_value > layout.max)
    throw Failure("slider value out of range");
  if (std::exchange(value, new_value) != new_value && on_change)
    on_change();
}

void FakeOptionButton::Select() {
  screen.selected_option = this;
  if (on_click)
    on_click();
}

std::unique_ptr<Window> FakeScreen::CreateScreenWindow(const std::string& title,
                                                       InputHandlers input) {
  Log("Create " + title);
  return std::make_unique<FakeWindow>(*this, title, title, std::move(input),
                                      VirtualScreen(TurnOrder(monitors)));
}

void FakeScreen::MsgBox(const std::string& text) {
  Log("MsgBox");
  messages.push_back(text);
}

Hwnd FakeScreen::FindWindowA(const std::string& title) {
  Log("FindWindowA " + title);
  if (FakeWindow* window = WindowTitled(title))
    return window->hwnd;
  return foreign_windows.contains(title) ? static_cast<Hwnd>(2) : Hwnd{};
}

std::string FakeScreen::Draw(Hdc dest, std::initializer_list<int> to, Hdc src,
                             std::initializer_list<int> from) {
  return Joined(dc_names_.at(dest), to) + " <- " + Joined(dc_names_.at(src), from);
}

Hrgn FakeScreen::CreateRectRgn(int left, int top, int right, int bottom) {
  const auto region = static_cast<Hrgn>(++next_handle_);
  regions_[region] = {left, top, right, bottom};
  return region;
}

// The window takes the region over; without a window the region is freed.
void FakeScreen::SetWindowRgn(Hwnd hwnd, Hrgn region, bool) {
  Log("SetWindowRgn");
  const auto window = std::ranges::find(windows, hwnd, &FakeWindow::hwnd);
  if (window != windows.end())
    (*window)->region = regions_.at(region);
  regions_.erase(region);
}

void FakeScreen::DeleteObject(Hrgn region) {
  regions_.erase(region);
}

FakeWindow* FakeScreen::WindowTitled(const std::string& title) const {
  const auto it = std::ranges::find(windows, title, &FakeWindow::title);
  return it == windows.end() ? nullptr : *it;
}

bool FakeScreen::ClickButton(const std::string& caption) {
  const auto it = buttons_.find(caption);
  if (it == buttons_.end())
    return false;
  it->second();
  return true;
}

}  // namespace solvarine::fakes
