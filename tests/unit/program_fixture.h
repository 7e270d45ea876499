#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

#include "app/program.h"
#include "dialog/form3.h"
#include "platform/failure.h"
#include "slideshow/form1.h"
#include "slideshow/form4.h"
#include "start/module1.h"
#include "platform/platform.h"
#include "tests/fakes/fake_screen.h"
#include "tests/fakes/fake_services.h"

namespace solvarine {

inline constexpr std::uint32_t kRed = 0xFFFF0000;
inline constexpr std::uint32_t kGreen = 0xFF00FF00;
inline constexpr std::uint32_t kBlue = 0xFF0000FF;
// Each load asks for the largest diagonal its picture is drawn at: the preview box's is this.
inline const double kPreviewDiagonal = std::hypot(193.0, 129.0);

namespace fakes {

// The whole in-memory platform, wired together.
struct FakePlatform {
  FakeScreen screen;
  FakeSettingsStore store;
  FakeFileSystem files;
  FakePictureLoader pictures{files};
  ScriptedRandom random;
  Platform platform{screen, screen, screen, screen, pictures, store, files, random};
};

}  // namespace fakes

// A program on the in-memory platform, with a photo folder of three solid-colour photos and the
// settings pointing at it, changed as given.
struct World {
  explicit World(std::initializer_list<std::pair<std::string, std::string>> settings = {}) {
    fake.files.AddFolder("C:\\photos", {{"a.jpg"}, {"b.jpg"}, {"c.jpg"}});
    fake.files.AddFolder("C:\\empty");
    fake.pictures.Add("C:\\photos\\a.jpg", 640, 480, kRed);
    fake.pictures.Add("C:\\photos\\b.jpg", 300, 400, kGreen);
    fake.pictures.Add("C:\\photos\\c.jpg", 100, 100, kBlue);
    fake.store.values = {{"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}};
    for (const auto& [key, value] : settings)
      fake.store.values[key] = value;
  }

  // Runs the step as the event loop would, then hands over what the worker decoded; true when
  // the program ended.
  bool Ends(const std::function<void()>& step) {
    try {
      step();
      while (fake.screen.WindowTitled("Form1") && program.form1().PhotoPending())
        EXPECT_TRUE(fake.screen.wakeups.AwaitOne(std::chrono::seconds(10)));
    } catch (const ProgramEnd&) {
      return true;
    }
    return false;
  }
  bool Start(const std::string& arguments) {
    return Ends([&] { StartUp(program, arguments); });
  }
  bool Tick() {
    return Ends([&] { fake.screen.FireTimers(); });
  }

  fakes::FakeWindow* Window(const std::string& title) { return fake.screen.WindowTitled(title); }
  bool Visible(const std::string& title) { return Window(title) && Window(title)->visible; }
  std::int16_t Position() { return program.form3().File1.ListIndex(); }
  fakes::FakeTimer& Timer2() { return fakes::Of<fakes::FakeTimer>(program.form1().Timer2); }
  fakes::FakePictureBox& Canvas() {
    return fakes::Of<fakes::FakePictureBox>(program.form4().Picture1);
  }
  // What was drawn (copies and clears) and where windows went, in order.
  std::vector<std::string> Drawn() const {
    std::vector<std::string> drawn;
    std::ranges::copy_if(fake.screen.log, std::back_inserter(drawn), [](const std::string& e) {
      return e.starts_with("BitBlt") || e.starts_with("StretchBlt") || e.starts_with("Clear") ||
             e.starts_with("Cover");
    });
    return drawn;
  }
  // No stored photo: the sample photo of the current folder stands in.
  void UseSample() {
    fake.store.values["Filename"] = fake.store.values["Directory"] = "";
    fake.files.AddFolder("C:\\saver", {{"sample1.jpg"}});
    fake.files.current = "C:\\saver";
    fake.pictures.Add("C:\\saver\\sample1.jpg", 8, 6, kGreen);
  }
  // The failure path: cursor back, timer off, the one message; no screen shown, nothing stored.
  void ExpectMessageWithoutScreens() {
    const auto& log = fake.screen.log;
    EXPECT_EQ(
        std::vector<std::string>(std::find(log.begin(), log.end(), "ShowCursor 1"), log.end()),
        (std::vector<std::string>{"ShowCursor 1", "Timer disabled", "MsgBox"}));
    // The cursor was never hidden.
    EXPECT_EQ(
        std::tuple(fake.screen.messages, fake.screen.cursor_count, Visible("Form2"),
                   fake.store.values.count("Fileindex")),
        std::tuple(std::vector<std::string>{"設定画面で表示画像を設定してください"}, 1, false, 0u));
  }

  fakes::FakePlatform fake;
  Program program{fake.platform};
};

class ProgramTest : public testing::Test, protected World {};

}  // namespace solvarine
