#pragma once

#include <functional>

#include "platform/platform.h"
#include "platform/random.h"
#include "platform/win32/event_loop.h"
#include "platform/win32/registry_settings_store.h"
#include "platform/win32/wic_picture_loader.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_gdi.h"
#include "platform/win32/win32_ui.h"

namespace solvarine::win32 {

// COM for this thread, apartment-threaded as the shell's dialogs and WIC expect.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_ = false;
};

// Every real Windows service the core uses, and the message loop that drives it.
class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& platform() { return platform_; }
  // Runs start, then the messages until the program ends; gives the exit code.
  int Run(const std::function<void()>& start);

 private:
  ComApartment com_;
  EventLoop loop_;
  Win32Ui ui_{loop_};
  Win32Gdi gdi_;
  WicPictureLoader pictures_;
  RegistrySettingsStore settings_;
  Win32FileSystem files_;
  UnseededRandom random_;
  Platform platform_{ui_, ui_, ui_, gdi_, pictures_, settings_, files_, random_};
};

}  // namespace solvarine::win32
