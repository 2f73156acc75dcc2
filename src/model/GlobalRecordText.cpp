#include "model/GlobalRecordText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "model/Digits.h"
#include "model/DtmfData.h"
#include "model/GlobalRecordFields.h"

namespace {

constexpr int kLedMaxMs = 2550;
constexpr int kAfMinVrMax = 31;

void KeepPasswordText(CGlobalRecord& record, std::string text) {
  record.passwordText = std::move(text);
  // A radio with a password cannot be cloned.
  if (!record.passwordText.empty()) Resolve(record, global::kClone).Set(0);
}

}  // namespace

std::string PasswordText(const CGlobalRecord& record) {
  const auto& bytes = record.radioPassword;
  std::string text(bytes.data(), strnlen(bytes.data(), bytes.size()));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

void StorePassword(CGlobalRecord& record, const std::string& typed) {
  auto& bytes = record.radioPassword;
  if (typed.empty()) {
    bytes.fill(0);
  } else {
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = i < typed.size() ? typed[i] : ' ';
  }
  KeepPasswordText(record, typed);
}

void TakePasswordFromBytes(CGlobalRecord& record) { KeepPasswordText(record, PasswordText(record)); }

std::string LedTimeText(std::uint8_t stored) { return std::to_string(stored * 10) + "msec"; }

std::optional<std::uint8_t> LedTimeOfText(const std::string& typed) {
  const int ms = std::atoi(typed.c_str());
  if (ms < 0 || ms > kLedMaxMs) return std::nullopt;
  return static_cast<std::uint8_t>((ms + 5) / 10);
}

OptionBoardRow OptionBoardOf(const CGlobalRecord& record) {
  const std::uint32_t board = ValueOf(record, global::kOptionBoard);
  if (board == 4 && ValueOf(record, global::kOptionBoardCode) == 3) return kOptionBoardXld;
  return board == 3 ? kOptionBoardXbe : kOptionBoardNone;
}

void SetOptionBoard(CGlobalRecord& record, OptionBoardRow row) {
  Resolve(record, global::kOptionBoard).Set(row == kOptionBoardXld ? 4 : row == kOptionBoardXbe ? 3 : 0);
  Resolve(record, global::kOptionBoardCode).Set(row == kOptionBoardXld ? 3 : 0);
}

std::string EmergencyCodeText(const CGlobalRecord& record) {
  return DtmfStringField(record.emergencyCode.data());
}

void StoreEmergencyCode(CGlobalRecord& record, const std::string& typed) {
  DtmfStringFromText(typed, record.emergencyCode.data());
}

std::optional<std::uint8_t> AfMinVrLevelOfText(const std::string& typed) {
  const int level = std::atoi(typed.c_str());
  if (level < 0 || level > kAfMinVrMax) return std::nullopt;
  return static_cast<std::uint8_t>(level);
}

std::vector<std::uint8_t> ExclusiveRows(std::uint8_t none, std::span<const std::uint8_t> candidates,
                                        std::span<const std::uint8_t> held, std::size_t own) {
  std::vector<std::uint8_t> rows = {none};
  for (const std::uint8_t value : candidates) {
    bool heldElsewhere = false;
    for (std::size_t i = 0; i < held.size(); ++i)
      if (i != own && held[i] == value) heldElsewhere = true;
    if (!heldElsewhere || (own < held.size() && held[own] == value)) rows.push_back(value);
  }
  return rows;
}

namespace {

std::array<std::uint8_t, kAccPorts> AccCodes(const CGlobalRecord& record, bool input) {
  std::array<std::uint8_t, kAccPorts> codes{};
  for (int port = 0; port < kAccPorts; ++port)
    codes[static_cast<std::size_t>(port)] =
        static_cast<std::uint8_t>(ValueOf(record, input ? global::AccInput(port) : global::AccOutput(port)));
  return codes;
}

Choices AccTable(bool input) { return input ? Choices(kAccInputFunctions) : Choices(kAccOutputFunctions); }

}  // namespace

std::vector<std::uint8_t> AccFunctionRows(const CGlobalRecord& record, bool input, int port) {
  std::vector<std::uint8_t> candidates;
  for (const Choice& c : AccTable(input).subspan(1))
    if (!(input && c.value == kAccDataMode && port != kAccInputPort6)) candidates.push_back(static_cast<std::uint8_t>(c.value));
  const auto held = AccCodes(record, input);
  return ExclusiveRows(0, candidates, held, static_cast<std::size_t>(port));
}

void StoreAccFunction(CGlobalRecord& record, bool input, int port, std::uint8_t code) {
  Resolve(record, input ? global::AccInput(port) : global::AccOutput(port)).Set(code);
  // Ports 1-4 have both an input and an output on one line.
  constexpr int kLinesWithBoth = 4;
  if (code != 0 && port < kLinesWithBoth)
    Resolve(record, input ? global::AccOutput(port) : global::AccInput(port)).Set(0);
}

const char* AccFunctionText(bool input, std::uint8_t code) { return ChoiceText(AccTable(input), code, -1); }
