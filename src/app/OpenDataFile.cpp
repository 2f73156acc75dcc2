#include "app/OpenDataFile.h"

#include "app/CwdKeeper.h"

std::optional<std::string> AskOpenDataFile(const std::vector<FileFilter>& filters) {
  const CwdKeeper cwd;
  FileDialogRequest request;
  request.title = "Select file";
  request.folder = "Data";
  request.filters = filters;
  request.mustExist = true;
  std::string name;
  if (!ShowOpenFileDialog(request, name)) return std::nullopt;
  return name;
}
