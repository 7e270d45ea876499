#include "start/module1.h"

#include <algorithm>
#include <array>

#include "app/program.h"
#include "dialog/form3.h"
#include "slideshow/form1.h"
#include "slideshow/form2.h"
#include "slideshow/form4.h"

namespace solvarine {
namespace {

// The titles of a running slideshow's windows, this program's or another copy's.
constexpr std::array<std::string_view, 3> kSlideshowTitles = {"Form1", "Form2", "Form4"};

std::string SwitchOf(const std::string& arguments) {
  std::string switch_text = arguments.substr(0, 2);
  std::transform(switch_text.begin(), switch_text.end(), switch_text.begin(), [](char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return switch_text;
}

}  // namespace

void StartUp(Program& program, const std::string& arguments) {
  Gdi& gdi = program.platform().gdi;
  bool slideshow_running = false;
  for (const std::string_view title : kSlideshowTitles) {
    slideshow_running |= gdi.FindWindowA(std::string(title)) != Hwnd{};
  }
  if (slideshow_running)
    program.End();

  const std::string switch_text = SwitchOf(arguments);
  if (switch_text == "/S") {
    program.form1().window->Show();
    gdi.ShowCursor(false);
    program.form2().window->Show();
    program.form4().window->Show();
  } else if (switch_text == "/C" || switch_text.empty()) {
    program.form3().window->Show();
  } else {
    program.End();
  }
}

}  // namespace solvarine
