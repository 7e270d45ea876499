#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <string>
#include <thread>

#include "platform/picture_loader.h"

namespace solvarine {

struct DecodeJob {
  std::string path;
  double drawn_diagonal = 0;
};

// A finished decode: the picture, or what LoadPicture threw instead.
struct DecodedPicture {
  DecodeJob job;
  std::optional<Picture> picture;
  std::exception_ptr error;
};

// Loads one picture at a time on a thread of its own and hands it over through one slot. Its
// thread touches nothing but the loader and the slot.
class PictureWorker {
 public:
  // handed_over runs on the worker's thread each time a decode has landed in the slot.
  PictureWorker(PictureLoader& loader, std::function<void()> handed_over);
  // Waits for a decode in flight; a program that must not wait ends its process instead.
  ~PictureWorker() = default;
  PictureWorker(const PictureWorker&) = delete;
  PictureWorker& operator=(const PictureWorker&) = delete;

  // Starts a decode, dropping a decoded picture nobody took; false while one is in flight.
  bool Start(DecodeJob job);
  bool Busy() const;
  // The decoded picture, once.
  std::optional<DecodedPicture> Take();

 private:
  void Work(const std::stop_token& stop);

  PictureLoader& loader_;
  std::function<void()> handed_over_;
  mutable std::mutex mutex_;
  std::condition_variable_any job_given_;
  std::optional<DecodeJob> job_;  // from Start until its decode is in the slot
  std::optional<DecodedPicture> done_;
  std::jthread thread_;  // last, so that it stops and is joined before the rest goes
};

}  // namespace solvarine
