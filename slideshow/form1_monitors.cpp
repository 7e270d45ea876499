#include <initializer_list>

#include "app/program.h"
#include "platform/gdi_guards.h"
#include "slideshow/form1.h"
#include "slideshow/form2.h"
#include "slideshow/form4.h"
#include "slideshow/monitor_layout.h"

namespace solvarine {

std::vector<Rect> Form1::Monitors() {
  return TurnOrder(program_.platform().windows.Monitors());
}

// Between ticks too, so that a new monitor shows no desktop while the slideshow is paused.
void Form1::MonitorsChanged() {
  if (covered_)
    FollowMonitors(Monitors());
}

// The windows follow the monitors to a new virtual screen. What the screen shows first joins the
// backdrop, the photo of the photo window too, so the collage stays where it is on every monitor
// that remains; false when nothing changed.
bool Form1::FollowMonitors(const std::vector<Rect>& monitors) {
  const Rect screen = VirtualScreen(monitors);
  if (screen == *covered_)
    return false;
  CopyScreen(Intersection(*covered_, screen));
  Form4& form4 = program_.form4();
  for (Window* covering : {window.get(), program_.form2().window.get(), form4.window.get()})
    covering->Cover(screen);
  RectRegion(program_.platform().gdi, 0, 0, 0, 0).SetAsWindowRegion(form4.window->hWnd());
  covered_ = screen;
  return true;
}

// The backdrop's image starts at the top-left corner of the virtual screen the windows cover.
void Form1::CopyScreen(const Rect& area) {
  Gdi& gdi = program_.platform().gdi;
  const WindowDc screen(gdi, gdi.GetDesktopWindow());
  gdi.BitBlt(program_.form2().window->hDC(), area.left - covered_->left, area.top - covered_->top,
             area.width(), area.height(), screen.get(), area.left, area.top, SRCCOPY);
}

}  // namespace solvarine
