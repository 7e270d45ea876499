// The worker thread and the UI thread meet only in the slot; ThreadSanitizer watches them here.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <thread>

#include "platform/failure.h"
#include "platform/picture_worker.h"

namespace solvarine {
namespace {

// A picture whose one pixel tells which path it was decoded from.
std::uint32_t Mark(const std::string& path) {
  return static_cast<std::uint32_t>(std::hash<std::string>{}(path));
}

// Decodes at once, except "slow" paths, which wait until Release.
class ScriptedLoader final : public PictureLoader {
 public:
  Picture LoadPicture(const std::string& path, double drawn_diagonal) override {
    if (path.starts_with("slow")) {
      std::unique_lock lock(mutex_);
      released_.wait(lock, [this] { return release_; });
    }
    if (path.starts_with("unreadable"))
      throw Failure("cannot load " + path);
    if (path.starts_with("huge"))
      throw std::bad_alloc();
    return Picture::FullSize(static_cast<int>(drawn_diagonal), 1, {Mark(path)});
  }
  std::optional<FileStamp> Stamp(const std::string&) override { return FileStamp{}; }
  void Release() {
    {
      const std::lock_guard lock(mutex_);
      release_ = true;
    }
    released_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  bool release_ = false;
};

// Counts hand-overs as the UI thread's wakeup would, from the worker's thread.
class HandOvers {
 public:
  void Signal() {
    {
      const std::lock_guard lock(mutex_);
      ++count_;
    }
    changed_.notify_all();
  }
  bool AwaitCount(int count) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return count_ >= count; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int count_ = 0;
};

TEST(PictureWorkerTest, EachDecodeIsHandedOverOnceWithItsOwnJob) {
  struct Case {
    std::string path;
    bool shows;
    bool failure;  // a Failure, which the tick passes over, rather than anything else
  };
  const Case cases[] = {{"a.jpg", true, false},
                        {"unreadable.jpg", false, true},
                        {"b.jpg", true, false},
                        {"huge.jpg", false, false}};
  ScriptedLoader loader;
  HandOvers hand_overs;
  PictureWorker worker(loader, [&] { hand_overs.Signal(); });
  int started = 0;
  for (int round = 0; round < 50; ++round) {
    for (const Case& c : cases) {
      const double diagonal = 100 + round;
      ASSERT_TRUE(worker.Start({c.path, diagonal})) << c.path;
      ++started;
      worker.Busy();  // meets the worker's thread while it decodes
      ASSERT_TRUE(hand_overs.AwaitCount(started));
      std::optional<DecodedPicture> decoded = worker.Take();
      ASSERT_TRUE(decoded) << c.path;
      EXPECT_FALSE(worker.Take()) << "taken once";
      EXPECT_EQ(decoded->job.path, c.path);
      EXPECT_EQ(decoded->job.drawn_diagonal, diagonal);
      ASSERT_EQ(decoded->picture.has_value(), c.shows) << c.path;
      if (c.shows) {
        EXPECT_EQ(decoded->picture->pixels.at(0), Mark(c.path));
        EXPECT_EQ(decoded->picture->width, static_cast<int>(diagonal));
        continue;
      }
      bool failure = false;
      try {
        std::rethrow_exception(decoded->error);
      } catch (const Failure&) {
        failure = true;
      } catch (const std::bad_alloc&) {
      }
      EXPECT_EQ(failure, c.failure) << c.path;
    }
  }
}

TEST(PictureWorkerTest, OneDecodeAtATimeAndAnUntakenPictureMakesWayForTheNext) {
  ScriptedLoader loader;
  HandOvers hand_overs;
  PictureWorker worker(loader, [&] { hand_overs.Signal(); });
  ASSERT_TRUE(worker.Start({"a.jpg", 10}));
  ASSERT_TRUE(hand_overs.AwaitCount(1));
  ASSERT_TRUE(worker.Start({"slow.jpg", 10}));
  EXPECT_TRUE(worker.Busy());
  EXPECT_FALSE(worker.Start({"b.jpg", 10}));
  EXPECT_FALSE(worker.Take()) << "a.jpg went with the new start; slow.jpg is not done";
  loader.Release();
  ASSERT_TRUE(hand_overs.AwaitCount(2));
  const std::optional<DecodedPicture> decoded = worker.Take();
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->job.path, "slow.jpg");
}

TEST(PictureWorkerTest, GoingAwayWaitsForTheDecodeInFlight) {
  ScriptedLoader loader;
  std::optional<PictureWorker> worker;
  worker.emplace(loader, [] {});
  ASSERT_TRUE(worker->Start({"slow.jpg", 10}));
  std::thread release([&] { loader.Release(); });
  worker.reset();
  release.join();
}

}  // namespace
}  // namespace solvarine
