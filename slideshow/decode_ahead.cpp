#include "slideshow/decode_ahead.h"

namespace solvarine {

DecodeAhead::DecodeAhead(Platform& platform, std::function<void()> on_handed_over)
    : loader_(platform.pictures),
      wakeup_(platform.events.CreateWakeup(std::move(on_handed_over))),
      worker_(platform.pictures, [wakeup = wakeup_.get()] { wakeup->Signal(); }) {}

void DecodeAhead::Prepare(const std::string& path, double drawn_diagonal) {
  if (!worker_.Busy())
    Start(path, drawn_diagonal, false);
}

std::optional<DecodedPicture> DecodeAhead::Collect(const std::string& path, double drawn_diagonal) {
  if (worker_.Busy())
    return std::nullopt;
  std::optional<DecodedPicture> decoded = worker_.Take();
  if (decoded && decoded->job.path == path && decoded->job.drawn_diagonal == drawn_diagonal &&
      (at_tick_ || loader_.Stamp(path) == stamp_)) {
    return decoded;
  }
  Start(path, drawn_diagonal, true);
  return std::nullopt;
}

void DecodeAhead::Start(const std::string& path, double drawn_diagonal, bool at_tick) {
  stamp_ = loader_.Stamp(path);
  at_tick_ = at_tick;
  worker_.Start({path, drawn_diagonal});
}

}  // namespace solvarine
