#include "model/MessageBox.h"

namespace {
IMessageSink* g_sink = nullptr;

int FirstButton(unsigned style) {
  switch (style & 0x0F) {
    case kMsgYesNo:
    case kMsgYesNoCancel:
      return kIdYes;
    default:
      return kIdOk;
  }
}
}  // namespace

void SetMessageSink(IMessageSink* sink) { g_sink = sink; }
IMessageSink* GetMessageSink() { return g_sink; }

int ShowMessageBox(const std::string& text, unsigned style, const std::string& caption) {
  if (g_sink == nullptr) return FirstButton(style);
  return g_sink->Show(text, caption, style);
}
