#pragma once
// What the Key Assignment page of either family shows and does, without a
// widget: the twelve keys (six keys pressed, then held), the function names,
// the pick list of each key in the radio's walk order, a choice with its
// pairing, the captions and which key buttons are live. The page only
// displays it. Every choice leaves the record's in-use flags equal to those
// its key codes give, so no function can be offered to two keys at once.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/KeyAssignRecord.h"
#include "model/RadioImage.h"

inline constexpr int kAssignableKeys = 12;  // 0-5 pressed, 6-11 the same keys held
inline constexpr int kPhysicalKeys = 6;

// A key's other assignment on the same physical key.
constexpr int PairedKey(int k) { return k < kPhysicalKeys ? k + kPhysicalKeys : k - kPhysicalKeys; }
constexpr bool IsHoldKey(int k) { return k >= kPhysicalKeys; }

class CKeyAssignModel {
public:
  CKeyAssignModel(Family family, CKeyAssignRecord& record);

  Family ModelFamily() const { return family_; }
  // The six keys' names ("P1" .. "Down", "Side 1 switch" .. "D").
  static std::span<const char* const> KeyNames(Family family);

  // The family's name of a function code; "" for a code outside the catalogue.
  static std::string FunctionName(Family family, int code);
  std::string FunctionName(int code) const { return FunctionName(family_, code); }

  // The codes of key k's pick list, row by row: "None" (0) first, then the
  // free functions this key may take and its own, in the radio's order.
  std::vector<std::uint8_t> ListFor(int k) const;
  // The row of key k's own code in that list; 0 ("None") when it has none.
  int RowOfCurrent(int k, const std::vector<std::uint8_t>& list) const;

  // Stores `code` for key k: on the mobile radio Emergency, Ext ACC1 and
  // Option SW take both assignments of the key. The in-use flags are then
  // rebuilt from the key codes.
  void Choose(int k, std::uint8_t code);

  std::uint8_t CodeOf(int k) const { return record_.keyFunc[static_cast<std::size_t>(k)]; }
  std::string Caption(int k) const { return FunctionName(CodeOf(k)); }
  // A hold button whose key holds one function in both rows (a pairing)
  // shows it greyed; every other button is live.
  bool IsEnabled(int k) const;

private:
  Family family_;
  CKeyAssignRecord& record_;
};
