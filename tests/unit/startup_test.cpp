#include <algorithm>

#include "dialog/form3.h"
#include "tests/unit/program_fixture.h"

namespace solvarine {
namespace {

using StartUpTest = ProgramTest;

TEST_F(StartUpTest, TheSwitchChoosesTheMode) {
  struct Case {
    const char* arguments;
    const char* window;  // nothing when the program ends at once
  };
  const Case cases[] = {{"/S", "Form4"},
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    fakes::FakePlatform platform;
    platform.files.AddFolder("C:\\photos", {{"a.jpg"}});
    platform.pictures.Add("C:\\photos\\a.jpg", 4, 3, kRed);
    platform.store.values = {{"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}};
    Program fresh(platform.platform);
    bool ended = false;
    try {
      StartUp(fresh, c.arguments);
    } catch (const ProgramEnd&) {
      ended = true;
    }
    const fakes::FakeWindow* shown = c.window ? platform.screen.WindowTitled(c.window) : nullptr;
    EXPECT_EQ(ended, c.window == nullptr);
    if (c.window) {
      ASSERT_NE(shown, nullptr);
      EXPECT_TRUE(shown->visible);
    } else {
      EXPECT_TRUE(std::none_of(platform.screen.log.begin(), platform.screen.log.end(),
                               [](const std::string& entry) { return entry.starts_with("Show"); }));
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
}

TEST_F(StartUpTest, TheSettingsDialogDoesNotBlockASlideshow) {
  fake.screen.AddForeignWindow("Solvarine Ver4.0 ");
  EXPECT_FALSE(Start("/s"));
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
  EXPECT_FALSE(Window("Solvarine Ver4.0 ")->visible) << "the settings form stays hidden";
}

}  // namespace
}  // namespace solvarine
