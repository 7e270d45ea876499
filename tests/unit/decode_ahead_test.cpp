#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <latch>
#include <thread>

#include "app/program.h"
#include "dialog/form3.h"
#include "platform/failure.h"
#include "slideshow/decode_ahead.h"
#include "slideshow/form1.h"
#include "start/module1.h"
#include "tests/fakes/fake_platform.h"

namespace solvarine {
namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;
constexpr std::uint32_t kGreen = 0xFF00FF00;
constexpr std::uint32_t kBlue = 0xFF0000FF;
constexpr auto kPatience = std::chrono::seconds(10);
const std::string kA = "C:\\photos\\a.jpg";
const std::string kB = "C:\\photos\\b.jpg";

TEST(DecodeAheadTest, APreparedPictureServesOnlyItsOwnPathAndSizeWhileItsFileIsUnchanged) {
  const struct {
    const char* name;
    const std::string& path;
    double diagonal;
    std::function<void(fakes::FakePictureLoader&)> meanwhile;
    bool served_at_once;
    std::uint32_t colour;  // 0: the load fails
  } cases[] = {
      {"the same", kA, 400, [](auto&) {}, true, kRed},
      {"another path", kB, 400, [](auto&) {}, false, kGreen},
      {"another size", kA, 200, [](auto&) {}, false, kRed},
      {"rewritten", kA, 400, [](auto& pictures) { pictures.Add(kA, 64, 48, kBlue); }, false, kBlue},
      {"gone", kA, 400, [](auto& pictures) { pictures.pictures.erase(kA); }, false, 0},
  };
  for (const auto& c : cases) {
    fakes::FakePlatform fake;
    fake.pictures.Add(kA, 64, 48, kRed);
    fake.pictures.Add(kB, 48, 64, kGreen);
    int handed_over = 0;
    DecodeAhead ahead(fake.platform, [&] { ++handed_over; });
    ahead.Prepare(kA, 400);
    ASSERT_TRUE(fake.screen.wakeups.AwaitOne(kPatience)) << c.name;
    c.meanwhile(fake.pictures);

    std::optional<DecodedPicture> decoded = ahead.Collect(c.path, c.diagonal);
    EXPECT_EQ(decoded.has_value(), c.served_at_once) << c.name;
    if (!decoded) {
      ASSERT_TRUE(fake.screen.wakeups.AwaitOne(kPatience)) << c.name;
      decoded = ahead.Collect(c.path, c.diagonal);
      ASSERT_TRUE(decoded) << c.name << ": decoded afresh for the tick, used as it comes";
    }
    EXPECT_EQ(fake.pictures.loads.size(), c.served_at_once ? 1u : 2u) << c.name;
    EXPECT_EQ(handed_over, static_cast<int>(fake.pictures.loads.size())) << c.name;
    EXPECT_EQ(fake.pictures.drawn_diagonals.back(), c.diagonal) << c.name;
    if (c.colour == 0) {
      EXPECT_FALSE(decoded->picture) << c.name;
      EXPECT_THROW(std::rethrow_exception(decoded->error), Failure) << c.name;
    } else {
      ASSERT_TRUE(decoded->picture) << c.name;
      EXPECT_EQ(decoded->picture->pixels.at(0), c.colour) << c.name;
    }
  }
}

// Decodes off the test's thread, the UI thread, wait until the gate opens.
class GatedLoader final : public PictureLoader {
 public:
  explicit GatedLoader(PictureLoader& inner) : inner_(inner) {}
  Picture LoadPicture(const std::string& path, double drawn_diagonal) override {
    if (std::this_thread::get_id() != ui_thread_)
      gate.wait();
    return inner_.LoadPicture(path, drawn_diagonal);
  }
  std::optional<FileStamp> Stamp(const std::string& path) override { return inner_.Stamp(path); }
  std::latch gate{1};

 private:
  PictureLoader& inner_;
  const std::thread::id ui_thread_ = std::this_thread::get_id();
};

// The UI thread goes on handling input while the tick's photo is decoded; the tick then runs
// whole, once, as it would have without waiting.
TEST(DecodeAheadTest, ATickWaitsForItsPhotoWithoutDrawingAndTicksMeanwhileFoldIntoIt) {
  fakes::FakePlatform fake;
  fake.files.AddFolder("C:\\photos", {{"a.jpg"}, {"b.jpg"}});
  fake.pictures.Add(kA, 64, 48, kRed);
  fake.pictures.Add(kB, 48, 64, kGreen);
  fake.store.values = {{"Filename", kA}, {"Directory", "C:\\photos"}};
  GatedLoader gated(fake.pictures);
  Platform platform{fake.screen, fake.screen, gated, fake.store, fake.files, fake.random};
  Program program(platform);
  const struct OpenAtTheEnd {
    GatedLoader& loader;
    ~OpenAtTheEnd() {
      if (!loader.gate.try_wait())
        loader.gate.count_down();
    }
  } open_at_the_end{gated};

  StartUp(program, "/s");
  Form1& form1 = program.form1();
  fake.screen.FireTimers();
  fake.screen.FireTimers();
  EXPECT_TRUE(form1.PhotoPending());
  EXPECT_EQ(fake.random.draws, 0);
  EXPECT_EQ(fake.screen.WindowTitled("Form4")->region, (ClipRect{0, 0, 0, 0}));
  EXPECT_EQ(program.form3().File1.ListIndex(), 0);

  gated.gate.count_down();
  while (form1.PhotoPending())
    ASSERT_TRUE(fake.screen.wakeups.AwaitOne(kPatience));
  EXPECT_EQ(fake.random.draws, 2) << "one tick";
  EXPECT_EQ(program.form3().File1.ListIndex(), 1);
  EXPECT_EQ(form1.Filename, kA);
  EXPECT_NE(fake.screen.WindowTitled("Form4")->region, (ClipRect{0, 0, 0, 0}));
  EXPECT_EQ(std::count(fake.pictures.loads.begin(), fake.pictures.loads.end(), kA), 2)
      << "the hidden dialog's preview, then once ahead of the tick";
}

}  // namespace
}  // namespace solvarine
