#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, TheSwitchChoosesTheMode) {
  const char* const dialog = "Solvarine Ver4.0 ";
  const std::pair<const char*, const char*> cases[] = {
      {"/S", "Form4"},     {"/s", "Form4"}, {"/s 1234", "Form4"}, {"/C", dialog},
      {"/c:1234", dialog}, {"", dialog},    {"/p 1234", nullptr}, {"/a", nullptr},
      {"s", nullptr},      {"-s", nullptr}, {"xyz", nullptr},     {"/", nullptr}};
  for (const auto& [arguments, shown] : cases) {
    World world;
    EXPECT_EQ(world.Start(arguments), shown == nullptr) << arguments;
    if (shown) {
      EXPECT_TRUE(world.Visible(shown)) << arguments;
    } else {
      EXPECT_TRUE(world.fake.screen.windows.empty()) << arguments << ": not even a hidden one";
      EXPECT_TRUE(world.fake.store.writes.empty()) << arguments;
    }
    EXPECT_TRUE(world.fake.screen.messages.empty()) << arguments;
  }
}

TEST_F(StartUpTest, ARunningSlideshowWindowBlocksEveryStartAfterAllThreeLookUps) {
  for (const char* title : {"Form1", "Form2", "Form4"}) {
    for (const char* arguments : {"/s", "/c", ""}) {
      World world;
      world.fake.screen.foreign_windows.insert(title);
      EXPECT_TRUE(world.Start(arguments)) << title << " " << arguments;
      EXPECT_EQ(world.fake.screen.log,
                (std::vector<std::string>{"FindWindowA Form1", "FindWindowA Form2",
                                          "FindWindowA Form4"}));
    }
  }
  fake.screen.foreign_windows.insert("Solvarine Ver4.0 ");
  EXPECT_FALSE(Start("/s")) << "the settings dialog blocks nothing";
}

// The desktop is copied, for background 1 only, while none of our windows shows; the settings
// form stays hidden.
TEST_F(StartUpTest, SlideshowShowsItsWindowsInOrderAfterTheSetUp) {
  for (const std::string haikei : {"1", "0", "2"}) {
    World world({{"Haikei", haikei}});
    ASSERT_FALSE(world.Start("/s"));
    std::vector<std::string> shown;
    std::ranges::copy_if(
        world.fake.screen.log, std::back_inserter(shown), [](const std::string& e) {
          return e.starts_with("Show") || e == "SetWindowRgn" || e.starts_with("BitBlt");
        });
    std::vector<std::string> expected = {"SetWindowRgn", "Show Form1", "ShowCursor 0", "Show Form2",
                                         "Show Form4"};
    if (haikei == "1")
      expected.insert(expected.begin(), "BitBlt Form2 0 0 15360 11520 <- desktop 0 0");
    EXPECT_EQ(shown, expected) << haikei;
    EXPECT_EQ(std::tuple(world.fake.screen.cursor_count,
                         world.Window("Form4")->stacking > world.Window("Form2")->stacking,
                         world.Visible("Solvarine Ver4.0 ")),
              std::tuple(-1, true, false));
  }
}

}  // namespace
}  // namespace solvarine
