#pragma once
// The question asked before unsaved changes could be lost (Exit, closing the
// window, Open, Read from Radio, a model change).
#include <string>

class ISaveTarget {
public:
  virtual ~ISaveTarget() = default;
  // Runs the Save command; true only when the file was written.
  virtual bool SaveFile() = 0;
  // The file line's text ("File:" and the name), named in the question.
  virtual std::string FileLineText() const = 0;
};

// "Save changes to %1?" with the file the file line names ("Untitled" when it
// names none).
std::string SaveQuestionText(const std::string& fileLine);

// What the caller does with the data after a No.
enum class AfterNo {
  // Throws it away whatever follows (Exit, closing, a model change): the
  // changes are no longer marked.
  kDrop,
  // Replaces it only if its own step succeeds (Open, Read from Radio), and
  // the replacement clears the mark: a cancelled dialog must leave the
  // changes marked, or closing would lose them without asking.
  kReplace,
};

// 1 = go on: nothing was changed, the user said No, or said Yes and the save
// completed. 0 = stop: Cancel, or Yes and the save was cancelled, refused or
// failed; the changes stay marked.
int ConfirmSaveChanges(ISaveTarget& target, AfterNo afterNo = AfterNo::kDrop);
