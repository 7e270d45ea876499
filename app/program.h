#pragma once

#include <memory>

#include "platform/platform.h"

namespace solvarine {

class Form1;
class Form2;
class Form3;
class Form4;

// Owns the four forms. A form is created on first use, hidden, and its load handler runs once
// before the use goes on.
class Program {
 public:
  explicit Program(Platform& platform);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Platform& platform() { return platform_; }
  Form1& form1();
  Form2& form2();
  Form3& form3();
  Form4& form4();

  // Every window goes and nothing after this runs: the event loop catches ProgramEnd.
  [[noreturn]] void End();

 private:
  Platform& platform_;
  std::unique_ptr<Form1> form1_;
  std::unique_ptr<Form2> form2_;
  std::unique_ptr<Form3> form3_;
  std::unique_ptr<Form4> form4_;
};

}  // namespace solvarine
