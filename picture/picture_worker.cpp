#include "picture/picture_worker.h"

#include <utility>

namespace solvarine {

PictureWorker::PictureWorker(PictureLoader& loader, std::function<void()> handed_over)
    : loader_(loader),
      handed_over_(std::move(handed_over)),
      thread_([this](const std::stop_token& stop) { Work(stop); }) {}

void PictureWorker::Prepare(DecodeJob job) {
  Start({std::move(job), std::nullopt, true});
}

void PictureWorker::Decode(DecodeJob job, std::optional<DecodedPicture> prepared) {
  Start({std::move(job), std::move(prepared), false});
}

void PictureWorker::Start(Order order) {
  {
    const std::lock_guard lock(mutex_);
    if (order_)
      return;
    order_ = std::move(order);
  }
  job_given_.notify_one();
}

bool PictureWorker::Busy() const {
  const std::lock_guard lock(mutex_);
  return order_.has_value();
}

std::optional<DecodedPicture> PictureWorker::Take() {
  const std::lock_guard lock(mutex_);
  return std::exchange(done_, std::nullopt);
}

// Whatever the loader throws travels to the UI thread, which takes it as that photo's failure.
std::optional<DecodedPicture> PictureWorker::Run(Order order) {
  std::optional<FileStamp> stamp = loader_.Stamp(order.job.path);
  if (order.prepared && stamp && order.prepared->stamp == stamp)
    return std::move(order.prepared);
  if (order.ahead && !stamp)
    return std::nullopt;
  DecodedPicture decoded{std::move(order.job), stamp, std::nullopt, nullptr};
  try {
    decoded.picture = loader_.LoadPicture(decoded.job.path, decoded.job.drawn_diagonal);
  } catch (...) {
    decoded.error = std::current_exception();
  }
  return decoded;
}

void PictureWorker::Work(const std::stop_token& stop) {
  for (;;) {
    Order order;
    {
      std::unique_lock lock(mutex_);
      if (!job_given_.wait(lock, stop, [this] { return order_.has_value(); }) ||
          stop.stop_requested())
        return;
      order = *std::move(order_);
    }
    std::optional<DecodedPicture> decoded = Run(std::move(order));
    {
      const std::lock_guard lock(mutex_);
      done_ = std::move(decoded);
      order_.reset();
    }
    handed_over_();
  }
}

}  // namespace solvarine
