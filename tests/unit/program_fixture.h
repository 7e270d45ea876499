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
// The preview box's diagonal, the largest one the dialog's loads ask for.
inline const double kPreviewDiagonal = std::hypot(193.0, 129.0);

using Strings = std::vector<std::string>;
using Doubles = std::vector<double>;

// A program on the in-memory platform, with a photo folder of three solid-colour photos
// and the settings pointing at it, changed as given.
struct World {
  explicit World(std::initializer_list<std::pair<const char*, const char*>> given = {}) {
    files.AddFolder("C:\\photos", {{"a.jpg"}, {"b.jpg"}, {"c.jpg"}});
    files.AddFolder("C:\\empty");
    pictures.Add("C:\\photos\\a.jpg", 640, 480, kRed);
    pictures.Add("C:\\photos\\b.jpg", 300, 400, kGreen);
    pictures.Add("C:\\photos\\c.jpg", 100, 100, kBlue);
    stored = {{"Filename", "C:\\photos\\a.jpg"}, {"Directory", "C:\\photos"}};
    for (const auto& [key, value] : given)
      stored[key] = value;
  }

  // Runs the step as the event loop would, then hands over what the worker decoded;
  // true when the program ended.
  bool Ends(const std::function<void()>& step) {
    try {
      step();
      while (screen.WindowTitled("Form1") && program.form1().PhotoPending())
        EXPECT_TRUE(screen.wakeups.AwaitOne(std::chrono::seconds(10)));
    } catch (const ProgramEnd&) {
      return true;
    }
    return false;
  }
  bool Start(const std::string& arguments) {
    return Ends([&] { StartUp(program, arguments); });
  }
  // As the timer's message would: only while it is enabled, with an interval.
  void FireTimer() {
    if (Timer2().enabled && Timer2().interval > 0)
      Timer2().on_tick();
  }
  bool Tick() {
    return Ends([&] { FireTimer(); });
  }

  auto* Window(std::string_view title) { return screen.WindowTitled(std::string(title)); }
  bool Visible(const char* title) { return Window(title) && Window(title)->visible; }
  std::int16_t Position() { return program.form3().File1.ListIndex(); }
  ClipRect Clip() { return *Window("Form4")->region; }
  fakes::FakeTimer& Timer2() { return fakes::Of<fakes::FakeTimer>(form1().Timer2); }
  auto& Canvas() { return fakes::Of<fakes::FakePictureBox>(program.form4().Picture1); }
  Form1& form1() { return program.form1(); }
  // The last entries of what was drawn, in order: copies and their stretch mode, clears,
  // and where windows went.
  Strings Drawn(std::size_t last = SIZE_MAX) const {
    Strings drawn;
    for (const std::string& e : screen.log) {
      if (e.find("Blt") != e.npos || e.starts_with("Clear") || e.starts_with("Cover"))
        drawn.push_back(e);
    }
    drawn.erase(drawn.begin(), drawn.end() - std::min(last, drawn.size()));
    return drawn;
  }
  // No stored photo: the sample photo of the current folder stands in.
  void UseSample() {
    stored["Filename"] = stored["Directory"] = "";
    files.AddFolder("C:\\saver", {{"sample1.jpg"}});
    files.current = "C:\\saver";
    pictures.Add("C:\\saver\\sample1.jpg", 8, 6, kGreen);
  }
  // The failure path: cursor back (it was never hidden), timer off, the one message;
  // no screen shown.
  void ExpectMessageWithoutScreens() {
    const auto cursor_back = std::ranges::find(screen.log, "ShowCursor 1");
    EXPECT_EQ(Strings(cursor_back, screen.log.end()),
              (Strings{"ShowCursor 1", "Timer disabled", "MsgBox"}));
    EXPECT_EQ(screen.messages, Strings{"設定画面で表示画像を設定してください"});
    EXPECT_EQ(std::tuple(screen.cursor_count, Visible("Form2")), std::tuple(1, false));
  }

  fakes::FakeScreen screen;
  fakes::FakeSettingsStore store;
  std::map<std::string, std::string>& stored = store.values;
  fakes::FakeFileSystem files;
  fakes::FakePictureLoader pictures{files};
  fakes::ScriptedRandom random;
  Platform platform{screen, screen, screen, screen, pictures, store, files, random};
  Program program{platform};
};

class ProgramTest : public testing::Test, protected World {};

}  // namespace solvarine
