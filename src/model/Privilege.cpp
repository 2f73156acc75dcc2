#include "model/Privilege.h"

#include "model/FreshStart.h"

// A fresh start has neither mode: set by the fresh start below.
bool g_manufacturerMode;
bool g_serviceMode;

namespace {
void FreshPrivileges() {
  g_manufacturerMode = false;
  g_serviceMode = false;
}
const FreshStartReset kFreshStart(&FreshPrivileges);
}  // namespace
