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
  friend bool operator==(const DecodeJob&, const DecodeJob&) = default;
};

// A finished decode: the picture, or what LoadPicture threw instead; and the file's stamp as the
// decode began.
struct DecodedPicture {
  DecodeJob job;
  std::optional<FileStamp> stamp;
  std::optional<Picture> picture;
  std::exception_ptr error;
};

// Loads one picture at a time on a thread of its own and hands it over through one slot. Its
// thread touches nothing but the loader and the slot; the thread that starts a decode never
// touches the file.
class PictureWorker {
 public:
  // handed_over runs on the worker's thread each time a decode has ended.
  PictureWorker(PictureLoader& loader, std::function<void()> handed_over);
  // Waits for a decode in flight; a program that must not wait ends its process instead.
  ~PictureWorker() = default;
  PictureWorker(const PictureWorker&) = delete;
  PictureWorker& operator=(const PictureWorker&) = delete;

  // Each starts a decode unless one is in flight. Prepare decodes for a later Decode to vouch
  // for, so it decodes nothing of a file without a stamp. Decode hands back the picture as the
  // file is now: prepared's, while the file keeps the stamp it had then, else decoded afresh.
  void Prepare(DecodeJob job);
  void Decode(DecodeJob job, std::optional<DecodedPicture> prepared);
  bool Busy() const;
  // The decoded picture, once.
  std::optional<DecodedPicture> Take();

 private:
  struct Order {
    DecodeJob job;
    std::optional<DecodedPicture> prepared;
    bool ahead = false;
  };
  void Start(Order order);
  std::optional<DecodedPicture> Run(Order order);
  void Work(const std::stop_token& stop);

  PictureLoader& loader_;
  std::function<void()> handed_over_;
  mutable std::mutex mutex_;
  std::condition_variable_any job_given_;
  std::optional<Order> order_;  // from Start until its decode has ended
  std::optional<DecodedPicture> done_;
  std::jthread thread_;  // last, so that it stops and is joined before the rest goes
};

}  // namespace solvarine
