#pragma once
// The open and save file dialogs, behind a port like the message boxes: the
// program installs the Qt dialogs, tests install a scripted answerer.
#include <string>
#include <vector>

struct FileFilter {
  std::string text;     // what the user sees, e.g. "RP58 Files (*.K58)"
  std::string pattern;  // e.g. "*.K58"; matched without regard to case
};

struct FileDialogRequest {
  std::string title;
  std::string folder;  // initial folder; relative to the working directory
  std::vector<FileFilter> filters;
  bool mustExist = true;  // only an existing file can be chosen
};

class IFileDialogSink {
public:
  virtual ~IFileDialogSink() = default;
  // true with the chosen path; false when the user cancelled.
  virtual bool GetOpenFileName(const FileDialogRequest& request, std::string& path) = 0;
  virtual bool GetSaveFileName(const FileDialogRequest& request, std::string& path) = 0;
};

// nullptr restores the default, which cancels every dialog.
void SetFileDialogSink(IFileDialogSink* sink);
IFileDialogSink* GetFileDialogSink();

bool ShowOpenFileDialog(const FileDialogRequest& request, std::string& path);
bool ShowSaveFileDialog(const FileDialogRequest& request, std::string& path);

class QtFileDialogs : public IFileDialogSink {
public:
  bool GetOpenFileName(const FileDialogRequest& request, std::string& path) override;
  bool GetSaveFileName(const FileDialogRequest& request, std::string& path) override;
};

void InstallQtFileDialogs();

// The Qt name filter of one filter: its text with every pattern in upper and
// lower case, so "radio.k58" shows under "*.K58" as it does on the radio
// shop's PCs.
std::string QtNameFilter(const FileFilter& filter);
