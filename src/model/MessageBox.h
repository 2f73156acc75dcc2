#pragma once
// The one way the program shows a message box. The records, the data files
// and the link engines call ShowMessageBox; the Qt layer installs a sink that
// beeps and shows a real box, tests install a scripted one.
#include <string>

// Box styles: one button set ORed with at most one icon.
inline constexpr unsigned kMsgOk = 0;
inline constexpr unsigned kMsgOkCancel = 1;
inline constexpr unsigned kMsgYesNoCancel = 3;
inline constexpr unsigned kMsgYesNo = 4;
inline constexpr unsigned kMsgIconNone = 0;
inline constexpr unsigned kMsgIconError = 0x10;
inline constexpr unsigned kMsgIconQuestion = 0x20;
inline constexpr unsigned kMsgIconWarning = 0x30;
inline constexpr unsigned kMsgIconInformation = 0x40;

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
