#pragma once

#include <memory>

#include "platform/window_system.h"

namespace solvarine {

class Program;

// The full-screen backdrop: its persistent image holds the desktop snapshot and the collage.
class Form2 {
 public:
  explicit Form2(Program& program);

  void Form_MouseDown();
  [[noreturn]] void Form_KeyDown();

  std::unique_ptr<Window> window;

 private:
  Program& program_;
};

}  // namespace solvarine
