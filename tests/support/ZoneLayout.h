#pragma once
// The zones a page test starts from.
#include <vector>

class CRadioDataCore;

// Gives zones their group counts (the zones after them none), LTR or
// conventional, a zone switched on when it has groups, each LTR zone with a
// programmed home repeater so that the data can be saved; the zones' groups
// are the first records in zone order, all switched on.
void LayOutZones(CRadioDataCore& data, const std::vector<int>& counts, const std::vector<bool>& ltr = {});
