#pragma once
// The program's message boxes: a beep, then a modal box over the active
// window with the text exactly as worded.
#include "model/MessageBox.h"

class QtMessageSink : public IMessageSink {
public:
  int Show(const std::string& text, const std::string& caption, unsigned style) override;
};

// Installs one QtMessageSink for the rest of the run (the program calls this
// at start-up; tests keep their scripted sink instead).
void InstallQtMessageSink();
