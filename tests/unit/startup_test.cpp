#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

using StartUpTest = ProgramTest;
constexpr const char* kDialog = "Solvarine Ver4.0 ";

TEST(StartUp, TheSwitchChoosesTheMode) {
  const std::pair<const char*, const char*> cases[] = {
      {"/S", "Form4"},      {"/s", "Form4"}, {"/s 1234", "Form4"}, {"/C", kDialog},
      {"/c:1234", kDialog}, {"", kDialog},   {"/p 1234", nullptr}, {"/a", nullptr},
      {"s", nullptr},       {"-s", nullptr}, {"xyz", nullptr},     {"/", nullptr}};
  for (const auto& [arguments, shown] : cases) {
    World world;
    EXPECT_EQ(world.Start(arguments), shown == nullptr) << arguments;
    EXPECT_TRUE(shown ? world.Visible(shown) : world.screen.windows.empty())
        << arguments << ": else not even a hidden window";
  }
}

TEST_F(StartUpTest, ARunningSlideshowWindowBlocksEveryStartAfterAllThreeLookUps) {
  const Strings lookups{"FindWindowA Form1", "FindWindowA Form2", "FindWindowA Form4"};
  for (const char* title : {"Form1", "Form2", "Form4"}) {
    for (const char* arguments : {"/s", "/c", ""}) {
      World world;
      world.screen.foreign_windows.insert(title);
      EXPECT_TRUE(world.Start(arguments)) << title << " " << arguments;
      EXPECT_EQ(world.screen.log, lookups);
    }
  }
  screen.foreign_windows.insert(kDialog);
  EXPECT_FALSE(Start("/s")) << "the settings dialog blocks nothing";
}

// The desktop is copied, for background 1 only, while none of our windows shows; the
// settings form stays hidden.
TEST(StartUp, SlideshowShowsItsWindowsInOrderAfterTheSetUp) {
  for (const char* haikei : {"1", "0", "2"}) {
    World world({{"Haikei", haikei}});
    ASSERT_FALSE(world.Start("/s"));
    Strings shown;
    for (const std::string& e : world.screen.log) {
      if (e.starts_with("Show") || e == "SetWindowRgn" || e.starts_with("BitBlt"))
        shown.push_back(e);
    }
    Strings expected = {"SetWindowRgn", "Show Form1", "ShowCursor 0", "Show Form2", "Show Form4"};
    if (*haikei == '1')
      expected.insert(expected.begin(), "BitBlt Form2 0 0 15360 11520 <- desktop 0 0");
    EXPECT_EQ(shown, expected) << haikei;
  }
}

}  // namespace
}  // namespace solvarine
