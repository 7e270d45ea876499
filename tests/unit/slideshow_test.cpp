#include <new>
#include <semaphore>
#include <thread>

#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

using SlideshowTest = ProgramTest;

TEST_F(SlideshowTest, StoredPositionIsBroughtIntoTheList) {
  const std::pair<const char*, std::int16_t> cases[] = {{"5", 0}, {"3", 0}, {"-1", 0},
                                                        {"2", 2}, {"1", 1}, {"junk", 0}};
  for (const auto& [stored, expected] : cases) {
    World world({{"Fileindex", stored}});
    EXPECT_FALSE(world.Start("/s")) << stored;
    EXPECT_EQ(world.program.form1().Filepos, expected) << stored;
    EXPECT_EQ(world.Position(), expected) << stored;
  }
}

TEST_F(SlideshowTest, SetUpWritesMarkersReadsSettingsAndSetsTheTimer) {
  fake.store.values.insert({{"koteix", "7"}, {"Speed", "10"}, {"chokkei", "300"}});
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(fake.store.writes, (std::vector<std::string>{"koteix", "koteiy"}));
  EXPECT_EQ(fake.pictures.drawn_diagonals, (std::vector<double>{kPreviewDiagonal, 300}))
      << "the hidden dialog's preview, then the first photo, decoded ahead";
  EXPECT_EQ(std::tuple(fake.store.values["koteix"], fake.store.values["koteiy"], Timer2().interval,
                       Timer2().enabled, Canvas().size.width, Canvas().size.height,
                       *Window("Form4")->region),
            std::tuple("200", "200", 5000, true, 300, 300, ClipRect{0, 0, 0, 0}));
  // The canvas takes the stored size as it stands, halves to even (the slideshow finds the sample
  // photo on its own where the dialog's slider refused the size).
  for (const auto& [stored, side] : {std::pair("200.5", 200), {"201.5", 202}, {"1280", 1280}}) {
    World world({{"chokkei", stored}});
    world.UseSample();
    EXPECT_FALSE(world.Start("/s"));
    EXPECT_EQ(world.Canvas().size.width, side) << stored;
  }
}

// Each case fails at the step it names, with everything before that step done. A bad Speed also
// stops the hidden dialog's load, which then leaves the list on the current folder. No canvas
// reaches beyond the screen's diagonal (1280).
TEST_F(SlideshowTest, UnusableSettingsShowTheMessageAndEndBeforeAnyScreenShows) {
  const struct {
    const char* key;
    const char* value;
    bool canvas_sized;
    std::int16_t position;  // 0 once the list step was passed
  } cases[] = {{"chokkei", "big", false, -1},        {"chokkei", "-5", false, -1},
               {"chokkei", "1280.5", false, -1},     {"chokkei", "1e9", false, -1},
               {"Directory", "C:\\empty", true, -1}, {"Speed", "4294968", true, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + "=" + c.value);
    World world({{c.key, c.value}});
    world.fake.files.current = "C:\\photos";
    EXPECT_TRUE(world.Start("/s"));
    world.ExpectMessageWithoutScreens();
    EXPECT_EQ(world.Window("Form4") && world.Canvas().size.width == 400, c.canvas_sized);
    EXPECT_EQ(world.Position(), c.position);
  }
}

TEST_F(SlideshowTest, EmptyFilenameFallsBackToTheSampleInTheCurrentFolder) {
  UseSample();
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(std::tuple(fake.store.values["Filename"], fake.store.values["Directory"],
                       program.form3().File1.Path()),
            std::tuple("sample1.jpg", "C:\\saver", "C:\\saver"));
  EXPECT_EQ(fake.pictures.drawn_diagonals,
            (std::vector<double>{kPreviewDiagonal, kPreviewDiagonal, 400}))
      << "the hidden dialog, the sample of the current folder, the first photo";

  World missing({{"Filename", ""}});
  missing.fake.files.current = "C:\\empty";
  EXPECT_TRUE(missing.Start("/s"));
  missing.ExpectMessageWithoutScreens();
}

// u1 places the photo across, u2 down: with 0.25 and 0.75 a swap shows. Each tick clears the
// canvas, copies the screen as shown to the backdrop, then draws the photo where the clip shows it.
TEST_F(SlideshowTest, EachTickDrawsTheCurrentPhotoWhereItIsClippedAndAdvancesWithWrap) {
  fake.store.values["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  const struct {
    const char* drawn;       // onto the canvas, from the photo's holder
    std::int32_t left, top;  // of the canvas
    ClipRect clip;
  } shown[] = {{"80 40 240 320 <- Form4 holder 0 0 300 400", 116, 296, {196, 336, 436, 656}},
               {"58 58 283 283 <- Form4 holder 0 0 100 100", 127, 305, {185, 363, 468, 646}},
               {"40 80 320 240 <- Form4 holder 0 0 640 480", 136, 316, {176, 396, 496, 636}},
               {"80 40 240 320 <- Form4 holder 0 0 300 400", 116, 296, {196, 336, 436, 656}}};
  for (const auto& expected : shown) {
    fake.random.values = {0.25f, 0.75f};
    ASSERT_FALSE(Tick());
    const std::vector<std::string> drawn = Drawn();
    EXPECT_EQ(
        std::vector(drawn.end() - 3, drawn.end()),
        (std::vector<std::string>{"Clear Form4 box", "BitBlt Form2 0 0 1024 768 <- desktop 0 0",
                                  std::string("StretchBlt Form4 box ") + expected.drawn}));
    EXPECT_EQ(std::tuple(Canvas().left, Canvas().top, *Window("Form4")->region, Position()),
              std::tuple(expected.left, expected.top, expected.clip, program.form1().Filepos));
    EXPECT_EQ(fake.pictures.loads.back(), std::string("C:\\photos\\") + "abc"[Position()] + ".jpg")
        << "the next photo is decoded ahead of its tick";
  }
  EXPECT_EQ(Position(), 2);
  EXPECT_EQ(fake.random.draws, 8) << "exactly two draws per tick";
  EXPECT_EQ(fake.screen.dcs_out, 0);
  EXPECT_EQ(fake.screen.live_regions, 1) << "only the photo window's own region";

  // What was decoded ahead serves only the size it was decoded at; nothing is decoded ahead of a
  // file that is not there.
  program.form1().chokkei = Variant(std::string("100"));
  fake.pictures.pictures.erase("C:\\photos\\a.jpg");
  ASSERT_FALSE(Tick());  // c.jpg, decoded ahead at 400
  const auto& holder = fakes::Of<fakes::FakePictureBox>(program.form4().Picture2);
  EXPECT_EQ(std::tuple(holder.picture->pixel_width, fake.pictures.loads.back()),
            std::tuple(71, "C:\\photos\\c.jpg"));
}

// Monitors given in no particular order take turns: the primary, then left to right, top to
// bottom. Each places its photo as a screen of its size would, moved to where the monitor lies in
// windows over the virtual screen, here from (-800, -300) to (2304, 1080).
TEST_F(SlideshowTest, MonitorsTakeTurnsAndEachPlacesItsPhotoWithinItself) {
  const std::vector<Monitor> monitors = {{{1024, -300, 2304, 724}},
                                         {{-640, 600, 0, 1080}},
                                         {{0, 0, 1024, 768}, true},
                                         {{-800, 0, 0, 600}}};
  fake.screen.monitors = monitors;
  fake.store.values["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  const struct {
    std::int32_t left, top;  // of the canvas
    ClipRect clip;
  } shown[] = {{916, 596, {996, 636, 1236, 956}},     // the primary, 1024 x 768
               {71, 479, {129, 537, 412, 820}},       // on the left, 800 x 600
               {200, 1000, {240, 1080, 560, 1320}},   // below it, 640 x 480
               {2004, 488, {2084, 528, 2324, 848}}};  // far right and higher, 1280 x 1024
  for (const auto& expected : shown) {
    fake.random.values = {0.25f, 0.75f};
    ASSERT_FALSE(Tick());
    EXPECT_EQ(std::tuple(Canvas().left, Canvas().top, *Window("Form4")->region),
              std::tuple(expected.left, expected.top, expected.clip));
  }
  const std::vector<std::string> drawn = Drawn();
  EXPECT_EQ(std::vector(drawn.end() - 5, drawn.end() - 1),
            (std::vector<std::string>{"BitBlt Form2 800 300 1024 768 <- desktop 0 0",
                                      "BitBlt Form2 0 300 800 600 <- desktop -800 0",
                                      "BitBlt Form2 160 900 640 480 <- desktop -640 600",
                                      "BitBlt Form2 1824 0 1280 1024 <- desktop 1024 -300"}))
      << "each monitor's part of the screen onto the backdrop";

  World larger({{"chokkei", "1281"}});  // above the primary's diagonal, not the others'
  larger.fake.screen.monitors = monitors;
  EXPECT_TRUE(larger.Start("/s"));
}

// A monitor switched off during a tick, or one added while the slideshow is paused: the photo
// window's photo joins the backdrop from its canvas (the screen may already show the windows
// elsewhere), then every window covers the new virtual screen; the tick copies no screen then.
TEST_F(SlideshowTest, TheWindowsFollowTheMonitorsAndKeepWhatTheyShowed) {
  const Monitor primary{{0, 0, 1024, 768}, true};
  fake.screen.monitors = {{{-800, 0, 0, 600}}, primary};
  ASSERT_FALSE(Start("/s"));
  fake.random.values = {0.25f, 0.75f, 0.25f, 0.75f};
  ASSERT_FALSE(Tick());
  fake.screen.monitors = {primary};
  ASSERT_FALSE(Tick());
  std::vector<std::string> drawn = Drawn();
  EXPECT_EQ(std::vector(drawn.end() - 6, drawn.end()),
            (std::vector<std::string>{
                "BitBlt Form2 976 396 320 240 <- Form4 box 40 80", "Cover Form1 0 0 1024 768",
                "Cover Form2 0 0 1024 768", "Cover Form4 0 0 1024 768", "Clear Form4 box",
                "StretchBlt Form4 box 80 40 240 320 <- Form4 holder 0 0 300 400"}));
  EXPECT_EQ(*Window("Form4")->region, (ClipRect{196, 336, 436, 656})) << "on the primary";

  Window("Form2")->input.mouse_down();
  fake.screen.monitors.push_back({{1024, 0, 1824, 600}});
  Window("Form1")->input.monitors_changed();
  drawn = Drawn();
  EXPECT_EQ(std::vector(drawn.end() - 4, drawn.end()),
            (std::vector<std::string>{"BitBlt Form2 196 336 240 320 <- Form4 box 80 40",
                                      "Cover Form1 0 0 1824 768", "Cover Form2 0 0 1824 768",
                                      "Cover Form4 0 0 1824 768"}));
  EXPECT_EQ(std::tuple(*Window("Form4")->region, fake.screen.live_regions),
            std::tuple(ClipRect{}, 1));
  fake.screen.monitors.pop_back();
  Window("Form1")->input.monitors_changed();
  EXPECT_EQ(Drawn().end()[-4], "Cover Form4 0 0 1824 768")
      << "the photo is on the backdrop already";
}

// The slideshow shows each file as it is at its tick: b.jpg always runs out of memory, a.jpg is
// held open by another program while it is decoded ahead, then rewritten after it was. A photo
// that cannot be loaded is passed over; a whole round of them is the message, with nothing drawn
// or stored.
TEST_F(SlideshowTest, PhotosUnreadableRewrittenOrGoneMidRunArePassedOverOrShownAsTheyAreNow) {
  fake.store.values["Fileindex"] = "1";
  fake.pictures.before_load = [](const std::string& path) {
    if (path.ends_with("b.jpg"))
      throw std::bad_alloc();
  };
  ASSERT_FALSE(Start("/s"));
  fake.pictures.held_open.insert("C:\\photos\\a.jpg");
  const auto& holder = fakes::Of<fakes::FakePictureBox>(program.form4().Picture2);
  const std::tuple<const char*, std::uint32_t, std::int16_t> ticks[] = {
      {"c.jpg", kBlue, 0}, {"a.jpg", kRed, 1}, {"c.jpg", kBlue, 0}, {"a.jpg", kGreen, 1}};
  for (const auto& [shown, colour, next] : ticks) {
    ASSERT_FALSE(Tick());
    EXPECT_EQ(std::tuple(program.form1().Filename, holder.picture->pixels.at(0), Position()),
              std::tuple(std::string("C:\\photos\\") + shown, colour, next));
    fake.pictures.held_open.clear();
    if (fake.random.draws == 6)  // a.jpg is decoded ahead now, in red
      fake.pictures.Add("C:\\photos\\a.jpg", 640, 480, kGreen);
  }
  EXPECT_TRUE(fake.screen.messages.empty());

  fake.pictures.pictures.clear();
  fake.screen.on_msgbox = [&] { EXPECT_FALSE(Timer2().enabled); };
  EXPECT_TRUE(Tick());
  // Nothing drawn or stored; each photo tried once, from b.jpg on.
  EXPECT_EQ(std::tuple(fake.screen.log.back(), fake.random.draws, Position(),
                       fake.screen.cursor_count, fake.store.values["Fileindex"]),
            std::tuple("MsgBox", 8, 0, 0, "1"));
}

// Input is handled while a tick waits for its photo: ticks meanwhile fold into it, a mouse button
// pauses or resumes with at most that one photo still to come, and a key ends at once, storing
// the entry of the photo not yet shown.
TEST_F(SlideshowTest, MouseButtonsAndKeysWorkEvenWhileATickWaitsForItsPhoto) {
  fake.store.values["Fileindex"] = "2";
  // Outlives the test's body: the worker may still ask while the program goes.
  const auto decodes = std::make_shared<std::counting_semaphore<>>(0);
  fake.pictures.before_load = [decodes, ui = std::this_thread::get_id()](const std::string&) {
    if (std::this_thread::get_id() != ui)
      decodes->acquire();
  };
  // Let go at the end whatever happens, or the worker would never be joined.
  const std::shared_ptr<void> let_go(nullptr, [decodes](void*) { decodes->release(9); });
  StartUp(program, "/s");
  fake.screen.FireTimers();
  fake.screen.FireTimers();
  fakes::FakeWindow& backdrop = *Window("Form2");
  for (const auto& press :
       {Window("Form4")->input.mouse_down, Canvas().input.mouse_down, backdrop.input.mouse_down}) {
    const int stacked = Window("Form4")->stacking;
    press();
    EXPECT_FALSE(Timer2().enabled);
    EXPECT_GT(Window("Form4")->stacking, stacked) << "the photo window comes back on top";
    press();
    EXPECT_TRUE(Timer2().enabled);
  }
  backdrop.input.mouse_down();
  EXPECT_EQ(std::tuple(program.form1().PhotoPending(), fake.random.draws, *Window("Form4")->region),
            std::tuple(true, 0, ClipRect{0, 0, 0, 0}));

  decodes->release(2);  // c.jpg for the waiting tick, then a.jpg ahead of the next
  EXPECT_FALSE(Ends([] {}));
  EXPECT_FALSE(Tick());  // paused
  EXPECT_EQ(std::tuple(fake.random.draws, Position(), program.form1().Filename),
            std::tuple(2, 0, "C:\\photos\\c.jpg"));

  fake.pictures.Add("C:\\photos\\a.jpg", 640, 480, kRed);  // so its tick decodes it again
  backdrop.input.mouse_down();
  fake.screen.FireTimers();
  for (const auto& key :
       {backdrop.input.key_down, Window("Form4")->input.key_down, Canvas().input.key_down}) {
    fake.store.values.erase("Fileindex");
    EXPECT_TRUE(Ends(key));
    EXPECT_EQ(fake.store.values["Fileindex"], "0");
  }
  EXPECT_EQ(std::tuple(fake.random.draws, fake.screen.cursor_count), std::tuple(2, 2));
}

// Out of memory in the set-up or in a tick takes the slideshow's own failure path; the end of the
// program passes through it.
TEST_F(SlideshowTest, AnyErrorTakesTheFailurePathButTheEndPassesThrough) {
  fake.pictures.before_load = [](const std::string&) { throw std::bad_alloc(); };
  EXPECT_TRUE(Start("/s"));
  ExpectMessageWithoutScreens();
  for (const bool ending : {false, true}) {
    World world;
    ASSERT_FALSE(world.Start("/s"));
    world.fake.random.before_draw = [ending] {
      ending ? throw ProgramEnd() : throw std::bad_alloc();
    };
    EXPECT_TRUE(world.Tick());
    EXPECT_EQ(world.fake.screen.messages.size(), ending ? 0u : 1u);
  }
}

}  // namespace
}  // namespace solvarine
