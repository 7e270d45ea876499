#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "picture/picture_worker.h"
#include "platform/platform.h"

namespace solvarine {

// The photo of the next tick, decoded ahead off the UI thread, so that a tick only draws. A
// picture decoded ahead is used only for the same path at the same size, and only while its file
// is unchanged; anything else is decoded afresh.
class DecodeAhead {
 public:
  // on_handed_over runs on the UI thread after each decode.
  DecodeAhead(Platform& platform, std::function<void()> on_handed_over);

  // Starts decoding a photo a later tick will ask for, unless a decode is in flight.
  void Prepare(const std::string& path, double drawn_diagonal);
  // The photo as its file is at this moment; empty while it is still being decoded, and then
  // on_handed_over follows.
  std::optional<DecodedPicture> Collect(const std::string& path, double drawn_diagonal);
  bool Busy() const { return worker_.Busy(); }

 private:
  void Start(const std::string& path, double drawn_diagonal, bool at_tick);

  PictureLoader& loader_;
  std::unique_ptr<Wakeup> wakeup_;
  std::optional<FileStamp> stamp_;  // of the file as the last decode began
  // The last decode began after its tick had come, so it shows the file as at that tick.
  bool at_tick_ = false;
  PictureWorker worker_;  // last: its thread signals wakeup_ until it is joined
};

}  // namespace solvarine
