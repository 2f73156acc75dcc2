#include "model/FreshStart.h"

#include <vector>

namespace {
// Built on first use: registrations run while the program's statics are
// still being built, in no order this file can rely on.
std::vector<FreshStartReset::Reset>& Resets() {
  static std::vector<FreshStartReset::Reset> resets;
  return resets;
}
}  // namespace

FreshStartReset::FreshStartReset(Reset reset) {
  Resets().push_back(reset);
  reset();
}

void ResetToFreshStart() {
  for (FreshStartReset::Reset reset : Resets()) reset();
}
