#pragma once

#include <cstdint>
#include <string>

namespace solvarine {

class Ui;
class Window;

// The open-file dialog component: keeps its properties from one opening to the next.
class CommonDialog {
 public:
  CommonDialog(Ui& ui, Window& owner) : ui_(ui), owner_(owner) {}

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
  Ui& ui_;
  Window& owner_;
};

}  // namespace solvarine
