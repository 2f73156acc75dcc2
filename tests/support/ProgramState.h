#pragma once
// Puts every piece of process-wide program state back to how a fresh start
// finds it: no image, a zeroed adjustment copy, the mobile family, nothing
// changed, the bundled data file name, both families' records as built (no
// hand-made radio installed), fresh configuration objects and ranges, no
// privilege modes, and no data-file view, year source or image allocator.
// Message sinks are left alone: ScriptedMessages installs and removes itself.
void ResetProgramState();

// A fixture's first member: fresh state before the other members install
// anything (a hand-made radio, a view), and again once the test is over.
struct FreshProgramState {
  FreshProgramState() { ResetProgramState(); }
  ~FreshProgramState() { ResetProgramState(); }
  FreshProgramState(const FreshProgramState&) = delete;
  FreshProgramState& operator=(const FreshProgramState&) = delete;
};
