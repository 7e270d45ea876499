#include "slideshow/form4.h"

#include "app/program.h"
#include "slideshow/slideshow_input.h"

namespace solvarine {
namespace {

constexpr PictureBoxSpec kCanvas{.rect = {1200, 720, 3840, 3840}, .visible = true};
constexpr PictureBoxSpec kHolder{
    .rect = {5760, 2040, 4935, 4815}, .visible = false, .auto_size = true, .tab_index = 1};

}  // namespace

Form4::Form4(Program& program)
    : window(program.platform().windows.CreateScreenWindow(
          "Form4", {[this] { Form_MouseDown(); }, [this] { Form_KeyDown(); }})),
      Picture1(program.platform().windows.CreatePictureBox(
          *window, kCanvas, {[this] { Picture1_MouseDown(); }, [this] { Picture1_KeyDown(); }})),
      Picture2(program.platform().windows.CreatePictureBox(*window, kHolder, {})),
      program_(program) {}

void Form4::Form_MouseDown() {
  PauseOrResume(program_);
}
void Form4::Form_KeyDown() {
  EndOnKey(program_);
}
void Form4::Picture1_MouseDown() {
  PauseOrResume(program_);
}
void Form4::Picture1_KeyDown() {
  EndOnKey(program_);
}

}  // namespace solvarine
