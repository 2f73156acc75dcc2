#include "model/KeyAssignModel.h"

#include <algorithm>
#include <array>

namespace {

constexpr const char* kMobileKeyNames[] = {"P1", "P2", "P3", "P4", "Up", "Down"};
constexpr const char* kPortableKeyNames[] = {"Side 1 switch", "Side 2 switch", "A", "B", "C", "D"};

// Names of codes 0..31, then 64 upwards; the two families differ in a few.
constexpr std::array<const char*, 32> kMobileLow = {
    "None",         "Monitor",          "Lighting",         "Scan",
    "Dual Watch",   "TX Low Power",     "Talk Around",      "TXSAVE Disable",
    "Encryption",   "Follow-Me DW",     "Zone Up",          "Zone Down",
    "Group Up",     "Group Down",       "SCAN A/D",         "Call / Reset",
    "Phone",        "Emergency",        "LCD Invert",       "Home",
    "Horn",         "Transponder",      "Display Information", "KeyLock",
    "Aux 1",        "Home Set",         "Short cut to GP1", "Short cut to GP2",
    "Short cut to GP3", "Short cut to GP4", "Follow-Me Scan", "External PTT"};
constexpr const char* kMobileHigh[] = {"NSQ",      "Continuous zone up", "Continuous zone down",
                                       "Continuous group up", "Continuous group down",
                                       "Call 1",   "Call 2",   "Code Set", "Code up", "Code down",
                                       "Public Address", "Ext ACC1", "Ext ACC2", "AF min Vr", "Option SW"};
constexpr const char* kPortableHigh[] = {"NSQ",      "Continuous zone up", "Continuous zone down",
                                         "Continuous group up", "Continuous group down",
                                         "Call 1",   "Call 2",   "Code set", "Code up", "Code down"};
constexpr std::uint8_t kFirstCatalogueHigh = 64;
constexpr std::uint8_t kPortableEncryption = 8;

// The walks of the pick list. The first: functions every key may take;
// then the hold-only ones; then those of every key.
constexpr std::uint8_t kMobileFirstWalk[] = {1, 10, 11, 12, 13, 3, 14, 19, 25, 26, 27, 28, 29,
                                             5, 6,  4,  9,  15, 16, 17, 20, 23, 2, 8, 31};
constexpr std::uint8_t kPortableFirstWalk[] = {1, 10, 11, 12, 13, 3, 14, 19, 25, 26, 27, 28, 29,
                                               5, 6,  4,  9,  15, 16, 17, 20, 23, 2, 22, 18, 31};
constexpr std::uint8_t kHoldWalk[] = {64, 65, 66, 67, 68};
constexpr std::uint8_t kMobileCommonWalk[] = {69, 70, 71, 72, 73, 74, 75, 76, 77};
constexpr std::uint8_t kPortableCommonWalk[] = {69, 70, 71, 72, 73};

// Free functions of the first walk a key cannot newly take: the radio keeps
// them to keys that already hold them.
constexpr std::uint8_t kMobileKeptFree[] = {4, 9, 31};
constexpr std::uint8_t kPortableKeptFree[] = {4, 9, 18, 20, 22, 31};

// Mobile functions that take both assignments of their key.
constexpr std::uint8_t kMobilePaired[] = {kKeyEmergency, 75, 78};

template <class Range>
bool Contains(const Range& range, std::uint8_t code) {
  return std::find(std::begin(range), std::end(range), code) != std::end(range);
}

}  // namespace

CKeyAssignModel::CKeyAssignModel(Family family, CKeyAssignRecord& record) : family_(family), record_(record) {}

std::span<const char* const> CKeyAssignModel::KeyNames(Family family) {
  if (family == kPortable) return kPortableKeyNames;
  return kMobileKeyNames;
}

std::string CKeyAssignModel::FunctionName(Family family, int code) {
  if (code >= 0 && code < static_cast<int>(kMobileLow.size())) {
    if (family == kPortable && code == kPortableEncryption) return "Encryption Disable";
    return kMobileLow[static_cast<std::size_t>(code)];
  }
  const std::span<const char* const> high = family == kPortable ? std::span<const char* const>(kPortableHigh)
                                                                : std::span<const char* const>(kMobileHigh);
  const int i = code - kFirstCatalogueHigh;
  if (i >= 0 && i < static_cast<int>(high.size())) return high[static_cast<std::size_t>(i)];
  return {};
}

std::vector<std::uint8_t> CKeyAssignModel::ListFor(int k) const {
  const bool portable = family_ == kPortable;
  const std::uint8_t own = CodeOf(k);
  std::vector<std::uint8_t> rows = {0};
  // A function some assignment holds is offered only to the key holding it.
  const auto offer = [&](std::uint8_t code, bool keptFree) {
    if (record_.IsInUse(code) ? code == own : !keptFree) rows.push_back(code);
  };
  const std::span<const std::uint8_t> first =
      portable ? std::span<const std::uint8_t>(kPortableFirstWalk) : std::span<const std::uint8_t>(kMobileFirstWalk);
  for (const std::uint8_t code : first) {
    const bool kept = portable ? Contains(kPortableKeptFree, code) || (code == kKeyEmergency && !IsHoldKey(k))
                               : Contains(kMobileKeptFree, code);
    offer(code, kept);
  }
  if (IsHoldKey(k))
    for (const std::uint8_t code : kHoldWalk) offer(code, false);
  const std::span<const std::uint8_t> common =
      portable ? std::span<const std::uint8_t>(kPortableCommonWalk) : std::span<const std::uint8_t>(kMobileCommonWalk);
  for (const std::uint8_t code : common) offer(code, false);
  return rows;
}

int CKeyAssignModel::RowOfCurrent(int k, const std::vector<std::uint8_t>& list) const {
  const auto it = std::find(list.begin(), list.end(), CodeOf(k));
  return it == list.end() ? 0 : static_cast<int>(it - list.begin());
}

void CKeyAssignModel::Choose(int k, std::uint8_t code) {
  record_.keyFunc[static_cast<std::size_t>(k)] = code;
  if (family_ == kMobile && Contains(kMobilePaired, code))
    record_.keyFunc[static_cast<std::size_t>(PairedKey(k))] = code;
  // Counted again from every code: a pairing overwrites a code another
  // assignment may still hold, or frees one the other row still holds.
  record_.RebuildInUse();
}

bool CKeyAssignModel::IsEnabled(int k) const {
  if (family_ == kPortable || !IsHoldKey(k)) return true;
  const std::uint8_t code = CodeOf(k);
  return code == 0 || code != CodeOf(PairedKey(k));
}
