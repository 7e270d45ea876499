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
      EXPECT_TRUE(std::none_of(world.fake.screen.log.begin(), world.fake.screen.log.end(),
                               [](const std::string& e) { return e.starts_with("Create"); }))
          << arguments << ": no window, not even a hidden one";
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

// The desktop is copied while none of our windows shows.
TEST_F(StartUpTest, SlideshowShowsItsWindowsInOrderAfterTheSetUp) {
  fake.store.values["Haikei"] = "1";
  ASSERT_FALSE(Start("/s"));
  std::vector<std::string> shown;
  std::ranges::copy_if(fake.screen.log, std::back_inserter(shown), [](const std::string& e) {
    return e.starts_with("Show") || e == "SetWindowRgn" || e.starts_with("BitBlt");
  });
  EXPECT_EQ(shown,
            (std::vector<std::string>{"BitBlt Form2 0 0 15360 11520 <- desktop 0 0", "SetWindowRgn",
                                      "Show Form1", "ShowCursor 0", "Show Form2", "Show Form4"}));
  EXPECT_EQ(fake.screen.cursor_count, -1);
  EXPECT_GT(Window("Form4")->stacking, Window("Form2")->stacking);
  EXPECT_FALSE(Visible("Solvarine Ver4.0 ")) << "the settings form stays hidden";
}

}  // namespace
}  // namespace solvarine
