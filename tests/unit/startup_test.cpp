#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, TheSwitchChoosesTheMode) {
  const std::pair<const char*, const char*> cases[] = {{"/S", "Form4"},
                                                       {"/s", "Form4"},
                                                       {"/s 1234", "Form4"},
                                                       {"/C", "Solvarine Ver4.0 "},
                                                       {"/c:1234", "Solvarine Ver4.0 "},
                                                       {"", "Solvarine Ver4.0 "},
                                                       {"/p 1234", nullptr},
                                                       {"/a", nullptr},
                                                       {"s", nullptr},
                                                       {"-s", nullptr},
                                                       {"xyz", nullptr},
                                                       {"/", nullptr}};
  for (const auto& [arguments, shown] : cases) {
    SCOPED_TRACE(arguments);
    fakes::FakePlatform platform;
    platform.store.values = fake.store.values;
    platform.files = fake.files;
    platform.pictures.pictures = fake.pictures.pictures;
    Program fresh(platform.platform);
    bool ended = false;
    try {
      StartUp(fresh, arguments);
    } catch (const ProgramEnd&) {
      ended = true;
    }
    EXPECT_EQ(ended, shown == nullptr);
    if (shown) {
      ASSERT_NE(platform.screen.WindowTitled(shown), nullptr);
      EXPECT_TRUE(platform.screen.WindowTitled(shown)->visible);
    } else {
      EXPECT_TRUE(std::none_of(platform.screen.log.begin(), platform.screen.log.end(),
                               [](const std::string& e) { return e.starts_with("Create"); }))
          << "no window, not even a hidden one";
      EXPECT_TRUE(platform.store.writes.empty());
    }
    EXPECT_TRUE(platform.screen.messages.empty());
  }
}

TEST_F(StartUpTest, ARunningSlideshowWindowBlocksEveryStartAfterAllThreeLookUps) {
  for (const char* title : {"Form1", "Form2", "Form4"}) {
    for (const char* arguments : {"/s", "/c", ""}) {
      fakes::FakePlatform platform;
      platform.screen.AddForeignWindow(title);
      Program fresh(platform.platform);
      EXPECT_THROW(StartUp(fresh, arguments), ProgramEnd) << title << " " << arguments;
      EXPECT_EQ(platform.screen.log,
                (std::vector<std::string>{"FindWindowA Form1", "FindWindowA Form2",
                                          "FindWindowA Form4"}));
    }
  }
  fake.screen.AddForeignWindow("Solvarine Ver4.0 ");
  EXPECT_FALSE(Start("/s")) << "the settings dialog blocks nothing";
}

TEST_F(StartUpTest, SlideshowShowsItsWindowsInOrderAfterTheSetUp) {
  ASSERT_FALSE(Start("/s"));
  std::vector<std::string> shown;
  for (const std::string& entry : fake.screen.log) {
    if (entry.starts_with("Show") || entry == "SetWindowRgn")
      shown.push_back(entry);
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"SetWindowRgn", "Show Form1", "ShowCursor 0",
                                             "Show Form2", "Show Form4"}));
  EXPECT_EQ(fake.screen.cursor_count, -1);
  EXPECT_GT(Window("Form4")->stacking, Window("Form2")->stacking);
  EXPECT_FALSE(Visible("Solvarine Ver4.0 ")) << "the settings form stays hidden";
}

}  // namespace
}  // namespace solvarine
