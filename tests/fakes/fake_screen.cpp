#include "tests/fakes/fake_screen.h"

#include <algorithm>
#include <utility>

#include "platform/failure.h"
#include "slideshow/monitor_layout.h"

namespace solvarine::fakes {

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
  screen.Log("Cover " + title + " " + std::to_string(area.left) + " " + std::to_string(area.top) +
             " " + std::to_string(area.right) + " " + std::to_string(area.bottom));
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
  const bool changed = new_value != value;
  value = new_value;
  if (changed && on_change)
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

std::string FakeScreen::Draw(Hdc dest, std::vector<int> to, Hdc src, std::vector<int> from) {
  std::string text = dc_names_.at(dest);
  for (const int n : to)
    text += " " + std::to_string(n);
  text += " <- " + dc_names_.at(src);
  for (const int n : from)
    text += " " + std::to_string(n);
  return text;
}

Hrgn FakeScreen::CreateRectRgn(int left, int top, int right, int bottom) {
  const auto region = static_cast<Hrgn>(++next_handle_);
  regions_[region] = {left, top, right, bottom};
  return region;
}

void FakeScreen::SetWindowRgn(Hwnd hwnd, Hrgn region, bool) {
  Log("SetWindowRgn");
  for (FakeWindow* window : windows) {
    if (window->hwnd != hwnd)
      continue;
    window->region = regions_.at(region);
    regions_.erase(region);
    return;
  }
  DeleteObject(region);
}

void FakeScreen::DeleteObject(Hrgn region) {
  regions_.erase(region);
}

FakeWindow* FakeScreen::WindowTitled(const std::string& title) const {
  const auto it = std::find_if(windows.begin(), windows.end(), [&title](const FakeWindow* window) {
    return window->title == title;
  });
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
