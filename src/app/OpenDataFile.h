#pragma once
// "Select file": an existing data file from the "Data" folder, the working
// folder kept whatever the dialog does.
#include <optional>
#include <string>
#include <vector>

#include "platform/FileDialogs.h"

inline const FileFilter kMobileDataFilter{"RP58 Files (*.K58)", "*.K58"};

// The chosen path, or nothing when the dialog was cancelled.
std::optional<std::string> AskOpenDataFile(const std::vector<FileFilter>& filters);
