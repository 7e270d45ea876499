#include "app/program.h"

#include "dialog/form3.h"
#include "platform/failure.h"
#include "slideshow/form1.h"
#include "slideshow/form2.h"
#include "slideshow/form4.h"

namespace solvarine {
namespace {

// Stores the form before its load handler runs, so that the handler's own use of the form
// does not create it a second time.
template <typename Form, typename Load>
Form& CreateOnFirstUse(std::unique_ptr<Form>& slot, Program& program, Load load) {
  if (!slot) {
    slot = std::make_unique<Form>(program);
    load(*slot);
  }
  return *slot;
}

}  // namespace

Program::Program(Platform& platform) : platform_(platform) {}

// Windows go in the reverse order of their creation: the photo window before the backdrop.
Program::~Program() {
  form4_.reset();
  form2_.reset();
  form3_.reset();
  form1_.reset();
}

Form1& Program::form1() {
  return CreateOnFirstUse(form1_, *this, [](Form1& form) { form.Form_Load(); });
}
Form2& Program::form2() {
  return CreateOnFirstUse(form2_, *this, [](Form2&) {});
}
Form3& Program::form3() {
  return CreateOnFirstUse(form3_, *this, [](Form3& form) { form.Form_Load(); });
}
Form4& Program::form4() {
  return CreateOnFirstUse(form4_, *this, [](Form4&) {});
}

void Program::End() {
  throw ProgramEnd{};
}

}  // namespace solvarine
