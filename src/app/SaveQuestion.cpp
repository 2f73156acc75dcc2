#include "app/SaveQuestion.h"

#include <cstring>

#include "model/DataFile.h"
#include "model/MessageBox.h"
#include "model/RadioImage.h"

std::string SaveQuestionText(const std::string& fileLine) {
  // The question names the file, not the file line's label; data read from a
  // radio has no file yet.
  std::string name = fileLine.starts_with(kFileLineLabel) ? fileLine.substr(std::strlen(kFileLineLabel)) : fileLine;
  if (name.empty()) name = "Untitled";
  return "Save changes to " + name + "?";
}

int ConfirmSaveChanges(ISaveTarget& target, AfterNo afterNo) {
  if (!g_dataModified) return 1;
  const int answer = ShowMessageBox(SaveQuestionText(target.FileLineText()), static_cast<unsigned>(kMsgYesNoCancel) | kMsgIconWarning);
  if (answer == kIdNo) {
    if (afterNo == AfterNo::kDrop) g_dataModified = false;
    return 1;
  }
  if (answer != kIdYes) return 0;
  // A save that did not happen must not let the caller throw the changes away.
  if (!target.SaveFile()) return 0;
  g_dataModified = false;
  return 1;
}
