#pragma once
// Puts every piece of program-wide state of every layer the test links back
// to how a fresh start finds it: each layer's own reset, registered beside
// its state (model/FreshStart.h). The model's: no image, a zeroed adjustment
// copy, the mobile family, nothing changed, the bundled data file name, both
// families' records as built (no hand-made radio installed), fresh
// configuration objects and ranges, no privilege modes, and no data-file
// view, year source or image allocator. Message, file-dialog and printer
// sinks are left alone: the scripted ones install and remove themselves.
void ResetProgramState();

// A fixture's first member: fresh state before the other members install
// anything (a hand-made radio, a view), and again once the test is over.
struct FreshProgramState {
  FreshProgramState() { ResetProgramState(); }
  ~FreshProgramState() { ResetProgramState(); }
  FreshProgramState(const FreshProgramState&) = delete;
  FreshProgramState& operator=(const FreshProgramState&) = delete;
};
