#include "ProgramState.h"

#include "model/FreshStart.h"

void ResetProgramState() { ResetToFreshStart(); }
