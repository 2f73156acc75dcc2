#include "model/GroupSignaling.h"

#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "model/GlobalRecordText.h"

namespace {

bool BitOf(std::uint8_t byte, int bit) { return (byte >> bit) & 1; }
void PutBit(std::uint8_t& byte, int bit, bool on) {
  byte = static_cast<std::uint8_t>(on ? byte | (1u << bit) : byte & ~(1u << bit));
}

// The bytes of a group (and of the Default record) the function lives in.
constexpr int kFunction = 1;   // bit 4 function, bit 6 its second part (product code 11 or 39), bits 0-3 the number
constexpr int kActive = 3;     // bit 7: the second part, other product codes
constexpr int kAniBit = 7;     // group byte 1
// The Default record's second part: byte 4, bit 1 (mobile) or bit 4 (portable).
int DefaultActiveBit(const SignalingContext& ctx) { return ctx.Mobile() ? 1 : 4; }

const ChoiceRows& Rows3() {
  static const ChoiceRows rows = {{"Disable", 0}, {"Paging", 1}, {"Signaling", 3}};
  return rows;
}
const ChoiceRows& Rows4() {
  static const ChoiceRows rows = {{"Disable", 0}, {"Paging", 1}, {"Option", 2}, {"Signaling", 3}};
  return rows;
}
const ChoiceRows& RowsEnable() {
  static const ChoiceRows rows = {{"Disable", 0}, {"Enable", 1}};
  return rows;
}
const ChoiceRows& LocationRows() {
  static const ChoiceRows rows = {{"Loc. 1", 0}, {"Loc. 2", 1}, {"Loc. 3", 2}, {"Loc. 4", 3}, {"Loc. 5", 4},
                                  {"Loc. 6", 5}, {"Loc. 7", 6}, {"Loc. 8", 7}, {"Loc. 9", 8}, {"Loc. 0", 9}};
  return rows;
}
const ChoiceRows& SystemRows() {
  static const ChoiceRows rows = {{"GE Star", 1}, {"MDC-1200", 2}, {"DTMF", 3}};
  return rows;
}

std::uint8_t EncryptionBits(const std::array<std::uint8_t, 6>& bytes) { return (bytes[0] >> 3) & 3; }

// The value of the line `line` of the rows the cell offered.
std::uint32_t LineValue(const SignalingContext& ctx, std::uint8_t encryptionBits, int line) {
  const ChoiceRows rows = ConvSignalingRows(ctx, encryptionBits);
  return line >= 0 && static_cast<std::size_t>(line) < rows.size() ? rows[static_cast<std::size_t>(line)].value : 0;
}

}  // namespace

SignalingContext SignalingContextOf(const CFamilyModel& model) {
  SignalingContext ctx;
  ctx.family = model.radioData.IsPortableFamily() ? kPortable : kMobile;
  ctx.code1139 = IsMobileProductCode(static_cast<std::uint8_t>(model.radioData.m_productWord >> 8));
  if (ctx.Mobile()) {
    ctx.xld = OptionBoardOf(model.global) == kOptionBoardXld;
    ctx.noEncryption = ValueOf(model.global, global::kOptionBoard) == kOptionBoardEncryption;
  }
  return ctx;
}

// ---------------------------------------------------------------------------
// LTR

std::uint32_t LtrSignalingValue(const SignalingContext& ctx, const CGroupRecord& g) {
  const std::uint8_t b1 = g.settings[kFunction];
  const bool second = ctx.Mobile() && ctx.code1139 ? BitOf(b1, 6) : BitOf(g.settings[kActive], 7);
  return BitOf(b1, 4) + 2u * second;
}

std::uint32_t LtrDefaultSignalingValue(const SignalingContext& ctx, const CDefaultGroupRecord& r) {
  if (ctx.Mobile() && ctx.code1139) return BitOf(r.bytes[1], 4) + 2u * BitOf(r.bytes[2], 0);
  return ((r.bytes[1] >> 5) & 3) + 2u * BitOf(r.bytes[4], DefaultActiveBit(ctx));
}

void StoreLtrSignaling(const SignalingContext& ctx, CGroupRecord& g, bool on) {
  PutBit(g.settings[kFunction], 4, on);
  if (ctx.Mobile() && ctx.code1139)
    PutBit(g.settings[kFunction], 6, on);
  else
    PutBit(g.settings[kActive], 7, on);
}

void StoreLtrDefaultSignaling(const SignalingContext& ctx, CDefaultGroupRecord& r, bool on) {
  if (ctx.Mobile() && ctx.code1139) {
    PutBit(r.bytes[1], 4, on);
    PutBit(r.bytes[2], 0, on);
    return;
  }
  PutBit(r.bytes[1], 5, on);
  PutBit(r.bytes[1], 6, false);
  PutBit(r.bytes[4], DefaultActiveBit(ctx), on);
}

// ---------------------------------------------------------------------------
// Conventional

std::uint32_t ConvSignalingValue(const SignalingContext& ctx, const CGroupRecord& g) {
  const std::uint8_t b1 = g.settings[kFunction];
  if (!ctx.Mobile() && ctx.code1139) return BitOf(b1, 4);
  return LtrSignalingValue(ctx, g);
}

std::uint32_t ConvDefaultSignalingValue(const SignalingContext& ctx, const CDefaultGroupRecord& r) {
  if (!ctx.Mobile() && ctx.code1139) return BitOf(r.bytes[1], 4);
  return LtrDefaultSignalingValue(ctx, r);
}

ChoiceRows ConvSignalingRows(const SignalingContext& ctx, std::uint8_t encryptionBits) {
  if (!ctx.Mobile() && ctx.code1139) return RowsEnable();
  if (ctx.Mobile() && ctx.code1139 && ctx.xld && encryptionBits == 0) return Rows4();
  return Rows3();
}

void StoreConvSignaling(const SignalingContext& ctx, CGroupRecord& g, int line) {
  std::uint8_t& b1 = g.settings[kFunction];
  const std::uint8_t encryption = EncryptionBits(g.settings);
  const std::uint32_t value = LineValue(ctx, encryption, line);
  if (!ctx.Mobile() && ctx.code1139) {
    PutBit(b1, 4, value & 1);
    return;
  }
  const int old = BitOf(b1, 4) + 4 * BitOf(b1, 6);
  if (ctx.Mobile() && ctx.code1139) {
    if (line >= 2) {
      PutBit(b1, kAniBit, false);
      PutBit(b1, 4, !(ctx.xld && line == 2 && encryption == 0));
      PutBit(b1, 6, true);
    } else {
      PutBit(b1, 4, value & 1);
      PutBit(b1, 6, false);
    }
  } else {
    PutBit(b1, 4, line >= 2 || (value & 1));
    PutBit(g.settings[kActive], 7, line >= 2);
  }
  if (!ctx.Mobile()) return;  // the portable radio keeps its paging number
  const int now = BitOf(b1, 4) + 4 * BitOf(b1, 6);
  if (now != old) b1 = static_cast<std::uint8_t>((b1 & 0xF0) | (now == 4 ? 1 : 0));
}

void StoreConvDefaultSignaling(const SignalingContext& ctx, CDefaultGroupRecord& r, int line) {
  const std::uint32_t value = LineValue(ctx, EncryptionBits(r.bytes), line);
  if (!ctx.Mobile() && ctx.code1139) {
    PutBit(r.bytes[1], 4, value & 1);
    return;
  }
  if (ctx.Mobile() && ctx.code1139) {
    PutBit(r.bytes[1], 4, line >= 2 ? !(ctx.xld && line == 2 && EncryptionBits(r.bytes) == 0) : (value & 1) != 0);
    PutBit(r.bytes[2], 0, line >= 2);
    return;
  }
  const std::uint8_t pair = line >= 2 ? 1 : static_cast<std::uint8_t>(value & 3);
  r.bytes[1] = static_cast<std::uint8_t>((r.bytes[1] & ~0x60) | (pair << 5));
  PutBit(r.bytes[4], DefaultActiveBit(ctx), line >= 2);
}

void StoreConvSignalingFromDefault(const SignalingContext& ctx, const CDefaultGroupRecord& r, CGroupRecord& g,
                                   int line) {
  std::uint8_t& b1 = g.settings[kFunction];
  if (!ctx.Mobile() && ctx.code1139) {
    PutBit(b1, 4, BitOf(r.bytes[1], 4));
    return;
  }
  if (ctx.Mobile() && ctx.code1139) {
    if (line >= 2) PutBit(b1, kAniBit, false);
    PutBit(b1, 4, BitOf(r.bytes[1], 4));
    PutBit(b1, 6, BitOf(r.bytes[2], 0));
    return;
  }
  PutBit(b1, 4, BitOf(r.bytes[1], 5));
  PutBit(g.settings[kActive], 7, BitOf(r.bytes[4], DefaultActiveBit(ctx)));
}

ChoiceRows ConvNumberRows(const SignalingContext& ctx, const CGroupRecord& g) {
  const std::uint8_t b1 = g.settings[kFunction];
  const bool paging = !ctx.Mobile() || (BitOf(b1, 4) && !BitOf(b1, 6));
  return paging ? LocationRows() : SystemRows();
}

std::string ConvNumberText(const SignalingContext& ctx, const CGroupRecord& g) {
  const std::uint32_t n = g.settings[kFunction] & 0x0F;
  const std::uint32_t f = ConvSignalingValue(ctx, g);
  if (!ctx.Mobile() || f == 1) return LocationRows()[static_cast<std::size_t>(RowOfChoiceRow(LocationRows(), n, 0))].text;
  if ((f == 0 || f == 3) && n == 0) return "Disable";
  return SystemRows()[static_cast<std::size_t>(RowOfChoiceRow(SystemRows(), n, 0))].text;
}

bool ConvNumberOpen(const SignalingContext& ctx, const CGroupRecord& g) {
  const std::uint8_t b1 = g.settings[kFunction];
  if (ctx.code1139) {
    if (!ctx.Mobile()) return true;
    const std::uint32_t f = MobileFunctionPair(g);
    return f == 1 || f == 2;
  }
  return !(BitOf(b1, 4) && BitOf(g.settings[kActive], 7));
}

// ---------------------------------------------------------------------------
// Cell rules

std::uint32_t MobileFunctionPair(const CGroupRecord& g) {
  return BitOf(g.settings[kFunction], 4) + 2u * BitOf(g.settings[kFunction], 6);
}
std::uint32_t MobileDefaultFunctionPair(const CDefaultGroupRecord& r) {
  return BitOf(r.bytes[1], 4) + 2u * BitOf(r.bytes[2], 0);
}

bool MobileEncryptionOpen(const SignalingContext& ctx, std::uint32_t pair) {
  if (!ctx.code1139) return true;
  return pair != 2 && !ctx.noEncryption;
}

bool MobileConvAniOpen(const SignalingContext& ctx, const CGroupRecord& g) {
  return !ctx.code1139 || !BitOf(g.settings[kFunction], 6);
}
