#include "dialog/form3.h"
#include "slideshow/form1.h"
#include "slideshow/form4.h"
#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

class SlideshowTest : public ProgramTest {
 protected:
  std::int16_t Position() { return program.form3().File1.ListIndex(); }
  // Where the failure path begins: the cursor comes back before anything else.
  std::vector<std::string> LogFromFailure() {
    auto& log = fake.screen.log;
    auto from = std::find(log.begin(), log.end(), "ShowCursor 1");
    return {from, log.end()};
  }
  void ExpectFailurePathWithoutScreens() {
    EXPECT_EQ(LogFromFailure(),
              (std::vector<std::string>{"ShowCursor 1", "Timer disabled", "MsgBox"}));
    EXPECT_EQ(fake.screen.messages,
              (std::vector<std::string>{std::string(Form1::kFailureMessage)}));
    EXPECT_FALSE(Visible("Form2"));
    EXPECT_FALSE(Visible("Form4"));
    EXPECT_EQ(fake.screen.cursor_count, 1) << "the cursor was never hidden";
  }
};

TEST_F(SlideshowTest, StoredPositionIsBroughtIntoTheList) {
  const std::pair<const char*, std::int16_t> cases[] = {
      {"5", 0}, {"-1", 0}, {"2", 2}, {"1", 1}, {"junk", 0}};
  for (const auto& [stored, expected] : cases) {
    fakes::FakePlatform platform;
    platform.files.AddFolder("C:\\photos", {{"a.jpg"}, {"b.jpg"}, {"c.jpg"}});
    platform.pictures.Add("C:\\photos\\a.jpg", 4, 3, kRed);
    platform.store.values = {
        {"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}, {"Fileindex", stored}};
    Program fresh(platform.platform);
    StartUp(fresh, "/s");
    EXPECT_EQ(fresh.form1().Filepos, expected) << stored;
    EXPECT_EQ(fresh.form3().File1.ListIndex(), expected) << stored;
  }
}

TEST_F(SlideshowTest, SetUpWritesMarkersReadsSettingsAndSetsTheTimer) {
  fake.store.values["koteix"] = "7";
  fake.store.values["Speed"] = "10";
  fake.store.values["chokkei"] = "300";
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(fake.store.values["koteix"], "200");
  EXPECT_EQ(fake.store.values["koteiy"], "200");
  EXPECT_EQ(program.form1().Timer2->Interval(), 5000);
  EXPECT_TRUE(program.form1().Timer2->Enabled());
  EXPECT_EQ(program.form4().Picture1->ScaleSize().width, 300);
  EXPECT_EQ(program.form4().Picture1->ScaleSize().height, 300);
  EXPECT_EQ(Window("Form4")->region, (ClipRect{0, 0, 0, 0}));
}

TEST_F(SlideshowTest, UnusableSettingsShowTheMessageAndEndBeforeAnyScreenShows) {
  const std::pair<const char*, const char*> cases[] = {
      {"Directory", "C:\\empty"}, {"chokkei", "big"}, {"Speed", "4294968"}};
  for (const auto& [key, value] : cases) {
    fakes::FakePlatform platform;
    platform.files.AddFolder("C:\\empty");
    platform.store.values = {{"Filename", "x.jpg"}, {"Directory", "C:\\photos"}, {key, value}};
    platform.files.AddFolder("C:\\photos", {{"a.jpg"}});
    Program fresh(platform.platform);
    EXPECT_THROW(StartUp(fresh, "/s"), ProgramEnd) << key;
    EXPECT_EQ(platform.screen.messages.size(), 1u) << key;
    EXPECT_EQ(platform.screen.cursor_count, 1) << key;
    EXPECT_EQ(platform.store.values.count("Fileindex"), 0u) << key;
  }
}

TEST_F(SlideshowTest, EmptyPhotoListTakesTheFailurePathInOrder) {
  UsePhotoFolder("C:\\empty");
  fake.screen.on_msgbox = [&] { EXPECT_FALSE(program.form1().Timer2->Enabled()); };
  EXPECT_TRUE(Start("/s"));
  ExpectFailurePathWithoutScreens();
}

TEST_F(SlideshowTest, EmptyFilenameFallsBackToTheSampleInTheCurrentFolder) {
  fake.store.values["Filename"] = "";
  fake.files.AddFolder("C:\\saver", {{"sample1.jpg"}});
  fake.pictures.Add("C:\\saver\\sample1.jpg", 8, 6, kGreen);
  fake.store.values["Directory"] = "";  // the hidden dialog leaves the current folder alone
  fake.files.current = "C:\\saver";
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(fake.store.values["Filename"], "sample1.jpg");
  EXPECT_EQ(fake.store.values["Directory"], "C:\\saver");
  EXPECT_EQ(program.form3().File1.Path(), "C:\\saver");

  fakes::FakePlatform missing;
  missing.store.values["Filename"] = "";
  Program fresh(missing.platform);
  EXPECT_THROW(StartUp(fresh, "/s"), ProgramEnd);
  EXPECT_EQ(missing.screen.messages.size(), 1u);
}

TEST_F(SlideshowTest, DesktopSnapshotOnlyForBackgroundOne) {
  for (const char* haikei : {"1", "0", "2"}) {
    fakes::FakePlatform platform;
    platform.files.AddFolder("C:\\photos", {{"a.jpg"}});
    platform.pictures.Add("C:\\photos\\a.jpg", 4, 3, kRed);
    platform.store.values = {
        {"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}, {"Haikei", haikei}};
    platform.screen.desktop.Reset(1024, 768, kGreen);
    Program fresh(platform.platform);
    StartUp(fresh, "/s");
    const std::uint32_t expected = std::string(haikei) == "1" ? kGreen : fakes::kBlack;
    const fakes::Surface& backdrop = platform.screen.WindowTitled("Form2")->image;
    EXPECT_EQ(backdrop.At(0, 0), expected) << haikei;
    EXPECT_EQ(backdrop.At(1023, 767), expected) << haikei;
  }
}

TEST_F(SlideshowTest, EachTickDrawsTheCurrentPhotoWhereItIsClippedAndAdvancesWithWrap) {
  fake.store.values["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  const std::uint32_t colours[] = {kGreen, kBlue, kRed, kGreen};
  for (const std::uint32_t colour : colours) {
    fake.random.values = {0.25f, 0.75f};
    ASSERT_FALSE(Tick());
    const fakes::FakeWindow& photo_window = *Window("Form4");
    const auto& canvas = static_cast<fakes::FakePictureBox&>(*program.form4().Picture1);
    ASSERT_TRUE(photo_window.region);
    const ClipRect clip = *photo_window.region;
    // The clip rectangle, taken back into the canvas, holds the photo and nothing else.
    const int x0 = clip.left - static_cast<int>(canvas.left);
    const int y0 = clip.top - static_cast<int>(canvas.top);
    EXPECT_EQ(canvas.image.At(x0, y0), colour);
    EXPECT_EQ(canvas.image.At(x0 + clip.right - clip.left - 1, y0 + clip.bottom - clip.top - 1),
              colour);
    EXPECT_GE(clip.left, 0);
    EXPECT_LE(clip.right, 1024);
    EXPECT_EQ(program.form1().Filepos, Position());
  }
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(fake.random.draws, 8) << "exactly two draws per tick";
}

TEST_F(SlideshowTest, TickBuildsPathsWithoutDoubledSeparators) {
  fake.files.AddFolder("C:\\", {{"root.jpg"}});
  fake.pictures.Add("C:\\root.jpg", 10, 10, kBlue);
  UsePhotoFolder("C:");
  fake.store.values["Filename"] = "C:\\root.jpg";
  ASSERT_FALSE(Start("/s"));
  ASSERT_FALSE(Tick());
  EXPECT_EQ(program.form1().Filename, "C:\\root.jpg");
}

TEST_F(SlideshowTest, APhotoGoneMidRunEndsWithTheMessageAndKeepsTheStoredPosition) {
  fake.store.values["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  fake.pictures.pictures.erase("C:\\photos\\b.jpg");
  fake.screen.on_msgbox = [&] { EXPECT_FALSE(program.form1().Timer2->Enabled()); };
  EXPECT_TRUE(Tick());
  EXPECT_EQ(LogFromFailure().back(), "MsgBox");
  EXPECT_EQ(fake.store.values["Fileindex"], "1");
  EXPECT_EQ(fake.screen.cursor_count, 0);
}

TEST_F(SlideshowTest, TheScreenAsShownBecomesTheBackdropOnEveryTick) {
  ASSERT_FALSE(Start("/s"));
  fake.screen.desktop.Reset(1024, 768, kBlue);
  ASSERT_FALSE(Tick());
  EXPECT_EQ(Window("Form2")->image.At(512, 384), kBlue);
}

TEST_F(SlideshowTest, HandlesStayFlatOverAThousandTicks) {
  ASSERT_FALSE(Start("/s"));
  for (int i = 0; i < 1000; ++i)
    ASSERT_FALSE(Tick());
  EXPECT_EQ(fake.screen.dcs_out, 0);
  EXPECT_EQ(fake.screen.live_regions, 1) << "only the photo window's own region";
}

TEST_F(SlideshowTest, MouseButtonsPauseAndResumeAndKeysStoreThePosition) {
  fake.store.values["Fileindex"] = "2";
  ASSERT_FALSE(Start("/s"));
  fakes::FakeWindow& backdrop = *Window("Form2");
  auto& canvas = static_cast<fakes::FakePictureBox&>(*program.form4().Picture1);
  const std::function<void()> presses[] = {
      backdrop.input.mouse_down, Window("Form4")->input.mouse_down, canvas.input.mouse_down};
  for (const auto& press : presses) {
    press();
    EXPECT_FALSE(program.form1().Timer2->Enabled());
    EXPECT_GT(Window("Form4")->stacking, backdrop.stacking);
    press();
    EXPECT_TRUE(program.form1().Timer2->Enabled());
  }
  EXPECT_EQ(program.form1().Timer2->Interval(), 1000);
  ASSERT_FALSE(Tick());  // shows entry 2, wraps to 0
  EXPECT_TRUE(Ends(canvas.input.key_down));
  EXPECT_EQ(fake.store.values["Fileindex"], "0");
  EXPECT_EQ(fake.screen.cursor_count, 0);
}

}  // namespace
}  // namespace solvarine
