#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/program.h"
#include "platform/failure.h"
#include "slideshow/form1.h"
#include "start/module1.h"
#include "tests/fakes/fake_platform.h"

namespace solvarine {

// A program on the in-memory platform, with a photo folder of three solid-colour photos.
class ProgramTest : public testing::Test {
 protected:
  static constexpr std::uint32_t kRed = 0xFFFF0000;
  static constexpr std::uint32_t kGreen = 0xFF00FF00;
  static constexpr std::uint32_t kBlue = 0xFF0000FF;

  ProgramTest() {
    fake.files.AddFolder("C:\\photos", {{"a.jpg"}, {"b.jpg"}, {"c.jpg"}});
    fake.files.AddFolder("C:\\empty");
    fake.pictures.Add("C:\\photos\\a.jpg", 640, 480, kRed);
    fake.pictures.Add("C:\\photos\\b.jpg", 300, 400, kGreen);
    fake.pictures.Add("C:\\photos\\c.jpg", 100, 100, kBlue);
    fake.store.values = {{"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}};
  }

  // Runs the step as the event loop would; true when the program ended.
  bool Ends(const std::function<void()>& step) {
    try {
      step();
    } catch (const ProgramEnd&) {
      return true;
    }
    return false;
  }
  bool Start(const std::string& arguments) {
    return Ends([&] {
      StartUp(program, arguments);
      Settle(program, fake);
    });
  }
  bool Tick() {
    return Ends([&] {
      fake.screen.FireTimers();
      Settle(program, fake);
    });
  }
  // Hands over what the slideshow decodes on its worker thread, as the event loop would, until
  // no photo is pending.
  static void Settle(Program& program, fakes::FakePlatform& fake) {
    if (!fake.screen.WindowTitled("Form1"))
      return;
    while (program.form1().PhotoPending())
      ASSERT_TRUE(fake.screen.wakeups.AwaitOne(std::chrono::seconds(10)));
  }

  fakes::FakeWindow* Window(const std::string& title) { return fake.screen.WindowTitled(title); }
  bool Visible(const std::string& title) {
    const fakes::FakeWindow* window = Window(title);
    return window && window->visible;
  }
  bool Logged(const std::string& entry) {
    const auto& log = fake.screen.log;
    return std::find(log.begin(), log.end(), entry) != log.end();
  }

  fakes::FakePlatform fake;
  Program program{fake.platform};
};

}  // namespace solvarine
