#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ui.h"
#include "settings/variant.h"

namespace solvarine {

class Program;

// The slideshow controller: owns the timer and the slideshow's copies of the settings.
class Form1 {
 public:
  static constexpr std::string_view kFailureMessage = "設定画面で表示画像を設定してください";

  explicit Form1(Program& program);

  void Form_Load();
  void Timer2_Timer();

  std::unique_ptr<Window> window;
  std::unique_ptr<Timer> Timer2;

  std::int32_t Speed = 0;
  Variant chokkei;
  std::string Filename;
  std::int16_t Haikei = 0;
  std::int16_t Fileindex = 0;
  std::int16_t Filepos = 0;

 private:
  void load_reg();
  void save_reg();
  void UseCurrentDir();
  void TakeDesktopSnapshot();
  void StartAtStoredPosition();
  void ShowPhoto();
  [[noreturn]] void FailAndEnd();

  Program& program_;
};

}  // namespace solvarine
