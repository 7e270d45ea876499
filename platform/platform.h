#pragma once

#include "platform/dialogs.h"
#include "platform/event_sources.h"
#include "platform/file_system.h"
#include "platform/gdi.h"
#include "platform/picture_loader.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "platform/window_system.h"

namespace solvarine {

// Every service the core relies on, handed in by the real Windows platform or the in-memory one.
struct Platform {
  WindowSystem& windows;
  EventSources& events;
  Dialogs& dialogs;
  Gdi& gdi;
  PictureLoader& pictures;
  SettingsStore& settings;
  FileSystem& files;
  Random& random;
};

}  // namespace solvarine
