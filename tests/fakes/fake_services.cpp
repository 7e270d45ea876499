#include "tests/fakes/fake_services.h"

#include "platform/failure.h"

namespace solvarine::fakes {

std::optional<std::string> FakeSettingsStore::GetSetting(const std::string& app,
                                                         const std::string& section,
                                                         const std::string& key) {
  if (app != "solvar" || section != "Option")
    return std::nullopt;
  const auto it = values.find(key);
  return it == values.end() ? std::nullopt : std::optional(it->second);
}

void FakeSettingsStore::SaveSetting(const std::string& app, const std::string& section,
                                    const std::string& key, const std::string& value) {
  if (app != "solvar" || section != "Option")
    throw Failure("unexpected settings section");
  values[key] = value;
  writes.push_back(key);
}

// As Windows does: a bare drive "C:" is that drive's current folder (the current directory when
// it is on that drive, else its root); other names without a drive are relative to the current
// folder.
std::string FakeFileSystem::Resolve(const std::string& name) const {
  std::string path = name;
  if (path.size() == 2 && path[1] == ':') {
    path = current.starts_with(path) ? current : path + '\\';
  } else if (path.find(':') == std::string::npos) {
    path = current + (current.ends_with('\\') ? "" : "\\") + path;
  }
  if (path.size() > 3 && path.ends_with('\\'))
    path.pop_back();
  return path;
}

std::string FakeFileSystem::FullFolderPath(const std::string& folder) {
  if (folder.empty())
    throw Failure("no folder given");
  const std::string path = Resolve(folder);
  if (!folders.contains(path))
    throw Failure("no such folder: " + folder);
  return path;
}

std::vector<FolderEntry> FakeFileSystem::ListFolder(const std::string& folder) {
  const auto it = folders.find(folder);
  if (it == folders.end())
    throw Failure("no such folder: " + folder);
  return it->second;
}

Picture FakePictureLoader::LoadPicture(const std::string& path, double drawn_diagonal) {
  const std::string full = files_.Resolve(path);
  if (before_load)
    before_load(full);
  loads.push_back(full);
  drawn_diagonals.push_back(drawn_diagonal);
  const auto it = pictures.find(full);
  if (it == pictures.end() || held_open.contains(full))
    throw Failure("cannot load " + path);
  // Solid colours only, so any reduced size is exact.
  const Picture& original = it->second;
  const PixelSize size = DecodeSize(original.width, original.height, drawn_diagonal);
  return {original.width, original.height, size.width, size.height,
          std::vector(static_cast<size_t>(size.width) * size.height, original.pixels.at(0))};
}

std::optional<FileStamp> FakePictureLoader::Stamp(const std::string& path) {
  const std::string full = files_.Resolve(path);
  if (!pictures.contains(full))
    return std::nullopt;
  return FileStamp{.size = pictures[full].pixels.size() * 4, .last_change = writes_[full]};
}

void FakePictureLoader::Add(const std::string& full_path, int width, int height,
                            std::uint32_t colour) {
  ++writes_[full_path];
  pictures[full_path] = Picture::FullSize(
      width, height, std::vector<std::uint32_t>(static_cast<size_t>(width * height), colour));
}

float ScriptedRandom::Rnd() {
  if (before_draw)
    before_draw();
  ++draws;
  if (values.empty())
    return 0.5f;
  const float value = values.front();
  values.pop_front();
  return value;
}

}  // namespace solvarine::fakes
