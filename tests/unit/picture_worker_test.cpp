// The worker's thread and the UI thread meet only in the slot; ThreadSanitizer watches them here.
#include <gtest/gtest.h>

#include <chrono>
#include <latch>
#include <new>
#include <semaphore>

#include "platform/failure.h"
#include "platform/picture_worker.h"

namespace solvarine {
namespace {

constexpr auto kPatience = std::chrono::seconds(10);

// Decodes at once into a picture as wide as the diagonal, marked with the path's length; "slow"
// paths wait for the release, "unreadable" and "huge" ones throw as a loader may.
class ScriptedLoader final : public PictureLoader {
 public:
  Picture LoadPicture(const std::string& path, double drawn_diagonal) override {
    if (path.starts_with("slow"))
      release.wait();
    if (path.starts_with("unreadable"))
      throw Failure("cannot load " + path);
    if (path.starts_with("huge"))
      throw std::bad_alloc();
    return Picture::FullSize(static_cast<int>(drawn_diagonal), 1,
                             {static_cast<std::uint32_t>(path.size())});
  }
  std::optional<FileStamp> Stamp(const std::string&) override { return FileStamp{}; }
  std::latch release{1};
};

TEST(PictureWorkerTest, EachDecodeIsHandedOverOnceWithItsOwnJob) {
  ScriptedLoader loader;
  std::counting_semaphore<> handed_over(0);
  PictureWorker worker(loader, [&] { handed_over.release(); });
  for (int round = 0; round < 50; ++round) {
    for (const std::string path : {"a.jpg", "unreadable.jpg", "bb.jpg", "huge.jpg"}) {
      ASSERT_TRUE(worker.Start({path, 100.0 + round})) << path;
      worker.Busy();  // meets the worker's thread while it decodes
      ASSERT_TRUE(handed_over.try_acquire_for(kPatience)) << path;
      const std::optional<DecodedPicture> decoded = worker.Take();
      ASSERT_TRUE(decoded) << path;
      EXPECT_FALSE(worker.Take()) << "taken once";
      EXPECT_EQ(decoded->job.path, path);
      EXPECT_EQ(decoded->job.drawn_diagonal, 100.0 + round);
      if (path.starts_with("unreadable")) {
        EXPECT_THROW(std::rethrow_exception(decoded->error), Failure);
      } else if (path.starts_with("huge")) {
        EXPECT_THROW(std::rethrow_exception(decoded->error), std::bad_alloc);
      } else {
        ASSERT_TRUE(decoded->picture) << path;
        EXPECT_EQ(decoded->picture->pixels.at(0), path.size());
        EXPECT_EQ(decoded->picture->width, 100 + round);
      }
    }
  }
}

// Going away while a decode is in flight waits for it rather than leave the thread to a dead slot.
TEST(PictureWorkerTest, OneDecodeAtATimeAndAnUntakenPictureMakesWayForTheNext) {
  ScriptedLoader loader;
  std::counting_semaphore<> handed_over(0);
  std::optional<PictureWorker> worker(std::in_place, loader, [&] { handed_over.release(); });
  ASSERT_TRUE(worker->Start({"a.jpg", 10}));
  ASSERT_TRUE(handed_over.try_acquire_for(kPatience));
  ASSERT_TRUE(worker->Start({"slow.jpg", 10}));
  EXPECT_TRUE(worker->Busy());
  EXPECT_FALSE(worker->Start({"b.jpg", 10}));
  EXPECT_FALSE(worker->Take()) << "a.jpg went with the new start; slow.jpg is not done";
  loader.release.count_down();
  ASSERT_TRUE(handed_over.try_acquire_for(kPatience));
  EXPECT_EQ(worker->Take()->job.path, "slow.jpg");

  ScriptedLoader stuck;
  worker.emplace(stuck, [] {});
  ASSERT_TRUE(worker->Start({"slow.jpg", 10}));
  std::thread release([&] { stuck.release.count_down(); });
  worker.reset();
  release.join();
}

}  // namespace
}  // namespace solvarine
