#pragma once

#include <cstdint>
#include <string>

namespace solvarine {

class Dialogs;
class Window;

// The open-file dialog component: keeps its properties from one opening to the next.
class CommonDialog {
 public:
  CommonDialog(Dialogs& dialogs, Window& owner) : dialogs_(dialogs), owner_(owner) {}

  std::string InitDir;
  std::string Filter;
  int FilterIndex = 1;
  std::uint32_t Flags = 0;

  // After ShowOpen: the chosen file, or an empty FileName when cancelled.
  std::string FileName;
  std::string FileTitle;
  std::string Folder;

  void ShowOpen();

 private:
  Dialogs& dialogs_;
  Window& owner_;
};

}  // namespace solvarine
