#pragma once
// The question asked before unsaved changes could be lost (Exit, closing the
// window, Open, a model change).
#include <string>

class ISaveTarget {
public:
  virtual ~ISaveTarget() = default;
  // Runs the Save command; true only when the file was written.
  virtual bool SaveFile() = 0;
  // The file line's text ("File:" and the name), named in the question.
  virtual std::string FileLineText() const = 0;
};

// "Save changes to %1?" with the file line's text.
std::string SaveQuestionText(const std::string& fileLine);

// 1 = go on: nothing was changed, the user said No, or said Yes and the save
// completed. 0 = stop: Cancel, or Yes and the save was cancelled, refused or
// failed; the changes stay marked.
int ConfirmSaveChanges(ISaveTarget& target);
