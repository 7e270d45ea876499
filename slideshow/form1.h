#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_sources.h"
#include "platform/window_system.h"
#include "settings/variant.h"
#include "slideshow/decode_ahead.h"
#include "slideshow/place_photo.h"

namespace solvarine {

class Program;

// The slideshow controller: owns the timer and the slideshow's copies of the settings.
class Form1 {
 public:
  static constexpr std::string_view kFailureMessage = "設定画面で表示画像を設定してください";

  explicit Form1(Program& program);

  void Form_Load();
  void Timer2_Timer();
  // A photo is being decoded, for a tick that waits for it or ahead of the next one. The slideshow
  // itself never asks (the hand-over wakes it); a caller that turns the event loop by hand, as a
  // test does, asks to know whether anything is still to come.
  bool PhotoPending() const { return waiting_for_photo_ || ahead_.Busy(); }

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
  std::vector<Rect> Monitors();
  void MonitorsChanged();
  bool FollowMonitors(const std::vector<Rect>& monitors);
  void CopyScreen(const std::vector<Rect>& monitors);
  void StartAtStoredPosition();
  std::string PhotoPath();
  void PhotoDecoded();
  void ShowNextPhoto();
  void ShowPhoto(const Picture& picture, double side);
  void Advance();
  [[noreturn]] void FailAndEnd();

  Program& program_;
  bool waiting_for_photo_ = false;
  int unreadable_ = 0;                // photos passed over in this tick
  std::optional<Rect> covered_;       // the virtual screen the windows cover, once the set-up began
  std::size_t turn_ = 0;              // of the monitor the next photo goes to
  std::optional<CanvasPlace> shown_;  // where the photo window shows its photo
  DecodeAhead ahead_;
};

}  // namespace solvarine
