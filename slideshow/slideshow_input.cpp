#include "slideshow/slideshow_input.h"

#include "app/program.h"
#include "dialog/form3.h"
#include "settings/numbers.h"
#include "settings/setting_keys.h"
#include "slideshow/form1.h"
#include "slideshow/form4.h"

namespace solvarine {

void PauseOrResume(Program& program) {
  Timer& timer = *program.form1().Timer2;
  timer.SetEnabled(!timer.Enabled());
  program.form4().window->Show();
}

void EndOnKey(Program& program) {
  program.platform().gdi.ShowCursor(true);
  const std::int16_t position = program.form3().File1.ListIndex();
  Settings(program.platform().settings).Save(key::kFileindex, DecimalText(position));
  program.End();
}

}  // namespace solvarine
