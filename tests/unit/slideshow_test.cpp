#include <new>
#include <semaphore>
#include <thread>

#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

using namespace std::string_literals;
using SlideshowTest = ProgramTest;

TEST(Slideshow, StoredPositionIsBroughtIntoTheList) {
  for (const auto& [text, at] : {std::pair("3", 0), {"-1", 0}, {"1", 1}, {"2", 2}}) {
    World world({{"Fileindex", text}});
    EXPECT_FALSE(world.Start("/s")) << text;
    EXPECT_EQ(world.form1().Filepos, at) << text;
    EXPECT_EQ(world.Position(), at) << text;
  }
}

TEST_F(SlideshowTest, SetUpWritesMarkersReadsSettingsAndSetsTheTimer) {
  stored.insert({{"koteix", "7"}, {"Speed", "10"}, {"chokkei", "300"}});
  ASSERT_FALSE(Start("/s"));
  EXPECT_EQ(store.writes, (Strings{"koteix", "koteiy"}));
  EXPECT_EQ(std::tuple(stored["koteix"], stored["koteiy"], Timer2().interval, Clip()),
            std::tuple("200", "200", 5000, ClipRect{0, 0, 0, 0}));
  EXPECT_EQ(Canvas().size.width, 300);
}

// The sample stands in, and the slideshow sets the lists itself where the dialog's
// slider refused the size. The canvas takes the stored size as it stands, halves to
// even, up to the primary monitor's diagonal (1280).
TEST(Slideshow, EmptyFilenameFallsBackToTheSampleInTheCurrentFolder) {
  for (const auto& [chokkei, side] : {std::pair("201.5", 202), {"1280", 1280}}) {
    World world({{"chokkei", chokkei}});
    world.UseSample();
    ASSERT_FALSE(world.Start("/s"));
    EXPECT_EQ(std::tuple(world.stored["Filename"], world.stored["Directory"],
                         world.program.form3().File1.Path(), world.Canvas().size.width),
              std::tuple("sample1.jpg", "C:\\saver", "C:\\saver", side));
    EXPECT_EQ(world.pictures.drawn_diagonals,
              (Doubles{kPreviewDiagonal, kPreviewDiagonal, std::stod(chokkei)}))
        << "the hidden dialog, the sample of the current folder, the first photo";
  }
}

// Each case fails at the step it names, after every step before it: the canvas sized,
// the list at 0 once its step was passed. A bad Speed also stops the hidden dialog's
// load, which leaves the list on the current folder, where no sample photo is.
TEST(Slideshow, UnusableSettingsShowTheMessageAndEndBeforeAnyScreenShows) {
  const std::tuple<const char*, const char*, bool, std::int16_t> cases[] = {
      {"chokkei", "big", false, -1},        {"chokkei", "-5", false, -1},
      {"chokkei", "1280.5", false, -1},     {"Filename", "", false, -1},
      {"Directory", "C:\\empty", true, -1}, {"Speed", "4294968", true, 0},
  };
  for (const auto& [key, value, canvas_sized, position] : cases) {
    SCOPED_TRACE(std::string(key) + "=" + value);
    World world({{key, value}});
    world.files.current = "C:\\photos";
    EXPECT_TRUE(world.Start("/s"));
    world.ExpectMessageWithoutScreens();
    EXPECT_EQ(world.Window("Form4") && world.Canvas().size.width == 400, canvas_sized);
    EXPECT_EQ(world.Position(), position);
  }
}

// u1 places the photo across, u2 down: with 0.25 and 0.75 a swap shows. Each tick clears
// the canvas, copies the screen as shown to the backdrop, then draws the photo from its
// holder onto the canvas, which goes where the clip shows the photo.
TEST_F(SlideshowTest, EachTickDrawsTheCurrentPhotoWhereItIsClippedAndAdvancesWithWrap) {
  stored["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  const std::tuple<const char*, std::int32_t, std::int32_t, ClipRect> shown[] = {
      {"80 40 240 320 <- Form4 holder 0 0 300 400", 116, 296, {196, 336, 436, 656}},
      {"58 58 283 283 <- Form4 holder 0 0 100 100", 127, 305, {185, 363, 468, 646}},
      {"40 80 320 240 <- Form4 holder 0 0 640 480", 136, 316, {176, 396, 496, 636}},
  };
  for (const auto& [drawn, x, y, clip] : shown) {
    random.values = {0.25f, 0.75f};
    ASSERT_FALSE(Tick());
    EXPECT_EQ(Drawn(4), (Strings{"Clear Form4 box", "BitBlt Form2 0 0 1024 768 <- desktop 0 0",
                                 "SetStretchBltMode 3", "StretchBlt Form4 box "s + drawn}));
    EXPECT_EQ(std::tuple(Canvas().left, Canvas().top, Clip(), Position()),
              std::tuple(x, y, clip, form1().Filepos));
    EXPECT_EQ(pictures.loads.back(), "C:\\photos\\"s + "abc"[Position()] + ".jpg")
        << "the next photo is decoded ahead of its tick";
  }
  EXPECT_EQ(std::tuple(Position(), random.draws, screen.dcs_out), std::tuple(1, 6, 0));

  // What was decoded ahead serves only the size it was decoded at; nothing is decoded
  // ahead of a file that is not there.
  form1().chokkei = Variant(std::string("100"));
  pictures.pictures.erase("C:\\photos\\c.jpg");
  ASSERT_FALSE(Tick());  // b.jpg, decoded ahead at 400
  const auto& holder = fakes::Of<fakes::FakePictureBox>(program.form4().Picture2);
  EXPECT_EQ(std::tuple(holder.picture->pixel_width, pictures.loads.back()),
            std::tuple(60, "C:\\photos\\b.jpg"));
}

// Monitors given in no particular order take turns: the primary, then left to right, top
// to bottom. Each places its photo as a screen of its size would, moved to where the
// monitor lies in windows over the virtual screen, here (-800, -300) to (2304, 1080).
TEST_F(SlideshowTest, MonitorsTakeTurnsAndEachPlacesItsPhotoWithinItself) {
  const std::vector<Monitor> monitors = {{{1024, -300, 2304, 724}},
                                         {{-640, 600, 0, 1080}},
                                         {{0, 0, 1024, 768}, true},
                                         {{-800, 0, 0, 600}}};
  screen.monitors = monitors;
  stored["Fileindex"] = "1";
  ASSERT_FALSE(Start("/s"));
  const struct {
    std::int32_t x, y;  // of the canvas
    ClipRect clip;
  } shown[] = {
      {916, 596, {996, 636, 1236, 956}},    // the primary, 1024 x 768
      {71, 479, {129, 537, 412, 820}},      // on the left, 800 x 600
      {200, 1000, {240, 1080, 560, 1320}},  // below it, 640 x 480
      {2004, 488, {2084, 528, 2324, 848}},  // far right and higher, 1280 x 1024
  };
  for (const auto& [x, y, clip] : shown) {
    random.values = {0.25f, 0.75f};
    ASSERT_FALSE(Tick());
    EXPECT_EQ(std::tuple(Canvas().left, Canvas().top, Clip()), std::tuple(x, y, clip));
  }
  const Strings drawn = Drawn(6);
  EXPECT_EQ(Strings(drawn.begin(), drawn.begin() + 4),
            (Strings{"BitBlt Form2 800 300 1024 768 <- desktop 0 0",
                     "BitBlt Form2 0 300 800 600 <- desktop -800 0",
                     "BitBlt Form2 160 900 640 480 <- desktop -640 600",
                     "BitBlt Form2 1824 0 1280 1024 <- desktop 1024 -300"}))
      << "each monitor's part of the screen onto the backdrop";

  World larger({{"chokkei", "1281"}});  // above the primary's diagonal, not the others'
  larger.screen.monitors = monitors;
  EXPECT_TRUE(larger.Start("/s"));
}

// A monitor switched off during a tick, or one added between ticks: the photo window's
// photo joins the backdrop from its canvas (the screen may already show the windows
// elsewhere), then every window covers the new virtual screen; no screen copy follows.
TEST_F(SlideshowTest, TheWindowsFollowTheMonitorsAndKeepWhatTheyShowed) {
  const Monitor primary{{0, 0, 1024, 768}, true};
  screen.monitors = {{{-800, 0, 0, 600}}, primary};
  ASSERT_FALSE(Start("/s"));
  random.values = {0.25f, 0.75f, 0.25f, 0.75f};
  ASSERT_FALSE(Tick());
  screen.monitors = {primary};
  ASSERT_FALSE(Tick());
  EXPECT_EQ(Drawn(7), (Strings{"BitBlt Form2 976 396 320 240 <- Form4 box 40 80",
                               "Cover Form1 0 0 1024 768", "Cover Form2 0 0 1024 768",
                               "Cover Form4 0 0 1024 768", "Clear Form4 box", "SetStretchBltMode 3",
                               "StretchBlt Form4 box 80 40 240 320 <- Form4 holder 0 0 300 400"}));
  EXPECT_EQ(Clip(), (ClipRect{196, 336, 436, 656})) << "on the primary";

  screen.monitors.push_back({{1024, 0, 1824, 600}});
  Window("Form1")->input.monitors_changed();
  EXPECT_EQ(Drawn(4),
            (Strings{"BitBlt Form2 196 336 240 320 <- Form4 box 80 40", "Cover Form1 0 0 1824 768",
                     "Cover Form2 0 0 1824 768", "Cover Form4 0 0 1824 768"}));
  EXPECT_EQ(Clip(), ClipRect{});
  screen.monitors.pop_back();
  Window("Form1")->input.monitors_changed();
  EXPECT_EQ(Drawn(4)[0], "Cover Form4 0 0 1824 768") << "nothing more to copy";
}

// The slideshow shows each file as it is at its tick: b.jpg always runs out of memory,
// a.jpg is held open by another program while it is decoded ahead, then rewritten after
// it was. A photo that cannot be loaded is passed over; a whole round of them is the
// message, with nothing drawn or stored.
TEST_F(SlideshowTest, PhotosUnreadableRewrittenOrGoneArePassedOverOrShownAsTheyAreNow) {
  stored["Fileindex"] = "1";
  pictures.before_load = [](const std::string& path) {
    if (path.ends_with("b.jpg"))
      throw std::bad_alloc();
  };
  ASSERT_FALSE(Start("/s"));
  pictures.held_open.insert("C:\\photos\\a.jpg");
  const auto& holder = fakes::Of<fakes::FakePictureBox>(program.form4().Picture2);
  const std::tuple<const char*, std::uint32_t, std::int16_t> ticks[] = {
      {"c.jpg", kBlue, 0},
      {"a.jpg", kRed, 1},
      {"c.jpg", kBlue, 0},
      {"a.jpg", kGreen, 1},
  };
  for (const auto& [shown, colour, next] : ticks) {
    ASSERT_FALSE(Tick());
    EXPECT_EQ(std::tuple(form1().Filename, holder.picture->pixels.at(0), Position()),
              std::tuple("C:\\photos\\"s + shown, colour, next));
    pictures.held_open.clear();
    if (random.draws == 6)  // a.jpg is decoded ahead now, in red
      pictures.Add("C:\\photos\\a.jpg", 640, 480, kGreen);
  }
  EXPECT_TRUE(screen.messages.empty());

  pictures.pictures.clear();
  EXPECT_TRUE(Tick());
  // Nothing drawn or stored; each photo tried once, from b.jpg on.
  EXPECT_EQ(std::tuple(screen.log.back(), random.draws, Position(), stored["Fileindex"]),
            std::tuple("MsgBox", 8, 0, "1"));
}

// Input is handled while a tick waits for its photo: ticks meanwhile fold into it, a
// mouse button pauses or resumes with at most that one photo still to come, and a key
// ends at once, storing the entry of the photo not yet shown.
TEST_F(SlideshowTest, MouseButtonsAndKeysWorkEvenWhileATickWaitsForItsPhoto) {
  stored["Fileindex"] = "2";
  // Outlives the test's body: the worker may still ask while the program goes.
  const auto decodes = std::make_shared<std::counting_semaphore<>>(0);
  pictures.before_load = [decodes, ui = std::this_thread::get_id()](const std::string&) {
    if (std::this_thread::get_id() != ui)
      decodes->acquire();
  };
  // Let go at the end whatever happens, or the worker would never be joined.
  const std::shared_ptr<void> let_go(nullptr, [decodes](void*) { decodes->release(9); });
  StartUp(program, "/s");
  FireTimer();
  FireTimer();
  const InputHandlers& form2 = Window("Form2")->input;
  const InputHandlers& form4 = Window("Form4")->input;
  const InputHandlers& canvas = Canvas().input;
  for (const auto& press : {form4.mouse_down, canvas.mouse_down, form2.mouse_down}) {
    press();
    EXPECT_FALSE(Timer2().enabled);
    EXPECT_EQ(screen.log.back(), "Show Form4") << "the photo window back on top";
    press();
    EXPECT_TRUE(Timer2().enabled);
  }
  form2.mouse_down();
  EXPECT_EQ(std::tuple(form1().PhotoPending(), random.draws), std::tuple(true, 0));

  decodes->release(2);  // c.jpg for the waiting tick, then a.jpg ahead of the next
  EXPECT_FALSE(Ends([] {}));
  EXPECT_FALSE(Tick());  // paused
  EXPECT_EQ(std::tuple(random.draws, Position(), form1().Filename),
            std::tuple(2, 0, "C:\\photos\\c.jpg"));

  pictures.Add("C:\\photos\\a.jpg", 640, 480, kRed);  // so its tick decodes it again
  form2.mouse_down();
  FireTimer();
  for (const auto& key : {form2.key_down, form4.key_down, canvas.key_down}) {
    stored.erase("Fileindex");
    EXPECT_TRUE(Ends(key));
    EXPECT_EQ(stored["Fileindex"], "0");
  }
  EXPECT_EQ(std::tuple(random.draws, screen.cursor_count), std::tuple(2, 2));
}

// Out of memory in the set-up or in a tick takes the slideshow's own failure path; the
// end of the program passes through it.
TEST_F(SlideshowTest, AnyErrorTakesTheFailurePathButTheEndPassesThrough) {
  pictures.before_load = [](const std::string&) { throw std::bad_alloc(); };
  EXPECT_TRUE(Start("/s"));
  ExpectMessageWithoutScreens();
  for (const bool end : {false, true}) {
    World w;
    ASSERT_FALSE(w.Start("/s"));
    w.random.before_draw = [end] { end ? throw ProgramEnd() : throw std::bad_alloc(); };
    EXPECT_TRUE(w.Tick());
    EXPECT_EQ(w.screen.messages.size(), end ? 0u : 1u);
  }
}

}  // namespace
}  // namespace solvarine
