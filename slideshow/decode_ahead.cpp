#include "slideshow/decode_ahead.h"

#include <utility>

namespace solvarine {

DecodeAhead::DecodeAhead(Platform& platform, std::function<void()> on_handed_over)
    : wakeup_(platform.events.CreateWakeup(std::move(on_handed_over))),
      worker_(platform.pictures, [wakeup = wakeup_.get()] { wakeup->Signal(); }) {}

void DecodeAhead::Prepare(const std::string& path, double drawn_diagonal) {
  worker_.Prepare({path, drawn_diagonal});
}

std::optional<DecodedPicture> DecodeAhead::Collect(const std::string& path, double drawn_diagonal) {
  if (worker_.Busy())
    return std::nullopt;
  DecodeJob job{path, drawn_diagonal};
  std::optional<DecodedPicture> done = worker_.Take();
  const bool same = done && done->job == job;
  if (same && for_tick_) {
    for_tick_ = false;
    return done;
  }
  if (!same || !done->picture)
    done.reset();
  worker_.Decode(std::move(job), std::move(done));
  for_tick_ = true;
  return std::nullopt;
}

}  // namespace solvarine
