#include "tests/fakes/fake_screen.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/failure.h"

namespace solvarine::fakes {

FakeWindow::FakeWindow(FakeScreen& screen, std::string title, InputHandlers input, int width,
                       int height)
    : screen(screen),
      title(std::move(title)),
      input(std::move(input)),
      hwnd(screen.NewHwnd()),
      image(Surface::Filled(width, height, kBlack)) {
  dc = screen.RegisterSurface(image);
  screen.windows.push_back(this);
}

FakeWindow::~FakeWindow() {
  if (region)
    --screen.live_regions;
  screen.UnregisterSurface(dc);
  screen.Forget(screen.windows, this);
}

void FakeWindow::Show() {
  visible = true;
  stacking = screen.NextStacking();
  screen.Log("Show " + title);
}

FakePictureBox::FakePictureBox(FakeScreen& screen, const PictureBoxSpec& layout,
                               InputHandlers input)
    : screen(screen),
      input(std::move(input)),
      left(layout.rect.left / kTwipsPerPixel),
      top(layout.rect.top / kTwipsPerPixel),
      image(Surface::Filled(layout.rect.width / kTwipsPerPixel, layout.rect.height / kTwipsPerPixel,
                            kWhite)) {
  dc = screen.RegisterSurface(image);
}

FakePictureBox::~FakePictureBox() {
  screen.UnregisterSurface(dc);
}

// The box keeps the decoded pixels and maps the picture's own size onto them, as an auto-sized
// box does (the core sets pictures on those only).
void FakePictureBox::SetPicture(const Picture& picture) {
  image = {picture.pixel_width, picture.pixel_height, picture.width, picture.height,
           picture.pixels};
}

FakeTimer::~FakeTimer() {
  screen.Forget(screen.timers, this);
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
  return std::make_unique<FakeWindow>(*this, title, std::move(input),
                                      static_cast<int>(screen_twips.width) / kTwipsPerPixel,
                                      static_cast<int>(screen_twips.height) / kTwipsPerPixel);
}

std::unique_ptr<Window> FakeScreen::CreateDialogWindow(const std::string& caption, int width_twips,
                                                       int height_twips,
                                                       std::function<void()> on_close) {
  Log("Create " + caption);
  auto window = std::make_unique<FakeWindow>(
      *this, caption, InputHandlers{}, width_twips / kTwipsPerPixel, height_twips / kTwipsPerPixel);
  window->on_close = std::move(on_close);
  return window;
}

std::unique_ptr<Timer> FakeScreen::CreateTimer(Window&, std::int32_t interval_ms,
                                               std::function<void()> on_tick) {
  auto timer = std::make_unique<FakeTimer>(*this, interval_ms, std::move(on_tick));
  timers.push_back(timer.get());
  return timer;
}

void FakeScreen::MsgBox(const std::string& text) {
  Log("MsgBox");
  messages.push_back(text);
  if (on_msgbox)
    on_msgbox();
}

OpenFileResult FakeScreen::GetOpenFileName(Window&, const OpenFileRequest& request) {
  open_file_requests.push_back(request);
  return std::exchange(next_open_file, {});
}

Hwnd FakeScreen::FindWindowA(const std::string& title) {
  Log("FindWindowA " + title);
  if (FakeWindow* window = WindowTitled(title))
    return window->hwnd;
  return foreign_windows.contains(title) ? static_cast<Hwnd>(2) : Hwnd{};
}

int FakeScreen::ShowCursor(bool show) {
  cursor_count += show ? 1 : -1;
  Log(show ? "ShowCursor 1" : "ShowCursor 0");
  return cursor_count;
}

Hdc FakeScreen::GetDC(Hwnd window) {
  ++dcs_out;
  return window == kDesktop ? RegisterSurface(desktop) : Hdc{};
}

void FakeScreen::ReleaseDC(Hwnd, Hdc dc) {
  --dcs_out;
  UnregisterSurface(dc);
}

// Nearest neighbour, which is what COLORONCOLOR does when shrinking. The source rectangle is in
// the source's logical units, mapped onto its pixels.
void FakeScreen::StretchBlt(Hdc dest, int x, int y, int width, int height, Hdc src, int src_x,
                            int src_y, int src_width, int src_height, std::uint32_t) {
  Surface* to = SurfaceOf(dest);
  const Surface* from = SurfaceOf(src);
  if (!to || !from || width <= 0 || height <= 0 || from->logical_width <= 0 ||
      from->logical_height <= 0) {
    return;
  }
  const Surface source = *from;  // the same surface may be both ends
  const auto source_pixel = [](int start, int offset, int span, int extent, int pixels,
                               int logical) {
    const std::int64_t numerator =
        (std::int64_t{start} * extent + std::int64_t{offset} * span) * pixels;
    return static_cast<int>(numerator / (std::int64_t{extent} * logical));
  };
  // Only what lands on the destination (the snapshot hands over twips, far beyond its size).
  for (int dy = std::max(0, -y); dy < std::min(height, to->height - y); ++dy) {
    for (int dx = std::max(0, -x); dx < std::min(width, to->width - x); ++dx) {
      const int sx = source_pixel(src_x, dx, src_width, width, source.width, source.logical_width);
      const int sy =
          source_pixel(src_y, dy, src_height, height, source.height, source.logical_height);
      if (source.Contains(sx, sy))
        to->Set(x + dx, y + dy, source.At(sx, sy));
    }
  }
}

Hrgn FakeScreen::CreateRectRgn(int left, int top, int right, int bottom) {
  const auto region = static_cast<Hrgn>(++next_handle_);
  regions_[region] = {left, top, right, bottom};
  ++live_regions;
  return region;
}

void FakeScreen::SetWindowRgn(Hwnd hwnd, Hrgn region, bool) {
  Log("SetWindowRgn");
  for (FakeWindow* window : windows) {
    if (window->hwnd != hwnd)
      continue;
    if (window->region)
      --live_regions;  // the window frees the region it had
    window->region = regions_.at(region);
    regions_.erase(region);
    return;
  }
  DeleteObject(region);
}

void FakeScreen::DeleteObject(Hrgn region) {
  if (regions_.erase(region))
    --live_regions;
}

FakeWindow* FakeScreen::WindowTitled(const std::string& title) const {
  const auto it = std::find_if(windows.begin(), windows.end(), [&title](const FakeWindow* window) {
    return window->title == title;
  });
  return it == windows.end() ? nullptr : *it;
}

void FakeScreen::FireTimers() {
  const std::vector<FakeTimer*> due = timers;
  for (FakeTimer* timer : due) {
    if (timer->enabled && timer->interval > 0)
      timer->on_tick();
  }
}

bool FakeScreen::ClickButton(const std::string& caption) {
  const auto it = buttons_.find(caption);
  if (it == buttons_.end())
    return false;
  it->second();
  return true;
}

bool FakeScreen::CloseDialog() {
  for (FakeWindow* window : windows) {
    if (window->on_close) {
      window->on_close();
      return true;
    }
  }
  return false;
}

Hdc FakeScreen::RegisterSurface(Surface& surface) {
  const auto dc = static_cast<Hdc>(++next_handle_);
  surfaces_[dc] = &surface;
  return dc;
}

Surface* FakeScreen::SurfaceOf(Hdc dc) {
  const auto it = surfaces_.find(dc);
  return it == surfaces_.end() ? nullptr : it->second;
}

}  // namespace solvarine::fakes
