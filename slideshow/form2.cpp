#include "slideshow/form2.h"

#include "app/program.h"
#include "slideshow/slideshow_input.h"

namespace solvarine {

Form2::Form2(Program& program)
    : window(program.platform().windows.CreateScreenWindow(
          "Form2", {[this] { Form_MouseDown(); }, [this] { Form_KeyDown(); }})),
      program_(program) {}

void Form2::Form_MouseDown() {
  PauseOrResume(program_);
}
void Form2::Form_KeyDown() {
  EndOnKey(program_);
}

}  // namespace solvarine
