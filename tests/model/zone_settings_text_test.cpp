// The identifier and dial rules of the interconnect and LTR advanced
// settings: what a typed text stores and what a stored value shows.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "model/RadioData.h"
#include "model/ZoneSettingsText.h"

namespace {

TEST(ZoneSettingsText, TypedIdentifiers) {
  const struct {
    const char* typed;
    std::optional<std::uint8_t> stored;
  } cases[] = {
      {"", 255}, {" ", 255}, {"1", 1}, {"250", 250}, {"007", 7},
      {"0", std::nullopt}, {"251", std::nullopt}, {"999", std::nullopt}, {"  ", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIdentifier(c.typed), c.stored) << '"' << c.typed << '"';
  EXPECT_EQ(IdentifierText(255), "");
  EXPECT_EQ(IdentifierText(25), "25");
}

TEST(ZoneSettingsText, ConnectDialRoundTripsThroughItsNibbles) {
  CRadioDataCore data(kMobileFamilyTraits);
  const auto bytes = [&] {
    std::array<std::uint8_t, 8> b{};
    for (int k = 0; k < 8; ++k) b[static_cast<std::size_t>(k)] = data.m_zoneBytes[static_cast<std::size_t>(2 + k)][5];
    return b;
  };
  const struct {
    const char* typed;
    std::array<std::uint8_t, 8> bytes;
    const char* shown;
  } cases[] = {
      {"5551234", {0x75, 0x55, 0x12, 0x34, 0, 0, 0, 0}, "5551234        "},
      {"12*#", {0x41, 0x2E, 0xF0, 0, 0, 0, 0, 0}, "12*#           "},
      {"", {0, 0, 0, 0, 0, 0, 0, 0}, "               "},
      {"0123456789ABCD*", {0xF0, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE}, "0123456789ABCD*"},
      // The first blank ends the dial; what follows is kept past the count.
      {"12 4", {0x21, 0x20, 0x40, 0, 0, 0, 0, 0}, "12             "},
  };
  for (const auto& c : cases) {
    for (int k = 2; k <= 9; ++k) data.m_zoneBytes[static_cast<std::size_t>(k)][5] = 0xAB;
    StoreConnectDial(data, 5, c.typed);
    EXPECT_EQ(bytes(), c.bytes) << c.typed;
    EXPECT_EQ(ConnectDialText(data, 5), c.shown) << c.typed;
    EXPECT_EQ(data.m_zoneBytes[2][4], 0);
  }
}

}  // namespace
