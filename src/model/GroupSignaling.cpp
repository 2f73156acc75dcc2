#include "model/GroupSignaling.h"

#include "model/Digits.h"
#include "model/FamilyModel.h"
#include "model/GlobalRecordFields.h"
#include "model/GlobalRecordText.h"

namespace {

namespace gf = group_field;
namespace df = default_group_field;

// The Default record's high function bit of a family, other product codes.
DefaultGroupField DefaultFunctionHigh(const SignalingContext& ctx) {
  return (ctx.Mobile() ? kMobileDefaultGroupFields : kPortableDefaultGroupFields).functionHigh;
}
// The function's high bit of a group: its own bit on a mobile radio of
// product code 11 or 39.
GroupField FunctionHigh(const SignalingContext& ctx) {
  return ctx.Mobile() && ctx.code1139 ? gf::kFunctionHighCode1139 : gf::kFunctionHigh;
}

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

std::uint8_t EncryptionBits(const CGroupRecord& g) { return static_cast<std::uint8_t>(g.Value(gf::kMobileEncryption)); }
std::uint8_t EncryptionBits(const CDefaultGroupRecord& r) {
  return static_cast<std::uint8_t>(r.Value(df::kMobileEncryption));
}

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
  return g.Value(gf::kFunction) + 2u * g.Value(FunctionHigh(ctx));
}

std::uint32_t LtrDefaultSignalingValue(const SignalingContext& ctx, const CDefaultGroupRecord& r) {
  if (ctx.Mobile() && ctx.code1139) return MobileDefaultFunctionPair(r);
  return r.Value(df::kFunctionPair) + 2u * r.Value(DefaultFunctionHigh(ctx));
}

void StoreLtrSignaling(const SignalingContext& ctx, CGroupRecord& g, bool on) {
  g.Set(gf::kFunction, on);
  g.Set(FunctionHigh(ctx), on);
}

void StoreLtrDefaultSignaling(const SignalingContext& ctx, CDefaultGroupRecord& r, bool on) {
  if (ctx.Mobile() && ctx.code1139) {
    r.Set(df::kFunction, on);
    r.Set(df::kFunctionHighCode1139, on);
    return;
  }
  r.Set(df::kFunctionPair, on);
  r.Set(DefaultFunctionHigh(ctx), on);
}

// ---------------------------------------------------------------------------
// Conventional

std::uint32_t ConvSignalingValue(const SignalingContext& ctx, const CGroupRecord& g) {
  if (!ctx.Mobile() && ctx.code1139) return g.Value(gf::kFunction);
  return LtrSignalingValue(ctx, g);
}

std::uint32_t ConvDefaultSignalingValue(const SignalingContext& ctx, const CDefaultGroupRecord& r) {
  if (!ctx.Mobile() && ctx.code1139) return r.Value(df::kFunction);
  return LtrDefaultSignalingValue(ctx, r);
}

ChoiceRows ConvSignalingRows(const SignalingContext& ctx, std::uint8_t encryptionBits) {
  if (!ctx.Mobile() && ctx.code1139) return RowsEnable();
  if (ctx.Mobile() && ctx.code1139 && ctx.xld && encryptionBits == 0) return Rows4();
  return Rows3();
}

void StoreConvSignaling(const SignalingContext& ctx, CGroupRecord& g, int line) {
  const std::uint8_t encryption = EncryptionBits(g);
  const std::uint32_t value = LineValue(ctx, encryption, line);
  if (!ctx.Mobile() && ctx.code1139) {
    g.Set(gf::kFunction, value & 1);
    return;
  }
  // Bit 4 and bit 6 of byte 1, read as one value.
  const auto pair = [&g] { return g.Value(gf::kFunction) + 4 * g.Value(gf::kFunctionHighCode1139); };
  const std::uint32_t old = pair();
  if (ctx.Mobile() && ctx.code1139) {
    if (line >= 2) {
      g.Set(gf::kAni, 0);
      g.Set(gf::kFunction, !(ctx.xld && line == 2 && encryption == 0));
      g.Set(gf::kFunctionHighCode1139, 1);
    } else {
      g.Set(gf::kFunction, value & 1);
      g.Set(gf::kFunctionHighCode1139, 0);
    }
  } else {
    g.Set(gf::kFunction, line >= 2 || (value & 1));
    g.Set(gf::kFunctionHigh, line >= 2);
  }
  if (!ctx.Mobile()) return;  // the portable radio keeps its paging number
  const std::uint32_t now = pair();
  if (now != old) g.Set(gf::kFunctionNumber, now == 4 ? 1 : 0);
}

void StoreConvDefaultSignaling(const SignalingContext& ctx, CDefaultGroupRecord& r, int line) {
  const std::uint32_t value = LineValue(ctx, EncryptionBits(r), line);
  if (!ctx.Mobile() && ctx.code1139) {
    r.Set(df::kFunction, value & 1);
    return;
  }
  if (ctx.Mobile() && ctx.code1139) {
    r.Set(df::kFunction, line >= 2 ? !(ctx.xld && line == 2 && EncryptionBits(r) == 0) : (value & 1) != 0);
    r.Set(df::kFunctionHighCode1139, line >= 2);
    return;
  }
  r.Set(df::kFunctionPair, line >= 2 ? 1 : value & 3);
  r.Set(DefaultFunctionHigh(ctx), line >= 2);
}

void StoreConvSignalingFromDefault(const SignalingContext& ctx, const CDefaultGroupRecord& r, CGroupRecord& g,
                                   int line) {
  if (!ctx.Mobile() && ctx.code1139) {
    g.Set(gf::kFunction, r.Value(df::kFunction));
    return;
  }
  if (ctx.Mobile() && ctx.code1139) {
    if (line >= 2) g.Set(gf::kAni, 0);
    g.Set(gf::kFunction, r.Value(df::kFunction));
    g.Set(gf::kFunctionHighCode1139, r.Value(df::kFunctionHighCode1139));
    return;
  }
  // The pair's low bit is the group's function bit.
  g.Set(gf::kFunction, r.Value(df::kFunctionPair) & 1);
  g.Set(gf::kFunctionHigh, r.Value(DefaultFunctionHigh(ctx)));
}

ChoiceRows ConvNumberRows(const SignalingContext& ctx, const CGroupRecord& g) {
  const bool paging = !ctx.Mobile() || (g.Value(gf::kFunction) && !g.Value(gf::kFunctionHighCode1139));
  return paging ? LocationRows() : SystemRows();
}

std::string ConvNumberText(const SignalingContext& ctx, const CGroupRecord& g) {
  const std::uint32_t n = g.Value(gf::kFunctionNumber);
  const std::uint32_t f = ConvSignalingValue(ctx, g);
  if (!ctx.Mobile() || f == 1) return LocationRows()[static_cast<std::size_t>(RowOfChoiceRow(LocationRows(), n, 0))].text;
  if ((f == 0 || f == 3) && n == 0) return "Disable";
  return SystemRows()[static_cast<std::size_t>(RowOfChoiceRow(SystemRows(), n, 0))].text;
}

bool ConvNumberOpen(const SignalingContext& ctx, const CGroupRecord& g) {
  if (ctx.code1139) {
    if (!ctx.Mobile()) return true;
    const std::uint32_t f = MobileFunctionPair(g);
    return f == 1 || f == 2;
  }
  return !(g.Value(gf::kFunction) && g.Value(gf::kFunctionHigh));
}

// ---------------------------------------------------------------------------
// Cell rules

std::uint32_t MobileFunctionPair(const CGroupRecord& g) {
  return g.Value(gf::kFunction) + 2u * g.Value(gf::kFunctionHighCode1139);
}
std::uint32_t MobileDefaultFunctionPair(const CDefaultGroupRecord& r) {
  return r.Value(df::kFunction) + 2u * r.Value(df::kFunctionHighCode1139);
}

bool MobileEncryptionOpen(const SignalingContext& ctx, std::uint32_t pair) {
  if (!ctx.code1139) return true;
  return pair != 2 && !ctx.noEncryption;
}

bool MobileConvAniOpen(const SignalingContext& ctx, const CGroupRecord& g) {
  return !ctx.code1139 || !g.Value(gf::kFunctionHighCode1139);
}
