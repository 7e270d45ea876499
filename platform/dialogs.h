#pragma once

#include <cstdint>
#include <string>

namespace solvarine {

class Window;

struct OpenFileRequest {
  std::string initial_dir;  // empty: the platform's choice
  std::string filter;       // label|pattern pairs separated by '|'
  int filter_index = 1;
  std::uint32_t flags = 0;
};

struct OpenFileResult {
  std::string path;        // empty when cancelled
  std::string file_title;  // the file name without its folder
  std::string folder;      // the chosen file's folder
};

inline constexpr std::uint32_t kOpenFileMustExist = 0x1000;

// The two modal dialogs the program opens.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // OK only, no icon; events go on being handled while it waits, but the program's windows
  // take no input until it is answered.
  virtual void MsgBox(const std::string& text) = 0;
  virtual OpenFileResult GetOpenFileName(Window& owner, const OpenFileRequest& request) = 0;
};

}  // namespace solvarine
