#pragma once

#include "platform/platform.h"
#include "tests/fakes/fake_screen.h"
#include "tests/fakes/fake_services.h"

namespace solvarine::fakes {

// The whole in-memory platform, wired together.
struct FakePlatform {
  FakeScreen screen;
  FakeSettingsStore store;
  FakeFileSystem files;
  FakePictureLoader pictures{files};
  ScriptedRandom random;
  Platform platform{screen, screen, pictures, store, files, random};
};

}  // namespace solvarine::fakes
