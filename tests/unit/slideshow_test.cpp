#include <cmath>

#include "dialog/form3.h"
#include "slideshow/form1.h"
#include "slideshow/form4.h"
#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

class SlideshowTest : public ProgramTest {
 protected:
  std::int16_t Position() { return program.form3().File1.ListIndex(); }
  fakes::FakeTimer& Timer2() { return fakes::Of(program.form1().Timer2); }
  fakes::FakePictureBox& Canvas() { return fakes::Of(program.form4().Picture1); }
  // The failure path: cursor back, timer off, the one message; no screen ever shown.
  void ExpectMessageWithoutScreens(const fakes::FakePlatform& platform) {
    const auto& log = platform.screen.log;
    const auto from = std::find(log.begin(), log.end(), "ShowCursor 1");
    EXPECT_EQ(std::vector<std::string>(from, log.end()),
              (std::vector<std::string>{"ShowCursor 1", "Timer disabled", "MsgBox"}));
    EXPECT_EQ(platform.screen.messages,
              std::vector<std::string>{"設定画面で表示画像を設定してください"});
    EXPECT_EQ(platform.screen.cursor_count, 1) << "the cursor was never hidden";
    EXPECT_FALSE(platform.screen.WindowTitled("Form2") &&
                 platform.screen.WindowTitled("Form2")->visible);
    EXPECT_EQ(platform.store.values.count("Fileindex"), 0u);
  }
};

TEST_F(SlideshowTest, StoredPositionIsBroughtIntoTheList) {
  const std::pair<const char*, std::int16_t> cases[] = {
      {"5", 0}, {"-1", 0}, {"2", 2}, {"1", 1}, {"junk", 0}};
  for (const auto& [stored, expected] : cases) {
    fakes::FakePlatform platform;
    platform.files = fake.files;
    platform.pictures.pictures = fake.pictures.pictures;
    platform.store.values = fake.store.values;
    platform.store.values["Fileindex"] = stored;
    Program fresh(platform.platform);
    StartUp(fresh, "/s");
    EXPECT_EQ(fresh.form1().Filepos, expected) << stored;
    EXPECT_EQ(fresh.form3().File1.ListIndex(), expected) << stored;
  }
}

TEST_F(SlideshowTest, SetUpWritesMarkersReadsSettingsAndSetsTheTimer) {
  fake.store.values.insert({{"koteix", "7"}, {"Speed", "10"}, {"chokkei", "300"}});
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(fake.store.writes, (std::vector<std::string>{"koteix", "koteiy"}));
  EXPECT_EQ(fake.store.values["koteix"], "200");
  EXPECT_EQ(fake.store.values["koteiy"], "200");
  EXPECT_EQ(Timer2().interval, 5000);
  EXPECT_TRUE(Timer2().enabled);
  EXPECT_EQ(Canvas().image.width, 300);
  EXPECT_EQ(Canvas().image.height, 300);
  EXPECT_EQ(Window("Form4")->region, (ClipRect{0, 0, 0, 0}));
}

// Each case fails at the step it names, with everything before that step done.
TEST_F(SlideshowTest, UnusableSettingsShowTheMessageAndEndBeforeAnyScreenShows) {
  struct Case {
    const char* key;
    const char* value;
    bool canvas_sized;      // the photo size step was passed
    std::int16_t position;  // the list step was passed when 0
  };
  const Case cases[] = {{"chokkei", "big", false, -1},
                        {"chokkei", "-5", false, -1},
                        {"Directory", "C:\\empty", true, -1},
                        {"Speed", "4294968", true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.value);
    fakes::FakePlatform platform;
    platform.files = fake.files;
    platform.pictures.pictures = fake.pictures.pictures;
    platform.store.values = fake.store.values;
    platform.store.values[c.key] = c.value;
    // A bad Speed also stops the hidden dialog's load, which then leaves the list on this folder.
    platform.files.current = "C:\\photos";
    Program fresh(platform.platform);
    EXPECT_THROW(StartUp(fresh, "/s"), ProgramEnd);
    ExpectMessageWithoutScreens(platform);
    const fakes::FakeWindow* photo_window = platform.screen.WindowTitled("Form4");
    EXPECT_EQ(photo_window != nullptr && fakes::Of(fresh.form4().Picture1).image.width == 400,
              c.canvas_sized);
    EXPECT_EQ(fresh.form3().File1.ListIndex(), c.position);
  }
}

// The sample photo in the current folder makes the photo list whatever the hidden dialog makes of
// a size beyond its slider.
TEST_F(SlideshowTest, TheCanvasSideRoundsHalfToEvenAndReachesNoFurtherThanTheScreensDiagonal) {
  const std::pair<const char*, int> cases[] = {{"200.5", 200}, {"201.5", 202}, {"1280", 1280},
                                               {"1280.5", 0},  {"20000", 0},   {"1e9", 0}};
  for (const auto& [stored, side] : cases) {
    fakes::FakePlatform platform;  // 1024 x 768: a diagonal of 1280
    platform.files.AddFolder("C:\\saver", {{"sample1.jpg"}});
    platform.files.current = "C:\\saver";
    platform.pictures.Add("C:\\saver\\sample1.jpg", 4, 3, kRed);
    platform.store.values = {{"Filename", ""}, {"Directory", ""}, {"chokkei", stored}};
    Program fresh(platform.platform);
    const bool ends = Ends([&] { StartUp(fresh, "/s"); });
    EXPECT_EQ(ends, side == 0) << stored;
    if (side == 0) {
      ExpectMessageWithoutScreens(platform);
      EXPECT_FALSE(platform.screen.WindowTitled("Form4")) << stored << ": no canvas made";
    } else {
      EXPECT_EQ(fresh.form4().Picture1->ScaleSize().width, side) << stored;
    }
  }
}

TEST_F(SlideshowTest, EmptyFilenameFallsBackToTheSampleInTheCurrentFolder) {
  fake.store.values = {{"Filename", ""}, {"Directory", ""}};
  fake.files.AddFolder("C:\\saver", {{"sample1.jpg"}});
  fake.pictures.Add("C:\\saver\\sample1.jpg", 8, 6, kGreen);
  fake.files.current = "C:\\saver";
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(fake.store.values["Filename"], "sample1.jpg");
  EXPECT_EQ(fake.store.values["Directory"], "C:\\saver");
  EXPECT_EQ(program.form3().File1.Path(), "C:\\saver");

  fakes::FakePlatform missing;
  missing.store.values["Filename"] = "";
  Program fresh(missing.platform);
  EXPECT_THROW(StartUp(fresh, "/s"), ProgramEnd);
  ExpectMessageWithoutScreens(missing);
}

TEST_F(SlideshowTest, DesktopSnapshotOnlyForBackgroundOne) {
  for (const char* haikei : {"1", "0", "2"}) {
    fakes::FakePlatform platform;
    platform.files = fake.files;
    platform.pictures.pictures = fake.pictures.pictures;
    platform.store.values = fake.store.values;
    platform.store.values["Haikei"] = haikei;
    platform.screen.desktop = fakes::Surface::Filled(1024, 768, kGreen);
    Program fresh(platform.platform);
    StartUp(fresh, "/s");
    const std::uint32_t expected = std::string(haikei) == "1" ? kGreen : fakes::kBlack;
    const fakes::Surface& backdrop = platform.screen.WindowTitled("Form2")->image;
    EXPECT_EQ(backdrop.At(0, 0), expected) << haikei;
    EXPECT_EQ(backdrop.At(1023, 767), expected) << haikei;
  }
}

// u1 places the photo across, u2 down: with 0.25 and 0.75 a swap shows.
TEST_F(SlideshowTest, EachTickDrawsTheCurrentPhotoWhereItIsClippedAndAdvancesWithWrap) {
  fake.store.values["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  const struct {
    std::uint32_t colour;
    ClipRect clip;
  } shown[] = {{kGreen, {196, 336, 436, 656}},  // b.jpg 300x400 drawn 240x320
               {kBlue, {185, 363, 468, 646}},   // c.jpg 100x100 drawn 283x283
               {kRed, {176, 396, 496, 636}},    // a.jpg 640x480 drawn 320x240
               {kGreen, {196, 336, 436, 656}}};
  for (const auto& expected : shown) {
    fake.random.values = {0.25f, 0.75f};
    fake.screen.desktop =
        fakes::Surface::Filled(1024, 768, expected.colour);  // what the screen shows now
    ASSERT_FALSE(Tick());
    const ClipRect clip = *Window("Form4")->region;
    EXPECT_EQ(clip, expected.clip);
    // The clip rectangle, taken back into the canvas, holds the photo and nothing else.
    const int x0 = clip.left - static_cast<int>(std::lround(Canvas().left));
    const int y0 = clip.top - static_cast<int>(Canvas().top);
    EXPECT_EQ(Canvas().image.At(x0, y0), expected.colour);
    EXPECT_EQ(Canvas().image.At(x0 + clip.right - clip.left - 1, y0 + clip.bottom - clip.top - 1),
              expected.colour);
    EXPECT_EQ(Canvas().image.At(x0 - 1, y0 + 1), fakes::kWhite);
    EXPECT_EQ(Window("Form2")->image.At(512, 384), expected.colour) << "the screen as shown";
    EXPECT_EQ(program.form1().Filepos, Position());
  }
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(fake.random.draws, 8) << "exactly two draws per tick";
  EXPECT_EQ(fake.screen.dcs_out, 0);
  EXPECT_EQ(fake.screen.live_regions, 1) << "only the photo window's own region";
}

TEST_F(SlideshowTest, TickBuildsPathsWithoutDoubledSeparators) {
  fake.files.AddFolder("C:\\", {{"root.jpg"}});
  fake.pictures.Add("C:\\root.jpg", 10, 10, kBlue);
  fake.store.values = {{"Filename", "C:\\root.jpg"}, {"Directory", "C:\\"}};
  ASSERT_FALSE(Start("/s"));
  ASSERT_FALSE(Tick());
  EXPECT_EQ(program.form1().Filename, "C:\\root.jpg");
  EXPECT_EQ(fake.pictures.loads.back(), "C:\\root.jpg");
}

// b.jpg goes after it was decoded ahead, a.jpg is rewritten after it was: the slideshow shows the
// files as they are at the tick and passes over the one it cannot load.
TEST_F(SlideshowTest, PhotosGoneOrRewrittenMidRunArePassedOverOrShownAsTheyAreNow) {
  fake.store.values["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  fake.pictures.pictures.erase("C:\\photos\\b.jpg");
  const struct {
    const char* shown;
    std::uint32_t colour;
    std::int16_t next;
  } ticks[] = {
      {"c.jpg", kBlue, 0}, {"a.jpg", kGreen, 1}, {"c.jpg", kBlue, 0}, {"a.jpg", kGreen, 1}};
  for (const auto& tick : ticks) {
    ASSERT_FALSE(Tick());
    if (tick.next == 0)
      fake.pictures.Add("C:\\photos\\a.jpg", 640, 480, kGreen);
    EXPECT_EQ(program.form1().Filename, std::string("C:\\photos\\") + tick.shown);
    EXPECT_EQ(Canvas().image.At(150, 150), tick.colour) << tick.shown;
    EXPECT_EQ(Position(), tick.next);
  }
  EXPECT_EQ(fake.random.draws, 8);
  EXPECT_TRUE(fake.screen.messages.empty());

  fake.pictures.pictures.clear();
  fake.screen.on_msgbox = [&] { EXPECT_FALSE(Timer2().enabled); };
  EXPECT_TRUE(Tick());
  EXPECT_EQ(fake.screen.log.back(), "MsgBox");
  EXPECT_EQ(std::count(fake.store.writes.begin(), fake.store.writes.end(), "Fileindex"), 0);
  EXPECT_EQ(fake.random.draws, 8) << "nothing drawn on the failing tick";
  EXPECT_EQ(Position(), 0) << "each photo tried once, from b.jpg on";
  EXPECT_EQ(fake.screen.cursor_count, 0);
}

TEST_F(SlideshowTest, MouseButtonsPauseAndResumeAndKeysStoreThePosition) {
  fake.store.values["Fileindex"] = "2";
  ASSERT_FALSE(Start("/s"));
  fakes::FakeWindow& backdrop = *Window("Form2");
  const std::function<void()> presses[] = {
      backdrop.input.mouse_down, Window("Form4")->input.mouse_down, Canvas().input.mouse_down};
  for (const auto& press : presses) {
    press();
    EXPECT_FALSE(Timer2().enabled);
    EXPECT_GT(Window("Form4")->stacking, backdrop.stacking);
    press();
    EXPECT_TRUE(Timer2().enabled);
  }
  EXPECT_EQ(Timer2().interval, 1000);
  ASSERT_FALSE(Tick());  // shows entry 2, wraps to 0
  for (const auto& key :
       {backdrop.input.key_down, Window("Form4")->input.key_down, Canvas().input.key_down}) {
    fake.store.values.erase("Fileindex");
    EXPECT_TRUE(Ends(key));
    EXPECT_EQ(fake.store.values["Fileindex"], "0");
  }
  EXPECT_EQ(fake.screen.cursor_count, 2);
}

}  // namespace
}  // namespace solvarine
