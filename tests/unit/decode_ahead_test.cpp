#include "slideshow/decode_ahead.h"

#include <latch>
#include <thread>

#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

constexpr auto kPatience = std::chrono::seconds(10);
const std::string kA = "C:\\photos\\a.jpg";

TEST(DecodeAheadTest, APreparedPictureServesOnlyItsOwnPathAndSizeWhileItsFileIsUnchanged) {
  const struct {
    const char* name;
    std::string path;
    double diagonal;
    std::function<void(fakes::FakePictureLoader&)> meanwhile;
    bool served_at_once;
    std::uint32_t colour;  // 0: the load fails
  } cases[] = {
      {"the same", kA, 400, [](auto&) {}, true, kRed},
      {"another path", "C:\\photos\\b.jpg", 400, [](auto&) {}, false, kGreen},
      {"another size", kA, 200, [](auto&) {}, false, kRed},
      {"rewritten", kA, 400, [](auto& pictures) { pictures.Add(kA, 64, 48, kBlue); }, false, kBlue},
      {"gone", kA, 400, [](auto& pictures) { pictures.pictures.erase(kA); }, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    World world;
    fakes::FakePlatform& fake = world.fake;
    int handed_over = 0;
    DecodeAhead ahead(fake.platform, [&] { ++handed_over; });
    ahead.Prepare(kA, 400);
    ASSERT_TRUE(fake.screen.wakeups.AwaitOne(kPatience));
    c.meanwhile(fake.pictures);

    std::optional<DecodedPicture> decoded = ahead.Collect(c.path, c.diagonal);
    EXPECT_EQ(decoded.has_value(), c.served_at_once);
    if (!decoded) {
      ASSERT_TRUE(fake.screen.wakeups.AwaitOne(kPatience));
      decoded = ahead.Collect(c.path, c.diagonal);
      ASSERT_TRUE(decoded) << "decoded afresh for the tick, used as it comes";
    }
    EXPECT_EQ(
        std::tuple(fake.pictures.loads.size(), handed_over, fake.pictures.drawn_diagonals.back()),
        std::tuple(c.served_at_once ? 1u : 2u, c.served_at_once ? 1 : 2, c.diagonal));
    if (c.colour == 0) {
      EXPECT_THROW(std::rethrow_exception(decoded->error), Failure);
    } else {
      ASSERT_TRUE(decoded->picture);
      EXPECT_EQ(decoded->picture->pixels.at(0), c.colour);
    }
  }
}

using TickWhileDecodingTest = ProgramTest;

// The UI thread goes on handling input while the tick's photo is decoded; the tick then runs
// whole, once, as it would have without waiting.
TEST_F(TickWhileDecodingTest, ATickWaitsForItsPhotoWithoutDrawingAndTicksMeanwhileFoldIntoIt) {
  std::latch gate{1};
  fake.pictures.before_load = [&, ui = std::this_thread::get_id()] {
    if (std::this_thread::get_id() != ui)
      gate.wait();
  };
  const struct OpenAtTheEnd {  // or the worker would never be joined
    std::latch& gate;
    ~OpenAtTheEnd() {
      if (!gate.try_wait())
        gate.count_down();
    }
  } open_at_the_end{gate};

  StartUp(program, "/s");
  fake.screen.FireTimers();
  fake.screen.FireTimers();
  EXPECT_TRUE(program.form1().PhotoPending());
  EXPECT_EQ(std::tuple(fake.random.draws, *Window("Form4")->region, Position()),
            std::tuple(0, ClipRect{0, 0, 0, 0}, 0));

  gate.count_down();
  EXPECT_FALSE(Ends([] {}));
  EXPECT_EQ(std::tuple(fake.random.draws, Position(), program.form1().Filename),
            std::tuple(2, 1, kA));
  EXPECT_NE(Window("Form4")->region, (ClipRect{0, 0, 0, 0}));
  EXPECT_EQ(std::count(fake.pictures.loads.begin(), fake.pictures.loads.end(), kA), 2)
      << "the hidden dialog's preview, then once ahead of the tick";
}

}  // namespace
}  // namespace solvarine
