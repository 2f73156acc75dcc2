// Program entry: one instance per user, the main window run modally, the
// program folder as the working directory so every file is found by its
// plain relative name.
#include <QDir>
#include <QTextStream>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MainDlg.h"
#include "app/PrintDriver.h"
#include "app/SingleInstance.h"
#include "app/StartProbe.h"
#include "model/MessageBox.h"
#include "platform/FileDialogs.h"
#include "platform/KeyPreview.h"
#include "platform/QtMessageSink.h"

namespace {

// With RP58_MESSAGES=stderr the message boxes are written to the standard
// error and answered with their first button: unattended runs (scripts, the
// test suite) never wait on a window.
class StderrMessageSink : public IMessageSink {
public:
  int Show(const std::string& text, const std::string&, unsigned style) override {
    std::fprintf(stderr, "%s\n", text.c_str());
    const unsigned buttons = style & 0x0F;
    return (buttons == kMsgYesNo || buttons == kMsgYesNoCancel) ? kIdYes : kIdOk;
  }
};

}  // namespace

int main(int argc, char** argv) {
  // A second copy ends at once, with no window and no message.
  CSingleInstanceLock instance;
  if (instance.Acquire(CSingleInstanceLock::DefaultFolder()) == CSingleInstanceLock::kHeldElsewhere) return 0;

  Rp58Application app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("RP58"));

  static StderrMessageSink stderrSink;
  if (qEnvironmentVariable("RP58_MESSAGES") == QStringLiteral("stderr"))
    SetMessageSink(&stderrSink);
  else
    InstallQtMessageSink();
  InstallQtFileDialogs();
  InstallQtPrintDialog();
  InstallStartProbe();

  std::error_code ec;
  const std::string startFolder = std::filesystem::current_path(ec).string();
  std::filesystem::current_path(QCoreApplication::applicationDirPath().toStdString(), ec);

  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);

  CMainDlg dlg;
  if (const auto exitCode = dlg.OnInitDialog(args, startFolder)) return *exitCode;
  dlg.exec();
  return 0;
}
