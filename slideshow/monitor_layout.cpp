#include "slideshow/monitor_layout.h"

#include <algorithm>
#include <tuple>

#include "platform/failure.h"

namespace solvarine {

std::vector<Rect> TurnOrder(std::vector<Monitor> monitors) {
  if (monitors.empty())
    throw Failure("no monitor");
  std::ranges::sort(monitors, [](const Monitor& a, const Monitor& b) {
    return std::tuple(!a.primary, a.rect.left, a.rect.top) <
           std::tuple(!b.primary, b.rect.left, b.rect.top);
  });
  std::vector<Rect> order;
  for (const Monitor& monitor : monitors)
    order.push_back(monitor.rect);
  return order;
}

Rect VirtualScreen(const std::vector<Rect>& monitors) {
  Rect box = monitors.front();
  for (const Rect& monitor : monitors) {
    box = {std::min(box.left, monitor.left), std::min(box.top, monitor.top),
           std::max(box.right, monitor.right), std::max(box.bottom, monitor.bottom)};
  }
  return box;
}

}  // namespace solvarine
