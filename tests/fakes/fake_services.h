#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/picture_loader.h"
#include "platform/random.h"
#include "platform/settings_store.h"

namespace solvarine::fakes {

// The settings store as a map from key to text, for application "solvar" section "Option".
class FakeSettingsStore final : public SettingsStore {
 public:
  std::optional<std::string> GetSetting(const std::string& app, const std::string& section,
                                        const std::string& key) override;
  void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override;

  std::map<std::string, std::string> values;
  std::vector<std::string> writes;  // keys in the order written
};

// Folders by full path ("C:\photos"); drive roots end in "\".
class FakeFileSystem final : public FileSystem {
 public:
  std::string CurDir() override { return current; }
  void ChDir(const std::string& folder) override { current = FullFolderPath(folder); }
  std::string FullFolderPath(const std::string& folder) override;
  std::vector<FolderEntry> ListFolder(const std::string& folder) override;

  void AddFolder(const std::string& path, std::vector<FolderEntry> entries = {}) {
    folders[path] = std::move(entries);
  }
  std::string Resolve(const std::string& name) const;

  std::string current = "C:\\";
  std::map<std::string, std::vector<FolderEntry>> folders{{"C:\\", {}}};
};

class FakePictureLoader final : public PictureLoader {
 public:
  explicit FakePictureLoader(const FakeFileSystem& files) : files_(files) {}
  // Decodes at DecodeSize.
  Picture LoadPicture(const std::string& path, double drawn_diagonal) override;
  // Each Add makes a new stamp, as writing a file does.
  std::optional<FileStamp> Stamp(const std::string& path) override;

  void Add(const std::string& full_path, int width, int height, std::uint32_t colour);

  std::map<std::string, Picture> pictures;  // at their own size
  std::set<std::string> held_open;          // by another program that shares them with none
  std::vector<std::string> loads;
  std::vector<double> drawn_diagonals;                            // asked for, one per load
  std::function<void(const std::string& full_path)> before_load;  // on the loading thread

 private:
  const FakeFileSystem& files_;
  std::map<std::string, std::uint64_t> writes_;
};

class ScriptedRandom final : public Random {
 public:
  float Rnd() override;
  std::deque<float> values;
  int draws = 0;
  std::function<void()> before_draw;
};

}  // namespace solvarine::fakes
