#pragma once

#include <memory>

#include "platform/window_system.h"

namespace solvarine {

class Program;

// The photo window: full screen, but its window region shows only the current photo.
class Form4 {
 public:
  explicit Form4(Program& program);

  void Form_MouseDown();
  [[noreturn]] void Form_KeyDown();
  void Picture1_MouseDown();
  [[noreturn]] void Picture1_KeyDown();

  std::unique_ptr<Window> window;
  std::unique_ptr<PictureBox> Picture1;  // the visible canvas
  std::unique_ptr<PictureBox> Picture2;  // the hidden holder of the loaded photo

 private:
  Program& program_;
};

}  // namespace solvarine
