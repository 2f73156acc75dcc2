#pragma once
// The one way the program shows a message box. The records, the data files
// and the link engines call ShowMessageBox; the Qt layer installs a sink that
// beeps and shows a real box, tests install a scripted one.
#include <string>

enum MsgButtons : unsigned {
  kMsgOk = 0,
  kMsgOkCancel = 1,
  kMsgYesNoCancel = 3,
  kMsgYesNo = 4,
};

enum MsgIcon : unsigned {
  kMsgIconNone = 0,
  kMsgIconError = 0x10,
  kMsgIconQuestion = 0x20,
  kMsgIconWarning = 0x30,
  kMsgIconInformation = 0x40,
};

// Button answers, numbered as the dialogs of the radio shop's old tools were.
enum MsgResult : int {
  kIdOk = 1,
  kIdCancel = 2,
  kIdYes = 6,
  kIdNo = 7,
};

class IMessageSink {
public:
  virtual ~IMessageSink() = default;
  // Shows the text exactly as worded and returns the button pressed.
  virtual int Show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

// Installs the sink; nullptr restores the default, which answers every box
// with its first button (OK or Yes) and shows nothing.
void SetMessageSink(IMessageSink* sink);
IMessageSink* GetMessageSink();

// style = buttons | icon. Caption empty means the program's own name.
int ShowMessageBox(const std::string& text, unsigned style = kMsgOk, const std::string& caption = "");
