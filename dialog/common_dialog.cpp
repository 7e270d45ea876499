#include "dialog/common_dialog.h"

#include "platform/dialogs.h"

namespace solvarine {

void CommonDialog::ShowOpen() {
  OpenFileResult result = dialogs_.GetOpenFileName(owner_, {InitDir, Filter, FilterIndex, Flags});
  FileName = std::move(result.path);
  FileTitle = std::move(result.file_title);
  Folder = std::move(result.folder);
}

}  // namespace solvarine
