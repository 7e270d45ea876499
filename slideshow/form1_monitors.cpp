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

// The windows follow the monitors to a new virtual screen, and the backdrop's image moves along,
// so the collage stays where it is on every monitor that remains. By now the screen may show our
// windows at a place the system no longer gives them, so the photo of the photo window joins the
// backdrop from its canvas, not from the screen. False when nothing changed.
bool Form1::FollowMonitors(const std::vector<Rect>& monitors) {
  const Rect screen = VirtualScreen(monitors);
  if (screen == *covered_)
    return false;
  Gdi& gdi = program_.platform().gdi;
  Form4& form4 = program_.form4();
  Window& backdrop = *program_.form2().window;
  if (shown_) {
    const ClipRect& clip = shown_->clip;
    gdi.BitBlt(backdrop.hDC(), clip.left, clip.top, clip.width(), clip.height(),
               form4.Picture1->hDC(), clip.left - shown_->left, clip.top - shown_->top, SRCCOPY);
  }
  for (Window* covering : {window.get(), &backdrop, form4.window.get()})
    covering->Cover(screen);
  RectRegion(gdi, 0, 0, 0, 0).SetAsWindowRegion(form4.window->hWnd());
  covered_ = screen;
  shown_.reset();
  return true;
}

// Monitor by monitor: the parts of the virtual screen that no monitor shows are never seen, and
// under Wine a copy over them costs several times a copy of the monitors. The backdrop's image
// starts at the top-left corner of the virtual screen.
void Form1::CopyScreen(const std::vector<Rect>& monitors) {
  Gdi& gdi = program_.platform().gdi;
  const WindowDc screen(gdi, gdi.GetDesktopWindow());
  const Hdc backdrop = program_.form2().window->hDC();
  for (const Rect& monitor : monitors) {
    gdi.BitBlt(backdrop, monitor.left - covered_->left, monitor.top - covered_->top,
               monitor.width(), monitor.height(), screen.get(), monitor.left, monitor.top, SRCCOPY);
  }
}

}  // namespace solvarine
