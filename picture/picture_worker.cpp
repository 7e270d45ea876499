#include "picture/picture_worker.h"

#include <utility>

namespace solvarine {

PictureWorker::PictureWorker(PictureLoader& loader, std::function<void()> handed_over)
    : loader_(loader),
      handed_over_(std::move(handed_over)),
      thread_([this](const std::stop_token& stop) { Work(stop); }) {}

bool PictureWorker::Start(DecodeJob job) {
  {
    const std::lock_guard lock(mutex_);
    if (job_)
      return false;
    done_.reset();
    job_ = std::move(job);
  }
  job_given_.notify_one();
  return true;
}

bool PictureWorker::Busy() const {
  const std::lock_guard lock(mutex_);
  return job_.has_value();
}

std::optional<DecodedPicture> PictureWorker::Take() {
  const std::lock_guard lock(mutex_);
  return std::exchange(done_, std::nullopt);
}

void PictureWorker::Work(const std::stop_token& stop) {
  for (;;) {
    DecodedPicture decoded;
    {
      std::unique_lock lock(mutex_);
      if (!job_given_.wait(lock, stop, [this] { return job_.has_value(); }) ||
          stop.stop_requested())
        return;
      decoded.job = *job_;
    }
    // Whatever the loader throws travels to the UI thread, which treats it as a load there would.
    try {
      decoded.picture = loader_.LoadPicture(decoded.job.path, decoded.job.drawn_diagonal);
    } catch (...) {
      decoded.error = std::current_exception();
    }
    {
      const std::lock_guard lock(mutex_);
      done_ = std::move(decoded);
      job_.reset();
    }
    handed_over_();
  }
}

}  // namespace solvarine
