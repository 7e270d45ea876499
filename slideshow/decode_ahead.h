#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "picture/picture_worker.h"
#include "platform/platform.h"

namespace solvarine {

// The photo of the next tick, decoded ahead off the UI thread, so that a tick only draws. Only a
// picture is kept from ahead, only for the same path at the same size, and the worker hands it to
// the tick only while its file is unchanged; anything else is decoded afresh. The UI thread never
// waits on the file system, not even to look at a file.
class DecodeAhead {
 public:
  // on_handed_over runs on the UI thread after each decode.
  DecodeAhead(Platform& platform, std::function<void()> on_handed_over);

  // Starts decoding a photo a later tick will ask for, unless a decode is in flight.
  void Prepare(const std::string& path, double drawn_diagonal);
  // The photo as its file is at this moment, once the worker has handed it over: empty until
  // then, and on_handed_over follows.
  std::optional<DecodedPicture> Collect(const std::string& path, double drawn_diagonal);
  bool Busy() const { return worker_.Busy(); }

 private:
  std::unique_ptr<Wakeup> wakeup_;
  // From a tick's decode until Collect hands it over: that decode shows the file as it is now.
  bool for_tick_ = false;
  PictureWorker worker_;  // last: its thread signals wakeup_ until it is joined
};

}  // namespace solvarine
