#pragma once
// The short warning sound of a refused keystroke or a message box. Tests
// install a hook to count beeps instead of hearing them.
#include <functional>

void MessageBeep();
// nullptr restores the real beep.
void SetBeepHook(std::function<void()> hook);
